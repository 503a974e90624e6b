#include "reference/CurrencyConversionForm.h"

#include "CurrencyBook.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

using Field = CurrencyConversionForm::Field;
using Mode = CurrencyConversionForm::Mode;

constexpr qint64 Max = std::numeric_limits<qint64>::max();

QString s(const char* text)
{
    return QString::fromUtf8(text);
}
Money m(qint64 hundredths)
{
    return Money::fromHundredths(hundredths);
}

// Money moves from A (number 1) to B (number 2); B's record holds `bToA`.
class CurrencyConversionFormTest : public ::testing::Test {
protected:
    void withRate(const char* bToA)
    {
        book.add(1, "AAA", "a", "Alpha");
        book.add(2, "BBB", "b", "Beta", {{1, bToA}});
        ASSERT_TRUE(cache.reload());
    }

    CurrencyConversionForm model(Money amountA, Money amountB, Mode mode = Mode::EditableAmount,
                                 LocaleValues locale = {})
    {
        return CurrencyConversionForm(cache, s("AAA"), s("BBB"), amountA, amountB, mode, locale);
    }

    CurrencyBook book;
    CurrencyCache cache{book.table()};
};

TEST_F(CurrencyConversionFormTest, ShowsTheRateTheWayRoundThatIsNotBelowOne)
{
    const struct {
        const char* bToA;
        const char* left;
        const char* right;
    } cases[] = {
        {"0.50000", "1.00", "2.00000"},  // 1 A = 2 B
        {"2.00000", "2.00000", "1.00"},  // 2 A = 1 B
        {"1.00000", "1.00", "1.00000"},
        {"", "1.00", "1.00000"},
    };
    for (const auto& c : cases) {
        CurrencyBook fresh;
        fresh.add(1, "AAA");
        fresh.add(2, "BBB", "b", "Beta", {{1, c.bToA}});
        CurrencyCache pair(fresh.table());
        ASSERT_TRUE(pair.reload());
        const CurrencyConversionForm dialog(pair, s("AAA"), s("BBB"), m(100), m(200), Mode::FixedAmount, {});
        EXPECT_EQ(dialog.text(Field::LeftRate), s(c.left)) << c.bToA;
        EXPECT_EQ(dialog.text(Field::RightRate), s(c.right)) << c.bToA;
    }
    EXPECT_EQ(CurrencyConversionForm::Title, s("Confirm Currency Convertation"));
}

TEST_F(CurrencyConversionFormTest, ShowsBothAmountsInMoneyFormat)
{
    withRate("0.50000");
    const auto dialog = model(m(61725), m(123450));
    EXPECT_EQ(dialog.text(Field::LeftAmount), s("617.25"));
    EXPECT_EQ(dialog.rightAmountText(), s("1 234.50"));
}

TEST_F(CurrencyConversionFormTest, RateEditsRecalculateTheAmountInA)
{
    withRate("0.50000");
    const struct {
        const char* left;
        const char* right;
        qint64 amountB;
        const char* amountA;
    } cases[] = {
        {"1.00", "2.00000", 123450, "617.25"},
        {"1.00", "3", 100, "0.33"},
        {"2", "1.00", 150, "3.00"},
        {"1", "2", 1, "0.01"},  // 0.5 hundredth rounds away from zero
        {"1", "2", -1, "-0.01"},
        {"1,5", "1", 1000, "15.00"},
        {"0", "1", 1000, "0.00"},
    };
    for (const auto& c : cases) {
        auto dialog = model(m(0), m(c.amountB));
        dialog.editLeftRate(s(c.left));
        dialog.editRightRate(s(c.right));
        EXPECT_EQ(dialog.text(Field::LeftAmount), s(c.amountA)) << c.left << " / " << c.right;
    }
}

TEST_F(CurrencyConversionFormTest, ARightRateOfZeroLeavesTheAmountsAlone)
{
    withRate("0.50000");
    auto dialog = model(m(500), m(1000));
    for (const char* zero : {"0", "", "0.", "abc"}) {
        dialog.editRightRate(s(zero));
        EXPECT_EQ(dialog.text(Field::LeftAmount), s("5.00")) << zero;
    }
}

TEST_F(CurrencyConversionFormTest, OverLargeRatesAreResetToTheLargestAmount)
{
    withRate("0.50000");
    LocaleValues german;
    german.decimalSeparator = QLatin1Char(',');
    german.thousandsSeparator = QLatin1Char('.');
    const struct {
        LocaleValues locale;
        const char* reset;
    } locales[] = {{LocaleValues(), "10 000 000 000.00"}, {german, "10.000.000.000,00"}};
    for (const auto& l : locales) {
        auto dialog = model(m(0), m(100), Mode::EditableAmount, l.locale);
        dialog.editLeftRate(s("1000000000001"));
        EXPECT_EQ(dialog.text(Field::LeftRate), s(l.reset));
        // The replaced text was calculated with: 1 B x 10^10 / 2.
        EXPECT_EQ(dialog.text(Field::LeftAmount), moneyText(m(500000000000), l.locale));
        dialog.editRightRate(s("99999999999999999999"));
        EXPECT_EQ(dialog.text(Field::RightRate), s(l.reset));
        EXPECT_EQ(dialog.text(Field::LeftAmount), moneyText(m(100), l.locale));
    }
}

TEST_F(CurrencyConversionFormTest, TheLimitIsOnTheRoundedValue)
{
    withRate("0.50000");
    auto dialog = model(m(0), m(100));
    dialog.editLeftRate(s("1000000000000.4"));
    EXPECT_EQ(dialog.text(Field::LeftRate), s("1000000000000.4"));
    dialog.editLeftRate(s("1000000000000.5"));
    EXPECT_EQ(dialog.text(Field::LeftRate), s("10 000 000 000.00"));
}

TEST_F(CurrencyConversionFormTest, TypingTheAmountInASetsTheRate)
{
    withRate("0.50000");
    const struct {
        qint64 amountB;
        const char* typed;
        const char* left;
        const char* right;
    } cases[] = {
        {20000, "100", "1.00", "2.00000"},                                     // d > e
        {10000, "250", "2.50000", "1.00"},                                     // d <= e
        {10000, "100", "1.00000", "1.00"}, {20000, "0", "1.00", "200.00000"},  // e = 0: d itself
        {0, "5", "5.00000", "1.00"},                                           // d = 0: e itself
    };
    for (const auto& c : cases) {
        auto dialog = model(m(0), m(c.amountB));
        dialog.editLeftAmount(s(c.typed));
        EXPECT_EQ(dialog.text(Field::LeftRate), s(c.left)) << c.typed;
        EXPECT_EQ(dialog.text(Field::RightRate), s(c.right)) << c.typed;
        EXPECT_EQ(dialog.text(Field::LeftAmount), s(c.typed)) << c.typed;
    }
}

TEST_F(CurrencyConversionFormTest, AnOverLargeAmountIsResetAndUsed)
{
    withRate("0.50000");
    auto dialog = model(m(0), m(100));
    dialog.editLeftAmount(s("5000000000000"));
    EXPECT_EQ(dialog.text(Field::LeftAmount), s("10 000 000 000.00"));
    EXPECT_EQ(dialog.text(Field::LeftRate), s("10000000000.00000"));
    EXPECT_EQ(dialog.text(Field::RightRate), s("1.00"));
}

TEST_F(CurrencyConversionFormTest, TheFixedModeTakesNoTypedAmount)
{
    withRate("0.50000");
    auto dialog = model(m(500), m(1000), Mode::FixedAmount);
    dialog.editLeftAmount(s("7"));
    EXPECT_EQ(dialog.text(Field::LeftAmount), s("5.00"));
    EXPECT_EQ(dialog.text(Field::LeftRate), s("1.00"));
}

TEST_F(CurrencyConversionFormTest, ItsOwnWritesDoNotRecalculate)
{
    withRate("0.50000");
    auto dialog = model(m(0), m(20000));
    std::vector<Field> written;
    dialog.setWriteListener([&](Field field, const QString& text) {
        written.push_back(field);
        // A view's edits report the model's writes as changes.
        switch (field) {
        case Field::LeftRate:
            dialog.editLeftRate(text);
            break;
        case Field::RightRate:
            dialog.editRightRate(text);
            break;
        case Field::LeftAmount:
            dialog.editLeftAmount(text);
            break;
        }
    });
    dialog.editLeftAmount(s("100"));
    EXPECT_EQ(written, (std::vector<Field>{Field::LeftAmount, Field::LeftRate, Field::RightRate}));
    EXPECT_EQ(dialog.text(Field::LeftAmount), s("100"));

    written.clear();
    dialog.editRightRate(s("4"));
    EXPECT_EQ(written, (std::vector<Field>{Field::LeftAmount}));
    EXPECT_EQ(dialog.text(Field::LeftAmount), s("50.00"));
    EXPECT_EQ(dialog.text(Field::RightRate), s("4"));
}

TEST_F(CurrencyConversionFormTest, OkStoresTheRateAndYieldsTheAmounts)
{
    withRate("0.50000");
    auto dialog = model(m(0), m(30000));
    dialog.editLeftRate(s("1"));
    dialog.editRightRate(s("3"));
    const auto outcome = dialog.accept();
    ASSERT_TRUE(outcome.rate.has_value());
    EXPECT_DOUBLE_EQ(*outcome.rate, 3.0);
    EXPECT_TRUE(outcome.rateStored);
    EXPECT_EQ(outcome.amountA.hundredths(), 10000);
    EXPECT_EQ(outcome.amountB.hundredths(), 30000);
    EXPECT_EQ(book.rateText(1, 2), s("3.00000"));
    EXPECT_EQ(book.rateText(2, 1), s("0.33333"));
}

TEST_F(CurrencyConversionFormTest, OkWithAnUnusableRateStoresNoRate)
{
    withRate("0.50000");
    const std::pair<const char*, const char*> cases[] = {
        {"1", "0"}, {"0", "1"}, {"0", "0"}, {"1", "-2"}, {"", "3"}};
    for (const auto& [left, right] : cases) {
        auto dialog = model(m(700), m(1400));
        dialog.editLeftRate(s(left));
        dialog.editRightRate(s(right));
        const auto outcome = dialog.accept();
        EXPECT_FALSE(outcome.rate.has_value()) << left << " / " << right;
        EXPECT_FALSE(outcome.rateStored) << left << " / " << right;
        EXPECT_EQ(outcome.amountB.hundredths(), 1400);
    }
    EXPECT_EQ(book.rateText(1, 2), s("<none>"));
    EXPECT_EQ(book.rateText(2, 1), s("0.50000"));
    EXPECT_DOUBLE_EQ(cache.rate(u"AAA", u"BBB"), 2.0);
}

TEST_F(CurrencyConversionFormTest, HugeAmountsSaturateInsteadOfOverflowing)
{
    withRate("0.50000");
    auto dialog = model(m(0), m(Max), Mode::FixedAmount);
    dialog.editLeftRate(s("10000000000"));
    dialog.editRightRate(s("0.00001"));
    EXPECT_EQ(dialog.text(Field::LeftAmount), moneyText(m(Max), LocaleValues()));
    const auto outcome = dialog.accept();
    EXPECT_EQ(outcome.amountA.hundredths(), Max);
    EXPECT_EQ(outcome.amountB.hundredths(), Max);
}

TEST_F(CurrencyConversionFormTest, UnknownCurrenciesConvertOneToOne)
{
    CurrencyConversionForm dialog(cache, s("XXX"), s("YYY"), m(100), m(100), Mode::FixedAmount, {});
    EXPECT_EQ(dialog.text(Field::LeftRate), s("1.00"));
    EXPECT_EQ(dialog.text(Field::RightRate), s("1.00000"));
    const auto outcome = dialog.accept();
    EXPECT_TRUE(outcome.rate.has_value());
    EXPECT_FALSE(outcome.rateStored);
}

}  // namespace
