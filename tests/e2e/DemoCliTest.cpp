// tallyra-cli demo on a new book, and what the example then shows: the
// register's future rows and prognosis, the planned transaction popup, and a
// book whose every invariant holds.

#include "CliBook.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

class DemoCliTest : public CliBook {
protected:
    QJsonObject registerOf(const QString& account)
    {
        return json({QStringLiteral("register"), account}).object();
    }
};

TEST_F(DemoCliTest, FillsANewBookWhoseInvariantsHold)
{
    const QJsonObject summary = json({QStringLiteral("demo")}).object();
    EXPECT_EQ(summary[QStringLiteral("accounts")].toInt(), 3);
    EXPECT_GT(summary[QStringLiteral("transactions")].toInt(), 30);
    EXPECT_GE(summary[QStringLiteral("plans")].toInt(), 3);

    const QJsonArray accounts = json({QStringLiteral("accounts")}).array();
    ASSERT_EQ(accounts.size(), 3);
    QStringList currencies;
    for (const QJsonValue& a : accounts)
        currencies << a[QStringLiteral("name")].toString() + u' ' + a[QStringLiteral("currency")].toString();
    EXPECT_EQ(currencies, (QStringList{"Cash USD", "Checking USD", "Savings EUR"}));
    expectCheckPasses();
}

TEST_F(DemoCliTest, ABookWithAnAccountIsRefusedAndLeftAsItWas)
{
    ok({QStringLiteral("demo")});
    const QString before = ok({QStringLiteral("register"), QStringLiteral("Checking")});
    const CliResult again = cli({QStringLiteral("demo")});
    EXPECT_EQ(again.exit, 1);
    EXPECT_TRUE(again.err.contains(QStringLiteral("not empty"))) << again.err.toStdString();
    EXPECT_EQ(ok({QStringLiteral("register"), QStringLiteral("Checking")}), before);
}

TEST_F(DemoCliTest, ABookMadeByInitIsRefused)
{
    ok({QStringLiteral("init"), QStringLiteral("Wallet"), QStringLiteral("EUR"), QStringLiteral("10")});
    EXPECT_EQ(cli({QStringLiteral("demo")}).exit, 1);
    EXPECT_EQ(json({QStringLiteral("accounts")}).array().size(), 1);
    EXPECT_EQ(cli({QStringLiteral("demo"), QStringLiteral("extra")}).exit, 2);
}

TEST_F(DemoCliTest, HistoryEndsTodayAndTheTransferBetweenCurrenciesIsConverted)
{
    ok({QStringLiteral("demo")});
    const QJsonArray checking =
        registerOf(QStringLiteral("Checking"))[QStringLiteral("transactions")].toArray();
    ASSERT_FALSE(checking.isEmpty());
    EXPECT_LE(checking.last()[QStringLiteral("date")].toString(), QStringLiteral("2024-03-05T23:59:59.999"));
    EXPECT_GE(checking.first()[QStringLiteral("date")].toString(), QStringLiteral("2023-12-01"));

    const QJsonArray savings =
        registerOf(QStringLiteral("Savings"))[QStringLiteral("transactions")].toArray();
    int transfers = 0;
    for (const QJsonValue& t : savings) {
        if (t[QStringLiteral("category")].toString() != QStringLiteral("[Checking]"))
            continue;
        ++transfers;
        EXPECT_EQ(t[QStringLiteral("amount")].toInteger(), 46000) << "500.00 USD at 0.92";
        EXPECT_FALSE(t[QStringLiteral("link")].toString().isEmpty());
    }
    EXPECT_GE(transfers, 2);
}

TEST_F(DemoCliTest, EveryRegisterListsTheFutureRowsAfterItsNewRow)
{
    ok({QStringLiteral("demo")});
    const QJsonObject cash = registerOf(QStringLiteral("Cash"));
    const QJsonObject savings = registerOf(QStringLiteral("Savings"));
    const QJsonArray future = cash[QStringLiteral("future")].toArray();
    ASSERT_GE(future.size(), 3);
    // A plan belongs to no account: both registers list the same entries.
    EXPECT_EQ(savings[QStringLiteral("future")].toArray().size(), future.size());

    const qint64 firstRow = cash[QStringLiteral("transactions")].toArray().size() + 1;
    QString previous;
    bool due = false;
    QStringList codes;
    for (qsizetype i = 0; i < future.size(); ++i) {
        const QJsonObject f = future[i].toObject();
        EXPECT_EQ(f[QStringLiteral("row")].toInteger(), firstRow + i);
        EXPECT_GT(f[QStringLiteral("planner_id")].toInt(), 0);
        EXPECT_NE(f[QStringLiteral("amount")].toInteger(), 0);
        const QString date = f[QStringLiteral("date")].toString();
        EXPECT_GE(date, previous) << "in the future list's date order";
        previous = date;
        due = due || date < QStringLiteral("2024-03-06");
        codes << f[QStringLiteral("currency")].toString();
    }
    EXPECT_TRUE(due) << "one plan is already due";
    EXPECT_TRUE(codes.contains(QStringLiteral("EUR")) && codes.contains(QStringLiteral("USD")));
    EXPECT_TRUE(cash[QStringLiteral("prognosis")].isDouble());

    // The text form prints the same rows after the transactions and before the balance.
    const QStringList lines =
        ok({QStringLiteral("register"), QStringLiteral("Cash")}).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), future.size());
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("Balance:")));
    const QString firstFuture = lines[lines.size() - 1 - future.size()];
    EXPECT_TRUE(firstFuture.startsWith(QString::number(firstRow) + u'\t')) << firstFuture.toStdString();
    EXPECT_TRUE(firstFuture.contains(future[0][QStringLiteral("description")].toString()));
}

TEST_F(DemoCliTest, InfoOnAFutureRowShowsThePlannedTransaction)
{
    ok({QStringLiteral("demo")});
    const QJsonObject reg = registerOf(QStringLiteral("Checking"));
    const QJsonObject first = reg[QStringLiteral("future")].toArray().first().toObject();
    const QString row = QString::number(first[QStringLiteral("row")].toInteger());
    const QStringList lines =
        ok({QStringLiteral("info"), QStringLiteral("Checking"), row}).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("Planned Transaction"));
    EXPECT_EQ(lines[1], QStringLiteral("Description:\t") + first[QStringLiteral("description")].toString());
    EXPECT_EQ(lines.last(), QStringLiteral("Edit..."));

    const QString newRow = QString::number(reg[QStringLiteral("transactions")].toArray().size());
    EXPECT_EQ(cli({QStringLiteral("info"), QStringLiteral("Checking"), newRow}).exit, 1);
    EXPECT_EQ(cli({QStringLiteral("mark"), QStringLiteral("Checking"), row}).exit, 1)
        << "no mark on a future row";
}

TEST_F(DemoCliTest, ProjectTotalsOfTheExampleAreComputed)
{
    ok({QStringLiteral("demo")});
    const QJsonArray projects = json({QStringLiteral("projects")}).array();
    bool found = false;
    for (const QJsonValue& p : projects) {
        if (p[QStringLiteral("path")].toString() != QStringLiteral("Home:Renovation"))
            continue;
        found = true;
        EXPECT_EQ(p[QStringLiteral("own_payments")].toInteger(), 100575) << "145.75 + 860.00";
        EXPECT_TRUE(p[QStringLiteral("valid")].toBool() || p[QStringLiteral("valid")].toInt() == 1);
    }
    EXPECT_TRUE(found);
}

TEST_F(DemoCliTest, ADayNearTheEndOfAMonthAcrossTheYearStillGivesASoundBook)
{
    const QString now = QStringLiteral("2024-01-31T23:30:00");
    ok({QStringLiteral("demo")}, now);
    const CliResult r = cli({QStringLiteral("check")}, now);
    EXPECT_EQ(r.exit, 0) << r.out.toStdString() << r.err.toStdString();
    // The next day the list is brought up to date and still holds.
    const CliResult next = cli({QStringLiteral("check")}, QStringLiteral("2024-02-01T08:00:00"));
    EXPECT_EQ(next.exit, 0) << next.out.toStdString() << next.err.toStdString();
}

}  // namespace
