#include "toolkit/ui/CoolList.h"

#include "platform/SettingsFile.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class CoolListTest : public ::testing::Test {
protected:
    CoolListTest() : m_model(200, 4)
    {
        for (int r = 0; r < m_model.rowCount(); ++r)
            for (int c = 0; c < m_model.columnCount(); ++c)
                m_model.setItem(r, c, new QStandardItem(QStringLiteral("r%1c%2").arg(r).arg(c)));
        m_model.setHorizontalHeaderLabels({"", "Date", "Description", "Amount"});
        m_list.setModel(&m_model);
        m_list.setIconColumn(0);
        m_list.resize(400, 300);
        m_list.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_list));
    }
    QPoint cellCenter(int row, int column) { return m_list.visualRect(m_model.index(row, column)).center(); }

    QStandardItemModel m_model;
    CoolList m_list;
};

TEST_F(CoolListTest, HoldingAClickOpensTheContextMenuAsARightClickDoesAndTheIconColumnTaps)
{
    QSignalSpy menu(&m_list, &CoolList::contextMenuWanted);
    QSignalSpy icon(&m_list, &CoolList::iconTapped);
    // Released before 500 ms: a plain tap.
    QTest::mousePress(m_list.viewport(), Qt::LeftButton, {}, cellCenter(2, 2));
    QTest::mouseRelease(m_list.viewport(), Qt::LeftButton, {}, cellCenter(2, 2), 100);
    QTest::qWait(CoolList::HoldMs + 150);
    EXPECT_EQ(menu.count(), 0);
    EXPECT_EQ(m_list.currentRow(), 2);
    // Held: the menu for the held row.
    QTest::mousePress(m_list.viewport(), Qt::LeftButton, {}, cellCenter(3, 1));
    QTest::qWait(CoolList::HoldMs + 150);
    QTest::mouseRelease(m_list.viewport(), Qt::LeftButton, {}, cellCenter(3, 1));
    ASSERT_EQ(menu.count(), 1);
    EXPECT_EQ(menu.at(0).at(0).toInt(), 3);
    // A right click asks at once.
    QTest::mouseClick(m_list.viewport(), Qt::RightButton, {}, cellCenter(4, 2));
    ASSERT_EQ(menu.count(), 2);
    EXPECT_EQ(menu.at(1).at(0).toInt(), 4);
    // The icon column taps and never holds.
    QTest::mousePress(m_list.viewport(), Qt::LeftButton, {}, cellCenter(5, 0));
    QTest::qWait(CoolList::HoldMs + 150);
    QTest::mouseRelease(m_list.viewport(), Qt::LeftButton, {}, cellCenter(5, 0));
    ASSERT_EQ(icon.count(), 1);
    EXPECT_EQ(icon.at(0).at(0).toInt(), 5);
    EXPECT_EQ(menu.count(), 2);
}

TEST_F(CoolListTest, PageDownSelectsTheBottomRowThenMovesAPageAndEndAndHomeReachTheEnds)
{
    m_list.selectRow(0);
    const int page = m_list.pageRows();
    ASSERT_GT(page, 2);
    QTest::keyClick(&m_list, Qt::Key_PageDown);
    EXPECT_EQ(m_list.currentRow(), page - 1);
    EXPECT_EQ(m_list.rowAt(0), 0);
    QTest::keyClick(&m_list, Qt::Key_PageDown);
    EXPECT_EQ(m_list.currentRow(), 2 * page - 1);
    EXPECT_EQ(m_list.verticalScrollBar()->value(), page);
    QTest::keyClick(&m_list, Qt::Key_PageUp);
    EXPECT_EQ(m_list.currentRow(), page);
    QTest::keyClick(&m_list, Qt::Key_End);
    EXPECT_EQ(m_list.currentRow(), 199);
    QTest::keyClick(&m_list, Qt::Key_Down);
    EXPECT_EQ(m_list.currentRow(), 199);
    QTest::keyClick(&m_list, Qt::Key_Home);
    EXPECT_EQ(m_list.currentRow(), 0);
    QSignalSpy activated(&m_list, &CoolList::rowActivated);
    QTest::keyClick(&m_list, Qt::Key_Return);
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.at(0).at(0).toInt(), 0);
}

TEST_F(CoolListTest, ColumnLayoutSurvivesSaveAndLoadOnlyForTheSameColumnCount)
{
    QHeaderView* header = m_list.horizontalHeader();
    header->moveSection(3, 1);  // Amount before Date
    header->resizeSection(2, 177);
    QTemporaryDir dir;
    SettingsFile settings(dir.filePath(QStringLiteral("list.ini")));
    ASSERT_TRUE(m_list.saveColumns(settings, 7));

    CoolList other;
    other.setModel(&m_model);
    ASSERT_TRUE(other.loadColumns(settings, 7));
    EXPECT_EQ(other.horizontalHeader()->logicalIndex(1), 3);
    EXPECT_EQ(other.horizontalHeader()->sectionSize(2), 177);
    EXPECT_EQ(other.columnLayout().inDisplayOrder(), m_list.columnLayout().inDisplayOrder());
    EXPECT_FALSE(other.loadColumns(settings, 8));

    QStandardItemModel narrower(3, 3);
    CoolList third;
    third.setModel(&narrower);
    const std::vector<ListColumn> before = third.columnLayout().inDisplayOrder();
    EXPECT_FALSE(third.loadColumns(settings, 7));
    EXPECT_EQ(third.columnLayout().inDisplayOrder(), before);
}

}  // namespace
