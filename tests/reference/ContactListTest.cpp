#include "reference/ContactList.h"

#include <gtest/gtest.h>

namespace {

// Cards holding only a company list as "company|", which keeps the lines of
// these tests short.
ContactList listOf(std::initializer_list<const char*> companies)
{
    QList<ContactCard> cards;
    for (const char* company : companies)
        cards.append(ContactCard{.company = QString::fromUtf8(company)});
    ContactList list;
    list.setCards(cards);
    return list;
}

TEST(ContactList, SortsWithoutRegardToCaseThenByCodeUnit)
{
    const ContactList list = listOf({"bob", "alice", "Carol", "Alice", "\u00c9mile", "Zed", "alice"});
    const QStringList expected = {"Alice|", "alice|", "alice|", "bob|", "Carol|", "Zed|", "\u00c9mile|"};
    EXPECT_EQ(list.lines(), expected);
}

TEST(ContactList, LeavesOutCardsWithoutNameOrCompany)
{
    ContactList list;
    list.setCards({ContactCard{.work = "1"}, ContactCard{.lastName = "Kept"}, ContactCard{}});
    EXPECT_EQ(list.lines(), QStringList{"  Kept|"});
}

TEST(ContactList, PrefixSearchStartsAfterTheGivenRowAndWrapsRound)
{
    const ContactList list = listOf({"Smith A", "Smith B", "Jones", "Smythe"});
    // Sorted: Jones, Smith A, Smith B, Smythe.
    struct PrefixCase {
        const char* text;
        int after;
        int expected;
    };
    const PrefixCase cases[] = {
        {"smith", 0, 1},     {"smith", 1, 2}, {"smith", 2, 1}, {"SMITH B", 0, 2}, {"jones", 0, 0},
        {"j", 3, 0},         {"sm", -1, 1},   {"sm", 3, 1},    {"sm", 99, 1},     {"s", 2, 3},
        {"smithers", 0, -1}, {"ones", 0, -1}, {"", 0, 1},      {"", -1, 0},
    };
    for (const PrefixCase& c : cases)
        EXPECT_EQ(list.findPrefix(QString::fromUtf8(c.text), c.after), c.expected)
            << c.text << " after " << c.after;
}

TEST(ContactList, PrefixSearchFindsTheFirstLineWhenOnlyItMatches)
{
    const ContactList list = listOf({"Aaron", "Bea", "Cy"});
    EXPECT_EQ(list.findPrefix(u"aa", 0), 0);
    EXPECT_EQ(listOf({"Only"}).findPrefix(u"on", 0), 0);
    EXPECT_EQ(ContactList().findPrefix(u"x", 0), -1);
}

TEST(ContactList, ContainsSearchGoesDownFromARowWithoutWrapping)
{
    const ContactList list = listOf({"Ann Smith", "Bob Smithers", "Cy Jones", "Di Smith"});
    struct ContainsCase {
        const char* text;
        int from;
        int expected;
    };
    const ContainsCase cases[] = {
        {"smith", 0, 0},  {"smith", 1, 1}, {"smith", 2, 3}, {"smith", 4, -1}, {"SMITH", 3, 3},
        {"jones", 3, -1}, {"|", 2, 2},     {"", 1, 1},      {"smith", -5, 0}, {"zzz", 0, -1},
    };
    for (const ContainsCase& c : cases)
        EXPECT_EQ(list.findContaining(QString::fromUtf8(c.text), c.from), c.expected)
            << c.text << " from " << c.from;
}

TEST(ContactList, ComparesInLowerCaseBeyondAscii)
{
    const ContactList list = listOf({"\u00c4rger GmbH", "\u00d6hm"});
    EXPECT_EQ(list.findPrefix(u"\u00f6h", 0), 1);
    EXPECT_EQ(list.findContaining(u"RGER", 0), 0);
}

}  // namespace
