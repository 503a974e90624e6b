#include "reference/ContactLine.h"

#include <gtest/gtest.h>

namespace {

struct LineCase {
    const char* what;
    ContactCard card;
    const char* line;
};

TEST(ContactLine, BuildsNameGroupThenNumbersInTheirOrder)
{
    const LineCase cases[] = {
        {"every slot",
         {.firstName = "John",
          .middleName = "Q",
          .lastName = "Smith",
          .company = "Acme",
          .work = "1",
          .secondWork = "2",
          .mobile = "3",
          .pager = "4",
          .home = "5",
          .secondHome = "6"},
         "John Q Smith [Acme]| 1w, 3m, 2w, Pager:4, 5h, 6h"},
        {"names, company, work, mobile, pager",
         {.firstName = "John",
          .middleName = "Q",
          .lastName = "Smith",
          .company = "Acme",
          .work = "555",
          .mobile = "666",
          .pager = "777"},
         "John Q Smith [Acme]| 555w, 666m, Pager:777"},
        {"only a last name keeps both blanks", {.lastName = "Smith"}, "  Smith|"},
        {"only a first name", {.firstName = "Ann"}, "Ann  |"},
        {"only a middle name", {.middleName = "M"}, " M |"},
        {"company and a home number", {.company = "Acme", .home = "555"}, "Acme|, 555h"},
        {"no work number: the first separator is a comma",
         {.firstName = "A", .lastName = "B", .mobile = "9"},
         "A  B|, 9m"},
        {"second work without first", {.firstName = "A", .secondWork = "8"}, "A  |, 8w"},
        {"second home without first", {.firstName = "A", .secondHome = "8"}, "A  |, 8h"},
        {"pager alone", {.company = "Beeper", .pager = "0"}, "Beeper|, Pager:0"},
    };
    for (const LineCase& c : cases)
        EXPECT_EQ(contactLine(c.card), QString::fromUtf8(c.line)) << c.what;
}

TEST(ContactLine, ListsNoContactWithoutNameOrCompany)
{
    EXPECT_TRUE(contactLine({}).isEmpty());
    EXPECT_TRUE(contactLine({.work = "1", .mobile = "2", .home = "3"}).isEmpty());
}

TEST(ContactLine, ChoosesTheNameGroupWithTrailingBlanksRemoved)
{
    struct ChosenCase {
        const char* line;
        const char* chosen;
    };
    const ChosenCase cases[] = {
        {"John Q Smith [Acme]| 1w", "John Q Smith [Acme]"},
        {"  Smith|", "  Smith"},
        {"Ann  |, 5h", "Ann"},
        {"Acme|, 555h", "Acme"},
        {"No bar at all  ", "No bar at all"},
        {"Two|bars|here", "Two"},
        {"|, 5h", ""},
        {"   |", ""},
        {"", ""},
        {"Tab\t|", "Tab\t"},
    };
    for (const ChosenCase& c : cases)
        EXPECT_EQ(chosenContact(QString::fromUtf8(c.line)), QString::fromUtf8(c.chosen)) << c.line;
}

TEST(ContactLine, ChoosingALineGivesBackItsNameGroup)
{
    const ContactCard cards[] = {
        {.lastName = "Smith", .work = "1"},
        {.firstName = "Ann", .company = "Co", .home = "2"},
        {.company = "Solo", .pager = "3"},
    };
    const char* const names[] = {"  Smith", "Ann   [Co]", "Solo"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(chosenContact(contactLine(cards[i])), QString::fromUtf8(names[i]));
}

}  // namespace
