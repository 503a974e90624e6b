#include "StatementTestBook.h"

#include "interchange/TransferPairing.h"

namespace {

using Column = CsvMapping::Column;

class TransferPairingTest : public ::testing::Test {
protected:
    TransferPairingTest()
    {
        b.addAccount(3, "Checking", "USD");
        mapping.columns = {Column::Date, Column::Description, Column::Amount};
    }

    StatementImportResult import(const QByteArray& rows, qint32 account)
    {
        return b.importBytes("Date,Text,Amount\n" + rows, StatementFormat::Csv, mapping, account);
    }

    StatementTestBook b;
    CsvMapping mapping;
};

TEST_F(TransferPairingTest, OffersOppositeLinesWithinThreeDaysAndLinksThemAsOnePair)
{
    ASSERT_TRUE(import("2024-01-10,Online transfer to savings,-250.00\n"
                       "2024-01-10,Grocer,-250.00\n"
                       "2024-01-20,TRANSFER,-75.00\n"
                       "2024-01-25,Transfer out,-30.00\n",
                       3)
                    .ok);
    // Account 1 is kept in USD like account 3; account 2 in EUR.
    const StatementImportResult r = import("2024-01-12,From checking,250.00\n"
                                           "2024-01-12,Deposit,250.00\n"
                                           "2024-01-24,Xfer,75.00\n"
                                           "2024-01-30,Transfer in,30.00\n",
                                           1);
    ASSERT_TRUE(r.ok);
    TransferPairing pairing(b.tables());
    const std::optional<std::vector<TransferPair>> pairs = pairing.find(1, r.keys);
    ASSERT_TRUE(pairs);
    // 250 pairs once (two candidates each side, one pair); 75 is four days
    // apart; 30 is five days apart.
    ASSERT_EQ(pairs->size(), 1u);
    const TransferPair& p = pairs->front();
    EXPECT_EQ(p.imported.account, 1);
    EXPECT_EQ(p.imported.amount, 25000);
    EXPECT_EQ(p.other.account, 3);
    EXPECT_EQ(p.other.description, "Online transfer to savings");

    ASSERT_TRUE(pairing.link(*pairs));
    EXPECT_TRUE(b.problems().isEmpty()) << b.problems().join('\n').toStdString();
    // Linked lines are never offered again.
    EXPECT_TRUE(pairing.find(1, r.keys)->empty());
}

TEST_F(TransferPairingTest, NeverAcrossCurrenciesNorWithoutATransferText)
{
    ASSERT_TRUE(import("2024-01-10,Transfer to euro account,-100.00\n", 1).ok);
    const StatementImportResult eur = import("2024-01-10,Transfer from dollar account,100.00\n", 2);
    ASSERT_TRUE(eur.ok);
    TransferPairing pairing(b.tables());
    EXPECT_TRUE(pairing.find(2, eur.keys)->empty());

    ASSERT_TRUE(import("2024-02-01,Cash withdrawal,-40.00\n", 3).ok);
    const StatementImportResult plain = import("2024-02-01,Cash,40.00\n", 1);
    EXPECT_TRUE(pairing.find(1, plain.keys)->empty());
}

}  // namespace
