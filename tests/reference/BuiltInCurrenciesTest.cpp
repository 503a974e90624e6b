#include "reference/BuiltInCurrencies.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QStringList>

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

TEST(BuiltInCurrencies, HoldsTheCodesInTheirFixedRowOrder)
{
    const QString expected = s(
        "AFA ALL DZD ADF ADP AON M$N AWG AUD ATS BSD BHD BDT BBD BEF BZD BMD BTN BOB BWP BRL GBP BND BGL BIF "
        "KHR CAD CVE KYD XOF XAF XPF CHP CNY COP KMF CRC HRK CUP CYP CZK DKK DJF DOP NLG XCD ECS EGP SVC EEK "
        "ETB EUR FKP FJD FIM FRF GMD DM GHC GIP XAU GRD GTQ GNF GYD HTG HNL HK$ HUF ISK INR IDR IRR IQD IEP "
        "ILS ITL JMD JPY JOD KZT KES WWR KPW KWD LAK LVL LBP LSL LRD LYD LTL LUF MOP MKD MGF MWK MYR MVR MTL "
        "MRO MUR N$ MDL MNT MAD MZM MMK NAD NPR NLG NZ$ NIO NGN NOK OMR PKR XPD PAB PGK PYG PEN PHP XPT PLN "
        "PTE QAR ROL RUB WST STD SAR SCR SLL XAG SI$ SKK SIT SBD SOS SAR ESP LKR SHP SDD SRG SZL SEK CHF SYP "
        "NT$ TZS THB TOP TTD TND TRL AED UGX UAH UYU USD UZS VUV VEB VND YER YUM ZMK ZWD");
    QStringList codes;
    for (int k = 0; k < BuiltInCurrencies::Count; ++k)
        codes.append(BuiltInCurrencies::code(k));
    EXPECT_EQ(BuiltInCurrencies::Count, 170);
    EXPECT_EQ(codes.join(QLatin1Char(' ')), expected);
}

TEST(BuiltInCurrencies, TellingRowsCarryTheirSymbolsAndNames)
{
    struct Row {
        int k;
        const char* code;
        const char* symbol;
        const char* name;
    };
    const Row rows[] = {
        {0, "AFA", "ap", "Afghanistan Afghani"},  {21, "GBP", "p", "British Pound"},
        {44, "NLG", "dg", "Dutch Guilder"},       {51, "EUR", "eu", "Euro"},
        {57, "DM", "dm", "German Mark"},          {60, "XAU", "g", "Gold (oz.)"},
        {78, "JPY", "?", "Japanese Yen"},         {110, "NLG", "ng", "Netherlands Guilder"},
        {128, "RUB", "r", "Russian Rouble"},      {131, "SAR", "sr", "Saudi Riyal"},
        {140, "SAR", "sr", "South African Rand"}, {161, "USD", "$", "US Dollar"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(BuiltInCurrencies::code(r.k), s(r.code)) << r.k;
        EXPECT_EQ(BuiltInCurrencies::symbol(r.k), s(r.symbol)) << r.k;
        EXPECT_EQ(BuiltInCurrencies::name(r.k), s(r.name)) << r.k;
    }
    EXPECT_EQ(BuiltInCurrencies::fallbackCode(), s("AFA"));
}

TEST(BuiltInCurrencies, OnlyNlgAndSarRepeatAndEveryRowIsFilledIn)
{
    QSet<QString> seen;
    QSet<QString> names;
    QStringList repeated;
    for (int k = 0; k < BuiltInCurrencies::Count; ++k) {
        const QString code = BuiltInCurrencies::code(k);
        const QString symbol = BuiltInCurrencies::symbol(k);
        const QString name = BuiltInCurrencies::name(k);
        if (seen.contains(code))
            repeated.append(code);
        seen.insert(code);
        EXPECT_FALSE(names.contains(name)) << name.toStdString();
        names.insert(name);
        EXPECT_FALSE(code.isEmpty()) << k;
        EXPECT_EQ(code, code.toUpper()) << k;
        EXPECT_FALSE(name.isEmpty()) << k;
        EXPECT_TRUE(symbol.size() >= 1 && symbol.size() <= 4) << k << " " << symbol.toStdString();
        EXPECT_EQ(symbol, symbol.toLower()) << k;
    }
    EXPECT_EQ(repeated, (QStringList{s("NLG"), s("SAR")}));
}

TEST(BuiltInCurrencies, RowsOutsideTheListAreEmpty)
{
    for (const int k : {-1, 170, 1000}) {
        EXPECT_FALSE(BuiltInCurrencies::row(k).has_value()) << k;
        EXPECT_TRUE(BuiltInCurrencies::code(k).isEmpty()) << k;
        EXPECT_TRUE(BuiltInCurrencies::displayText(k).isEmpty()) << k;
    }
    EXPECT_TRUE(BuiltInCurrencies::row(169).has_value());
}

TEST(BuiltInCurrencies, ShowsNameThenCodeInParentheses)
{
    EXPECT_EQ(BuiltInCurrencies::displayText(161), s("US Dollar (USD)"));
    EXPECT_EQ(BuiltInCurrencies::displayText(60), s("Gold (oz.) (XAU)"));
    EXPECT_EQ(currencyDisplayText(s("My Coin"), s("MYC")), s("My Coin (MYC)"));
}

TEST(BuiltInCurrencies, LookupByCodeFindsTheFirstRow)
{
    const std::pair<const char*, int> cases[] = {
        {"AFA", 0},  {"NLG", 44}, {"SAR", 131}, {"USD", 161}, {"ZWD", 169}, {"HK$", 67},
        {"usd", -1}, {"", -1},    {"XYZ", -1},  {"US", -1},   {"USDX", -1},
    };
    for (const auto& [code, row] : cases)
        EXPECT_EQ(BuiltInCurrencies::firstRowOf(s(code)), row) << code;
}

TEST(BuiltInCurrencies, RepairNameLeavesARepeatedCodeAlone)
{
    const std::pair<const char*, const char*> cases[] = {
        {"USD", "US Dollar"},
        {"AFA", "Afghanistan Afghani"},
        {"ZWD", "Zimbabwe Dollar"},
    };
    for (const auto& [code, name] : cases)
        EXPECT_EQ(BuiltInCurrencies::repairName(s(code)), std::optional<QString>(s(name))) << code;
    for (const char16_t* none : {u"NLG", u"SAR", u"XYZ", u""})
        EXPECT_FALSE(BuiltInCurrencies::repairName(none).has_value());
}

}  // namespace
