#include "reports/ReportFilter.h"

#include "ReportBook.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using TextField = ReportFilter::TextField;
using IdKind = ReportFilter::IdKind;

Money m(qint64 hundredths)
{
    return Money::fromHundredths(hundredths);
}

const FileTime Today = at(2003, 12, 5, 14, 30, 5, 123);

class ReportFilterBook : public ::testing::Test {
protected:
    void SetUp() override
    {
        rb.addCurrency(0, QStringLiteral("EUR"));
        rb.addCurrency(1, QStringLiteral("USD"));
        rb.addAccount(1, QStringLiteral("Cash"));
        rb.addAccount(2, QStringLiteral("Bank"), QStringLiteral("EUR"));
        filter.initialise(rb.tables(), QStringLiteral("USD"), Today);
    }

    // Whether the filter passes the transaction written from `spec`.
    bool passes(const TransactionSpec& spec)
    {
        DbTable& t = rb.tables().transactions();
        const RecordId id = rb.addTransaction(spec);
        EXPECT_TRUE(t.moveToRecord(id));
        return filter.match(t, rb.tables().accounts());
    }

    static TransactionSpec today(qint64 amount = 100)
    {
        TransactionSpec s;
        s.date = Today;
        s.amount = amount;
        return s;
    }

    ReportBook rb;
    ReportFilter filter;
};

// --- initialising and setting ------------------------------------------------------

TEST_F(ReportFilterBook, InitialiseClearsEverythingAndCoversToday)
{
    EXPECT_TRUE(filter.isInitialised());
    EXPECT_EQ(filter.changeCount(), 1u);
    EXPECT_FALSE(filter.hasConditions());
    EXPECT_FALSE(filter.amountActive());
    EXPECT_EQ(filter.amountLow().hundredths(), ReportFilter::DefaultAmountLow);
    EXPECT_EQ(filter.amountHigh().hundredths(), ReportFilter::DefaultAmountHigh);
    EXPECT_EQ(filter.dateLow(), at(2003, 12, 5, 0, 0, 0, 0));
    EXPECT_EQ(filter.dateHigh(), at(2003, 12, 5, 23, 59, 59, 999));
    EXPECT_EQ(filter.currency(), QStringLiteral("USD"));
    EXPECT_EQ(filter.recordedCounts().accounts, 2);
}

TEST_F(ReportFilterBook, WithoutSavedCurrencyTheFirstCurrencyInNumberOrderIsTaken)
{
    ReportFilter fresh;
    EXPECT_FALSE(fresh.isInitialised());
    fresh.initialise(rb.tables(), QString(), Today);
    EXPECT_EQ(fresh.currency(), QStringLiteral("EUR"));
}

TEST(ReportFilter, WithoutCurrenciesTheReportCurrencyIsEmpty)
{
    ReportBook rb;
    ReportFilter filter;
    filter.initialise(rb.tables(), QString(), Today);
    EXPECT_EQ(filter.currency(), QString());
}

TEST(ReportFilter, TextsAreUpperCasedAndEmptyClears)
{
    ReportFilter f;
    const TextField fields[] = {TextField::Description, TextField::Note, TextField::Contact,
                                TextField::Number};
    for (const TextField field : fields) {
        f.setText(field, QStringLiteral("Grün ab"));
        EXPECT_TRUE(f.textActive(field));
        EXPECT_EQ(f.text(field), QStringLiteral("GRÜN AB"));
        EXPECT_TRUE(f.hasConditions());
        f.setText(field, QString());
        EXPECT_FALSE(f.textActive(field));
        EXPECT_FALSE(f.hasConditions());
    }
}

TEST(ReportFilter, OnlyEffectiveChangesMoveTheCounter)
{
    ReportFilter f;
    struct Step {
        const char* what;
        std::function<void(ReportFilter&)> apply;
        bool changes;
    };
    const Step steps[] = {
        {"set text", [](ReportFilter& x) { x.setText(TextField::Note, QStringLiteral("a")); }, true},
        {"same text other case", [](ReportFilter& x) { x.setText(TextField::Note, QStringLiteral("A")); },
         false},
        {"clear text", [](ReportFilter& x) { x.clearText(TextField::Note); }, true},
        {"clear again", [](ReportFilter& x) { x.clearText(TextField::Note); }, false},
        {"range", [](ReportFilter& x) { x.setAmountRange(m(1), m(2)); }, true},
        {"same range swapped", [](ReportFilter& x) { x.setAmountRange(m(2), m(1)); }, false},
        {"clear amount", [](ReportFilter& x) { x.clearAmount(); }, true},
        {"flag", [](ReportFilter& x) { x.setMarkFlag(ReconcileMark::Cleared, true); }, true},
        {"same flag", [](ReportFilter& x) { x.setMarkFlag(ReconcileMark::Cleared, true); }, false},
        {"currency", [](ReportFilter& x) { x.setCurrency(QStringLiteral("EUR")); }, true},
        {"same currency", [](ReportFilter& x) { x.setCurrency(QStringLiteral("EUR")); }, false},
        {"date low", [](ReportFilter& x) { x.setDateLow(at(2003, 1, 1, 9)); }, true},
        {"same day later", [](ReportFilter& x) { x.setDateLow(at(2003, 1, 1, 17)); }, false},
        {"add id", [](ReportFilter& x) { x.addId(IdKind::Projects, 4); }, true},
        {"add it again", [](ReportFilter& x) { x.addId(IdKind::Projects, 4); }, false},
        {"remove absent id", [](ReportFilter& x) { x.removeId(IdKind::Projects, 5); }, false},
        {"remove id", [](ReportFilter& x) { x.removeId(IdKind::Projects, 4); }, true},
        {"clear empty lists", [](ReportFilter& x) { x.clearLists(); }, false},
    };
    for (const Step& step : steps) {
        const quint32 before = f.changeCount();
        step.apply(f);
        EXPECT_EQ(f.changeCount() != before, step.changes) << step.what;
    }
}

struct RangeCase {
    qint64 low;
    qint64 high;
    qint64 storedLow;
    qint64 storedHigh;
    bool active;
};

TEST(ReportFilter, AmountRangeIsSwappedAndActiveUnlessBothBoundsAreDefault)
{
    constexpr qint64 L = ReportFilter::DefaultAmountLow;
    constexpr qint64 H = ReportFilter::DefaultAmountHigh;
    const RangeCase cases[] = {
        {10000, 5000, 5000, 10000, true},
        {5000, 10000, 5000, 10000, true},
        {L, H, L, H, false},
        {H, L, L, H, false},
        {L, 0, L, 0, true},
        {0, H, 0, H, true},
        {-1, -1, -1, -1, true},
    };
    for (const RangeCase& c : cases) {
        ReportFilter f;
        f.setAmountRange(m(c.low), m(c.high));
        EXPECT_EQ(f.amountLow().hundredths(), c.storedLow) << c.low << " " << c.high;
        EXPECT_EQ(f.amountHigh().hundredths(), c.storedHigh) << c.low << " " << c.high;
        EXPECT_EQ(f.amountActive(), c.active) << c.low << " " << c.high;
        EXPECT_EQ(f.hasConditions(), c.active) << c.low << " " << c.high;
    }
}

TEST(ReportFilter, DatesAreForcedToTheEdgesOfTheirDays)
{
    ReportFilter f;
    f.setDateLow(at(2004, 2, 29, 23, 59, 59, 999));
    f.setDateHigh(at(2004, 3, 1, 0, 0, 0, 0));
    EXPECT_EQ(f.dateLow(), at(2004, 2, 29, 0, 0, 0, 0));
    EXPECT_EQ(f.dateHigh(), at(2004, 3, 1, 23, 59, 59, 999));
}

TEST(ReportFilter, FlagsAndListsAreConditionsButOnlyListsAreLists)
{
    ReportFilter f;
    f.setMarkFlag(ReconcileMark::Reconciled, true);
    EXPECT_TRUE(f.hasConditions());
    EXPECT_FALSE(f.hasLists());
    f.setMarkFlag(ReconcileMark::Reconciled, false);
    f.addId(IdKind::Categories, 7);
    EXPECT_TRUE(f.hasLists());
    EXPECT_TRUE(f.hasConditions());
    f.clearLists();
    EXPECT_FALSE(f.hasConditions());
}

TEST(ReportFilter, AMarkOutsideTheThreeIsIgnored)
{
    ReportFilter f;
    const quint32 before = f.changeCount();
    f.setMarkFlag(static_cast<ReconcileMark>(3), true);
    EXPECT_FALSE(f.markFlag(static_cast<ReconcileMark>(3)));
    EXPECT_EQ(f.changeCount(), before);
    EXPECT_FALSE(f.hasConditions());
}

TEST(ReportFilter, ClearConditionsKeepsPeriodAndCurrency)
{
    ReportFilter f;
    f.setCurrency(QStringLiteral("EUR"));
    f.setDateLow(at(2003, 1, 1));
    f.setText(TextField::Number, QStringLiteral("7"));
    f.setText(TextField::Description, QStringLiteral("x"));
    f.setMarkFlag(ReconcileMark::Unreconciled, true);
    f.setAmountRange(m(1), m(2));
    f.addId(IdKind::Accounts, 1);
    f.clearConditions();
    EXPECT_FALSE(f.hasConditions());
    EXPECT_EQ(f.currency(), QStringLiteral("EUR"));
    EXPECT_EQ(f.dateLow(), at(2003, 1, 1, 0));
}

// --- matching ------------------------------------------------------------------------

TEST_F(ReportFilterBook, NoConditionsPassTodayOfEveryAccountButTheReservedOnes)
{
    struct Case {
        qint32 account;
        FileTime date;
        bool passes;
    };
    const Case cases[] = {
        {1, Today, true},
        {2, at(2003, 12, 5, 0, 0, 0, 0), true},
        {2, at(2003, 12, 5, 23, 59, 59, 999), true},
        {1, at(2003, 12, 4, 23, 59, 59, 999), false},
        {1, at(2003, 12, 6, 0, 0, 0, 0), false},
        {ReservedAccount::Holder, Today, false},
        {ReservedAccount::PasswordLock, Today, false},
    };
    for (const Case& c : cases) {
        TransactionSpec s = today();
        s.account = c.account;
        s.date = c.date;
        EXPECT_EQ(passes(s), c.passes) << c.account << " " << c.date;
    }
}

TEST_F(ReportFilterBook, ReservedAccountsAreRejectedEvenWhenListed)
{
    filter.addId(IdKind::Accounts, ReservedAccount::Holder);
    TransactionSpec s = today();
    s.account = ReservedAccount::Holder;
    EXPECT_FALSE(passes(s));
}

TEST_F(ReportFilterBook, IdListsAdmitOnlyTheirIds)
{
    filter.addId(IdKind::Accounts, 2);
    filter.addId(IdKind::Categories, 5);
    filter.addId(IdKind::Projects, 9);
    struct Case {
        qint32 account;
        qint32 category;
        qint32 project;
        bool passes;
    };
    const Case cases[] = {
        {2, 5, 9, true},  {1, 5, 9, false},  {2, 6, 9, false},
        {2, 0, 9, false}, {2, -5, 9, false},  // a transfer to account 5 is not category 5
        {2, 5, 0, false}, {2, 5, 10, false},
    };
    for (const Case& c : cases) {
        TransactionSpec s = today();
        s.account = c.account;
        s.category = c.category;
        s.project = c.project;
        EXPECT_EQ(passes(s), c.passes) << c.account << " " << c.category << " " << c.project;
    }
}

TEST_F(ReportFilterBook, TextConditionsAreCaseInsensitiveSubstrings)
{
    filter.setText(TextField::Description, QStringLiteral("rent"));
    filter.setText(TextField::Note, QStringLiteral("may"));
    filter.setText(TextField::Contact, QStringLiteral("smith"));
    struct Case {
        const char* description;
        const char* note;
        const char* contact;
        bool passes;
    };
    const Case cases[] = {
        {"FLATRENTAL", "for May", "J. Smith", true},
        {"Rent", "MAY", "SMITH", true},
        {"Ren", "MAY", "SMITH", false},
        {"Rent", "", "SMITH", false},
        {"Rent", "MAY", "Smit", false},
    };
    for (const Case& c : cases) {
        TransactionSpec s = today();
        s.description = QString::fromUtf8(c.description);
        s.note = QString::fromUtf8(c.note);
        s.contact = QString::fromUtf8(c.contact);
        EXPECT_EQ(passes(s), c.passes) << c.description << "|" << c.note << "|" << c.contact;
    }
}

TEST_F(ReportFilterBook, NumberConditionWantsTheWholeNumber)
{
    filter.setText(TextField::Number, QStringLiteral("1a"));
    const std::pair<const char*, bool> cases[] = {
        {"1A", true}, {"1a", true}, {"1A2", false}, {"11A", false}, {"", false}, {"1A><", false},
    };
    for (const auto& [number, expected] : cases) {
        TransactionSpec s = today();
        s.number = QString::fromUtf8(number);
        EXPECT_EQ(passes(s), expected) << number;
    }
}

TEST_F(ReportFilterBook, AmountBoundsAreInclusiveAndDefaultBoundsAreOpen)
{
    struct Case {
        qint64 low;
        qint64 high;
        qint64 amount;
        bool passes;
    };
    constexpr qint64 L = ReportFilter::DefaultAmountLow;
    constexpr qint64 H = ReportFilter::DefaultAmountHigh;
    const Case cases[] = {
        {5000, 10000, 5000, true},
        {5000, 10000, 10000, true},
        {5000, 10000, 4999, false},
        {5000, 10000, 10001, false},
        {-10000, -5000, -7500, true},
        {-10000, -5000, 7500, false},
        {L, H, 90'000'000'000, true},  // beyond the marks, no amount condition
        {L, H, -90'000'000'000, true},
        {L, 0, -90'000'000'000, true},  // open low bound
        {L, 0, 1, false},
        {0, H, 90'000'000'000, true},  // open high bound
    };
    for (const Case& c : cases) {
        filter.setAmountRange(m(c.low), m(c.high));
        EXPECT_EQ(passes(today(c.amount)), c.passes) << c.low << " " << c.high << " " << c.amount;
    }
}

TEST_F(ReportFilterBook, MarkFlagsAdmitOnlyTheirMarks)
{
    struct Case {
        bool unreconciled;
        bool cleared;
        bool reconciled;
        qint32 mark;
        bool passes;
    };
    const Case cases[] = {
        {false, false, false, 0, true}, {false, false, false, 2, true}, {false, false, false, 7, true},
        {true, false, false, 0, true},  {true, false, false, 1, false}, {false, true, false, 1, true},
        {false, true, true, 2, true},   {false, true, true, 0, false},  {true, true, true, 3, false},
    };
    for (const Case& c : cases) {
        filter.setMarkFlag(ReconcileMark::Unreconciled, c.unreconciled);
        filter.setMarkFlag(ReconcileMark::Cleared, c.cleared);
        filter.setMarkFlag(ReconcileMark::Reconciled, c.reconciled);
        TransactionSpec s = today();
        s.mark = c.mark;
        EXPECT_EQ(passes(s), c.passes) << c.unreconciled << c.cleared << c.reconciled << " mark " << c.mark;
    }
}

TEST_F(ReportFilterBook, NoCurrentRecordDoesNotPass)
{
    DbTable& t = rb.tables().transactions();
    rb.addTransaction(today());
    t.close();
    ASSERT_TRUE(t.openByText(Prop::AccountKey));
    EXPECT_FALSE(filter.match(t, rb.tables().accounts()));
}

TEST_F(ReportFilterBook, MissingCurrencyIsFilledInFromTheAccountAndWritten)
{
    TransactionSpec s = today();
    s.account = 2;
    s.currency.clear();
    EXPECT_TRUE(passes(s));
    EXPECT_EQ(rb.tables().transactions().getText(Prop::CurrencyCode), QStringLiteral("EUR"));

    // Another connection sees the write: it reached the book.
    std::unique_ptr<ObjectStore> other = rb.book.openSecondConnection();
    ASSERT_TRUE(other);
    DbTable second(rb.tables().transactions().name());
    second.attach(other.get());
    ASSERT_TRUE(second.openByText(Prop::AccountKey));
    ASSERT_TRUE(second.moveTo(0));
    EXPECT_EQ(second.getText(Prop::CurrencyCode), QStringLiteral("EUR"));
}

TEST_F(ReportFilterBook, MissingCurrencyOfAMissingAccountRejects)
{
    TransactionSpec s = today();
    s.account = 77;
    s.currency.clear();
    EXPECT_FALSE(passes(s));
    EXPECT_EQ(rb.tables().transactions().getText(Prop::CurrencyCode), QString());

    s.currency = QStringLiteral("USD");  // with a code of its own the account is not needed
    EXPECT_TRUE(passes(s));
}

TEST_F(ReportFilterBook, CurrencyIsOnlyFilledInForTransactionsThatGetThatFar)
{
    filter.setAmountRange(m(1000), m(2000));
    TransactionSpec s = today(5);
    s.currency.clear();
    EXPECT_FALSE(passes(s));
    EXPECT_EQ(rb.tables().transactions().getText(Prop::CurrencyCode), QString());
}

TEST_F(ReportFilterBook, CurrencyFillInKeepsTheAccountTablesCurrentRecord)
{
    DbTable& accounts = rb.tables().accounts();
    ASSERT_TRUE(accounts.seekInt(SeekKind::Equal, 1));
    const RecordId before = accounts.recordId();
    TransactionSpec s = today();
    s.account = 2;
    s.currency.clear();
    EXPECT_TRUE(passes(s));
    EXPECT_EQ(accounts.recordId(), before);
    EXPECT_EQ(accounts.getInt(Prop::AccountId), 1);
}

// --- refresh --------------------------------------------------------------------------

TEST_F(ReportFilterBook, RefreshDropsIdsThatNoLongerExist)
{
    rb.addCategory(1, 0, QStringLiteral("All categories"));
    rb.addCategory(5, 1, QStringLiteral("Food"));
    rb.addProject(1, 0, QStringLiteral("All projects"));
    for (const qint32 id : {1, 2, 3})
        filter.addId(IdKind::Accounts, id);
    filter.addId(IdKind::Categories, 6);
    filter.addId(IdKind::Categories, 5);
    filter.addId(IdKind::Projects, 1);
    filter.addId(IdKind::Projects, 2);
    const quint32 before = filter.changeCount();

    filter.refresh(rb.tables());

    EXPECT_EQ(filter.ids(IdKind::Accounts).ids(), (std::vector<qint32>{1, 2}));
    EXPECT_EQ(filter.ids(IdKind::Categories).ids(), (std::vector<qint32>{5}));
    EXPECT_EQ(filter.ids(IdKind::Projects).ids(), (std::vector<qint32>{1}));
    EXPECT_NE(filter.changeCount(), before);
    EXPECT_EQ(filter.recordedCounts().categories, 2);
}

TEST_F(ReportFilterBook, RefreshThatDropsNothingIsNoChange)
{
    filter.addId(IdKind::Accounts, 2);
    const quint32 before = filter.changeCount();
    filter.refresh(rb.tables());
    EXPECT_EQ(filter.changeCount(), before);
    EXPECT_EQ(filter.ids(IdKind::Accounts).size(), 1);
}

TEST_F(ReportFilterBook, CountsChangeWithEveryTableTheFilterWatches)
{
    EXPECT_FALSE(filter.countsChanged(rb.tables()));
    rb.addTransaction(today());
    EXPECT_TRUE(filter.countsChanged(rb.tables()));
    filter.refresh(rb.tables());
    EXPECT_FALSE(filter.countsChanged(rb.tables()));
    rb.addProject(3, 1, QStringLiteral("Garden"));
    EXPECT_TRUE(filter.countsChanged(rb.tables()));
    filter.refresh(rb.tables());
    rb.addCategory(3, 1, QStringLiteral("Food"));
    EXPECT_TRUE(filter.countsChanged(rb.tables()));
    filter.refresh(rb.tables());
    rb.addAccount(3, QStringLiteral("Savings"));
    EXPECT_TRUE(filter.countsChanged(rb.tables()));
    filter.refresh(rb.tables());
    rb.addCurrency(2, QStringLiteral("GBP"));  // not watched
    EXPECT_FALSE(filter.countsChanged(rb.tables()));
}

}  // namespace
