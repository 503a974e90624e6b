#include "accounts/RegisterInfo.h"

#include "AccountTestBook.h"
#include "planning/FutureList.h"

namespace {

struct ConvertCase {
    qint64 amount;
    const char* code;
    qint64 other;
    const char* otherCode;
    const char* line;  // nullptr: no line
};

class RegisterInfoConvertTest : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(RegisterInfoConvertTest, StatesTheRateFromTheSmallerSide)
{
    const ConvertCase& c = GetParam();
    const auto line =
        RegisterInfo::convertLine(Money::fromHundredths(c.amount), QString::fromLatin1(c.code),
                                  Money::fromHundredths(c.other), QString::fromLatin1(c.otherCode));
    if (!c.line) {
        EXPECT_FALSE(line);
        return;
    }
    ASSERT_TRUE(line);
    EXPECT_EQ(*line, QString::fromLatin1(c.line));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RegisterInfoConvertTest,
    ::testing::Values(ConvertCase{-15000, "USD", 10000, "EUR", "Convert 1 EUR = 1.50000 USD"},
                      ConvertCase{10000, "EUR", -15000, "USD", "Convert 1 EUR = 1.50000 USD"},
                      ConvertCase{100, "GBP", 300, "JPY", "Convert 1 GBP = 3.00000 JPY"},
                      ConvertCase{700, "AAA", 700, "BBB", "Convert 1 BBB = 1.00000 AAA"},
                      ConvertCase{1, "USD", 3, "EUR", "Convert 1 USD = 3.00000 EUR"},
                      // A zero side tells no rate: the line is left out instead of dividing by it.
                      ConvertCase{0, "USD", 500, "EUR", nullptr}, ConvertCase{500, "USD", 0, "EUR", nullptr},
                      ConvertCase{0, "USD", 0, "EUR", nullptr}));

class RegisterInfoTest : public ::testing::Test {
protected:
    RegisterInfoTest() : m_categories(m_book.tables()), m_projects(m_book.tables())
    {
        m_book.currencies().registerCurrency(QStringLiteral("USD"), QStringLiteral("$"),
                                             QStringLiteral("US Dollar"));
        m_book.currencies().registerCurrency(QStringLiteral("EUR"), QStringLiteral("eu"),
                                             QStringLiteral("Euro"));
        EXPECT_TRUE(m_categories.ensureRoot());
        EXPECT_TRUE(m_projects.ensureRoot());
        m_book.addAccount(1, QStringLiteral("Cash"), 0, QStringLiteral("USD"));
        m_book.addAccount(2, QStringLiteral("Euro Bank"), 0, QStringLiteral("EUR"));
    }
    QStringList linesOf(qint32 account, qint64 row)
    {
        Register reg(m_book.tables(), m_book.currencies(), m_locale);
        EXPECT_TRUE(reg.select(account));
        RegisterInfo info(reg, m_book.tables(), m_categories, m_projects, m_book.currencies(), m_locale);
        const auto popup = info.build(row);
        if (!popup)
            return {QStringLiteral("<none>")};
        EXPECT_EQ(popup->title, QStringLiteral("Current Transaction"));
        return popup->printed();
    }

    AccountTestBook m_book;
    Categories m_categories;
    Projects m_projects;
    LocaleValues m_locale;
};

TEST_F(RegisterInfoTest, PlainTransactionListsItsFields)
{
    const qint32 food = m_categories.create(RootCategoryId, QStringLiteral("Food"));
    const qint32 lunch = m_categories.create(food, QStringLiteral("Lunch"));
    RawTransaction r = RawTransaction::of(1, AccountTestBook::at(1), -1250, -1250);
    r.description = QStringLiteral("Diner");
    r.number = QStringLiteral("17");
    r.category = lunch;
    m_book.addTransaction(r);
    EXPECT_EQ(linesOf(1, 0), (QStringList{"Description:\tDiner", "Account:\tCash", "Date:\tFri, 3/1/2024",
                                          "No:\t17", "Amount:\t$-12.50", "Mark As:\tUnreconciled",
                                          "Category:\tFood:Lunch", "Balance:\t$-12.50", "-", "Edit..."}));
}

TEST_F(RegisterInfoTest, TransferBetweenCurrenciesShowsTheOtherSideAndTheRate)
{
    RawTransaction out = RawTransaction::of(1, AccountTestBook::at(2), -15000, -15000);
    RawTransaction in = RawTransaction::of(2, AccountTestBook::at(2), 10000, 10000);
    out.category = -2;
    in.category = -1;
    in.currency = QStringLiteral("EUR");
    out.link = fullKey(2, *fileTimeFromLocal(in.when));
    in.link = fullKey(1, *fileTimeFromLocal(out.when));
    out.mark = ReconcileMark::Cleared;
    m_book.addTransaction(out);
    m_book.addTransaction(in);
    const QStringList lines = linesOf(1, 0);
    EXPECT_EQ(lines.mid(4, 4), (QStringList{"Mark As:\tCleared (C)", "Transfer in :\tEuro Bank", "eu100.00",
                                            "Convert 1 EUR = 1.50000 USD"}));
    EXPECT_EQ(linesOf(2, 0).mid(5, 2), (QStringList{"Transfer from :\tCash", "$150.00"}));
}

TEST_F(RegisterInfoTest, TransferWithAZeroSideLeavesTheRateOut)
{
    RawTransaction out = RawTransaction::of(1, AccountTestBook::at(2), 0, 0);
    RawTransaction in = RawTransaction::of(2, AccountTestBook::at(2), 0, 0);
    out.category = -2;
    in.currency = QStringLiteral("EUR");
    out.link = fullKey(2, *fileTimeFromLocal(in.when));
    m_book.addTransaction(out);
    m_book.addTransaction(in);
    const QStringList lines = linesOf(1, 0);
    EXPECT_TRUE(lines.contains(QStringLiteral("Transfer from :\tEuro Bank")));
    for (const QString& line : lines)
        EXPECT_FALSE(line.startsWith(QStringLiteral("Convert 1 "))) << line.toStdString();
}

TEST_F(RegisterInfoTest, NewRowHasNoPopup)
{
    EXPECT_EQ(linesOf(1, 0), QStringList{QStringLiteral("<none>")});
}

// The "Planned Transaction" popup of a future row: texts from the entry, what
// a posting takes from the plan (number, mark, contact), labels as for a
// posted transaction, no account and no balance.
class PlannedInfoTest : public RegisterInfoTest {
protected:
    struct Plan {
        qint32 id = 1;
        QString number;
        ReconcileMark mark = ReconcileMark::Unreconciled;
        QString contact;
    };
    void addPlan(const Plan& plan)
    {
        DbTable& p = m_book.tables().planner();
        p.beginNew();
        p.setInt(Prop::PlannerId, plan.id);
        p.setText(Prop::Number, plan.number);
        p.setInt(Prop::Mark, static_cast<qint32>(plan.mark));
        p.setText(Prop::Contact, plan.contact);
        ASSERT_TRUE(p.setText(Prop::CurrencyCode, QStringLiteral("EUR"), true));
    }
    void addEntry(qint32 plan, qint64 amount, qint32 category, qint32 project, const QString& note)
    {
        DbTable& s = m_book.tables().scheduled();
        s.beginNew();
        s.setInt(Prop::PlannerId, plan);
        s.setInt64(Prop::Date, *fileTimeFromLocal(AccountTestBook::at(15)));
        s.setText(Prop::Name, QStringLiteral("Rent 3/2024"));
        s.setInt64(Prop::Amount, amount);
        s.setInt(Prop::CategoryId, category);
        s.setInt(Prop::ProjectId, project);
        s.setText(Prop::Note, note);
        ASSERT_TRUE(s.setText(Prop::CurrencyCode, QStringLiteral("EUR"), true));
    }
    std::optional<PopupLines> popupOf(qint32 account, qint64 row)
    {
        Register reg(m_book.tables(), m_book.currencies(), m_locale, m_future);
        EXPECT_TRUE(reg.select(account));
        RegisterInfo info(reg, m_book.tables(), m_categories, m_projects, m_book.currencies(), m_locale);
        return info.build(row);
    }

    ProjectTotals m_totals{m_book.tables(), m_projects, m_book.currencies()};
    FileTime m_horizon = 0;
    FutureList m_future{m_book.tables(), m_totals, QLocale::c(), m_horizon};
};

TEST_F(PlannedInfoTest, EntryWithEveryFieldSetListsThemInOrder)
{
    const qint32 home = m_categories.create(RootCategoryId, QStringLiteral("Home"));
    const qint32 flat = m_projects.create(1, QStringLiteral("Flat"));
    addPlan({1, QStringLiteral("12"), ReconcileMark::Cleared, QStringLiteral("Landlord")});
    addEntry(1, -80000, home, flat, QStringLiteral("March"));
    const std::optional<PopupLines> popup = popupOf(1, 1);
    ASSERT_TRUE(popup);
    EXPECT_EQ(popup->title, QStringLiteral("Planned Transaction"));
    EXPECT_EQ(popup->printed(),
              (QStringList{"Description:\tRent 3/2024", "Date:\tFri, 3/15/2024", "No:\t12",
                           "Amount:\teu-800.00", "Mark As:\tCleared (C)", "Category:\tHome", "Project:\tFlat",
                           "Contact:\tLandlord", "Note:\tMarch", "-", "Edit..."}));
}

TEST_F(PlannedInfoTest, PlannedTransferNamesTheOtherAccount)
{
    addPlan({});
    addEntry(1, -1000, -2, 0, QString());
    EXPECT_EQ(popupOf(1, 1)->printed(),
              (QStringList{"Description:\tRent 3/2024", "Date:\tFri, 3/15/2024", "Amount:\teu-10.00",
                           "Mark As:\tUnreconciled", "Transfer in :\tEuro Bank", "-", "Edit..."}));
    addEntry(1, 1000, -2, 0, QString());
    EXPECT_TRUE(popupOf(1, 2)->printed().contains(QStringLiteral("Transfer from :\tEuro Bank")));
}

TEST_F(PlannedInfoTest, EntryWhosePlanIsGoneShowsWhatItHolds)
{
    addEntry(9, 500, 0, 0, QString());
    EXPECT_EQ(popupOf(2, 1)->printed(),
              (QStringList{"Description:\tRent 3/2024", "Date:\tFri, 3/15/2024", "Amount:\teu5.00",
                           "Mark As:\tUnreconciled", "-", "Edit..."}));
}

TEST_F(PlannedInfoTest, TransactionRowsKeepTheirOwnPopup)
{
    addPlan({});
    addEntry(1, 500, 0, 0, QString());
    m_book.addTransaction(RawTransaction::of(1, AccountTestBook::at(1), 100, 100));
    EXPECT_EQ(popupOf(1, 0)->title, QStringLiteral("Current Transaction"));
    EXPECT_FALSE(popupOf(1, 1)) << "the new-transaction row";
    EXPECT_EQ(popupOf(1, 2)->title, QStringLiteral("Planned Transaction"));
    EXPECT_FALSE(popupOf(1, 3));
}

}  // namespace
