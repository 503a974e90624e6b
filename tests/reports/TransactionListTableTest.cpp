#include "reports/TransactionListTable.h"

#include "ReportEngineBook.h"

#include "store/KeyText.h"

namespace {

Money m(qint64 hundredths)
{
    return Money::fromHundredths(hundredths);
}

class TransactionListTableTest : public ReportEngineBook {
protected:
    TransactionListTable list{context};

    QStringList column(int c)
    {
        QStringList out;
        for (qint64 i = 0; i < list.rowCount(); ++i)
            out << list.cellText(i, c);
        return out;
    }
    static QStringList texts(const PopupLines& popup) { return popup.printed(); }
    // Both sides of a transfer, linked as the main program writes them.
    void addTransfer(qint64 cashAmount, qint64 euroAmount)
    {
        DbTable& t = rb.tables().transactions();
        TransactionSpec a;
        a.account = Cash;
        a.date = at(2003, 12, 5, 9);
        a.amount = cashAmount;
        a.category = -Euro;
        a.description = QStringLiteral("Move");
        const RecordId first = rb.addTransaction(a);
        TransactionSpec b = a;
        b.account = Euro;
        b.amount = euroAmount;
        b.category = -Cash;
        b.currency = QStringLiteral("EUR");
        const RecordId second = rb.addTransaction(b);
        ASSERT_TRUE(t.moveToRecord(first));
        ASSERT_TRUE(t.setText(Prop::TransferLink, fullKey(Euro, b.date)));
        ASSERT_TRUE(t.moveToRecord(second));
        ASSERT_TRUE(t.setText(Prop::TransferLink, fullKey(Cash, a.date)));
    }
};

TEST_F(TransactionListTableTest, EveryKeptTransactionIsARowAndCounted)
{
    add(Cash, 1000, Food, 0, QStringLiteral("Shop"), 1);
    add(Euro, -1000, 0, 0, QStringLiteral("Fee"), 2);
    add(Cash, -300, -Euro, 0, QStringLiteral("Move"), 3);
    ASSERT_TRUE(list.build());
    EXPECT_EQ(list.rowCount(), 3);
    EXPECT_EQ(list.totals().count, 3);
    // 10.00 - 15.00 (converted) - 3.00: transfers count in the list.
    EXPECT_EQ(list.totals().net, m(-800));
    EXPECT_EQ(list.sumText(), QStringLiteral("-8.00"));
    EXPECT_EQ(list.totals().perCurrency[static_cast<size_t>(cache.indexOf(u"EUR"))].payments, m(-1000));
    EXPECT_EQ(column(2),
              (QStringList{QStringLiteral("Shop"), QStringLiteral("Fee"), QStringLiteral("Move")}));
    EXPECT_EQ(list.cellText(1, 3), QStringLiteral("-10.00"));
    EXPECT_EQ(list.cellText(0, 1), QStringLiteral("12/5/2003 12:01"));
}

TEST_F(TransactionListTableTest, AnEmptyReportHasNoRows)
{
    ASSERT_TRUE(list.build());
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(list.sumText(), QStringLiteral("0.00"));
    EXPECT_EQ(list.cellText(0, 1), QString());
    EXPECT_TRUE(ui.questions.isEmpty());
}

struct ListSortCase {
    int column;
    bool descending;
    QStringList descriptions;
};

TEST_F(TransactionListTableTest, EachColumnSortsBothWays)
{
    add(Cash, 500, Food, 0, QStringLiteral("b"), 3);
    add(Euro, -400, Food, 0, QStringLiteral("c"), 1);  // -6.00 converted
    add(Cash, -500, Food, 0, QStringLiteral("a"), 2);
    const ListSortCase cases[] = {
        {1, false, {"c", "a", "b"}}, {1, true, {"b", "a", "c"}},  {2, false, {"a", "b", "c"}},
        {2, true, {"c", "b", "a"}},  {3, false, {"c", "a", "b"}}, {3, true, {"b", "a", "c"}},
    };
    ASSERT_TRUE(list.build());
    for (const ListSortCase& c : cases) {
        while (list.sort().column != c.column || list.sort().descending != c.descending)
            ASSERT_TRUE(list.tapHeader(c.column));
        EXPECT_EQ(column(2), c.descriptions) << "column " << c.column;
    }
    EXPECT_FALSE(list.tapHeader(4));
    EXPECT_FALSE(list.tapHeader(0));
}

// Every order reached from every other, each with exactly the builds the
// header taps make; a column outside the list keeps the order and still builds.
TEST_F(TransactionListTableTest, BuildSortedByReachesAnyOrderFromAnyOther)
{
    add(Cash, 500, Food, 0, QStringLiteral("b"), 3);
    add(Euro, -400, Food, 0, QStringLiteral("c"), 1);
    add(Cash, -500, Food, 0, QStringLiteral("a"), 2);
    const ListSortCase orders[] = {
        {1, false, {"c", "a", "b"}}, {1, true, {"b", "a", "c"}},  {2, false, {"a", "b", "c"}},
        {2, true, {"c", "b", "a"}},  {3, false, {"c", "a", "b"}}, {3, true, {"b", "a", "c"}},
    };
    for (const ListSortCase& from : orders) {
        for (const ListSortCase& to : orders) {
            list.buildSortedBy(ReportSort{from.column, from.descending});
            ASSERT_EQ(column(2), from.descriptions);
            const quint64 before = list.changeCount();
            list.buildSortedBy(ReportSort{to.column, to.descending});
            EXPECT_EQ(list.sort().column, to.column);
            EXPECT_EQ(list.sort().descending, to.descending);
            EXPECT_EQ(column(2), to.descriptions) << from.column << from.descending << " -> " << to.column;
            // A new column is tapped ascending first, then once more for descending.
            EXPECT_EQ(list.changeCount() - before, to.column != from.column && to.descending ? 2u : 1u);
        }
    }
    list.buildSortedBy(ReportSort{2, true});
    const quint64 before = list.changeCount();
    list.buildSortedBy(ReportSort{7, false});
    EXPECT_EQ(list.changeCount(), before + 1);
    EXPECT_EQ(list.sort().column, 2);
    EXPECT_TRUE(list.sort().descending);
}

TEST_F(TransactionListTableTest, ADeletedTransactionAsksRecalcOnceAndYesRebuilds)
{
    add(Cash, 100, Food, 0, QStringLiteral("keep"), 1);
    add(Cash, 200, Food, 0, QStringLiteral("gone"), 2);
    ASSERT_TRUE(list.build());
    DbTable& t = rb.tables().transactions();
    ASSERT_TRUE(t.moveTo(1));
    ASSERT_TRUE(t.deleteAt(1));
    ui.answer(true);
    EXPECT_FALSE(list.offerRecalc());
    EXPECT_EQ(list.cellText(1, 2), QString());
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_EQ(list.rowCount(), 2);
    EXPECT_TRUE(list.sawDeletedRow());
    EXPECT_TRUE(list.offerRecalc());
    EXPECT_EQ(ui.questions, QStringList{QStringLiteral("Recalc?")});
    EXPECT_FALSE(list.sawDeletedRow());
    EXPECT_EQ(list.rowCount(), 1);
    EXPECT_EQ(list.cellText(0, 2), QStringLiteral("keep"));
}

TEST_F(TransactionListTableTest, NoToRecalcIsNotAskedAgainInTheSameBuild)
{
    add(Cash, 100, Food, 0, QStringLiteral("a"), 1);
    add(Cash, 200, Food, 0, QStringLiteral("b"), 2);
    ASSERT_TRUE(list.build());
    DbTable& t = rb.tables().transactions();
    ASSERT_TRUE(t.deleteAt(1));
    ASSERT_TRUE(t.deleteAt(0));
    list.cellText(0, 1);
    EXPECT_FALSE(list.offerRecalc());
    list.cellText(1, 1);
    list.cellText(0, 3);
    EXPECT_FALSE(list.offerRecalc());
    EXPECT_EQ(ui.questions.size(), 1);
    EXPECT_EQ(list.rowCount(), 2);
    EXPECT_FALSE(list.entry(0).has_value());
    EXPECT_TRUE(list.popup(0).empty());
    list.build();
    EXPECT_EQ(list.rowCount(), 0);
}

TEST_F(TransactionListTableTest, StopKeepsTheTransactionsCountedSoFar)
{
    for (int i = 0; i < 30; ++i)
        add(Cash, 100, Food, 0, QString(), i);
    ui.stopAfterSteps(2);
    EXPECT_FALSE(list.build());
    EXPECT_TRUE(list.stopped());
    EXPECT_EQ(list.rowCount(), 6);
    EXPECT_EQ(list.totals().count, 6);
    EXPECT_EQ(list.totals().net, m(600));
}

TEST_F(TransactionListTableTest, PopupOfAnOrdinaryTransaction)
{
    TransactionSpec s;
    s.account = Cash;
    s.date = at(2003, 12, 5, 8, 5);
    s.amount = -123456;
    s.category = Bread;
    s.project = Garden;
    s.description = QStringLiteral("Baker");
    s.number = QStringLiteral("17");
    s.contact = QStringLiteral("Ann");
    s.note = QStringLiteral("rye");
    s.mark = 2;
    rb.addTransaction(s);
    ASSERT_TRUE(list.build());
    EXPECT_EQ(texts(list.popup(0)), (QStringList{
                                        QStringLiteral("Account:\t[Cash]"),
                                        QStringLiteral("Data:\t12/5/2003 08:05"),
                                        QStringLiteral("Description:\tBaker"),
                                        QStringLiteral("No:\t17"),
                                        QStringLiteral("Sum:\t-1 234.56 USD"),
                                        QStringLiteral("Mark:\tReconciled (R)"),
                                        QStringLiteral("Category:\tFood:Bread"),
                                        QStringLiteral("Project:\tHome:Garden"),
                                        QStringLiteral("Contact:\tAnn"),
                                        QStringLiteral("Note:\trye"),
                                    }));
}

TEST_F(TransactionListTableTest, PopupOfATransferBetweenCurrenciesGivesTheRate)
{
    addTransfer(-3000, 2000);
    ASSERT_TRUE(list.build());
    ASSERT_EQ(list.rowCount(), 2);
    EXPECT_EQ(texts(list.popup(0)), (QStringList{
                                        QStringLiteral("Account:\t[Cash]"),
                                        QStringLiteral("Data:\t12/5/2003 09:00"),
                                        QStringLiteral("Description:\tMove"),
                                        QStringLiteral("Sum:\t-30.00 USD"),
                                        QStringLiteral("Transfer in:\t[Euro Bank]\t  20.00 EUR"),
                                        QStringLiteral("Exchange rate 1 USD = 0.666667 EUR"),
                                    }));
    EXPECT_TRUE(texts(list.popup(1)).contains(QStringLiteral("Transfer from:\t[Cash]\t  30.00 USD")));
}

TEST_F(TransactionListTableTest, PopupOfATransferOfZeroHasNoRate)
{
    addTransfer(0, 2000);
    ASSERT_TRUE(list.build());
    const QStringList lines = texts(list.popup(0));
    EXPECT_TRUE(lines.contains(QStringLiteral("Transfer from:\t[Euro Bank]\t  20.00 EUR")));
    EXPECT_FALSE(lines.join(u'|').contains(QStringLiteral("Exchange rate")));
    // The other way round the divisor is not 0.
    EXPECT_TRUE(texts(list.popup(1)).contains(QStringLiteral("Exchange rate 1 EUR = 0 USD")));
}

TEST_F(TransactionListTableTest, PopupOfATransferWhoseOtherSideIsGone)
{
    addTransfer(-3000, 2000);
    ASSERT_TRUE(list.build());
    DbTable& t = rb.tables().transactions();
    ASSERT_TRUE(t.seekText(SeekKind::Equal, fullKey(Euro, at(2003, 12, 5, 9))));
    ASSERT_TRUE(t.deleteAt(t.position()));
    const QStringList lines = texts(list.popup(0));
    EXPECT_EQ(lines.last(), QStringLiteral("Transfer in:\t[Euro Bank]"));
}

}  // namespace
