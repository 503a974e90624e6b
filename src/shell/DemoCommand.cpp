#include "shell/DemoCommand.h"

#include "accounts/AccountCreator.h"
#include "accounts/AccountList.h"
#include "accounts/Register.h"
#include "accounts/TransactionEditor.h"
#include "planning/PlannerEditor.h"
#include "planning/RecurrenceRule.h"
#include "platform/StoreTransaction.h"
#include "shell/AccountCommands.h"
#include "shell/CliExit.h"
#include "shell/CliFirstAccount.h"
#include "shell/CliValues.h"
#include "shell/MainProgramRun.h"

#include <QJsonObject>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

const QString Usd = QStringLiteral("USD");
const QString Eur = QStringLiteral("EUR");
const char* const CashName = "Cash";

// How many whole months of history come before the current one.
constexpr int HistoryMonths = 3;
constexpr int EveryMonth = -1;

// Every name the example uses exists before it is used, so nothing should be
// asked; a question is still answered Yes, as the user of a first look would.
// A message means something was refused, and the example is dropped.
class DemoInteraction : public Interaction {
public:
    bool askYesNo(const QString&, const QString& = {}) override { return true; }
    void showMessage(const QString& text, Icon = Icon::Information, const QString& = {}) override
    {
        messages << text;
    }
    void showStatus(const QString&) override {}
    void progressLabel(const QString&) override {}
    void progressRange(qint64) override {}
    void progressStep(qint64) override {}
    bool progressStopRequested() override { return false; }

    QStringList messages;
};

// One posted transaction: in month `month` of the history (0 the first, the
// current month HistoryMonths) or in every month, on day `day`, when that day
// is not after today. A category in square brackets makes it a transfer.
struct Posting {
    int month;
    int day;
    const char* account;
    qint64 amount;  // hundredths of the account's currency; negative is a payment
    const char* description;
    const char* category;
    const char* project;
};

const Posting Postings[] = {
    {0, 1, "Checking", 180000, "Opening balance", "", ""},
    {0, 1, "Cash", 15000, "Opening balance", "", ""},
    {0, 1, "Savings", 400000, "Opening balance", "", ""},
    {EveryMonth, 1, "Checking", 320000, "Salary", "Salary", ""},
    {EveryMonth, 3, "Checking", -115000, "Rent", "Rent Paid", ""},
    {EveryMonth, 5, "Cash", -8540, "Groceries", "Groceries", ""},
    {EveryMonth, 8, "Checking", -20000, "ATM withdrawal", "[Cash]", ""},
    {EveryMonth, 12, "Cash", -6215, "Farmers market", "Groceries", ""},
    {EveryMonth, 15, "Checking", -9430, "Power and gas", "Utilities:Gas & Electric", ""},
    {EveryMonth, 19, "Cash", -3850, "Pizza night", "Dining", ""},
    {EveryMonth, 20, "Checking", -4500, "Gas station", "Auto:Fuel", ""},
    {EveryMonth, 26, "Checking", -50000, "Monthly savings", "[Savings]", ""},
    {EveryMonth, 28, "Savings", 310, "Interest", "Interest Earned", ""},
    {1, 10, "Checking", -14575, "Paint and brushes", "Home Repair", "Home:Renovation"},
    {1, 22, "Checking", -86000, "New flooring", "Home Repair", "Home:Renovation"},
    {2, 6, "Checking", -42000, "Flights to Lisbon", "Travel", "Vacation"},
    {2, 14, "Savings", -32000, "Hotel Lisbon", "Travel", "Vacation"},
    {2, 16, "Cash", -3600, "Museum tickets", "Entertainment", "Vacation"},
    {HistoryMonths, 2, "Checking", -4599, "Phone bill", "Telephone", ""},
};

// When a plan starts: on the first day `day` of a month after today, or
// `day` days from today (negative: already due).
enum class Start { NextMonthDay, DaysFromToday };

struct Plan {
    const char* description;
    qint64 amount;
    const char* currency;
    qint32 rule;
    const char* entries;  // "" for the rule's own count
    const char* reminderDays;
    const char* category;
    const char* project;
    const char* contact;
    Start start;
    int day;
};

const Plan Plans[] = {
    {"Salary", 320000, "USD", RecurrenceRule::Monthly, "", "2", "Salary", "", "", Start::NextMonthDay, 1},
    {"Rent", -115000, "USD", RecurrenceRule::Monthly, "", "0", "Rent Paid", "", "Property office",
     Start::NextMonthDay, 3},
    {"Car insurance", -24000, "USD", RecurrenceRule::Quarterly, "", "7", "Insurance:Auto", "", "",
     Start::NextMonthDay, 15},
    {"Gym membership", -3900, "EUR", RecurrenceRule::Monthly, "12", "0", "Recreation", "", "",
     Start::NextMonthDay, 10},
    {"Kitchen cabinets", -180000, "USD", RecurrenceRule::OnlyOnce, "", "0", "Home Repair", "Home:Renovation",
     "", Start::DaysFromToday, 12},
    {"Internet", -4990, "USD", RecurrenceRule::Monthly, "", "0", "Utilities", "", "", Start::DaysFromToday,
     -1},
};

// "1150.00": the lenient number rule reads it in every locale.
QString magnitudeText(qint64 hundredths)
{
    const qint64 magnitude = std::llabs(hundredths);
    return QStringLiteral("%1.%2").arg(magnitude / 100).arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

LocalTime monthStart(const LocalTime& today, int monthsBack)
{
    const int index = today.year * 12 + (today.month - 1) - monthsBack;
    return LocalTime{index / 12, index % 12 + 1, 1, 0, 0, 0, 0};
}

// The day of `month` with the day number clamped to the month's length.
FileTime dayOf(const LocalTime& month, int day)
{
    LocalTime t = month;
    t.day = std::min(day, daysInMonth(t.year, t.month));
    return fileTimeFromLocal(t).value_or(0);
}

class DemoFill {
public:
    DemoFill(MainBook& book, const Clock& clock, const LocaleValues& locale)
        : m_book(book), m_clock(clock), m_locale(locale), m_today(clock.now())
    {
    }

    bool run()
    {
        return createAccounts() && createProjects() && enterHistory() && addPlans() && showAMonthAhead() &&
               m_book.updateAllProjectTotals();
    }
    const QString& error() const { return m_error; }

private:
    struct Dated {
        FileTime day;
        const Posting* posting;
        int month;
    };

    bool fail(const QString& what)
    {
        m_error = m_ui.messages.isEmpty() ? what : what + QStringLiteral(": ") + m_ui.messages.join(u' ');
        return false;
    }

    EditorContext editorContext()
    {
        return {m_book.tables(),
                m_book.currencies(),
                m_book.categories(),
                m_book.projects(),
                m_book.totals(),
                m_book.future(),
                m_clock,
                m_locale,
                m_ui,
                m_conversion};
    }

    qint32 accountId(const char* name)
    {
        const std::optional<AccountRecord> a =
            AccountList(m_book.tables().accounts()).findByName(QString::fromUtf8(name));
        return a ? a->id : 0;
    }

    // The first account, "Cash", came with start-up; the other two are made
    // here, and the euro's rate is set before any transfer needs it.
    bool createAccounts()
    {
        if (accountId(CashName) == 0)
            return fail(QStringLiteral("The first account is missing."));
        AccountCreator creator(m_book.tables(), m_book.currencies(), m_clock);
        for (const auto& [name, code] : {std::pair{"Checking", Usd}, std::pair{"Savings", Eur}}) {
            const std::optional<int> row = CliValues::currencyRow(code);
            if (!row || creator.create(AccountDraft{QString::fromUtf8(name), *row, Money()}) == 0)
                return fail(
                    QStringLiteral("The account %1 could not be created.").arg(QString::fromUtf8(name)));
        }
        if (!m_book.currencies().storeRate(Usd, Eur, 0.92))
            return fail(QStringLiteral("The rate could not be stored."));
        return true;
    }

    bool createProjects()
    {
        for (const char* path : {"Home:Renovation", "Vacation"}) {
            if (m_book.projects().createByPath(QString::fromUtf8(path)) == 0)
                return fail(QStringLiteral("The project %1 could not be made.").arg(QString::fromUtf8(path)));
        }
        return true;
    }

    // Oldest first, as they would have been entered day by day; postings of
    // one day keep their order in the table.
    std::vector<Dated> history() const
    {
        std::vector<Dated> all;
        const FileTime today = fileTimeFromLocal(m_today).value_or(0);
        for (int month = 0; month <= HistoryMonths; ++month) {
            const LocalTime start = monthStart(m_today, HistoryMonths - month);
            for (const Posting& p : Postings) {
                const FileTime day = dayOf(start, p.day);
                if ((p.month == EveryMonth || p.month == month) && day <= today)
                    all.push_back({day, &p, month});
            }
        }
        std::stable_sort(all.begin(), all.end(),
                         [](const Dated& a, const Dated& b) { return a.day < b.day; });
        return all;
    }

    // Months before last are reconciled, last month's are cleared.
    static ReconcileMark markOf(int month)
    {
        if (month < HistoryMonths - 1)
            return ReconcileMark::Reconciled;
        return month == HistoryMonths - 1 ? ReconcileMark::Cleared : ReconcileMark::Unreconciled;
    }

    bool enterHistory()
    {
        for (const Dated& d : history()) {
            if (!enter(*d.posting, d.day, markOf(d.month)))
                return fail(QStringLiteral("The transaction \"%1\" could not be saved.")
                                .arg(QString::fromUtf8(d.posting->description)));
        }
        return true;
    }

    // Typed into the register's new-transaction row, as a user would.
    bool enter(const Posting& p, FileTime day, ReconcileMark mark)
    {
        Register reg(m_book.tables(), m_book.currencies(), m_locale, m_book.future());
        if (!reg.select(accountId(p.account)))
            return false;
        TransactionEditor editor(editorContext(), reg);
        if (!editor.load(reg.transactionCount()))
            return false;
        editor.setDate(day);
        if (*p.category)
            editor.setCategoryText(QString::fromUtf8(p.category));
        editor.setDescription(QString::fromUtf8(p.description));
        editor.setAmountText(magnitudeText(p.amount));
        editor.setPayment(p.amount < 0);
        if (*p.project)
            editor.setProjectText(QString::fromUtf8(p.project));
        editor.setMark(mark);
        return editor.save(false).isSaved();
    }

    FileTime startOf(const Plan& plan) const
    {
        const FileTime today = fileTimeFromLocal(m_today).value_or(0);
        if (plan.start == Start::DaysFromToday)
            return addDays(startOfDay(today), plan.day);
        const int monthsAhead = m_today.day < plan.day ? 0 : 1;
        return dayOf(monthStart(m_today, -monthsAhead), plan.day);
    }

    bool addPlans()
    {
        for (const Plan& plan : Plans) {
            if (!addPlan(plan))
                return fail(QStringLiteral("The plan \"%1\" could not be saved.")
                                .arg(QString::fromUtf8(plan.description)));
        }
        return true;
    }

    bool addPlan(const Plan& plan)
    {
        PlannerEditor editor({m_book.tables(), m_book.currencies(), m_book.categories(), m_book.projects(),
                              m_book.future(), m_clock, m_locale, m_ui});
        editor.loadNew(QString::fromUtf8(plan.currency));
        if (editor.currency() != QString::fromUtf8(plan.currency))
            return false;
        editor.setDescription(QString::fromUtf8(plan.description));
        editor.setAmount(Money::fromHundredths(plan.amount));
        editor.setCategoryText(QString::fromUtf8(plan.category));
        if (*plan.project)
            editor.setProjectText(QString::fromUtf8(plan.project));
        if (*plan.contact)
            editor.setContact(QString::fromUtf8(plan.contact));
        editor.setRule(plan.rule);
        if (*plan.entries)
            (void)editor.setEntriesText(QString::fromUtf8(plan.entries));
        (void)editor.setReminderDaysText(QString::fromUtf8(plan.reminderDays));
        editor.setStartDate(startOf(plan));
        return editor.save() == PlannerEditor::SaveResult::Saved;
    }

    // As the future bar's date picker set to the same day next month.
    bool showAMonthAhead()
    {
        const LocalTime next = monthStart(m_today, -1);
        if (m_book.future().build(dayOf(next, m_today.day), false))
            return true;
        return fail(QStringLiteral("The future list could not be built."));
    }

    MainBook& m_book;
    const Clock& m_clock;
    const LocaleValues& m_locale;
    LocalTime m_today;
    DemoInteraction m_ui;
    AcceptingConversion m_conversion;
    QString m_error;
};

int demo(CliContext& c)
{
    if (!c.arguments.isEmpty())
        return AccountCommands::badUsage(c.err, QStringLiteral("demo takes no arguments"));
    CliFirstAccount first(AccountDraft{QString::fromLatin1(CashName), *CliValues::currencyRow(Usd), Money()},
                          c.err);
    return MainProgramRun(c).run(
        [&](MainBook& book) {
            if (!first.asked()) {
                c.err << "The book is not empty: the demo fills only a new book.\n";
                return static_cast<int>(CliFailed);
            }
            QString error;
            if (!DemoCommand::fill(book, c.clock, c.localeValues, &error)) {
                c.err << error << '\n';
                return static_cast<int>(CliFailed);
            }
            const qint64 accounts = book.tables().accounts().count();
            const qint64 transactions = book.tables().transactions().count();
            const qint64 plans = book.tables().planner().count();
            if (c.options.json) {
                CliValues::printJson(c.out,
                                     QJsonDocument(QJsonObject{{QStringLiteral("accounts"), accounts},
                                                               {QStringLiteral("transactions"), transactions},
                                                               {QStringLiteral("plans"), plans}}));
            } else {
                c.out << "Demo book: " << accounts << " accounts, " << transactions << " transactions, "
                      << plans << " plans.\n";
            }
            return static_cast<int>(CliDone);
        },
        &first);
}

}  // namespace

bool DemoCommand::fill(MainBook& book, const Clock& clock, const LocaleValues& locale, QString* error)
{
    ObjectStore* store = book.tables().store();
    if (!store) {
        *error = QStringLiteral("The book is not open.");
        return false;
    }
    StoreTransaction transaction(*store);
    DemoFill fill(book, clock, locale);
    if (transaction.isOpen() && fill.run() && transaction.commit())
        return true;
    transaction.rollback();
    // The list in the store went back with everything else: the next start rebuilds it.
    book.state().horizon = 0;
    *error = fill.error().isEmpty() ? QStringLiteral("The demo could not be written.") : fill.error();
    return false;
}

void DemoCommand::addTo(CliCommandTable& table)
{
    table.add(
        {QStringLiteral("demo"), QStringLiteral("demo"),
         QStringLiteral(
             "fills a new book with an example: accounts in two currencies, transfers, plans, projects"),
         demo});
}
