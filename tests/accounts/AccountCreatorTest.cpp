#include "accounts/AccountCreator.h"

#include "AccountTestBook.h"
#include "accounts/AccountList.h"
#include "accounts/AccountName.h"
#include "accounts/AccountRun.h"
#include "platform/FixedClock.h"
#include "reference/BuiltInCurrencies.h"

namespace {

class AccountCreatorTest : public ::testing::Test {
protected:
    AccountCreatorTest() : m_clock(LocalTime{2024, 3, 5, 10, 30, 15, 250}) {}

    qint32 create(const QString& name, const char* code, qint64 opening)
    {
        AccountCreator creator(m_book.tables(), m_book.currencies(), m_clock);
        return creator.create(
            {name, BuiltInCurrencies::firstRowOf(QString::fromLatin1(code)), Money::fromHundredths(opening)});
    }
    AccountRun runOf(qint32 id) { return AccountRun::locate(m_book.tables().transactions(), id); }

    AccountTestBook m_book;
    FixedClock m_clock;
};

TEST_F(AccountCreatorTest, ZeroOpeningBalanceMakesNoTransaction)
{
    const qint32 id = create(QStringLiteral("Cash"), "USD", 0);
    ASSERT_EQ(id, 1);
    EXPECT_EQ(runOf(id).count, 0);
    const auto account = AccountList(m_book.tables().accounts()).find(id);
    ASSERT_TRUE(account);
    EXPECT_EQ(account->total.hundredths(), 0);
    EXPECT_EQ(account->currency, QStringLiteral("USD"));
    EXPECT_EQ(account->created, *fileTimeFromLocal(m_clock.now()));
}

TEST_F(AccountCreatorTest, NegativeOpeningBalanceIsAReconciledPaymentDatedNow)
{
    const qint32 id = create(QStringLiteral("Card"), "EUR", -5000);
    const AccountRun run = runOf(id);
    ASSERT_EQ(run.count, 1);
    DbTable& t = m_book.tables().transactions();
    ASSERT_TRUE(t.moveTo(run.first));
    EXPECT_EQ(t.getText(Prop::Name), QStringLiteral("Opening Balance"));
    EXPECT_EQ(t.getInt64(Prop::Amount), -5000);
    EXPECT_EQ(t.getInt64(Prop::Balance), -5000);
    EXPECT_EQ(t.getInt(Prop::Mark), static_cast<int>(ReconcileMark::Reconciled));
    EXPECT_EQ(t.getInt64(Prop::Date), *fileTimeFromLocal(m_clock.now()));
    EXPECT_EQ(t.getText(Prop::AccountKey), fullKey(id, *fileTimeFromLocal(m_clock.now())));
    EXPECT_EQ(t.getText(Prop::CurrencyCode), QStringLiteral("EUR"));
    EXPECT_EQ(m_book.accountTotal(id), -5000);
}

TEST_F(AccountCreatorTest, IdIsOneMoreThanTheLargestEvenAcrossGaps)
{
    m_book.addAccount(3, QStringLiteral("Three"));
    m_book.addAccount(12, QStringLiteral("Twelve"));
    m_book.addAccount(5, QStringLiteral("Five"));
    EXPECT_EQ(create(QStringLiteral("Next"), "USD", 0), 13);
}

TEST_F(AccountCreatorTest, NameIsTrimmed)
{
    const qint32 id = create(QStringLiteral("  Wallet \t"), "USD", 0);
    EXPECT_EQ(AccountList(m_book.tables().accounts()).find(id)->name, QStringLiteral("Wallet"));
}

TEST_F(AccountCreatorTest, NewCurrencyIsRegisteredOnceAndTwinRowsShareIt)
{
    create(QStringLiteral("A"), "USD", 0);
    create(QStringLiteral("B"), "USD", 0);
    EXPECT_EQ(m_book.currencies().size(), 1);
    // Dutch Guilder and Netherlands Guilder are two rows of the one code NLG.
    AccountCreator creator(m_book.tables(), m_book.currencies(), m_clock);
    ASSERT_NE(creator.create({QStringLiteral("C"), 44, Money()}), 0);
    ASSERT_NE(creator.create({QStringLiteral("D"), 110, Money()}), 0);
    EXPECT_EQ(m_book.currencies().size(), 2);
    EXPECT_EQ(m_book.currencies().entries()[1].name, QStringLiteral("Dutch Guilder"));
}

TEST_F(AccountCreatorTest, RowOutsideTheListCreatesNothing)
{
    AccountCreator creator(m_book.tables(), m_book.currencies(), m_clock);
    for (int row : {-1, BuiltInCurrencies::Count}) {
        EXPECT_EQ(creator.create({QStringLiteral("X"), row, Money::fromHundredths(100)}), 0) << row;
    }
    EXPECT_EQ(m_book.tables().accounts().count(), 0);
    EXPECT_EQ(m_book.tables().transactions().count(), 0);
}

TEST_F(AccountCreatorTest, FailedWriteLeavesNeitherRecordNorCurrency)
{
    int writes = 0;
    m_book.store().setWriteFault([&writes] { return ++writes > 2; });
    EXPECT_EQ(create(QStringLiteral("Cash"), "USD", 100), 0);
    m_book.store().setWriteFault({});
    EXPECT_EQ(m_book.tables().accounts().count(), 0);
    EXPECT_EQ(m_book.tables().transactions().count(), 0);
    EXPECT_EQ(m_book.tables().currencies().count(), 0);
    EXPECT_TRUE(m_book.currencies().isEmpty());
}

TEST_F(AccountCreatorTest, LeftoverKeyOfAReusedIdIsNotOverwritten)
{
    // A deleted account's transaction left behind under the id the new account gets.
    const QString stale = m_book.addTransaction(RawTransaction::of(1, m_clock.now(), 7, 7));
    const qint32 id = create(QStringLiteral("Cash"), "USD", 100);
    ASSERT_EQ(id, 1);
    EXPECT_EQ(runOf(1).count, 2);
    EXPECT_EQ(m_book.balanceOf(stale), 7);
}

}  // namespace

namespace {

TEST_F(AccountCreatorTest, NamesAnAccountMayNotTakeCreateNothingAndColonsAndBracketsStayAsTyped)
{
    const struct {
        QString name;
        const char* message;
    } refused[] = {
        {QString(), AccountName::MissingText},
        {QStringLiteral(" \t "), AccountName::MissingText},
        {QStringLiteral("Cash\tBox"), AccountName::ControlText},
        {QStringLiteral("Cash\nBox"), AccountName::ControlText},
        {QString(AccountName::MaxLength + 1, QLatin1Char('x')), AccountName::TooLongText},
        {QString(10'000, QLatin1Char('x')), AccountName::TooLongText},
    };
    for (const auto& r : refused) {
        EXPECT_EQ(AccountName::problem(r.name), QString::fromLatin1(r.message))
            << r.name.left(20).toStdString();
        EXPECT_EQ(create(r.name, "USD", 500), 0);
    }
    EXPECT_EQ(m_book.tables().accounts().count(), 0);
    EXPECT_EQ(m_book.tables().transactions().count(), 0);
    EXPECT_EQ(m_book.tables().currencies().count(), 0);

    // Padding is trimmed before the length counts.
    const QString longest(AccountName::MaxLength, QLatin1Char('y'));
    EXPECT_EQ(AccountName::problem(QStringLiteral("  ") + longest + QStringLiteral("  ")), std::nullopt);
    const qint32 id = create(QStringLiteral(" [Home: Cash] "), "USD", 0);
    ASSERT_GT(id, 0);
    EXPECT_EQ(AccountList(m_book.tables().accounts()).find(id)->name, QStringLiteral("[Home: Cash]"));
}

}  // namespace
