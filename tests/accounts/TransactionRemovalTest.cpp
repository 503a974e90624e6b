#include "accounts/TransactionRemoval.h"

#include "AccountTestBook.h"
#include "accounts/AccountCheck.h"
#include "accounts/AccountRun.h"
#include "accounts/BalanceRecalc.h"

namespace {

const FileTime Now = *fileTimeFromLocal(LocalTime{2024, 3, 20, 10, 0, 0, 0});

class TransactionRemovalTest : public ::testing::Test {
protected:
    TransactionRemovalTest()
    {
        m_book.addAccount(1, QStringLiteral("Cash"));
        m_book.addAccount(2, QStringLiteral("Bank"));
        m_plain = m_book.addTransaction(RawTransaction::of(1, AccountTestBook::at(1), 500));
        RawTransaction planned = RawTransaction::of(1, AccountTestBook::at(2), -120);
        planned.category = 7;
        m_planned = m_book.addTransaction(planned);
        // Posted from plan 4, with everything the holder move must empty.
        EXPECT_TRUE(m_book.seek(m_planned));
        EXPECT_TRUE(tables().transactions().setValues(
            {PropValue::ofText(Prop::PlannerKey, QStringLiteral("4_20240302120000000")),
             PropValue::ofText(Prop::ProjectKey, QStringLiteral("3_20240302120000000")),
             PropValue::ofInt(Prop::ProjectId, 3), PropValue::ofText(Prop::Note, QStringLiteral("note")),
             PropValue::ofText(Prop::Number, QStringLiteral("17")),
             PropValue::ofText(Prop::Contact, QStringLiteral("Miller"))}));
        EXPECT_TRUE(BalanceRecalc(tables()).recalcAll());
    }

    TableSet& tables() { return m_book.tables(); }
    qint64 positionOf(const QString& key)
    {
        return m_book.seek(key) ? tables().transactions().position() : -1;
    }
    // The records of the holder account, oldest key first.
    std::vector<PropList> held()
    {
        std::vector<PropList> out;
        DbTable& t = tables().transactions();
        const AccountRun run = AccountRun::locate(t, ReservedAccount::Holder);
        for (qint64 p = run.first; p < run.end(); ++p) {
            t.moveTo(p);
            out.push_back(t.properties());
        }
        return out;
    }
    static std::optional<PropValue> prop(const PropList& record, quint16 id)
    {
        for (const PropValue& v : record) {
            if (v.id == id)
                return v;
        }
        return std::nullopt;
    }

    AccountTestBook m_book;
    QString m_plain, m_planned;
};

TEST_F(TransactionRemovalTest, PlainTransactionIsDeleted)
{
    EXPECT_EQ(TransactionRemoval::removeAt(tables(), positionOf(m_plain), Now),
              TransactionRemoval::Outcome::Deleted);
    EXPECT_FALSE(m_book.seek(m_plain));
    EXPECT_EQ(tables().transactions().count(), 1);
    EXPECT_TRUE(held().empty());
}

TEST_F(TransactionRemovalTest, PlannedTransactionMovesToTheHolderAccountStripped)
{
    EXPECT_EQ(TransactionRemoval::removeByKey(tables(), m_planned, Now),
              TransactionRemoval::Outcome::MovedToHolder);
    EXPECT_FALSE(m_book.seek(m_planned));
    const std::vector<PropList> records = held();
    ASSERT_EQ(records.size(), 1u);
    const PropList& r = records[0];
    // The unique-key rule for today: one millisecond after now.
    const FileTime expectedDate = addMilliseconds(Now, 1);
    EXPECT_EQ(prop(r, Prop::AccountKey)->text, fullKey(ReservedAccount::Holder, expectedDate));
    EXPECT_EQ(prop(r, Prop::Date)->number, expectedDate);
    EXPECT_EQ(prop(r, Prop::PlannerKey)->text, QStringLiteral("4_20240302120000000"));
    EXPECT_EQ(prop(r, Prop::Amount)->number, -120);
    EXPECT_EQ(prop(r, Prop::CategoryId)->number, 7);  // an ordinary category stays
    for (quint16 gone : {Prop::ProjectKey, Prop::Name, Prop::Note, Prop::Number, Prop::Contact})
        EXPECT_FALSE(prop(r, gone)) << gone;
    // The account keeps only the plain one; nothing else in the book is off.
    EXPECT_EQ(AccountRun::locate(tables().transactions(), 1).count, 1);
    EXPECT_TRUE(BalanceRecalc(tables()).recalc(1).has_value());
    EXPECT_EQ(AccountCheck(tables()).problems(), QStringList());
}

TEST_F(TransactionRemovalTest, HeldSideOfATransferLosesItsLinkAndTransferCategory)
{
    RawTransaction side = RawTransaction::of(2, AccountTestBook::at(5), 40);
    side.category = -1;
    side.link = QStringLiteral("1_20240305120000000");
    const QString key = m_book.addTransaction(side);
    ASSERT_TRUE(m_book.seek(key));
    ASSERT_TRUE(tables().transactions().setText(Prop::PlannerKey, QStringLiteral("9_20240305120000000")));
    EXPECT_EQ(TransactionRemoval::removeByKey(tables(), key, Now),
              TransactionRemoval::Outcome::MovedToHolder);
    const PropList r = held().at(0);
    EXPECT_FALSE(prop(r, Prop::TransferLink));
    EXPECT_FALSE(prop(r, Prop::CategoryId));
}

TEST_F(TransactionRemovalTest, NothingToRemoveFailsAndChangesNothing)
{
    EXPECT_EQ(TransactionRemoval::removeByKey(tables(), QStringLiteral("1_20990101000000000"), Now),
              TransactionRemoval::Outcome::Failed);
    EXPECT_EQ(TransactionRemoval::removeByKey(tables(), QString(), Now), TransactionRemoval::Outcome::Failed);
    EXPECT_EQ(TransactionRemoval::removeAt(tables(), tables().transactions().count(), Now),
              TransactionRemoval::Outcome::Failed);
    EXPECT_EQ(TransactionRemoval::removeAt(tables(), -1, Now), TransactionRemoval::Outcome::Failed);
    EXPECT_EQ(tables().transactions().count(), 2);
}

TEST_F(TransactionRemovalTest, FailedWriteLeavesTheRecordWhereItWas)
{
    m_book.store().setWriteFault([] { return true; });
    EXPECT_EQ(TransactionRemoval::removeByKey(tables(), m_planned, Now), TransactionRemoval::Outcome::Failed);
    EXPECT_EQ(TransactionRemoval::removeByKey(tables(), m_plain, Now), TransactionRemoval::Outcome::Failed);
    m_book.store().setWriteFault({});
    EXPECT_EQ(m_book.transactionText(m_planned, Prop::Contact), QStringLiteral("Miller"));
    EXPECT_TRUE(m_book.seek(m_plain));
    EXPECT_TRUE(held().empty());
}

}  // namespace
