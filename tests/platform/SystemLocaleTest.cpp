#include "platform/SystemLocale.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct LocaleCase {
    const char* name;
    int negativeFormat;
    int dateOrder;
    char16_t dateSeparator;
    char16_t decimal;
    char16_t thousands;
    const char* picker;
    const char* shortDate;
    const char16_t* monday;
    const char16_t* sunday;
};

const LocaleCase Locales[] = {
    {"en_US", 0, LocaleValues::MonthDayYear, u'/', u'.', u',', "MM'/'dd'/'yyy", "M/d/yyyy", u"Mon", u"Sun"},
    {"de_DE", 8, LocaleValues::DayMonthYear, u'.', u',', u'.', "dd'.'MM'.'yyy", "dd.MM.yyyy", u"Mo.", u"So."},
    {"fr_FR", 15, LocaleValues::DayMonthYear, u'/', u',', u' ', "dd'/'MM'/'yyy", "dd/MM/yyyy", u"lun.",
     u"dim."},
    {"en_GB", 0, LocaleValues::DayMonthYear, u'/', u'.', u',', "dd'/'MM'/'yyy", "dd/MM/yyyy", u"Mon", u"Sun"},
    {"ja_JP", 0, LocaleValues::YearMonthDay, u'/', u'.', u',', "yyy'/'MM'/'dd", "yyyy/MM/dd", u"月", u"日"},
};

QString latin(const char* text)
{
    return QString::fromLatin1(text);
}

QLocale locale(const char* name)
{
    const std::optional<QLocale> l = SystemLocale::choose(latin(name));
    EXPECT_TRUE(l.has_value()) << name;
    return l.value_or(QLocale::c());
}

TEST(SystemLocale, ReadsTheValuesOfCommonLocales)
{
    for (const LocaleCase& c : Locales) {
        const LocaleValues v = SystemLocale::read(locale(c.name));
        SCOPED_TRACE(c.name);
        EXPECT_EQ(v.negativeCurrencyFormat, c.negativeFormat);
        EXPECT_EQ(v.dateOrder, c.dateOrder);
        EXPECT_EQ(v.dateSeparator, QChar(c.dateSeparator));
        EXPECT_EQ(v.decimalSeparator, QChar(c.decimal));
        EXPECT_EQ(v.thousandsSeparator, QChar(c.thousands));
        EXPECT_EQ(v.datePickerFormat, latin(c.picker));
        EXPECT_EQ(v.shortDateFormat, latin(c.shortDate));
        ASSERT_EQ(v.shortDayNames.size(), 7);
        EXPECT_EQ(v.shortDayNames.first(), QString::fromUtf16(c.monday));
        EXPECT_EQ(v.shortDayNames.last(), QString::fromUtf16(c.sunday));
    }
}

struct CurrencyCase {
    const char* name;
    int expected;  // what the locale's negative amount looks like, in a comment each
};

TEST(SystemLocale, NegativeCurrencyFormatFollowsTheShownPattern)
{
    const CurrencyCase cases[] = {
        {"en_US", 0},   // ($1,234.50)
        {"fr_FR", 15},  // (1 234,50 €)
        {"nl_NL", 14},  // (€ 1.234,50)
        {"bg_BG", 15},  // (1234,50 лв.)
        {"id_ID", 2},   // Rp-1.234,50
        {"pt_BR", 12},  // R$ -1.234,50
        {"de_DE", 8},   // -1.234,50 €
        {"sv_SE", 8},   // −1 234,50 kr, with a true minus sign
        {"it_CH", 8},   // -1’234.50 CHF: no symbol of its own, the code shows
        {"ar_EG", 8},   // direction marks around the sign and the symbol
        {"C", -1},      // no currency at all
    };
    for (const CurrencyCase& c : cases)
        EXPECT_EQ(SystemLocale::negativeCurrencyFormat(locale(c.name)), c.expected) << c.name;
}

TEST(SystemLocale, SymbolFirstFormatsAreTheClassicOnes)
{
    // The money text puts the symbol first for 0, 1, 2, 3, 9, 11, 12 and 14;
    // whatever number a locale gets must agree with where its symbol shows.
    const char* const names[] = {"en_US", "en_GB", "ja_JP", "nl_NL", "pt_BR", "id_ID", "ko_KR", "tr_TR",
                                 "de_DE", "fr_FR", "sv_SE", "ru_RU", "pl_PL", "da_DK", "hu_HU"};
    const QList<int> symbolFirst = {0, 1, 2, 3, 9, 11, 12, 14};
    for (const char* name : names) {
        const QLocale l = locale(name);
        const QString amount = l.toCurrencyString(-1234.5);
        const bool shownFirst =
            amount.indexOf(l.currencySymbol()) < amount.indexOf(QRegularExpression(QStringLiteral("\\d")));
        EXPECT_EQ(symbolFirst.contains(SystemLocale::negativeCurrencyFormat(l)), shownFirst) << name;
    }
}

TEST(SystemLocale, ShortDateGetsAFourDigitYearAndKeepsLiterals)
{
    struct Case {
        const char* name;
        const char16_t* shortDate;
    };
    const Case cases[] = {
        {"es_ES", u"d/M/yyyy"},        // d/M/yy
        {"ko_KR", u"yyyy. M. d."},     // yy. M. d.
        {"bg_BG", u"d.MM.yyyy 'г'."},  // d.MM.yy 'г'.
        {"sv_SE", u"yyyy-MM-dd"},      // already four digits
    };
    for (const Case& c : cases)
        EXPECT_EQ(SystemLocale::read(locale(c.name)).shortDateFormat, QString::fromUtf16(c.shortDate))
            << c.name;
}

TEST(SystemLocale, NoBreakGroupSeparatorsBecomePlainBlanks)
{
    // fr_FR groups with U+202F, sv_SE and ru_RU with U+00A0.
    for (const char* name : {"fr_FR", "sv_SE", "ru_RU"})
        EXPECT_EQ(SystemLocale::read(locale(name)).thousandsSeparator, QLatin1Char(' ')) << name;
    EXPECT_EQ(SystemLocale::read(locale("de_CH")).thousandsSeparator, QChar(0x2019));
}

TEST(SystemLocale, AnItemThatCannotBeReadKeepsItAndTheRestAsTheyWere)
{
    // The C locale has no currency: the first item fails, so none of the five
    // change and the picker format stays; the short date still becomes numeric.
    LocaleValues start;
    start.negativeCurrencyFormat = 5;
    start.dateOrder = LocaleValues::DayMonthYear;
    start.dateSeparator = QLatin1Char('.');
    start.decimalSeparator = QLatin1Char(',');
    start.thousandsSeparator = QLatin1Char('\'');
    start.datePickerFormat = QStringLiteral("picker");
    const LocaleValues v = SystemLocale::read(locale("C"), start);
    EXPECT_EQ(v.negativeCurrencyFormat, 5);
    EXPECT_EQ(v.dateOrder, LocaleValues::DayMonthYear);
    EXPECT_EQ(v.dateSeparator, QLatin1Char('.'));
    EXPECT_EQ(v.decimalSeparator, QLatin1Char(','));
    EXPECT_EQ(v.thousandsSeparator, QLatin1Char('\''));
    EXPECT_EQ(v.datePickerFormat, QStringLiteral("picker"));
    EXPECT_EQ(v.shortDateFormat, QStringLiteral("d.M.yyyy"));
    EXPECT_EQ(v.shortDayNames.size(), 7);
}

TEST(SystemLocale, ChoosesLocalesByName)
{
    EXPECT_EQ(locale("en_US").name(), QStringLiteral("en_US"));
    EXPECT_EQ(locale("en-US").name(), QStringLiteral("en_US"));
    EXPECT_EQ(locale("de").name(), QStringLiteral("de_DE"));
    EXPECT_EQ(locale("de_DE.UTF-8").name(), QStringLiteral("de_DE"));
    EXPECT_EQ(locale("C").language(), QLocale::C);
    EXPECT_EQ(locale("POSIX").language(), QLocale::C);
    EXPECT_EQ(SystemLocale::choose(QString()), SystemLocale::userLocale());
}

TEST(SystemLocale, RejectsNamesNoLocaleAnswersTo)
{
    for (const char* name : {"xx_YY", "garbage", "c", "12", "_"})
        EXPECT_FALSE(SystemLocale::choose(latin(name)).has_value()) << name;
}

}  // namespace
