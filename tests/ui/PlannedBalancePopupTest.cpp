#include "planning/ui/PlannedBalancePopup.h"

#include "RegisterBook.h"
#include "planning/PlannerEditor.h"

#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTest>

namespace {

// A monthly payment of 50.00 EUR to "Savings" from 5 March, listed up to the
// end of May: three occurrences.
class PlannedBalancePopupTest : public RegisterBook {
protected:
    void SetUp() override
    {
        RegisterBook::SetUp();
        PlannerEditor editor(PlannerEditorContext{m_book.tables(), m_book.currencies(), m_book.categories(),
                                                  m_book.projects(), m_book.future(), m_clock, m_locale,
                                                  m_ui});
        editor.loadNew(QStringLiteral("EUR"));
        editor.setDescription(QStringLiteral("Saving"));
        editor.setAmountText(QStringLiteral("50.00"));
        editor.setCategoryText(QStringLiteral("[Savings]"));
        editor.setRule(5);
        ASSERT_TRUE(editor.save().isSaved());
        ASSERT_TRUE(m_book.future().build(*fileTimeFromLocal(LocalTime{2024, 5, 31}), false));
    }

    Prognosis prognosis()
    {
        return Prognosis(m_book.future(), m_book.currencies(), m_book.categories(), m_locale);
    }
    PlannedBalancePopup::Request request(bool withCategories)
    {
        return {m_book.future().horizon(), QStringLiteral("EUR"), withCategories};
    }
    static QStringList texts(const QMenu& menu)
    {
        QStringList out;
        for (const QAction* a : menu.actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }
};

TEST_F(PlannedBalancePopupTest, AccountPageShowsTheTotalByCurrencyAndTheCategories)
{
    Prognosis p = prognosis();
    QMenu menu;
    PlannedBalancePopup::fill(menu, p, request(true));
    const QString total = QStringLiteral("Total: -150.00 EUR - Total amount of all currencies (converted)");
    EXPECT_EQ(menu.accessibleName(), QStringLiteral("Balance of Planned Transactions"));
    EXPECT_EQ(texts(menu),
              QStringList({QStringLiteral("Balance of Planned Transactions"), QStringLiteral("-"), total,
                           QStringLiteral("Prognosis by Categories")}));
    const QList<QAction*> items = menu.actions();
    ASSERT_NE(items[2]->menu(), nullptr);
    EXPECT_EQ(texts(*items[2]->menu()),
              QStringList({total, QStringLiteral("-"), QStringLiteral("Deposit:  0.00 EUR"),
                           QStringLiteral("Payment:  -150.00 EUR")}));
    ASSERT_NE(items[3]->menu(), nullptr);
    EXPECT_EQ(texts(*items[3]->menu()), QStringList({QStringLiteral("Category\tTotal"), QStringLiteral("-"),
                                                     QStringLiteral("[Savings]\t-150.00 EUR")}));
}

TEST_F(PlannedBalancePopupTest, ProjectPageLeavesTheCategoriesOutAndAnEarlierHorizonCountsLess)
{
    ASSERT_TRUE(m_book.future().build(*fileTimeFromLocal(LocalTime{2024, 4, 30}), false));
    Prognosis p = prognosis();
    QMenu menu;
    PlannedBalancePopup::fill(menu, p, request(false));
    EXPECT_EQ(
        texts(menu),
        QStringList({QStringLiteral("Balance of Planned Transactions"), QStringLiteral("-"),
                     QStringLiteral("Total: -100.00 EUR - Total amount of all currencies (converted)")}));
}

TEST_F(PlannedBalancePopupTest, OpensCentredOnTheLabelAndUpwardsAtTheScreensFoot)
{
    QLabel label(QStringLiteral("Prognosis: -150.00 EUR"));
    label.resize(200, 20);
    const QRect screen = label.screen()->availableGeometry();
    const QSize size(120, 300);

    label.move(screen.left() + 100, screen.top() + 10);
    label.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&label));
    const QPoint centre = label.mapToGlobal(QPoint(label.width() / 2, 0));
    QPoint at = PlannedBalancePopup::position(label, size);
    EXPECT_EQ(at.x() + size.width() / 2, centre.x());
    EXPECT_EQ(at.y(), label.mapToGlobal(QPoint(0, label.height())).y());

    label.move(screen.left() + 100, screen.bottom() - 30);
    QCoreApplication::processEvents();
    at = PlannedBalancePopup::position(label, size);
    EXPECT_EQ(at.y() + size.height(), label.mapToGlobal(QPoint(0, 0)).y());
}

}  // namespace
