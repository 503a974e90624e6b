#include "planning/Prognosis.h"

#include <algorithm>

namespace {

using Line = PopupLine;

// One pass over the included entries: the converted total, the unconverted
// deposits and payments of each cached currency, and the converted sums by
// category in the order the categories are first met.
struct Sums {
    Money total;
    std::vector<Money> deposits;  // by cache index
    std::vector<Money> payments;
    std::vector<std::pair<qint32, Money>> byCategory;

    void addToCategory(qint32 category, Money converted)
    {
        auto it = std::find_if(byCategory.begin(), byCategory.end(),
                               [&](const auto& sum) { return sum.first == category; });
        if (it == byCategory.end())
            byCategory.emplace_back(category, converted);
        else
            it->second += converted;
    }
};

}  // namespace

Prognosis::Prognosis(FutureList& future, const CurrencyCache& currencies, Categories& categories,
                     const LocaleValues& locale)
    : m_future(future), m_currencies(currencies), m_categories(categories), m_locale(locale)
{
}

Money Prognosis::total(FileTime horizon, const QString& code)
{
    Money sum;
    for (const FutureEntry& e : m_future.entries()) {
        if (e.date <= horizon)
            sum += m_currencies.convert(e.amount, e.currency, code);
    }
    return sum;
}

QString Prognosis::label(FileTime horizon, const QString& code)
{
    return QString::fromLatin1(LabelWord) + QStringLiteral(": ") +
           m_currencies.amountText(total(horizon, code), code, m_locale);
}

PopupLines Prognosis::popup(FileTime horizon, const QString& code, bool withCategories)
{
    const size_t currencyCount = static_cast<size_t>(m_currencies.size());
    Sums sums{Money(), std::vector<Money>(currencyCount), std::vector<Money>(currencyCount), {}};
    for (const FutureEntry& e : m_future.entries()) {
        if (e.date > horizon)
            continue;
        const Money converted = m_currencies.convert(e.amount, e.currency, code);
        sums.total += converted;
        if (const int i = m_currencies.indexOf(e.currency); i >= 0) {
            std::vector<Money>& side = e.amount.isNegative() ? sums.payments : sums.deposits;
            side[static_cast<size_t>(i)] += e.amount;
        }
        if (e.category != 0)
            sums.addToCategory(e.category, converted);
    }

    const auto money = [&](Money amount) { return moneyText(amount, m_locale); };
    Line total{Line::Kind::Submenu,
               QStringLiteral("Total: ") + money(sums.total) + u' ' + code + u' ' +
                   QStringLiteral("- Total amount of all currencies (converted)"),
               {}};
    total.children.push_back(PopupLine::line(total.text));
    for (size_t i = 0; i < currencyCount; ++i) {
        if (sums.deposits[i].isZero() && sums.payments[i].isZero())
            continue;
        const QString& currency = m_currencies.entries()[i].code;
        total.children.push_back(Line::separator());
        total.children.push_back(
            PopupLine::line(QStringLiteral("Deposit: ") + u' ' + money(sums.deposits[i]) + u' ' + currency));
        total.children.push_back(
            PopupLine::line(QStringLiteral("Payment: ") + u' ' + money(sums.payments[i]) + u' ' + currency));
    }

    PopupLines popup;
    popup.lines = {PopupLine::line(QString::fromLatin1(PopupTitle)), Line::separator(), total};
    if (withCategories && !sums.byCategory.empty()) {
        Line byCategory{Line::Kind::Submenu, QStringLiteral("Prognosis by Categories"), {}};
        // A menu lines its columns up at the tab.
        byCategory.children = {PopupLine::line(QStringLiteral("Category\tTotal")), Line::separator()};
        for (const auto& [category, sum] : sums.byCategory)
            byCategory.children.push_back(
                PopupLine::line(m_categories.pathOf(category) + u'\t' + money(sum) + u' ' + code));
        popup.lines.push_back(byCategory);
    }
    return popup;
}
