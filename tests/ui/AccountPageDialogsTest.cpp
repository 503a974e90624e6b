#include "RegisterBook.h"
#include "accounts/AccountDeletion.h"
#include "accounts/AccountList.h"
#include "accounts/AccountName.h"
#include "accounts/OldTransactionPurge.h"
#include "accounts/PasswordLockRecord.h"
#include "accounts/ui/EditAccountDialog.h"
#include "accounts/ui/FindDialog.h"
#include "accounts/ui/OldTransactionsDialog.h"
#include "accounts/ui/PasswordOptionsPage.h"
#include "accounts/ui/RegisterModel.h"
#include "reference/ui/CurrencyPage.h"
#include "shell/ui/AccountPageActions.h"
#include "shell/ui/FirstAccountDialog.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/OptionsSheet.h"
#include "shell/ui/RegisterPage.h"
#include "store/PasswordDigest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs `act` on the modal window of type W once it is up (a message box the
// dialog opens is such a window too).
template <class W> void onModal(std::function<void(W*)> act, int triesLeft = 200)
{
    QTimer::singleShot(triesLeft == 200 ? 0 : 10, [act, triesLeft] {
        auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
        if (w && w->isVisible()) {
            act(w);
            return;
        }
        ASSERT_GT(triesLeft, 0) << "no modal window of the awaited kind";
        onModal<W>(act, triesLeft - 1);
    });
}

// Closes the next message box, after keeping its text.
void closeNextBox(QStringList* texts, QMessageBox::StandardButton button = QMessageBox::Ok)
{
    onModal<QMessageBox>([texts, button](QMessageBox* box) {
        *texts << box->text();
        if (QAbstractButton* b = box->button(button))
            b->click();
        else
            box->accept();
    });
}

class AccountPageDialogsTest : public RegisterBook {
protected:
    void SetUp() override
    {
        RegisterBook::SetUp();
        m_book.settings().write(TallyraSettings::Int::AccountId, 1);
        m_window = std::make_unique<MainWindow>(m_book, m_clock, m_qlocale, m_locale, m_lock);
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }
    void TearDown() override { m_window.reset(); }

    RegisterPage& page() { return *m_window->registerPage(); }
    QString description(int row)
    {
        RegisterModel& model = *page().model();
        return model.data(model.index(row, model.columnOf(RegisterColumn::Description))).toString();
    }
    std::vector<AccountRecord> accounts() { return AccountList(m_book.tables().accounts()).all(); }
    QStringList selectorItems()
    {
        QStringList items;
        for (int i = 0; i < page().accountSelector()->count(); ++i)
            items << page().accountSelector()->itemText(i);
        return items;
    }
    void run(int command) { ASSERT_TRUE(m_window->commands().run(command)); }

    QLocale m_qlocale = QLocale::c();
    PasswordLock m_lock{m_clock};
    std::unique_ptr<MainWindow> m_window;
};

TEST_F(AccountPageDialogsTest, NewAccountRefusesBadInputWritingNothingThenShowsTheAccountEverywhere)
{
    QStringList messages;
    qint64 accountsWhileRefused = -1;
    onModal<FirstAccountDialog>([&](FirstAccountDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Create New Account"));
        // The default currency is preselected, shown as name (code).
        EXPECT_EQ(d->currencyBox()->currentText(), QStringLiteral("Euro (EUR)"));
        for (const QString& name : {QStringLiteral("   "), QStringLiteral("Petty\tcash")}) {
            d->nameEdit()->setText(name);
            closeNextBox(&messages);
            d->accept();
        }
        d->nameEdit()->setText(QStringLiteral(" Travel [USD]: spare "));
        d->openingEdit()->setText(QStringLiteral("abc"));
        closeNextBox(&messages);
        d->accept();
        accountsWhileRefused = m_book.tables().accounts().count();
        d->currencyBox()->setCurrentIndex(BuiltInCurrencies::firstRowOf(u"USD"));
        d->openingEdit()->setText(QStringLiteral("-50"));
        d->accept();
    });
    run(MainCommands::NewAccount);

    EXPECT_EQ(messages, QStringList({QString::fromLatin1(AccountName::MissingText),
                                     QString::fromLatin1(AccountName::ControlText),
                                     QString::fromLatin1(FirstAccountDialog::BadAmountText)}));
    EXPECT_EQ(accountsWhileRefused, 2);
    const std::vector<AccountRecord> stored = accounts();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[2].id, 3);
    EXPECT_EQ(stored[2].name, QStringLiteral("Travel [USD]: spare"));
    EXPECT_EQ(stored[2].currency, QStringLiteral("USD"));
    EXPECT_EQ(stored[2].total, Money::fromHundredths(-5000));
    EXPECT_TRUE(m_book.currencies().contains(u"USD"));
    EXPECT_EQ(selectorItems().last(), QStringLiteral("3. Travel [USD]: spare (USD)"));
    EXPECT_EQ(page().accountSelector()->currentIndex(), 2);
    EXPECT_EQ(page().reg().accountId(), 3);
    EXPECT_EQ(description(0), QStringLiteral("Opening Balance"));

    // Cancel creates nothing and keeps the account shown.
    onModal<FirstAccountDialog>([](FirstAccountDialog* d) { d->reject(); });
    run(MainCommands::NewAccount);
    EXPECT_EQ(accounts().size(), 3u);
    EXPECT_EQ(page().reg().accountId(), 3);
}

TEST_F(AccountPageDialogsTest, EditAccountKeepsTheOldNameOnBadInputAndRenamesTheSelectorItem)
{
    QStringList messages;
    onModal<EditAccountDialog>([&](EditAccountDialog* d) {
        EXPECT_EQ(d->nameEdit()->text(), QStringLiteral("Cash"));
        d->nameEdit()->setText(QString());
        closeNextBox(&messages);
        d->accept();
        EXPECT_TRUE(d->isVisible());
        d->nameEdit()->setText(QStringLiteral(" Wallet: coins "));
        d->noteEdit()->setPlainText(QStringLiteral("first line\nsecond line"));
        d->accept();
    });
    run(MainCommands::AccountProperties);
    EXPECT_EQ(messages, QStringList{QString::fromLatin1(AccountName::MissingText)});
    const AccountRecord cash = *AccountList(m_book.tables().accounts()).find(1);
    EXPECT_EQ(cash.name, QStringLiteral("Wallet: coins"));
    EXPECT_EQ(cash.note, QStringLiteral("first line\nsecond line"));
    EXPECT_EQ(selectorItems().first(), QStringLiteral("1. Wallet: coins (EUR)"));
}

TEST_F(AccountPageDialogsTest, DeleteAccountOnlyOnYesAndNeverTheLastOne)
{
    ASSERT_TRUE(page().showAccount(m_second));
    QStringList texts;
    closeNextBox(&texts, QMessageBox::No);
    run(MainCommands::DeleteAccount);
    EXPECT_EQ(texts, QStringList{QString::fromLatin1(AccountDeletion::QuestionText)});
    EXPECT_EQ(accounts().size(), 2u);

    closeNextBox(&texts, QMessageBox::Yes);
    run(MainCommands::DeleteAccount);
    ASSERT_EQ(accounts().size(), 1u);
    EXPECT_EQ(selectorItems(), QStringList{QStringLiteral("1. Cash (EUR)")});
    EXPECT_EQ(page().reg().accountId(), 1);
    EXPECT_EQ(description(1), QStringLiteral("Groceries"));

    texts.clear();
    onModal<QMessageBox>([&texts](QMessageBox* question) {
        texts << question->text();
        closeNextBox(&texts);
        question->button(QMessageBox::Yes)->click();
    });
    run(MainCommands::DeleteAccount);
    EXPECT_EQ(texts, QStringList({QString::fromLatin1(AccountDeletion::QuestionText),
                                  QString::fromLatin1(AccountDeletion::LastAccountText)}));
    EXPECT_EQ(accounts().size(), 1u);
}

TEST_F(AccountPageDialogsTest, FindLandsOnTheRowInAnotherAccountAndMatchCaseMisses)
{
    ASSERT_TRUE(page().showAccount(m_second));
    onModal<FindDialog>([](FindDialog* d) {
        EXPECT_FALSE(d->findButton()->isEnabled());
        QTest::keyClicks(d->textEdit(), QStringLiteral("groc"));
        EXPECT_TRUE(d->findButton()->isEnabled());
        d->findButton()->click();
    });
    QTest::keyClick(m_window.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(page().reg().accountId(), 1);
    EXPECT_EQ(page().accountSelector()->currentData().toInt(), 1);
    EXPECT_EQ(page().list()->currentRow(), 1);

    // The dialog opens with the last query; with "Match case" it misses, and
    // so does "Find Next" with the same query: the selection stays.
    QStringList messages;
    onModal<FindDialog>([&messages](FindDialog* d) {
        EXPECT_EQ(d->textEdit()->text(), QStringLiteral("groc"));
        d->matchCaseBox()->setChecked(true);
        closeNextBox(&messages);
        d->findButton()->click();
    });
    run(MainCommands::Find);
    closeNextBox(&messages);
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    QTest::keyClick(m_window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(messages, QStringList(2, QString::fromLatin1(TransactionFind::NotFoundText)));
    EXPECT_EQ(page().reg().accountId(), 1);
    EXPECT_EQ(page().list()->currentRow(), 1);

    // The walk wraps through every account and ends on the selected row itself.
    onModal<FindDialog>([](FindDialog* d) {
        d->textEdit()->setText(QStringLiteral("Groc"));
        d->findButton()->click();
    });
    run(MainCommands::Find);
    EXPECT_EQ(page().list()->currentRow(), 1);
    EXPECT_EQ(m_window->accountActions().findQuery()->text, QStringLiteral("Groc"));
}

TEST_F(AccountPageDialogsTest, DeleteOldTransactionsWaitsForAPeriodAndKeepsTheBalance)
{
    onModal<OldTransactionsDialog>([](OldTransactionsDialog* d) {
        EXPECT_EQ(d->periodList()->count(), 6);
        EXPECT_FALSE(d->okButton()->isEnabled());
        d->periodList()->setCurrentRow(0);
        EXPECT_TRUE(d->okButton()->isEnabled());
        d->okButton()->click();
    });
    run(MainCommands::DeleteOld);
    EXPECT_FALSE(m_window->interaction().progressShown());
    Register cash(m_book.tables(), m_book.currencies(), m_locale);
    ASSERT_TRUE(cash.select(1));
    EXPECT_EQ(cash.transactionCount(), 1);
    EXPECT_EQ(AccountList(m_book.tables().accounts()).find(1)->total, Money::fromHundredths(-1500));
    EXPECT_EQ(description(0), QString::fromLatin1(OldTransactionPurge::BeginBalanceText));
    EXPECT_EQ(page().model()->rowCount(), 2);
}

class OptionsSheetTest : public AccountPageDialogsTest {
protected:
    // Opens the options sheet, runs `act` on it, then closes it with OK.
    void withSheet(std::function<void(OptionsSheet*)> act)
    {
        onModal<OptionsSheet>([act](OptionsSheet* sheet) {
            EXPECT_EQ(sheet->windowTitle(), QStringLiteral("Tallyra options"));
            act(sheet);
            sheet->accept();
        });
        run(MainCommands::Options);
    }
};

TEST_F(OptionsSheetTest, TypedRateIsStoredBothWaysAMalformedOneIsRefusedAndSetDefaultSticks)
{
    ASSERT_GT(
        AccountCreator(m_book.tables(), m_book.currencies(), m_clock)
            .create(AccountDraft{QStringLiteral("Card"), BuiltInCurrencies::firstRowOf(u"USD"), Money()}),
        0);
    QStringList messages;
    withSheet([&](OptionsSheet* sheet) {
        CurrencyPage& p = *sheet->currencyPage();
        ASSERT_EQ(p.currencyList()->count(), 2);
        EXPECT_FALSE(p.rateEdit()->isEnabled());
        p.currencyList()->setCurrentRow(0);       // Euro
        EXPECT_FALSE(p.rateEdit()->isEnabled());  // against itself
        p.rateCurrencyBox()->setCurrentIndex(1);  // US Dollar
        ASSERT_TRUE(p.rateEdit()->isEnabled());
        EXPECT_EQ(p.rateEdit()->text(), QStringLiteral("1.00000"));
        p.rateEdit()->selectAll();
        QTest::keyClicks(p.rateEdit(), QStringLiteral("1.25"));
        EXPECT_DOUBLE_EQ(m_book.currencies().rate(u"EUR", u"USD"), 1.25);

        p.rateEdit()->selectAll();
        QTest::keyClicks(p.rateEdit(), QStringLiteral("-x"));
        closeNextBox(&messages);
        QTest::keyClick(p.rateEdit(), Qt::Key_Return);
        EXPECT_EQ(p.rateEdit()->text(), QStringLiteral("1.25000"));

        p.currencyList()->setCurrentRow(1);
        p.setDefaultButton()->click();
        EXPECT_EQ(p.defaultLine()->text(), QStringLiteral("Default: US Dollar (USD)"));
    });
    EXPECT_EQ(messages, QStringList{QString::fromLatin1(CurrencyPage::BadRateText)});
    ASSERT_TRUE(m_book.currencies().reload());
    EXPECT_DOUBLE_EQ(m_book.currencies().rate(u"EUR", u"USD"), 1.25);
    EXPECT_DOUBLE_EQ(m_book.currencies().rate(u"USD", u"EUR"), 0.8);
    EXPECT_EQ(m_book.state().defaultCurrency, QStringLiteral("USD"));
    EXPECT_EQ(m_book.settings().read(TallyraSettings::Text::DefaultCurrency), QStringLiteral("USD"));
}

TEST_F(OptionsSheetTest, PasswordIsSavedOnlyWhenValidThenLockNowOpensOnlyForIt)
{
    QStringList messages;
    bool stayedOpen = false;
    onModal<OptionsSheet>([&](OptionsSheet* sheet) {
        PasswordOptionsPage& p = *sheet->passwordPage();
        sheet->tabs()->setCurrentWidget(&p);
        EXPECT_FALSE(p.firstEdit()->isEnabled());
        p.passwordBox()->click();
        ASSERT_TRUE(p.firstEdit()->isEnabled());
        QTest::keyClicks(p.firstEdit(), QStringLiteral("secret"));
        QTest::keyClicks(p.secondEdit(), QStringLiteral("secreT"));
        closeNextBox(&messages);
        p.applyButton()->click();

        p.secondEdit()->selectAll();
        QTest::keyClicks(p.secondEdit(), QStringLiteral("secret"));
        p.idleBox()->click();
        for (const char* minutes : {"0.5", "abc"}) {
            p.minutesEdit()->setText(QString());
            QTest::keyClicks(p.minutesEdit(), QString::fromLatin1(minutes));
            closeNextBox(&messages);
            sheet->accept();  // OK applies the page and stays open when refused
            stayedOpen = sheet->isVisible();
            EXPECT_TRUE(stayedOpen) << minutes;
        }
        EXPECT_FALSE(m_lock.settings().hasPassword());
        p.minutesEdit()->clear();
        QTest::keyClicks(p.minutesEdit(), QStringLiteral("1.5"));
        sheet->accept();
    });
    run(MainCommands::Options);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(messages, QStringList({PasswordOptions::PasswordsDifferText, PasswordOptions::IdleTooShortText,
                                     PasswordOptions::IdleTooShortText}));
    const LockSettings saved{passwordDigest(u"secret"), 90};
    EXPECT_EQ(m_lock.settings(), saved);
    EXPECT_EQ(PasswordLockRecord::read(m_book.tables().transactions()).settings, saved);

    // Lock now hides the window until the right password is typed.
    QStringList toType{QStringLiteral("Secret"), QStringLiteral("secret")};
    QStringList typed;
    std::function<void(QDialog*)> answer = [&](QDialog* prompt) {
        EXPECT_FALSE(m_window->isVisible());
        typed << toType.takeFirst();
        prompt->findChild<QLineEdit*>()->setText(typed.last());
        if (!toType.isEmpty())
            onModal<QDialog>(answer);
        prompt->accept();
    };
    onModal<QDialog>(answer);
    run(MainCommands::LockNow);
    EXPECT_EQ(typed, QStringList({QStringLiteral("Secret"), QStringLiteral("secret")}));
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_FALSE(m_lock.isLockedOut());
}

}  // namespace
