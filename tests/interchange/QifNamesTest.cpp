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
    // Paths that name the root are left to PathsNamingTheRootFindWhatTheyMade.
    const QStringList paths = {"Food",
                               "food:Groceries",
                               "FOOD:GROCERIES",
                               "Auto:Fuel",
                               "Auto::Fuel",
                               "Auto::Fuel",
                               ":Fuel",
                               "Fuel",
                               "All categories",
                               "a:b:c:d:e",
                               "A:B:C:x",
                               "x:y/z",
                               "Auto:",
                               "auto:",
                               QStringLiteral("\u00C4pfel"),
                               QStringLiteral("\u00E4PFEL:Sorte"),
                               "Auto:Fuel"};
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

// ":Fuel" and "All categories:Fuel" make a top-level "Fuel", whose path is
// "Fuel": the tree's find by path never finds them again, so without care each
// record, and each re-import, would make one more "Fuel".
TEST(QifNames, PathsNamingTheRootFindWhatTheyMade)
{
    QifImportTestBook b;
    QifNames names(b.categories, b.projects);
    const qint32 fuel = names.category(":Fuel");
    ASSERT_NE(fuel, 0);
    EXPECT_EQ(b.categories.pathOf(fuel), "Fuel");
    EXPECT_EQ(names.category(":Fuel"), fuel);
    EXPECT_EQ(names.category("All categories:fuel"), fuel);
    EXPECT_EQ(names.category("Fuel"), fuel);
    const qint32 diesel = names.category("all categories:Fuel:Diesel");
    EXPECT_EQ(b.categories.pathOf(diesel), "Fuel:Diesel");
    EXPECT_EQ(names.category("Fuel:Diesel"), diesel);
    EXPECT_EQ(b.categories.tree().records().size(), 3u);  // root, Fuel, Diesel

    // A later import reads the tree afresh and still finds them.
    QifNames later(b.categories, b.projects);
    EXPECT_EQ(later.category("ALL CATEGORIES:FUEL:diesel"), diesel);
    EXPECT_EQ(later.category(":fuel"), fuel);
    EXPECT_EQ(later.project("All projects:Trip"), later.project(":Trip"));
    EXPECT_EQ(b.projects.tree().records().size(), 2u);
    EXPECT_EQ(b.categories.tree().records().size(), 3u);

    // So a file that writes its paths so imports once and re-imports into the same transactions.
    const QByteArray qif = "D1/2/2003\nT1\nL:Fuel/:Trip\n^\n"
                           "D1/3/2003\nT2\nLAll categories:Fuel/All projects:Trip\n^\n";
    ASSERT_EQ(b.import(qif).added, 2);
    const QifImportResult again = b.import(qif);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.merged, 2);
    for (const QifRow& row : b.rows())
        EXPECT_EQ(row.category, fuel);
    EXPECT_EQ(b.categories.tree().records().size(), 3u);
    EXPECT_EQ(b.projects.tree().records().size(), 2u);
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
