#include "shell/ReportJson.h"

#include "reports/GroupReportTable.h"
#include "reports/ReportEngineBook.h"
#include "reports/TransactionListTable.h"
#include "shell/ReportTableText.h"

#include <QJsonArray>

namespace {

class ReportJsonTest : public ReportEngineBook {
protected:
    // Two EUR deposits in Food, a USD payment for bread and a transfer out of Cash.
    void addMonth()
    {
        first = add(Euro, 1000, Food, Home, QStringLiteral("Market"), 1);
        add(Euro, 1000, Food, 0, QStringLiteral("Market"), 2);
        add(Cash, -500, Bread, Garden, QStringLiteral("Baker"), 3);
        add(Cash, -300, -Euro, 0, QStringLiteral("To bank"), 4);
    }

    RecordId first = 0;
};

QJsonObject groupRow(qint32 key, const char* label, qint64 deposits, qint64 payments, const char* currency,
                     bool counted)
{
    return QJsonObject{{"key", key},
                       {"label", QString::fromUtf8(label)},
                       {"deposits", deposits},
                       {"payments", payments},
                       {"total", deposits - payments},
                       {"currency", QString::fromUtf8(currency)},
                       {"counted", counted}};
}

TEST_F(ReportJsonTest, CategoriesGiveRowsTotalsAndCurrencyParts)
{
    addMonth();
    GroupReportTable view(ReportKind::Categories, context);
    ASSERT_TRUE(view.build());
    const QJsonObject json = ReportJson::of(view);
    // 10.00 EUR at 1.5 twice; the transfer keeps its own currency and is not counted.
    const QJsonArray rows{groupRow(Food, "Food", 3000, 0, "USD", true),
                          groupRow(Bread, "Food:Bread", 0, 500, "USD", true),
                          groupRow(-Cash, "[Cash]", 0, 300, "USD", false)};
    EXPECT_EQ(json.value("rows").toArray(), rows);
    EXPECT_EQ(json.value("totals").toObject(),
              (QJsonObject{{"net", 2500}, {"deposits", 3000}, {"payments", 500}, {"count", 0}}));
    EXPECT_EQ(json.value("per_currency").toArray(),
              (QJsonArray{QJsonObject{{"code", "USD"}, {"deposits", 0}, {"payments", 500}},
                          QJsonObject{{"code", "EUR"}, {"deposits", 2000}, {"payments", 0}}}));
    EXPECT_EQ(json.value("currency").toString(), QStringLiteral("USD"));
}

TEST_F(ReportJsonTest, AnEmptyReportHasEmptyListsAndZeroTotals)
{
    GroupReportTable view(ReportKind::Projects, context);
    ASSERT_TRUE(view.build());
    const QJsonObject json = ReportJson::of(view);
    EXPECT_TRUE(json.value("rows").toArray().isEmpty());
    EXPECT_TRUE(json.value("per_currency").toArray().isEmpty());
    EXPECT_EQ(json.value("totals").toObject(),
              (QJsonObject{{"net", 0}, {"deposits", 0}, {"payments", 0}, {"count", 0}}));
    EXPECT_EQ(ReportTableText::of(view),
              QStringLiteral("Project Description\tDeposit\tPayment\tTotal\nReport Empty\nSum:\t0.00 USD\n"));
}

TEST_F(ReportJsonTest, TransactionsGiveTheirOwnAndTheConvertedAmount)
{
    addMonth();
    filter.setCurrency(QStringLiteral("EUR"));
    TransactionListTable view(context);
    ASSERT_TRUE(view.build());
    const QJsonObject json = ReportJson::of(view);
    const QJsonArray rows = json.value("rows").toArray();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].toObject(), (QJsonObject{{"id", first},
                                               {"account", "Euro Bank"},
                                               {"account_id", Euro},
                                               {"date", "2003-12-05T12:01:00.000"},
                                               {"description", "Market"},
                                               {"amount", 1000},
                                               {"currency", "EUR"},
                                               {"converted", 1000}}));
    // 5.00 USD at 1/1.5 is 3.333..., rounded to 3.33 EUR.
    EXPECT_EQ(rows[2].toObject().value("converted").toInteger(), -333);
    EXPECT_EQ(rows[3].toObject().value("description").toString(), QStringLiteral("To bank"));
    EXPECT_EQ(rows[3].toObject().value("converted").toInteger(), -200);
    EXPECT_EQ(json.value("totals").toObject(),
              (QJsonObject{{"net", 1467}, {"deposits", 2000}, {"payments", 533}, {"count", 4}}));
    EXPECT_EQ(json.value("currency").toString(), QStringLiteral("EUR"));
}

TEST_F(ReportJsonTest, ATransactionDeletedSinceTheBuildIsLeftOut)
{
    addMonth();
    TransactionListTable view(context);
    ASSERT_TRUE(view.build());
    DbTable& t = rb.tables().transactions();
    ASSERT_TRUE(t.moveToRecord(first));
    ASSERT_TRUE(t.deleteAt(t.position()));
    const QJsonArray rows = ReportJson::of(view).value("rows").toArray();
    EXPECT_EQ(rows.size(), 3);
    for (const QJsonValue& row : rows)
        EXPECT_NE(row.toObject().value("id").toInteger(), first);
    // Nobody is asked "Recalc?" by the printed forms.
    EXPECT_FALSE(ReportTableText::of(view).contains(QStringLiteral("12/5/2003 12:01")));
    EXPECT_TRUE(ReportTableText::of(view).contains(QStringLiteral("12/5/2003 12:02\tMarket")));
    EXPECT_TRUE(ui.questions.isEmpty());
}

TEST_F(ReportJsonTest, TheTableShowsTheListsCellsAndTheSum)
{
    addMonth();
    GroupReportTable groups(ReportKind::Categories, context);
    ASSERT_TRUE(groups.build());
    EXPECT_EQ(ReportTableText::of(groups), QStringLiteral("Category Description\tDeposit\tPayment\tTotal\n"
                                                          "Food\t30.00\t0.00\t30.00\n"
                                                          "Food:Bread\t0.00\t5.00\t-5.00\n"
                                                          "[Cash]\t0.00\t3.00\t-3.00\n"
                                                          "Sum:\t25.00 USD\n"));
    TransactionListTable list(context);
    ASSERT_TRUE(list.build());
    EXPECT_EQ(ReportTableText::of(list), QStringLiteral("Data\tDescription\tSum\tAccount\n"
                                                        "12/5/2003 12:01\tMarket\t10.00\t[Euro Bank]\n"
                                                        "12/5/2003 12:02\tMarket\t10.00\t[Euro Bank]\n"
                                                        "12/5/2003 12:03\tBaker\t-5.00\t[Cash]\n"
                                                        "12/5/2003 12:04\tTo bank\t-3.00\t[Cash]\n"
                                                        "Sum:\t22.00 USD\n"
                                                        "Count Transactions:\t4\n"));
}

}  // namespace
