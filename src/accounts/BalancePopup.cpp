#include "accounts/BalancePopup.h"

#include "accounts/AccountList.h"

namespace {

using Line = PopupLine;

struct Split {
    Money deposits;
    qint64 depositCount = 0;
    Money payments;
    qint64 paymentCount = 0;

    void add(Money amount)
    {
        if (amount.hundredths() > 0) {
            deposits += amount;
            ++depositCount;
        } else {
            payments += amount;
            ++paymentCount;
        }
    }
    Money net() const { return deposits + payments; }
};

struct Sums {
    Money reconciled;
    bool anyReconciled = false;
    Split cleared;
    Split unreconciled;

    bool anyCleared() const { return cleared.depositCount + cleared.paymentCount > 0; }
};

std::optional<Sums> sumAll(Register& reg)
{
    Sums sums;
    for (qint64 row = 0; row < reg.transactionCount(); ++row) {
        const std::optional<RegisterEntry> e = reg.entry(row);
        if (!e)
            return std::nullopt;
        switch (e->mark) {
        case ReconcileMark::Reconciled:
            sums.reconciled += e->amount;
            sums.anyReconciled = true;
            break;
        case ReconcileMark::Cleared:
            sums.cleared.add(e->amount);
            break;
        case ReconcileMark::Unreconciled:
            sums.unreconciled.add(e->amount);
            break;
        }
    }
    return sums;
}

class Lines {
public:
    Lines(const LocaleValues& locale, const QString& code) : m_locale(locale), m_code(code) {}

    QString amount(const char* label, Money value) const
    {
        return QString::fromLatin1(label) + QStringLiteral(": ") + moneyText(value, m_locale) + u' ' + m_code;
    }
    static QString count(qint64 n) { return QStringLiteral("Count Transactions: ") + QString::number(n); }

    Line submenu(const char* label, const Split& split) const
    {
        Line menu{Line::Kind::Submenu, amount(label, split.net()), {}};
        menu.children = {PopupLine::line(menu.text),
                         Line::separator(),
                         PopupLine::line(amount("Deposit", split.deposits)),
                         PopupLine::line(count(split.depositCount)),
                         Line::separator(),
                         PopupLine::line(amount("Payment", split.payments)),
                         PopupLine::line(count(split.paymentCount))};
        return menu;
    }

private:
    const LocaleValues& m_locale;
    const QString& m_code;
};

}  // namespace

std::optional<PopupLines> BalancePopup::build(Register& reg, DbTable& accounts, const LocaleValues& locale,
                                              Interaction& ui)
{
    const std::optional<AccountRecord> account = AccountList(accounts).find(reg.accountId());
    if (!account)
        return std::nullopt;
    const Lines lines(locale, account->currency);
    PopupLines popup;
    popup.lines = {PopupLine::line(QStringLiteral("Account: ") + account->name), Line::separator(),
                   PopupLine::line(lines.amount("Balance Total", account->total))};
    const std::optional<Sums> sums = sumAll(reg);
    if (!sums)
        ui.showMessage(QString::fromLatin1(ErrorDatabaseText), Interaction::Icon::Exclamation);
    if (sums && (sums->anyReconciled || sums->anyCleared())) {
        popup.lines.push_back(Line::separator());
        if (sums->anyReconciled)
            popup.lines.push_back(PopupLine::line(lines.amount("Balance Reconciled", sums->reconciled)));
        if (sums->anyCleared())
            popup.lines.push_back(lines.submenu("Balance Cleared", sums->cleared));
        popup.lines.push_back(lines.submenu("Balance Unreconciled", sums->unreconciled));
    }
    popup.lines.push_back(Line::separator());
    popup.lines.push_back(PopupLine::line(Lines::count(reg.transactionCount())));
    return popup;
}
