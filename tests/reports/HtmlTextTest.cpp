#include "reports/HtmlText.h"
#include "reports/HtmlHead.h"

#include "ReportBook.h"

#include <gtest/gtest.h>

namespace {

struct EscapeCase {
    const char* text;
    const char* escaped;
    const char* cell;
};

TEST(HtmlText, EscapesTheFourMarkupCharactersAndMarksEmptyCells)
{
    const EscapeCase cases[] = {
        {"", "", "&nbsp;"},
        {"plain", "plain", "plain"},
        {"A&B", "A&amp;B", "A&amp;B"},
        {"<b>x</b>", "&lt;b&gt;x&lt;/b&gt;", "&lt;b&gt;x&lt;/b&gt;"},
        {"say \"hi\"", "say &quot;hi&quot;", "say &quot;hi&quot;"},
        {"&amp;", "&amp;amp;", "&amp;amp;"},
        {"it's é", "it's é", "it's é"},
        {" ", " ", " "},
    };
    for (const EscapeCase& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(HtmlText::escape(text), QString::fromUtf8(c.escaped)) << c.text;
        EXPECT_EQ(HtmlText::cell(text), QString::fromUtf8(c.cell)) << c.text;
    }
}

class HtmlHeadTest : public ::testing::Test {
protected:
    LocaleValues locale;  // M/d/yyyy
    FileTime low = at(2003, 1, 1, 0);
    FileTime high = at(2003, 12, 31, 23, 59, 59, 999);

    static QString opening(const QString& title)
    {
        return QStringLiteral("<html> \n<head> \n<title>") + title +
               QStringLiteral("  1/1/2003 through 12/31/2003</title> \n<body>"
                              "<meta name=\"GENERATOR\" content=\"Brenfield Sumora 1.0\"> \n</head>"
                              "<p align=\"center\"><font size=\"4\"><strong>") +
               title +
               QStringLiteral("<br> \n</strong>period  1/1/2003 through 12/31/2003</font></p> \n\n"
                              "<p align=\"left\">");
    }
};

TEST_F(HtmlHeadTest, WithoutListsItSaysAllTransactions)
{
    const QString expected = opening(QStringLiteral("List Transactions")) +
                             QStringLiteral("<font size=\"2\"><strong>All Transactions</strong></font></p>");
    EXPECT_EQ(HtmlHead::text(QStringLiteral("List Transactions"), low, high, {}, locale), expected);
}

TEST_F(HtmlHeadTest, ListsAreNamedEachOnItsLineAndOnlyWhenSet)
{
    HtmlHead::FilterNames names;
    names.accounts = QStringList{QStringLiteral("Cash"), QStringLiteral("Bank")};
    names.projects = QStringList{QStringLiteral("Home:Garden")};
    const QString expected =
        opening(QStringLiteral("R")) + QStringLiteral("<font size=\"2\"><strong>Filter to </strong>"
                                                      "<strong>Accounts: </strong>[Cash] [Bank] <br> \n"
                                                      "<strong>Projects: </strong>[Home:Garden] <br> \n"
                                                      "</font></p>");
    EXPECT_EQ(HtmlHead::text(QStringLiteral("R"), low, high, names, locale), expected);
}

TEST_F(HtmlHeadTest, TitleAndNamesFromTheBookAreEscaped)
{
    HtmlHead::FilterNames names;
    names.categories = QStringList{QStringLiteral("<script>"), QStringLiteral("A&B")};
    const QString html = HtmlHead::text(QStringLiteral("Q&A \"<i>\""), low, high, names, locale);
    EXPECT_TRUE(html.startsWith(opening(QStringLiteral("Q&amp;A &quot;&lt;i&gt;&quot;"))));
    EXPECT_TRUE(
        html.contains(QStringLiteral("<strong>Categories: </strong>[&lt;script&gt;] [A&amp;B] <br> \n")));
    EXPECT_FALSE(html.contains(QStringLiteral("<script>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<i>")));
}

TEST_F(HtmlHeadTest, DatesFollowTheLocale)
{
    locale.shortDateFormat = QStringLiteral("dd.MM.yyyy");
    const QString html = HtmlHead::text(QStringLiteral("T"), low, high, {}, locale);
    EXPECT_TRUE(html.contains(QStringLiteral("<title>T  01.01.2003 through 31.12.2003</title>")));
}

}  // namespace
