#include "accounts/RegisterInfo.h"

#include "accounts/AccountList.h"
#include "planning/PlannerEntry.h"
#include "store/DateText.h"
#include "store/SortScope.h"

#include <cmath>

namespace {

using Line = PopupLine;

Line field(const char* label, const QString& value)
{
    return PopupLine::line(QString::fromLatin1(label) + QStringLiteral(":\t") + value);
}

}  // namespace

RegisterInfo::RegisterInfo(Register& reg, TableSet& tables, Categories& categories, Projects& projects,
                           const CurrencyCache& currencies, const LocaleValues& locale)
    : m_register(reg), m_tables(tables), m_categories(categories), m_projects(projects),
      m_currencies(currencies), m_locale(locale)
{
}

QString RegisterInfo::markLabel(ReconcileMark mark)
{
    switch (mark) {
    case ReconcileMark::Unreconciled:
        return QStringLiteral("Unreconciled");
    case ReconcileMark::Cleared:
        return QStringLiteral("Cleared (C)");
    case ReconcileMark::Reconciled:
        return QStringLiteral("Reconciled (R)");
    }
    return {};
}

QString RegisterInfo::amountText(Money amount, const QString& code) const
{
    return m_currencies.amountText(amount, code, m_locale);
}

std::optional<PopupLines> RegisterInfo::build(qint64 row)
{
    switch (m_register.rowKind(row)) {
    case Register::RowKind::Transaction:
        return buildTransaction(row);
    case Register::RowKind::Future:
        return buildPlanned(row);
    case Register::RowKind::NewTransaction:
    case Register::RowKind::Outside:
        break;
    }
    return std::nullopt;
}

std::optional<PopupLines> RegisterInfo::buildTransaction(qint64 row)
{
    const std::optional<RegisterEntry> e = m_register.entry(row);
    if (!e)
        return std::nullopt;
    PopupLines popup;
    popup.title = QString::fromLatin1(TitleText);
    popup.lines = {field("Description", e->description), field("Account", m_register.accountName()),
                   field("Date", dateWithWeekday(e->date, m_locale))};
    if (!e->number.isEmpty())
        popup.lines.push_back(field("No", e->number));
    popup.lines.push_back(field("Amount", amountText(e->amount, m_register.currency())));
    popup.lines.push_back(field("Mark As", markLabel(e->mark)));
    if (e->isTransfer())
        addTransfer(popup, *e);
    if (e->category > 0)
        popup.lines.push_back(field("Category", m_categories.pathOf(e->category)));
    if (e->project > 0)
        popup.lines.push_back(field("Project", m_projects.pathOf(e->project)));
    if (!e->contact.isEmpty())
        popup.lines.push_back(field("Contact", e->contact));
    if (!e->note.isEmpty())
        popup.lines.push_back(field("Note", e->note));
    popup.lines.push_back(field("Balance", amountText(e->balance, m_register.currency())));
    popup.lines.push_back(Line::separator());
    popup.lines.push_back(PopupLine::line(QString::fromLatin1(EditText)));
    return popup;
}

// Number, mark and contact come from the plan, as a posting takes them; the
// texts from the entry, whose macros are already expanded for its date. An
// entry whose plan is gone shows what the entry itself holds.
std::optional<PopupLines> RegisterInfo::buildPlanned(qint64 row)
{
    const std::optional<FutureEntry> e = m_register.futureEntry(row);
    if (!e)
        return std::nullopt;
    PlannerEntry plan;
    {
        DbTable& planner = m_tables.planner();
        SortScope scope(planner, Prop::PlannerId);
        if (scope.ok())
            plan = PlannerEntry::find(planner, e->plannerId).value_or(PlannerEntry{});
    }
    PopupLines popup;
    popup.title = QString::fromLatin1(PlannedTitleText);
    popup.lines = {field("Description", e->description), field("Date", dateWithWeekday(e->date, m_locale))};
    if (!plan.number.isEmpty())
        popup.lines.push_back(field("No", plan.number));
    popup.lines.push_back(field("Amount", amountText(e->amount, e->currency)));
    popup.lines.push_back(field("Mark As", markLabel(plan.mark)));
    if (e->category < 0)
        addPlannedTransfer(popup, *e);
    else if (e->category > 0)
        popup.lines.push_back(field("Category", m_categories.pathOf(e->category)));
    if (e->project > 0)
        popup.lines.push_back(field("Project", m_projects.pathOf(e->project)));
    if (!plan.contact.isEmpty())
        popup.lines.push_back(field("Contact", plan.contact));
    if (!e->note.isEmpty())
        popup.lines.push_back(field("Note", e->note));
    popup.lines.push_back(Line::separator());
    popup.lines.push_back(PopupLine::line(QString::fromLatin1(EditText)));
    return popup;
}

// Worded as for a posted transfer: a payment goes "in" the other account.
void RegisterInfo::addPlannedTransfer(PopupLines& popup, const FutureEntry& e)
{
    const std::optional<AccountRecord> account = AccountList(m_tables.accounts()).find(-e.category);
    if (!account)
        return;
    const QString label =
        e.amount.isNegative() ? QStringLiteral("Transfer in :\t") : QStringLiteral("Transfer from :\t");
    popup.lines.push_back(PopupLine::line(label + account->name));
}

void RegisterInfo::addTransfer(PopupLines& popup, const RegisterEntry& e)
{
    const std::optional<OtherSide> other = otherSide(e);
    if (!other)
        return;
    const QString label =
        e.amount.isNegative() ? QStringLiteral("Transfer in :\t") : QStringLiteral("Transfer from :\t");
    popup.lines.push_back(PopupLine::line(label + other->accountName));
    const Money absolute = other->amount.magnitude();
    popup.lines.push_back(PopupLine::line(amountText(absolute, other->currency)));
    if (other->currency == m_register.currency())
        return;
    if (const std::optional<QString> rate =
            convertLine(e.amount, m_register.currency(), other->amount, other->currency))
        popup.lines.push_back(PopupLine::line(*rate));
}

std::optional<RegisterInfo::OtherSide> RegisterInfo::otherSide(const RegisterEntry& e)
{
    const std::optional<AccountRecord> account = AccountList(m_tables.accounts()).find(-e.category);
    if (!account)
        return std::nullopt;
    OtherSide other{account->name, Money(), account->currency};
    DbTable& t = m_tables.transactions();
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    if (scope.ok() && !e.link.isEmpty() && t.seekText(SeekKind::Equal, e.link)) {
        other.amount = Money::fromHundredths(t.getInt64(Prop::Amount));
        if (const QString code = t.getText(Prop::CurrencyCode); !code.isEmpty())
            other.currency = code;
    }
    t.moveTo(DbTable::NoRecord);
    return other;
}

std::optional<QString> RegisterInfo::convertLine(Money amount, const QString& code, Money otherAmount,
                                                 const QString& otherCode)
{
    const double a = std::abs(static_cast<double>(amount.hundredths()));
    const double b = std::abs(static_cast<double>(otherAmount.hundredths()));
    if (a == 0 || b == 0)
        return std::nullopt;
    const bool thisLarger = a >= b;
    const double rate = thisLarger ? a / b : b / a;
    const QString& smallerCode = thisLarger ? otherCode : code;
    const QString& largerCode = thisLarger ? code : otherCode;
    return QStringLiteral("Convert 1 ") + smallerCode + QStringLiteral(" = ") +
           QString::asprintf("%.5f", rate) + u' ' + largerCode;
}
