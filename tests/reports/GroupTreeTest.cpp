#include "reports/GroupTree.h"

#include "reference/CurrencyCache.h"
#include "reports/HtmlGroupWriter.h"
#include "reports/HtmlRateText.h"

#include "ReportBook.h"

#include <QHash>

namespace {

// A tree table held in a map: id -> (parent, name).
struct FakeTree {
    QHash<qint32, std::pair<qint32, QString>> records;

    GroupTree::Lookup lookup() const
    {
        GroupTree::Lookup l;
        l.parentOf = [this](qint32 id) { return records.value(id).first; };
        l.nameOf = [this](qint32 id) { return records.value(id).second; };
        l.pathOf = [this](qint32 id) {
            return records.contains(id) ? QStringLiteral("p") + records.value(id).second : QString();
        };
        return l;
    }
};

GroupRow row(qint32 key, const QString& label, bool counted = true)
{
    GroupRow r;
    r.key = key;
    r.label = label;
    r.counted = counted;
    r.deposits = Money::fromHundredths(100);
    return r;
}

QStringList shape(const GroupTree& tree, size_t node, int level = 0)
{
    const GroupTreeNode& n = tree.nodes()[node];
    QStringList out{QString(level * 2, QLatin1Char(' ')) + n.name};
    for (const size_t c : n.children)
        out += shape(tree, c, level + 1);
    return out;
}

QStringList shape(const GroupTree& tree)
{
    QStringList out;
    for (const size_t t : tree.tops())
        out += shape(tree, t);
    return out;
}

TEST(GroupTree, MissingParentsAreAddedAndChildrenFollowInLabelOrder)
{
    FakeTree fake;
    fake.records = {{1, {0, "All"}}, {2, {1, "Food"}},   {3, {2, "Bread"}},
                    {4, {3, "Rye"}}, {5, {2, "Apples"}}, {6, {1, "Car"}}};
    GroupReport report;
    report.rows = {row(4, "pRye"), row(5, "pApples"),     row(6, "pCar"),
                   row(1, "All"),  row(0, "none", false), row(-3, "[x]", false)};
    const GroupTree tree = GroupTree::build(report, fake.lookup());
    EXPECT_EQ(shape(tree), (QStringList{"Car", "Food", "  Apples", "  Bread", "    Rye"}));
    EXPECT_EQ(tree.nodes().size(), 5u);
}

TEST(GroupTree, ALoopOfParentLinksStillReachesEveryNodeOnce)
{
    FakeTree fake;
    fake.records = {{2, {3, "A"}}, {3, {2, "B"}}, {4, {4, "Self"}}, {5, {99, "Orphan"}}};
    GroupReport report;
    report.rows = {row(2, "pA"), row(3, "pB"), row(4, "pSelf"), row(5, "pOrphan")};
    const GroupTree tree = GroupTree::build(report, fake.lookup());
    QStringList all = shape(tree);
    for (QString& s : all)
        s = s.trimmed();
    all.sort();
    EXPECT_EQ(all, (QStringList{"A", "B", "Orphan", "Self"}));
}

TEST(HtmlGroupWriter, TheBlockquoteRunDoublesPerLevel)
{
    const std::pair<int, int> cases[] = {{0, 1}, {1, 2}, {2, 4}, {3, 8}, {10, 1024}, {500, 1024}, {-4, 1}};
    for (const auto& [level, run] : cases)
        EXPECT_EQ(HtmlGroupWriter::indentOf(level), run) << level;
}

TEST(HtmlRateText, TheStatementReadsFromTheSideWorthMore)
{
    ReportBook rb;
    rb.addCurrency(1, QStringLiteral("USD"));
    rb.addCurrency(2, QStringLiteral("EUR"));
    rb.addCurrency(3, QStringLiteral("JPY"));
    CurrencyCache cache(rb.tables().currencies());
    ASSERT_TRUE(cache.reload());
    ASSERT_TRUE(cache.storeRate(QStringLiteral("EUR"), QStringLiteral("USD"), 1.25));
    ASSERT_TRUE(cache.storeRate(QStringLiteral("JPY"), QStringLiteral("USD"), 0.008));
    const struct {
        const char* code;
        const char* text;
    } cases[] = {
        {"EUR", "1EUR = 1.25USD"}, {"JPY", "1USD = 125JPY"}, {"USD", "1USD = 1USD"}, {"XAU", "1XAU = 1USD"}};
    for (const auto& c : cases)
        EXPECT_EQ(HtmlRateText::statement(cache, QString::fromLatin1(c.code), QStringLiteral("USD")),
                  QString::fromLatin1(c.text));
}

}  // namespace
