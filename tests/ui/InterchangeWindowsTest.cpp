#include "DialogScript.h"
#include "WindowBook.h"
#include "accounts/DatabaseClearing.h"
#include "accounts/ui/RegisterModel.h"
#include "interchange/ExportCommand.h"
#include "interchange/QifImport.h"
#include "interchange/Restore.h"
#include "interchange/ui/ExportDialog.h"
#include "shell/ReportLaunch.h"
#include "shell/ui/BackupWindows.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/RegisterPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

class InterchangeWindowsTest : public WindowBook {
protected:
    // Every transaction of both accounts as the store holds it.
    QStringList stored()
    {
        QStringList lines;
        for (qint32 account : {1, m_second}) {
            Register reg(m_book.tables(), m_book.currencies(), m_locale);
            EXPECT_TRUE(reg.select(account));
            for (qint64 row = 0; row < reg.transactionCount(); ++row) {
                const RegisterEntry e = *reg.entry(row);
                lines << QStringLiteral("%1 %2 %3 %4 %5")
                             .arg(e.key, e.description)
                             .arg(e.amount.hundredths())
                             .arg(e.balance.hundredths())
                             .arg(e.currency);
            }
        }
        return lines;
    }
    QString file(const char* name) const { return m_files.filePath(QString::fromLatin1(name)); }
    // Runs the command with its windows answered by the script; every step was taken, nothing else met.
    void run(MainCommands::Id id, DialogScript& script)
    {
        EXPECT_TRUE(m_window->commands().run(id));
        script.stop();
        EXPECT_TRUE(script.finished());
        EXPECT_TRUE(script.unexpected.isEmpty()) << script.unexpected.join(u'|').toStdString();
    }

    QTemporaryDir m_files;
};

TEST_F(InterchangeWindowsTest, BackupThenRestoreThroughTheWindowsGivesBackTheBookAndEndsTheProgram)
{
    const QStringList before = stored();
    DialogScript backup;
    backup.chooseFile(file("week.tyb"));
    run(MainCommands::Backup, backup);
    EXPECT_EQ(backup.titles, QStringList{QString::fromLatin1(BackupWindows::BackupTitle)});
    // A completed backup says nothing.
    EXPECT_TRUE(backup.texts.isEmpty());
    ASSERT_TRUE(QFile::exists(file("week.tyb")));
    EXPECT_EQ(m_book.settings().read(TallyraSettings::Text::BackUpFile), QStringLiteral("week.tyb"));

    DialogScript remove;
    remove.press(QMessageBox::Yes);
    page().deleteRow(1);
    remove.stop();
    ASSERT_NE(stored(), before);

    // No to the first question changes nothing and the program goes on.
    DialogScript declined;
    declined.press(QMessageBox::No);
    run(MainCommands::Restore, declined);
    EXPECT_EQ(declined.texts, QStringList{QString::fromLatin1(Restore::LoseDataQuestion)});
    EXPECT_FALSE(m_window->stateSaved());
    EXPECT_FALSE(m_book.state().skipSave);

    DialogScript restore;
    restore.press(QMessageBox::Yes)
        .chooseFile(file("week.tyb"))
        .press(QMessageBox::Yes)
        .press(QMessageBox::Ok);
    run(MainCommands::Restore, restore);
    ASSERT_EQ(restore.texts.size(), 3);
    EXPECT_EQ(restore.texts[0], QString::fromLatin1(Restore::LoseDataQuestion));
    EXPECT_EQ(restore.texts[1], Restore::dateQuestion(fileTimeNow(m_clock).value(), m_locale));
    EXPECT_EQ(restore.texts[2], QString::fromLatin1(Restore::CompletedText));
    EXPECT_EQ(restore.titles, QStringList{QString::fromLatin1(BackupWindows::RestoreTitle)});
    EXPECT_EQ(stored(), before);
    // The program ends, and its exit leaves the horizon for the next start to rebuild.
    EXPECT_TRUE(m_window->stateSaved());
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_TRUE(m_book.state().skipSave);
}

TEST_F(InterchangeWindowsTest, CancellingTheFileWindowsChangesNothing)
{
    const QStringList before = stored();
    DialogScript backup;
    backup.cancelFile();
    run(MainCommands::Backup, backup);
    EXPECT_TRUE(backup.texts.isEmpty());

    DialogScript restore;
    restore.press(QMessageBox::Yes).cancelFile();
    run(MainCommands::Restore, restore);
    EXPECT_EQ(stored(), before);
    EXPECT_FALSE(m_window->stateSaved());
    EXPECT_FALSE(m_book.state().skipSave);
}

// Its Yes cannot be undone: the warning icon, No the default; No keeps the
// book, and the next command's question is a plain one again.
TEST_F(InterchangeWindowsTest, DatabaseClearingWarnsDefaultsToNoAndNoKeepsTheBook)
{
    const QStringList before = stored();
    QList<QMessageBox::Icon> icons;
    QStringList texts;
    bool defaultNo = false;
    const auto answerNo = [&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box)
            return false;
        icons << box->icon();
        texts << box->text();
        defaultNo = box->defaultButton() == box->button(QMessageBox::No);
        box->button(QMessageBox::No)->click();
        return true;
    };
    DialogScript clearing;
    clearing.then(answerNo);
    run(MainCommands::DatabaseClearing, clearing);
    DialogScript restore;
    restore.then(answerNo);
    run(MainCommands::Restore, restore);

    EXPECT_EQ(texts, (QStringList{QString::fromLatin1(DatabaseClearing::QuestionText),
                                  QString::fromLatin1(Restore::LoseDataQuestion)}));
    EXPECT_EQ(icons, (QList<QMessageBox::Icon>{QMessageBox::Warning, QMessageBox::Question}));
    EXPECT_TRUE(defaultNo);
    EXPECT_EQ(stored(), before);
    EXPECT_FALSE(m_window->stateSaved());
}

TEST_F(InterchangeWindowsTest, ImportsAQifFileIntoTheShownAccountAndShowsIt)
{
    QFile qif(file("bank.qif"));
    ASSERT_TRUE(qif.open(QIODevice::WriteOnly));
    qif.write("!Type:Bank\r\nD03/01/2024\r\nPRent\r\nT-300.00\r\nLHousing:Rent/Flat\r\n^\r\n"
              "D03/02/2024\r\nPSalary\r\nT1200.50\r\nC*\r\n^\r\nD13/13/2024\r\nPNever\r\nT1\r\n^\r\n");
    qif.close();

    DialogScript script;
    script.chooseFile(file("bank.qif")).press(QMessageBox::Ok);
    run(MainCommands::ImportQif, script);
    EXPECT_EQ(script.titles, QStringList{QStringLiteral("Import to  Cash  from file ")});
    EXPECT_EQ(script.texts, QStringList{QString::fromLatin1(QifImport::SucceededText)});
    EXPECT_EQ(m_book.settings().read(TallyraSettings::Text::ImportFolder), m_files.path());

    // The page shows the two dated records at once, in date order before the opening balance;
    // the one dated 13/13 is dropped.
    RegisterModel& model = *page().model();
    const int description = model.columnOf(RegisterColumn::Description);
    EXPECT_EQ(page().reg().transactionCount(), 4);
    EXPECT_EQ(model.data(model.index(0, description)).toString(), QStringLiteral("Rent"));
    EXPECT_EQ(model.data(model.index(1, description)).toString(), QStringLiteral("Salary"));
    const QStringList lines = stored();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("Rent -30000 -30000 EUR"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("Salary 120050 90050 EUR"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral("Groceries -4000 88550 EUR"))) << lines[3].toStdString();
    EXPECT_GT(m_book.categories().findByPath(QStringLiteral("Housing:Rent")), 0);
}

TEST_F(InterchangeWindowsTest, ExportFileNameFollowsTheFormatAndTheDateSwitchShowsForQifOnly)
{
    ExportRequest start{1, QStringLiteral("/data/Cash.qif"), ExportFormat::Qif, 0, 0, false};
    ExportDialog dialog(start, QStringLiteral("Cash"));
    dialog.show();
    EXPECT_TRUE(dialog.moneyDateBox()->isVisible());
    dialog.formatBox()->setCurrentIndex(1);
    EXPECT_EQ(dialog.fileEdit()->text(), QStringLiteral("/data/Cash.txt"));
    EXPECT_FALSE(dialog.moneyDateBox()->isVisible());
    dialog.formatBox()->setCurrentIndex(2);
    EXPECT_EQ(dialog.fileEdit()->text(), QStringLiteral("/data/Cash.txt"));
    EXPECT_EQ(dialog.request().format, ExportFormat::UnicodeText);
    dialog.formatBox()->setCurrentIndex(0);
    EXPECT_EQ(dialog.fileEdit()->text(), QStringLiteral("/data/Cash.qif"));
    EXPECT_TRUE(dialog.moneyDateBox()->isVisible());
    // Whatever follows the first extension goes with it; a name without one stays.
    dialog.fileEdit()->setText(QStringLiteral("/data/a.qif.old"));
    dialog.formatBox()->setCurrentIndex(1);
    EXPECT_EQ(dialog.fileEdit()->text(), QStringLiteral("/data/a.txt"));
    dialog.fileEdit()->setText(QStringLiteral("/data/cash"));
    dialog.formatBox()->setCurrentIndex(0);
    EXPECT_EQ(dialog.fileEdit()->text(), QStringLiteral("/data/cash"));
}

TEST_F(InterchangeWindowsTest, ExportThroughTheWindowWritesTheRangeAndRemembersWhereItEnded)
{
    m_book.settings().write(TallyraSettings::Text::ExportFolder, m_files.path() + QLatin1Char('/'));
    DialogScript script;
    script
        .then([this](QWidget* w) {
            auto* dialog = qobject_cast<ExportDialog*>(w);
            if (!dialog)
                return false;
            // It opens on the account's file, from the beginning to today.
            EXPECT_EQ(dialog->fileEdit()->text(), file("Cash.qif"));
            EXPECT_EQ(dialog->toEdit()->date(), QDate(2024, 3, 5));
            EXPECT_EQ(dialog->fromEdit()->date(), QDate(1601, 1, 1));
            dialog->formatBox()->setCurrentIndex(1);
            dialog->exportButton()->click();
            return true;
        })
        .press(QMessageBox::Ok);
    run(MainCommands::Export, script);
    EXPECT_EQ(script.texts, QStringList{QString::fromLatin1(ExportCommand::SucceededText)});
    QFile text(file("Cash.txt"));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = text.readAll().split('\n');
    EXPECT_TRUE(lines[0].startsWith("Date\tDescription\tNote\tAmount"));
    EXPECT_TRUE(lines[2].contains("Groceries\t \t-40.00"));
    EXPECT_EQ(m_book.settings().exportFile(QStringLiteral("Cash")), QStringLiteral("Cash.txt"));
    EXPECT_EQ(localFromFileTime(m_book.settings().exportStartDate(QStringLiteral("Cash"))).day, 6);
}

TEST_F(InterchangeWindowsTest, ReportsNamesTheMissingReportProgram)
{
    // The test program's folder holds no report program.
    DialogScript script;
    script.press(QMessageBox::Ok);
    run(MainCommands::Reports, script);
    EXPECT_EQ(script.texts, QStringList{QStringLiteral("'sumora' not found.")});
    EXPECT_TRUE(m_window->commands().find(40018)->handler != nullptr);
}

}  // namespace
