#include "shell/ui/FirstAccountDialog.h"

#include "reference/BuiltInCurrencies.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Closes the next message box and hands back its text.
void closeNextBox(QString* text)
{
    QTimer::singleShot(0, [text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        *text = box->text();
        box->accept();
    });
}

TEST(FirstAccountDialogTest, RefusesAMissingNameAndAMalformedOpeningBalanceThenYieldsTheDraft)
{
    FirstAccountDialog dialog(u"EUR");
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Create New Account"));
    EXPECT_EQ(dialog.currencyBox()->currentIndex(), BuiltInCurrencies::firstRowOf(u"EUR"));
    EXPECT_TRUE(dialog.currencyBox()->currentText().endsWith(QStringLiteral("(EUR)")));

    QString shown;
    dialog.nameEdit()->setText(QStringLiteral("   "));
    closeNextBox(&shown);
    dialog.accept();
    EXPECT_EQ(shown, QString::fromLatin1(FirstAccountDialog::NoNameText));
    EXPECT_TRUE(dialog.isVisible());

    dialog.nameEdit()->setText(QStringLiteral(" Wallet "));
    for (const char* bad : {"abc", "99999999999999999999"}) {
        dialog.openingEdit()->setText(QString::fromLatin1(bad));
        shown.clear();
        closeNextBox(&shown);
        dialog.accept();
        EXPECT_EQ(shown, QString::fromLatin1(FirstAccountDialog::BadAmountText)) << bad;
        EXPECT_TRUE(dialog.isVisible()) << bad;
    }

    // A pasted 10,000-character name is cut at the field's limit.
    dialog.nameEdit()->setText(QString(10'000, QLatin1Char('x')));
    EXPECT_EQ(dialog.nameEdit()->text().size(), dialog.nameEdit()->maxLength());

    dialog.nameEdit()->setText(QStringLiteral(" Wallet "));
    dialog.openingEdit()->setText(QStringLiteral("-12.50"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.draft().name, QStringLiteral("Wallet"));
    EXPECT_EQ(dialog.draft().opening, Money::fromHundredths(-1250));
    EXPECT_EQ(dialog.draft().currencyRow, BuiltInCurrencies::firstRowOf(u"EUR"));
}

}  // namespace
