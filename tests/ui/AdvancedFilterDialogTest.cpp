#include "reports/ui/AdvancedFilterDialog.h"

#include "reports/ReportFilter.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class AdvancedFilterDialogTest : public ::testing::Test {
protected:
    template <typename W> W* named(AdvancedFilterDialog& dialog, const QString& name)
    {
        for (W* w : dialog.findChildren<W*>()) {
            if (w->accessibleName() == name)
                return w;
        }
        ADD_FAILURE() << "no control " << name.toStdString();
        return nullptr;
    }
    ReportFilter m_filter;
};

TEST_F(AdvancedFilterDialogTest, AmountsTypedInAnyShapeAreReadOrRefusedAndTheRangeIsOrdered)
{
    AdvancedFilterDialog dialog(m_filter);
    named<QCheckBox>(dialog, QStringLiteral("Amount in:"))->setChecked(true);
    QLineEdit* low = named<QLineEdit>(dialog, QStringLiteral("Amount in:"));
    QLineEdit* high = named<QLineEdit>(dialog, QStringLiteral("out"));
    low->setText(QStringLiteral("  abc "));
    high->setText(QStringLiteral("50"));
    QString said;
    QTimer::singleShot(0, [&said] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        said = box->text();
        box->accept();
    });
    const quint64 before = m_filter.changeCount();
    dialog.accept();
    EXPECT_EQ(said, QString::fromLatin1(AdvancedFilterDialog::BadAmountText));
    EXPECT_EQ(dialog.result(), 0);  // still open
    EXPECT_EQ(m_filter.changeCount(), before);

    low->setText(QStringLiteral(" 100.005 "));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(m_filter.amountLow().hundredths(), 5000);
    EXPECT_EQ(m_filter.amountHigh().hundredths(), 10001);  // half away from zero
    EXPECT_TRUE(m_filter.amountActive());

    // An empty field leaves its side open; it opens with the bounds in plain form.
    AdvancedFilterDialog again(m_filter);
    EXPECT_EQ(named<QLineEdit>(again, QStringLiteral("Amount in:"))->text(), QStringLiteral("50.00"));
    named<QLineEdit>(again, QStringLiteral("out"))->clear();
    again.accept();
    EXPECT_EQ(m_filter.amountHigh().hundredths(), ReportFilter::DefaultAmountHigh);
    EXPECT_TRUE(m_filter.amountActive());
}

TEST_F(AdvancedFilterDialogTest, UncheckingTheListsBoxClearsThemAndTextsFollowTheirBoxes)
{
    ASSERT_TRUE(m_filter.addId(ReportFilter::IdKind::Projects, 7));
    m_filter.setText(ReportFilter::TextField::Note, QStringLiteral("rent"));
    AdvancedFilterDialog dialog(m_filter);
    QCheckBox* lists = named<QCheckBox>(dialog, QStringLiteral("Filter Accounts/Categories/Projects"));
    EXPECT_TRUE(lists->isEnabled() && lists->isChecked());
    EXPECT_EQ(named<QLineEdit>(dialog, QStringLiteral("Note:"))->text(), QStringLiteral("RENT"));
    lists->setChecked(false);
    named<QCheckBox>(dialog, QStringLiteral("Note:"))->setChecked(false);
    named<QCheckBox>(dialog, QStringLiteral("Description:"))->setChecked(true);
    named<QLineEdit>(dialog, QStringLiteral("Description:"))->setText(QStringLiteral("pizza"));
    named<QCheckBox>(dialog, QStringLiteral("Cleared (C)"))->setChecked(true);
    dialog.accept();
    EXPECT_TRUE(dialog.clearedLists());
    EXPECT_FALSE(m_filter.hasLists());
    EXPECT_FALSE(m_filter.textActive(ReportFilter::TextField::Note));
    EXPECT_EQ(m_filter.text(ReportFilter::TextField::Description), QStringLiteral("PIZZA"));
    EXPECT_TRUE(m_filter.markFlag(ReconcileMark::Cleared));
    EXPECT_FALSE(m_filter.markFlag(ReconcileMark::Reconciled));
}

}  // namespace
