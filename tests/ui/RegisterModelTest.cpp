#include "accounts/ui/RegisterModel.h"

#include "RegisterBook.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QFont>

namespace {

class RegisterModelTest : public RegisterBook {
protected:
    void SetUp() override
    {
        RegisterBook::SetUp();
        ASSERT_TRUE(m_reg.select(1));
    }
    RegisterModel::Now now() const
    {
        return [this] { return *fileTimeFromLocal(m_clock.now()); };
    }
    static QString text(const RegisterModel& model, int row, RegisterColumn column)
    {
        return model.data(model.index(row, model.columnOf(column))).toString();
    }
    static QColor color(const RegisterModel& model, int row, RegisterColumn column, int role)
    {
        return model.data(model.index(row, model.columnOf(column)), role).value<QColor>();
    }

    Register m_reg{m_book.tables(), m_book.currencies(), m_locale, m_book.future()};
};

TEST_F(RegisterModelTest, PassesTheModelTesterThroughSwitchesResetsAndRowChanges)
{
    RegisterModel model(m_reg, now(), false);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(model.rowCount(), 3);
    model.setWithPanel(true);
    EXPECT_EQ(model.columnCount(), 4);
    ASSERT_TRUE(m_reg.select(m_second));
    model.sync();
    EXPECT_EQ(model.rowCount(), 2);
    ASSERT_TRUE(m_reg.toggleMark(0));
    model.rowChanged(0);
    // A sync with nothing moved since keeps the rows (no reset).
    int resets = 0;
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&resets] { ++resets; });
    model.sync();
    EXPECT_EQ(resets, 0);
    model.sync(true);
    EXPECT_EQ(resets, 1);
}

TEST_F(RegisterModelTest, BothColumnSetsShowTheRegistersCellsUnderItsHeadings)
{
    RegisterModel model(m_reg, now(), false);
    QStringList headings;
    for (int c = 0; c < model.columnCount(); ++c)
        headings << model.headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headings, QStringList({"", "Date", "No", "Description", "Deposit", "Payment", "Balance"}));
    EXPECT_EQ(text(model, 0, RegisterColumn::Description), QStringLiteral("Opening Balance"));
    EXPECT_EQ(text(model, 1, RegisterColumn::Description), QStringLiteral("Groceries"));
    EXPECT_TRUE(text(model, 1, RegisterColumn::Deposit).isEmpty());
    EXPECT_TRUE(text(model, 1, RegisterColumn::Payment).contains(QStringLiteral("40.00")));
    EXPECT_TRUE(text(model, 1, RegisterColumn::Balance).contains(QStringLiteral("15.00")));
    EXPECT_EQ(text(model, 2, RegisterColumn::Description), QStringLiteral("<_New_Transaction_>"));
    EXPECT_FALSE(text(model, 2, RegisterColumn::Date).isEmpty());
    EXPECT_EQ(model.data(model.index(1, 0), Qt::AccessibleTextRole).toString(),
              QStringLiteral("Unreconciled"));
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::AccessibleTextRole).toString(), QStringLiteral("Mark"));

    model.setWithPanel(true);
    headings.clear();
    for (int c = 0; c < model.columnCount(); ++c)
        headings << model.headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headings, QStringList({"", "Date", "Description", "Amount"}));
    EXPECT_EQ(model.columnOf(RegisterColumn::Balance), -1);
    EXPECT_TRUE(text(model, 1, RegisterColumn::Amount).contains(QStringLiteral("40.00")));
    EXPECT_TRUE(text(model, 2, RegisterColumn::Amount).isEmpty());
}

TEST_F(RegisterModelTest, ColoursBandsFontsAndAlignmentFollowTheRowStyles)
{
    RegisterModel model(m_reg, now(), false);
    const QColor red(255, 50, 50);
    // The negative balance is red in the Balance cell only.
    EXPECT_EQ(color(model, 1, RegisterColumn::Balance, Qt::ForegroundRole), red);
    EXPECT_FALSE(
        model.data(model.index(1, model.columnOf(RegisterColumn::Payment)), Qt::ForegroundRole).isValid());
    EXPECT_FALSE(
        model.data(model.index(0, model.columnOf(RegisterColumn::Balance)), Qt::ForegroundRole).isValid());
    // Even rows banded, odd rows in the default background.
    EXPECT_EQ(color(model, 0, RegisterColumn::Date, Qt::BackgroundRole), QColor(198, 255, 255));
    EXPECT_FALSE(model.data(model.index(1, 1), Qt::BackgroundRole).isValid());
    // The new row grey in its own font.
    EXPECT_EQ(color(model, 2, RegisterColumn::Description, Qt::ForegroundRole), QColor(80, 80, 80));
    EXPECT_TRUE(model.data(model.index(2, 1), Qt::FontRole).value<QFont>().italic());
    EXPECT_FALSE(model.data(model.index(1, 1), Qt::FontRole).value<QFont>().italic());
    const auto alignment = [&model](RegisterColumn c) {
        return Qt::Alignment(model.data(model.index(0, model.columnOf(c)), Qt::TextAlignmentRole).toInt());
    };
    EXPECT_TRUE(alignment(RegisterColumn::Balance) & Qt::AlignRight);
    EXPECT_TRUE(alignment(RegisterColumn::Description) & Qt::AlignLeft);

    // With the panel the Amount cell takes the negative colour instead.
    model.setWithPanel(true);
    EXPECT_EQ(color(model, 1, RegisterColumn::Amount, Qt::ForegroundRole), red);
    // Outside the rows there is nothing.
    EXPECT_FALSE(model.data(model.index(5, 1)).isValid());
}

}  // namespace
