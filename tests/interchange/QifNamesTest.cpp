#include "QifImportTestBook.h"

#include "interchange/QifNames.h"

namespace {

struct Made {
    qint32 id;
    QString path;
    friend bool operator==(const Made&, const Made&) = default;
};

std::ostream& operator<<(std::ostream& os, const Made& m)
{
    return os << m.id << " " << m.path.toStdString();
}

// QifNames must give what the trees' own find-or-create by path gives, path
// for path, down to the ids of what it makes.
TEST(QifNames, AgreesWithTheTreesOwnFindOrCreate)
{
    const QStringList paths = {"Food",         "food:Groceries", "FOOD:GROCERIES", "Auto:Fuel",  "Auto::Fuel",
                               "Auto::Fuel",   ":Fuel",          ":Fuel",          "Fuel",       "All categories",
                               "All categories:Food", "All categories:Food", "a:b:c:d:e", "A:B:C:x", "x:y/z",
                               QStringLiteral("\u00C4pfel"), QStringLiteral("\u00E4PFEL:Sorte"), "Auto:Fuel"};
    QifImportTestBook viaNames;
    QifImportTestBook viaTree;
    QifNames names(viaNames.categories, viaNames.projects);
    std::vector<Made> byNames;
    std::vector<Made> byTree;
    for (const QString& path : paths) {
        const qint32 a = names.category(path);
        byNames.push_back({a, viaNames.categories.pathOf(a)});
        const qint32 b = viaTree.categories.findOrCreate(path, nullptr);
        byTree.push_back({b, viaTree.categories.pathOf(b)});
    }
    EXPECT_EQ(byNames, byTree);
    EXPECT_EQ(viaNames.categories.tree().records().size(), viaTree.categories.tree().records().size());
    EXPECT_EQ(names.category(""), 0);
}

TEST(QifNames, ProjectsAreAnotherTree)
{
    QifImportTestBook b;
    QifNames names(b.categories, b.projects);
    const qint32 trip = names.project("Trip:Spain");
    EXPECT_EQ(b.projects.pathOf(trip), "Trip:Spain");
    EXPECT_EQ(names.project("trip:spain"), trip);
    EXPECT_EQ(b.categories.findByPath("Trip:Spain"), 0);
    // What existed before the names were first looked up is found, not made again.
    const qint32 home = b.projects.createByPath("Home");
    QifNames fresh(b.categories, b.projects);
    EXPECT_EQ(fresh.project("HOME"), home);
    EXPECT_EQ(fresh.project("Trip:Spain"), trip);
}

TEST(QifNames, LongPathsThatShareNothingAreMadeOnce)
{
    // Each "L" line, as long as a line may be, names a path of 98 levels under a top of its own.
    QByteArray qif;
    for (int i = 0; i < 60; ++i) {
        qif += "D1/2/2003\nT1\nL" + QByteArray::number(10 + i);
        for (int level = 1; level < 98; ++level)
            qif += ":a";
        qif += "\n^\n";
    }
    QifImportTestBook b;
    ASSERT_TRUE(b.import(qif).ok);
    EXPECT_EQ(b.categories.tree().records().size(), 1u + 60u * 98u);
    ASSERT_TRUE(b.import(qif).ok);
    EXPECT_EQ(b.categories.tree().records().size(), 1u + 60u * 98u);
    EXPECT_EQ(b.rows().size(), 60u);
}

}  // namespace
