#include "reports/ReportFilterChoices.h"

#include "ReportEngineBook.h"
#include "reports/FilterFile.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

using IdKind = ReportFilter::IdKind;

const LocalTime Today{2024, 3, 15, 10, 0, 0, 0};

class ReportFilterChoicesTest : public ReportEngineBook {
protected:
    ReportFilterChoices::Result apply(const ReportRequest& request)
    {
        return ReportFilterChoices::apply(request, context, Today, [this](const QString& text) {
            lookedUp << text;
            return text == QLatin1String("Cash") ? std::optional<qint32>(Cash)
                   : text == QLatin1String("2")  ? std::optional<qint32>(Euro)
                                                 : std::nullopt;
        });
    }
    std::vector<qint32> ids(IdKind kind) const
    {
        std::vector<qint32> out = filter.ids(kind).ids();
        std::sort(out.begin(), out.end());
        return out;
    }

    QStringList lookedUp;
};

TEST_F(ReportFilterChoicesTest, AnEmptyRequestChangesNothing)
{
    const quint32 counter = filter.changeCount();
    EXPECT_TRUE(apply(ReportRequest()).ok);
    EXPECT_EQ(filter.changeCount(), counter);
    EXPECT_FALSE(filter.hasConditions());
}

TEST_F(ReportFilterChoicesTest, AccountsAreLookedUpAndUnknownOnesRefused)
{
    ReportRequest r;
    r.accounts = QStringList{QStringLiteral("Cash"), QStringLiteral("2")};
    ASSERT_TRUE(apply(r).ok);
    EXPECT_EQ(ids(IdKind::Accounts), (std::vector<qint32>{Cash, Euro}));

    r.accounts = QStringList{QStringLiteral("Nobody")};
    const ReportFilterChoices::Result refused = apply(r);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.message, QStringLiteral("no account Nobody"));
}

TEST_F(ReportFilterChoicesTest, APathBringsItsWholeSubtree)
{
    struct Case {
        bool projects;
        const char* path;
        std::vector<qint32> expected;
        const char* message;  // nullptr: applied
    };
    const Case cases[] = {
        {false, "Food", {Food, Bread}, nullptr},
        {false, "food:bread", {Bread}, nullptr},
        {false, "Salary", {Salary}, nullptr},
        {false, "All categories", {1, Food, Bread, Salary}, nullptr},
        {false, "Drinks", {}, "no category Drinks"},
        {true, "Home", {Home, Garden}, nullptr},
        {true, "Home:Garden", {Garden}, nullptr},
        {true, "Garden", {}, "no project Garden"},
    };
    for (const Case& c : cases) {
        filter.clearLists();
        ReportRequest r;
        (c.projects ? r.projects : r.categories) << QString::fromUtf8(c.path);
        const ReportFilterChoices::Result result = apply(r);
        EXPECT_EQ(result.ok, c.message == nullptr) << c.path;
        EXPECT_EQ(result.message, c.message ? QString::fromUtf8(c.message) : QString()) << c.path;
        EXPECT_EQ(ids(c.projects ? IdKind::Projects : IdKind::Categories), c.expected) << c.path;
    }
}

TEST_F(ReportFilterChoicesTest, SubtreeEndsOnDamagedLinks)
{
    // 10 -> 11 -> 10: a cycle that no walk may follow for ever.
    rb.addCategory(10, 11, QStringLiteral("Loop A"));
    rb.addCategory(11, 10, QStringLiteral("Loop B"));
    rb.addCategory(12, 12, QStringLiteral("Self"));
    DbTable& t = rb.tables().categories();
    EXPECT_EQ(ReportFilterChoices::subtree(t, Prop::CategoryId, 10), (std::vector<qint32>{10, 11}));
    EXPECT_EQ(ReportFilterChoices::subtree(t, Prop::CategoryId, 12), (std::vector<qint32>{12}));
    EXPECT_EQ(ReportFilterChoices::subtree(t, Prop::CategoryId, 99), std::vector<qint32>{});
    EXPECT_EQ(ReportFilterChoices::subtree(t, Prop::CategoryId, Food), (std::vector<qint32>{Food, Bread}));
}

TEST_F(ReportFilterChoicesTest, TheCurrencyMustBeInTheBook)
{
    ReportRequest r;
    r.currency = QStringLiteral("EUR");
    ASSERT_TRUE(apply(r).ok);
    EXPECT_EQ(filter.currency(), QStringLiteral("EUR"));
    r.currency = QStringLiteral("GBP");
    const ReportFilterChoices::Result refused = apply(r);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.message, QStringLiteral("no currency GBP in the book"));
    EXPECT_EQ(filter.currency(), QStringLiteral("EUR"));
}

TEST_F(ReportFilterChoicesTest, PeriodsAndDaysSetTheDates)
{
    struct Case {
        std::optional<ReportPeriod::Named> period;
        std::optional<LocalTime> from;
        std::optional<LocalTime> to;
        FileTime low;
        FileTime high;
    };
    const Case cases[] = {
        {ReportPeriod::Named::LastMonth, {}, {}, at(2024, 2, 1, 0), at(2024, 2, 29, 23, 59, 59, 999)},
        {ReportPeriod::Named::CurrentYear, {}, {}, at(2024, 1, 1, 0), at(2024, 3, 15, 23, 59, 59, 999)},
        {{},
         LocalTime{2023, 5, 6, 0, 0, 0, 0},
         LocalTime{2023, 5, 7, 0, 0, 0, 0},
         at(2023, 5, 6, 0),
         at(2023, 5, 7, 23, 59, 59, 999)},
        // Only one end given: the other stays where the filter had it (Day).
        {{}, LocalTime{2003, 1, 1, 0, 0, 0, 0}, {}, at(2003, 1, 1, 0), at(2003, 12, 5, 23, 59, 59, 999)},
    };
    for (const Case& c : cases) {
        filter.setDateLow(Day);
        filter.setDateHigh(Day);
        ReportRequest r;
        r.period = c.period;
        r.from = c.from;
        r.to = c.to;
        ASSERT_TRUE(apply(r).ok);
        EXPECT_EQ(filter.dateLow(), c.low);
        EXPECT_EQ(filter.dateHigh(), c.high);
    }
}

TEST_F(ReportFilterChoicesTest, ConditionsAreSetAsTheAdvancedFilterSetsThem)
{
    ReportRequest r;
    r.description = QStringLiteral("bread");
    r.note = QStringLiteral("x");
    r.contact = QStringLiteral("Bob");
    r.number = QStringLiteral("12a");
    r.amountMin = Money::fromHundredths(500);
    r.cleared = true;
    ASSERT_TRUE(apply(r).ok);
    using Field = ReportFilter::TextField;
    EXPECT_EQ(filter.text(Field::Description), QStringLiteral("BREAD"));
    EXPECT_EQ(filter.text(Field::Note), QStringLiteral("X"));
    EXPECT_EQ(filter.text(Field::Contact), QStringLiteral("BOB"));
    EXPECT_EQ(filter.text(Field::Number), QStringLiteral("12A"));
    // Only the lower bound given: the upper one stays open.
    EXPECT_EQ(filter.amountLow().hundredths(), 500);
    EXPECT_EQ(filter.amountHigh().hundredths(), ReportFilter::DefaultAmountHigh);
    EXPECT_TRUE(filter.markFlag(ReconcileMark::Cleared));
    EXPECT_FALSE(filter.markFlag(ReconcileMark::Unreconciled));
    EXPECT_FALSE(filter.markFlag(ReconcileMark::Reconciled));

    // Bounds the wrong way round are swapped, as the filter always does.
    r = ReportRequest();
    r.amountMin = Money::fromHundredths(10000);
    r.amountMax = Money::fromHundredths(5000);
    ASSERT_TRUE(apply(r).ok);
    EXPECT_EQ(filter.amountLow().hundredths(), 5000);
    EXPECT_EQ(filter.amountHigh().hundredths(), 10000);
}

TEST_F(ReportFilterChoicesTest, AFilterFileComesFirstAndOptionsAddToIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.tyf"));
    ReportFilter saved;
    saved.initialise(rb.tables(), QStringLiteral("USD"), Day);
    ASSERT_TRUE(saved.addId(IdKind::Accounts, Euro));
    ASSERT_TRUE(saved.addId(IdKind::Accounts, 77));  // no longer in the book
    saved.setText(ReportFilter::TextField::Description, QStringLiteral("old"));
    ASSERT_TRUE(FilterFile::save(path, saved));

    filter.setText(ReportFilter::TextField::Note, QStringLiteral("cleared by the file"));
    ReportRequest r;
    r.filterFile = path;
    r.accounts = QStringList{QStringLiteral("Cash")};
    ASSERT_TRUE(apply(r).ok);
    EXPECT_EQ(ids(IdKind::Accounts), (std::vector<qint32>{Cash, Euro}));
    EXPECT_EQ(filter.text(ReportFilter::TextField::Description), QStringLiteral("OLD"));
    EXPECT_FALSE(filter.textActive(ReportFilter::TextField::Note));
}

TEST_F(ReportFilterChoicesTest, AFilterFileThatCannotBeReadStopsTheRequest)
{
    QTemporaryDir dir;
    const QString damaged = dir.filePath(QStringLiteral("bad.tyf"));
    QFile f(damaged);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a filter");
    f.close();

    ReportRequest r;
    r.filterFile = damaged;
    r.accounts = QStringList{QStringLiteral("Cash")};
    ReportFilterChoices::Result result = apply(r);
    EXPECT_FALSE(result.ok);
    // Already said through the interaction, in the program's words.
    EXPECT_TRUE(result.message.isEmpty());
    EXPECT_EQ(ui.messages, QStringList{FilterFile::ReadErrorText});
    EXPECT_TRUE(lookedUp.isEmpty());

    r.filterFile = dir.filePath(QStringLiteral("missing.tyf"));
    result = apply(r);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, QStringLiteral("cannot read the filter file ") + r.filterFile);
}

}  // namespace
