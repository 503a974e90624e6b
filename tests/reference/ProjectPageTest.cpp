#include "reference/ProjectPage.h"

#include "ProjectTotalsTestBook.h"
#include "reference/ProjectPageLines.h"

#include <gtest/gtest.h>

namespace {

using Kind = ProjectPageRow::Kind;
using Tone = RowStyle::Tone;
using ActionKind = ProjectPageAction::Kind;

// Home(2) holds two transactions of its own, one of the holder account, and
// two future-list entries; Garden(3) and Kitchen(5) hold transactions; an entry
// of Pond(4) is due, which makes Garden bold. "Today" is 2003-12-10.
class ProjectPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        b.makeStandardBook();
        b.addTransaction(3, 10000);
        b.addTransaction(3, -3000, "EUR");
        b.addTransaction(5, 250);
        salary = b.addTransaction(2, 123456, "USD", 1, 7, 2, QStringLiteral("Salary"));
        b.addTransaction(2, -50, "EUR", 4, -3, 1, QStringLiteral("To savings"));
        b.addTransaction(2, 999, "USD", ReservedAccount::Holder);
        b.addScheduled(2, when(2003, 12, 20), 500, "EUR", QStringLiteral("Refund"));
        b.addScheduled(2, when(2003, 12, 9), -1000, "USD", QStringLiteral("Rent"));
        b.addScheduled(4, when(2003, 12, 8), -300);
        b.addScheduled(5, when(2004, 2, 1), -9999);
        context.defaultCode = QStringLiteral("USD");
        context.today = when(2003, 12, 10, 8);
        context.horizon = when(2003, 12, 31, 23, 59);
        context.futureListChanges = 1;
    }

    ProjectTotalsTestBook b;
    ProjectPage page{b.tables(), b.projects, b.totals, b.currencies};
    ProjectPage::Context context;
    QString salary;
};

struct RowText {
    Kind kind;
    qint32 projectId;
    QString date;
    QString description;
    QString amount;
    bool bold;
    Tone tone;
    friend bool operator==(const RowText&, const RowText&) = default;
};

std::vector<RowText> texts(const std::vector<ProjectPageRow>& rows)
{
    std::vector<RowText> out;
    for (const ProjectPageRow& r : rows)
        out.push_back({r.kind, r.projectId, r.dateText, r.description, r.amountText, r.style.bold, r.style.tone});
    return out;
}

void PrintTo(const RowText& r, std::ostream* os)
{
    *os << static_cast<int>(r.kind) << " " << r.projectId << " " << r.date.toStdString() << " | "
        << r.description.toStdString() << " | " << r.amount.toStdString() << (r.bold ? " bold" : "");
}

TEST_F(ProjectPageTest, RowsRunUpSubProjectsTransactionsThenFutureEntries)
{
    ASSERT_TRUE(page.refresh(2, context, &b.ui));
    const std::vector<RowText> expected = {
        {Kind::Up, 1, {}, {}, {}, false, Tone::Normal},
        {Kind::SubProject, 3, {}, QStringLiteral("Garden"), QStringLiteral("$67.00"), true, Tone::Normal},
        {Kind::SubProject, 5, {}, QStringLiteral("Kitchen"), QStringLiteral("$2.50"), false, Tone::Normal},
        {Kind::Transaction, 0, QStringLiteral("Fri, 12/5/2003"), QStringLiteral("Salary"), QStringLiteral("$1 234.56"),
         false, Tone::Normal},
        {Kind::Transaction, 0, QStringLiteral("Fri, 12/5/2003"), QStringLiteral("To savings"),
         QStringLiteral("eu-0.50"), false, Tone::Normal},
        {Kind::Planned, 0, QStringLiteral("Tue, 12/9/2003"), QStringLiteral("Rent"), QStringLiteral("$-10.00"), true,
         Tone::Due},
        {Kind::Planned, 0, QStringLiteral("Sat, 12/20/2003"), QStringLiteral("Refund"), QStringLiteral("eu5.00"),
         false, Tone::PlannedLater},
    };
    EXPECT_EQ(texts(page.rows()), expected);
    EXPECT_EQ(page.rows()[3].mark, ReconcileMark::Reconciled);
    EXPECT_FALSE(page.rows()[3].transfer);
    EXPECT_EQ(page.rows()[4].mark, ReconcileMark::Cleared);
    EXPECT_TRUE(page.rows()[4].transfer);
    EXPECT_EQ(page.transactionRows(), 2);
    EXPECT_EQ(page.selected(), 2);
}

TEST_F(ProjectPageTest, SummaryShowsTheNetTotalAndThePrognosisOfTheSubtree)
{
    ASSERT_TRUE(page.refresh(2, context));
    // Own 1 234.56 - 0.55, subtree 100.00 + 2.50 - 33.00.
    EXPECT_EQ(page.totalLine(), QStringLiteral("Total: $1 303.51"));
    // Home -10.00 + 5.50, Pond -3.00; Kitchen's entry lies beyond the horizon.
    EXPECT_EQ(page.prognosisLine(), QStringLiteral("Prognosis: $-7.50"));

    context.locale.negativeCurrencyFormat = 5;
    context.locale.thousandsSeparator = QLatin1Char(',');
    ASSERT_TRUE(page.refresh(2, context));
    EXPECT_EQ(page.totalLine(), QStringLiteral("Total: 1,303.51$"));
}

TEST_F(ProjectPageTest, ThePrognosisWaitsForTheFutureListCounterOrAnotherSelection)
{
    ASSERT_TRUE(page.refresh(4, context));
    EXPECT_EQ(page.prognosisLine(), QStringLiteral("Prognosis: $-3.00"));
    b.addScheduled(4, when(2003, 12, 12), -100);
    ASSERT_TRUE(page.refresh(4, context));
    EXPECT_EQ(page.prognosisLine(), QStringLiteral("Prognosis: $-3.00"));
    ASSERT_TRUE(page.refresh(3, context));
    EXPECT_EQ(page.prognosisLine(), QStringLiteral("Prognosis: $-4.00"));
    b.addScheduled(3, when(2003, 12, 12), -100);
    context.futureListChanges = 2;
    ASSERT_TRUE(page.refresh(3, context));
    EXPECT_EQ(page.prognosisLine(), QStringLiteral("Prognosis: $-5.00"));
}

TEST_F(ProjectPageTest, TheRootHasNoUpRowAndIsShownWhenNothingIsSelected)
{
    for (const qint32 wanted : {0, 1, 77}) {
        SCOPED_TRACE(wanted);
        ASSERT_TRUE(page.refresh(wanted, context));
        EXPECT_EQ(page.selected(), 1);
        ASSERT_EQ(page.rows().size(), 2u);
        EXPECT_EQ(page.rows()[0].description, QStringLiteral("Home"));
        EXPECT_TRUE(page.rows()[0].style.bold);
        EXPECT_EQ(page.rows()[1].description, QStringLiteral("Work"));
        EXPECT_EQ(page.rows()[1].amountText, QStringLiteral("$0.00"));
    }
}

TEST_F(ProjectPageTest, RefreshingRecomputesStaleProjects)
{
    ASSERT_TRUE(page.refresh(2, context));
    b.setAmount(salary, 100);
    ASSERT_TRUE(b.totals.markStale(2));
    ASSERT_TRUE(page.refresh(2, context, &b.ui));
    EXPECT_EQ(page.totalLine(), QStringLiteral("Total: $69.95"));
    EXPECT_TRUE(b.ui.statuses.contains(QStringLiteral("Update Projects...")));
}

TEST_F(ProjectPageTest, ActivatingARowSaysWhereToGo)
{
    ASSERT_TRUE(page.refresh(2, context));
    struct Case {
        int row;
        ActionKind kind;
        qint32 projectId;
    };
    const Case cases[] = {{-1, ActionKind::None, 0},           {0, ActionKind::SelectProject, 1},
                          {1, ActionKind::SelectProject, 3},   {3, ActionKind::TransactionPopup, 2},
                          {5, ActionKind::PlannedPopup, 2},    {7, ActionKind::None, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        const ProjectPageAction action = page.activate(c.row);
        EXPECT_EQ(action.kind, c.kind);
        EXPECT_EQ(action.projectId, c.projectId);
    }
    const ProjectPageAction open = page.activate(3);
    EXPECT_EQ(open.accountKey, salary);
    EXPECT_EQ(open.record, page.rows()[3].record);
    EXPECT_NE(open.record, 0);
    EXPECT_NE(page.activate(5).record, 0);
}

TEST_F(ProjectPageTest, AnOrphanHasAnUpRowThatLeadsNowhere)
{
    b.setParent(6, 42);
    ASSERT_TRUE(page.refresh(6, context));
    ASSERT_FALSE(page.rows().empty());
    EXPECT_EQ(page.rows()[0].kind, Kind::Up);
    EXPECT_EQ(page.activate(0).kind, ActionKind::None);
}

TEST_F(ProjectPageTest, ASubProjectsContextMenuListsItsOwnSumsByCurrency)
{
    ASSERT_TRUE(page.refresh(2, context));
    const QStringList expected = {
        QStringLiteral("Project: Garden"),
        QStringLiteral("-"),
        QStringLiteral("Deposit:  100.00 USD"),
        QStringLiteral("-"),
        QStringLiteral("Payment:  -30.00 EUR"),
        QStringLiteral("-"),
        QStringLiteral("Total: 67.00 USD - Total amount of all currencies (converted)"),
        QStringLiteral("Delete\tDel"),
    };
    EXPECT_EQ(page.contextMenu(1)->printed(), expected);
    for (const int row : {-1, 0, 3, 5, 99})
        EXPECT_FALSE(page.contextMenu(row).has_value()) << row;
}

TEST_F(ProjectPageTest, TheTotalPopupAddsTheTransactionCountInsteadOfDelete)
{
    ASSERT_TRUE(page.refresh(2, context));
    const QStringList expected = {
        QStringLiteral("Project: Home"),
        QStringLiteral("-"),
        QStringLiteral("Deposit:  1 234.56 USD"),
        QStringLiteral("-"),
        QStringLiteral("Payment:  -0.50 EUR"),
        QStringLiteral("-"),
        QStringLiteral("Total: 1 303.51 USD - Total amount of all currencies (converted)"),
        QStringLiteral("Count Transactions: 2"),
    };
    EXPECT_EQ(page.totalPopup()->printed(), expected);

    ASSERT_TRUE(page.refresh(6, context));
    EXPECT_EQ(page.totalPopup()->printed(),
              (QStringList{QStringLiteral("Project: Work"), QStringLiteral("-"),
                           QStringLiteral("Total: 0.00 USD - Total amount of all currencies (converted)"),
                           QStringLiteral("Count Transactions: 0")}));
}

TEST_F(ProjectPageTest, TheTotalPopupNeedsTheShownRecord)
{
    ASSERT_TRUE(page.refresh(6, context));
    ASSERT_TRUE(b.table().seekInt(SeekKind::Equal, 6));
    ASSERT_TRUE(b.table().deleteAt(b.table().position()));
    EXPECT_FALSE(page.totalPopup().has_value());
}

TEST_F(ProjectPageTest, DeletingASubProjectRowAsksAndLowersTheShownTotal)
{
    ASSERT_TRUE(page.refresh(2, context));
    EXPECT_EQ(page.deleteRow(3, b.ui), TreeTable::DeleteOutcome::Refused);  // a transaction
    EXPECT_EQ(page.selected(), 2);
    EXPECT_EQ(page.deleteRow(1, b.ui), TreeTable::DeleteOutcome::Refused);  // Garden has Pond under it
    EXPECT_EQ(page.selected(), 3);
    EXPECT_TRUE(b.ui.questions.isEmpty());

    ASSERT_TRUE(page.refresh(2, context));
    EXPECT_EQ(page.deleteRow(2, b.ui), TreeTable::DeleteOutcome::Declined);
    EXPECT_EQ(page.selected(), 5);
    ASSERT_TRUE(page.refresh(2, context));
    b.ui.answer(true);
    EXPECT_EQ(page.deleteRow(2, b.ui), TreeTable::DeleteOutcome::Deleted);
    EXPECT_EQ(b.ui.questions, (QStringList{QStringLiteral("Delete Project 'Kitchen'?"),
                                           QStringLiteral("Delete Project 'Kitchen'?")}));
    EXPECT_EQ(page.selected(), 2);
    EXPECT_EQ(page.totalLine(), QStringLiteral("Total: $1 301.01"));
    EXPECT_EQ(page.rows()[2].kind, Kind::Transaction);
}

struct LinesCase {
    const char* what;
    qint64 deposits;
    qint64 payments;
    int count;
    QStringList expected;
};

TEST(ProjectPageLinesTest, PopupLinesFollowTheSumsTheRecordHolds)
{
    ProjectTotalsTestBook b;
    b.addCurrency(1, "USD", "$");
    b.addCurrency(2, "EUR", "eu");
    ASSERT_TRUE(b.currencies.reload());
    const LocaleValues locale;
    const QString total = QStringLiteral(" USD - Total amount of all currencies (converted)");
    const LinesCase cases[] = {
        {"no sums", 0, 0, 0, {"Project: P", "-", "Total: 0.00" + total, "Count Transactions: 0"}},
        {"a deposit only", 123456789, 0, 3,
         {"Project: P", "-", "Deposit:  1 234 567.89 EUR", "-", "Total: 0.00" + total, "Count Transactions: 3"}},
        {"a payment only", 0, 5, -2,
         {"Project: P", "-", "Payment:  -0.05 EUR", "-", "Total: 0.00" + total, "Count Transactions: 0"}},
        {"both", 1, 2, 1,
         {"Project: P", "-", "Deposit:  0.01 EUR", "Payment:  -0.02 EUR", "-", "Total: 0.00" + total,
          "Count Transactions: 1"}},
    };
    for (const LinesCase& c : cases) {
        SCOPED_TRACE(c.what);
        ProjectTotalsRecord r;
        r.name = QStringLiteral("P");
        if (c.deposits)
            r.depositsByCurrency[2] = Money::fromHundredths(c.deposits);
        if (c.payments)
            r.paymentsByCurrency[2] = Money::fromHundredths(c.payments);
        // Sums of a currency number the cache does not hold are not listed.
        r.depositsByCurrency[9] = Money::fromHundredths(77);
        EXPECT_EQ(ProjectPageLines::totalPopup(r, c.count, b.currencies, QStringLiteral("USD"), locale).printed(),
                  c.expected);
    }
}

TEST(ProjectPageLinesTest, TheTotalLineOfTheMenuIsTheNetOfOwnAndSubtreeSums)
{
    ProjectTotalsTestBook b;
    ProjectTotalsRecord r;
    r.name = QStringLiteral("P");
    r.ownDeposits = Money::fromHundredths(1000);
    r.ownPayments = Money::fromHundredths(300);
    r.treeDeposits = Money::fromHundredths(50);
    r.treePayments = Money::fromHundredths(2000);
    const QStringList lines = ProjectPageLines::contextMenu(r, b.currencies, QStringLiteral("AFA"), LocaleValues()).printed();
    EXPECT_EQ(lines, (QStringList{"Project: P", "-", "Total: -12.50 AFA - Total amount of all currencies (converted)",
                                  "Delete\tDel"}));
}

}  // namespace
