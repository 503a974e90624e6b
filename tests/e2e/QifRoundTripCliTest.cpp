// A QIF file that tallyra-cli exports imports back, in the same locale, into
// an empty account with every date and amount as they were: for locales that
// put the month, the day or the year first, with dates on both sides of 2000.

#include "CliBook.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>

namespace {

struct Posting {
    const char* date;
    const char* amount;
};

// Days that settle the order (25 Dec) and days that do not (5 Dec 2003,
// 12 May 2003), two-digit years that look like days (2013, 2031) and the
// ends of the windows the import reads.
const Posting Postings[] = {
    {"1970-01-01", "1.00"},
    {"1970-12-31", "-0.01"},
    {"1985-07-04", "-1234567.89"},
    {"1999-12-05", "12.50"},
    {"1999-12-25", "-99.99"},
    {"2000-01-01", "1000"},
    {"2003-05-12", "-5"},
    {"2003-12-05", "0.10"},
    {"2003-12-25", "-12.50"},
    {"2013-01-05", "77.77"},
    {"2031-01-31", "-3.33"},
    {"2037-12-31", "123456.78"},
    // A plan's occurrence after 2038, posted and exported with the short year.
    {"2040-02-29", "-40.00"},
    {"2069-12-31", "69.69"},
};

class QifRoundTripCliTest : public CliBook, public ::testing::WithParamInterface<const char*> {
protected:
    QStringList inLocale(const QStringList& arguments) const
    {
        return QStringList{QStringLiteral("--locale"), QString::fromLatin1(GetParam())} + arguments;
    }
    // Day and amount of every transaction of the account, in register order.
    std::vector<std::pair<QString, qint64>> daysAndAmounts(const QString& account)
    {
        std::vector<std::pair<QString, qint64>> out;
        const QJsonArray rows =
            json(inLocale({"register", account})).object()[QStringLiteral("transactions")].toArray();
        for (const QJsonValue& row : rows)
            out.emplace_back(row[QStringLiteral("date")].toString().left(10),
                             row[QStringLiteral("amount")].toInteger());
        return out;
    }
};

TEST_P(QifRoundTripCliTest, ExportedFileImportsBackWithEveryDateAndAmount)
{
    ok(inLocale({"init", "Cash", "USD"}));
    ok(inLocale({"account-add", "Copy", "USD"}));
    // Entered in a mixed order, so the register's order is the dates' own.
    std::vector<Posting> entered(std::begin(Postings), std::end(Postings));
    std::reverse(entered.begin(), entered.end());
    std::rotate(entered.begin(), entered.begin() + 5, entered.end());
    for (const Posting& p : entered)
        ok(inLocale({"add", "Cash", QString::fromLatin1(p.amount), "--date", QString::fromLatin1(p.date),
                     "--desc", QStringLiteral("on ") + QString::fromLatin1(p.date)}));
    const auto original = daysAndAmounts(QStringLiteral("Cash"));
    ASSERT_EQ(original.size(), std::size(Postings));

    const QString file = m_dir.filePath(QStringLiteral("cash.qif"));
    ok(inLocale({"export", "Cash", file, "--from", "1970-01-01", "--to", "2069-12-31"}));
    const QJsonObject imported = json(inLocale({"import", "Copy", file})).object();
    EXPECT_EQ(imported[QStringLiteral("added")].toInteger(), static_cast<qint64>(std::size(Postings)));
    EXPECT_EQ(imported[QStringLiteral("dropped")].toInteger(), 0);

    const auto copy = daysAndAmounts(QStringLiteral("Copy"));
    ASSERT_EQ(copy.size(), original.size());
    for (size_t i = 0; i < copy.size(); ++i) {
        EXPECT_EQ(copy[i].first, original[i].first) << i;
        EXPECT_EQ(copy[i].second, original[i].second) << original[i].first.toStdString();
    }
    expectCheckPasses();
}

INSTANTIATE_TEST_SUITE_P(Locales, QifRoundTripCliTest,
                         ::testing::Values("en_US", "en_GB", "de_DE", "fr_FR", "sv_SE", "ja_JP"),
                         [](const ::testing::TestParamInfo<const char*>& locale) {
                             return std::string(locale.param);
                         });

}  // namespace
