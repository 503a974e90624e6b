#include "reference/CurrencyRecords.h"

#include "CurrencyBook.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

TEST(CurrencyRecords, ReadsRateTextsKeyedByTheOtherNumber)
{
    CurrencyBook book;
    book.add(2, "BBB", "b", "Beta", {{1, "0.50000"}, {7, ""}});
    book.add(1, "AAA", "a", "Alpha");
    const auto records = CurrencyRecords(book.table()).readAll();
    ASSERT_TRUE(records.has_value());
    ASSERT_EQ(records->size(), 2u);
    EXPECT_EQ((*records)[0].code, s("AAA"));
    EXPECT_TRUE((*records)[0].rateTexts.empty());
    const auto& rates = (*records)[1].rateTexts;
    ASSERT_EQ(rates.size(), 2u);
    EXPECT_EQ(rates.at(1), s("0.50000"));
    EXPECT_EQ(rates.at(7), QString());
}

TEST(CurrencyRecords, LeavesTheCursorInTheOrderItFoundIt)
{
    CurrencyBook book;
    book.add(1, "AAA");
    ASSERT_TRUE(book.table().open());  // no sort
    CurrencyRecords records(book.table());
    ASSERT_TRUE(records.readAll().has_value());
    EXPECT_EQ(book.table().sortKind(), DbTable::SortKind::None);
    EXPECT_EQ(records.registerCurrency(s("BBB"), s("b"), s("Beta")), 2);
    EXPECT_EQ(book.table().sortKind(), DbTable::SortKind::None);

    ASSERT_TRUE(book.table().resortByInteger(Prop::CurrencyNumber));
    EXPECT_TRUE(records.writeRatePair(1, 2, 3.0));
    EXPECT_EQ(book.table().sortKind(), DbTable::SortKind::Integer);
    EXPECT_EQ(book.table().sortId(), Prop::CurrencyNumber);
}

TEST(CurrencyRecords, WriteRatePairRefusesBadPairs)
{
    CurrencyBook book;
    book.add(1, "AAA");
    book.add(2, "BBB");
    CurrencyRecords records(book.table());
    const struct {
        qint32 from;
        qint32 to;
        double rate;
    } cases[] = {{1, 1, 2.0}, {1, 3, 2.0}, {0, 1, 2.0}, {-1, 2, 2.0}, {1, 2, 0.0}, {1, 2, -1.0}};
    for (const auto& c : cases)
        EXPECT_FALSE(records.writeRatePair(c.from, c.to, c.rate)) << c.from << "->" << c.to << " " << c.rate;
    EXPECT_EQ(book.rateText(1, 2), s("<none>"));
    EXPECT_EQ(book.rateText(2, 1), s("<none>"));
}

TEST(CurrencyRecords, NormaliseUpperCasesCodesAndRestoresBuiltInNames)
{
    CurrencyBook book;
    book.add(1, "usd", "$", "Dollars");
    book.add(2, "NLG", "dg", "Dutch Guilder");
    book.add(3, "sar", "sr", "Saudi Riyal");
    book.add(4, "abc", "x", "Home Made");
    book.add(5, "EUR", "e", "Euro");
    book.add(6, "zwd", "z", "Zimbabwe");
    ASSERT_TRUE(CurrencyRecords(book.table()).normalise());
    // A code of two built-in rows (NLG, SAR) keeps the name it was stored with.
    const std::tuple<qint32, const char*, const char*> expected[] = {
        {1, "USD", "US Dollar"}, {2, "NLG", "Dutch Guilder"}, {3, "SAR", "Saudi Riyal"},
        {4, "ABC", "Home Made"}, {5, "EUR", "Euro"},          {6, "ZWD", "Zimbabwe Dollar"},
    };
    for (const auto& [number, code, name] : expected) {
        EXPECT_EQ(book.text(number, Prop::CurrencyCode), s(code)) << number;
        EXPECT_EQ(book.text(number, Prop::CurrencyName), s(name)) << number;
    }
    EXPECT_EQ(book.text(1, Prop::Symbol), s("$"));  // symbols are the user's
}

TEST(CurrencyRecords, NormaliseWritesNothingWhenNothingChanges)
{
    CurrencyBook book;
    book.add(1, "USD", "$", "US Dollar");
    book.add(2, "ABC", "x", "Home Made");
    book.store().setWriteFault([] { return true; });
    EXPECT_TRUE(CurrencyRecords(book.table()).normalise());
    book.store().setWriteFault({});
}

TEST(CurrencyRecords, NormaliseIsAllOrNothing)
{
    CurrencyBook book;
    book.add(1, "usd", "$", "US Dollar");
    book.add(2, "eur", "eu", "Euro");
    int writes = 0;
    book.store().setWriteFault([&writes] { return ++writes > 1; });
    EXPECT_FALSE(CurrencyRecords(book.table()).normalise());
    book.store().setWriteFault({});
    EXPECT_EQ(book.text(1, Prop::CurrencyCode), s("usd"));
    EXPECT_EQ(book.text(2, Prop::CurrencyCode), s("eur"));
}

TEST(CurrencyRecords, RegistrationMatchesAStoredCodeRegardlessOfCase)
{
    CurrencyBook book;
    book.add(1, "usd", "$", "Dollars");
    CurrencyRecords records(book.table());
    EXPECT_EQ(records.registerCurrency(s("USD"), s("us$"), s("US Dollar")), 1);
    EXPECT_EQ(book.table().count(), 1);
    EXPECT_EQ(book.text(1, Prop::CurrencyCode), s("USD"));
    EXPECT_EQ(book.text(1, Prop::Symbol), s("us$"));
    EXPECT_EQ(book.text(1, Prop::CurrencyName), s("US Dollar"));
}

TEST(CurrencyRecords, RegistrationStopsWhereNumbersRunOut)
{
    CurrencyBook book;
    book.add(Prop::MaxCurrencyNumber, "TOP");
    EXPECT_EQ(CurrencyRecords(book.table()).registerCurrency(s("NEW"), s("n"), s("New")), 0);
    EXPECT_EQ(book.table().count(), 1);
}

}  // namespace
