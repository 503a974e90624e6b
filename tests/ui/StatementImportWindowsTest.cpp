#include "DialogScript.h"
#include "WindowBook.h"
#include "interchange/QifImport.h"
#include "interchange/ui/CsvMappingDialog.h"
#include "interchange/ui/TransferPairsDialog.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/RegisterPage.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

// The bank statements of the File menu's CSV and OFX imports, answered
// through their windows as a person would.
class StatementImportWindowsTest : public WindowBook {
protected:
    QString write(const char* name, const QByteArray& content)
    {
        const QString path = m_files.filePath(QString::fromLatin1(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }
    // "description amount category link" of every transaction of `account`, in register order.
    QStringList stored(qint32 account)
    {
        QStringList lines;
        Register reg(m_book.tables(), m_book.currencies(), m_locale);
        EXPECT_TRUE(reg.select(account));
        for (qint64 row = 0; row < reg.transactionCount(); ++row) {
            const RegisterEntry e = *reg.entry(row);
            lines << QStringLiteral("%1 %2 %3 %4")
                         .arg(e.description)
                         .arg(e.amount.hundredths())
                         .arg(e.category)
                         .arg(e.link.isEmpty() ? QStringLiteral("-") : QStringLiteral("linked"));
        }
        return lines;
    }
    void run(MainCommands::Id id, DialogScript& script)
    {
        EXPECT_TRUE(m_window->commands().run(id));
        script.stop();
        EXPECT_TRUE(script.finished());
        EXPECT_TRUE(script.unexpected.isEmpty()) << script.unexpected.join(u'|').toStdString() << " after "
                                                 << script.texts.join(u'|').toStdString();
    }

    QTemporaryDir m_files;
};

// A German bank's export: semicolons, day-first dates, decimal commas.
const QByteArray BankCsv = "Buchungstag;Text;Betrag\r\n"
                           "03.01.2024;Rent;-300,00\r\n"
                           "04.01.2024;Salary;1200,50\r\n";

TEST_F(StatementImportWindowsTest, CsvMappingWindowPreviewsLiveAndItsSavedMappingMakesTheNextImportOneClick)
{
    const QString path = write("bank.csv", BankCsv);
    const QStringList before = stored(1);
    QStringList seen;
    DialogScript first;
    first.chooseFile(path)
        .then([&seen](QWidget* w) {
            auto* d = qobject_cast<CsvMappingDialog*>(w);
            if (!d)
                return false;
            EXPECT_EQ(d->savedBox()->count(), 1);
            // Read with the first guesses (comma, ISO dates) the rows are one field wide and cannot import.
            EXPECT_FALSE(d->problemLabel()->text().isEmpty());
            d->delimiterBox()->setCurrentText(QStringLiteral(";"));
            EXPECT_EQ(d->preview()->columnCount(), 3);
            EXPECT_EQ(d->preview()->item(1, 2)->text(), QStringLiteral("-300,00"));
            // Still day-first dates under an ISO format: the problem names the row, and
            // Import waits until the rows read.
            seen << d->problemLabel()->text();
            EXPECT_FALSE(d->findChild<QPushButton*>(QStringLiteral("import"))->isEnabled());
            d->dateFormatEdit()->setText(QStringLiteral("dd.MM.yyyy"));
            d->decimalBox()->setCurrentText(QStringLiteral(","));
            seen << d->problemLabel()->text();
            d->saveNameEdit()->setText(QStringLiteral("Hausbank"));
            const auto buttons = d->findChildren<QPushButton*>();
            for (QPushButton* b : buttons) {
                if (b->accessibleName() == QStringLiteral("Import")) {
                    EXPECT_TRUE(b->isEnabled());
                    b->click();
                }
            }
            return true;
        })
        .press(QMessageBox::Ok);
    run(MainCommands::ImportCsv, first);
    ASSERT_EQ(seen.size(), 2);
    EXPECT_TRUE(seen[0].contains(u'2')) << seen[0].toStdString();
    EXPECT_EQ(seen[1], QString());
    EXPECT_EQ(first.texts, QStringList{QString::fromLatin1(QifImport::SucceededText)});

    const QStringList after = stored(1);
    ASSERT_EQ(after.size(), before.size() + 2);
    EXPECT_TRUE(after.contains(QStringLiteral("Rent -30000 0 -")));
    EXPECT_TRUE(after.contains(QStringLiteral("Salary 120050 0 -")));
    EXPECT_EQ(m_book.settings().read(TallyraSettings::Text::LastCsvMapping), QStringLiteral("Hausbank"));
    EXPECT_FALSE(m_book.settings().csvMapping(QStringLiteral("Hausbank")).isEmpty());

    // The same bank again: the window opens on its mapping, Import is all it takes,
    // and lines already in the book are not added twice.
    DialogScript again;
    again.chooseFile(path)
        .then([](QWidget* w) {
            auto* d = qobject_cast<CsvMappingDialog*>(w);
            if (!d)
                return false;
            EXPECT_EQ(d->savedBox()->currentText(), QStringLiteral("Hausbank"));
            EXPECT_TRUE(d->problemLabel()->text().isEmpty());
            d->accept();
            return true;
        })
        .press(QMessageBox::Ok);
    run(MainCommands::ImportCsv, again);
    EXPECT_EQ(stored(1), after);

    // Cancel in the mapping window imports nothing.
    DialogScript cancelled;
    cancelled.chooseFile(write("other.csv", "Date,Text,Amount\n2024-05-01,Fee,-1.00\n")).then([](QWidget* w) {
        auto* d = qobject_cast<CsvMappingDialog*>(w);
        if (d)
            d->reject();
        return d != nullptr;
    });
    run(MainCommands::ImportCsv, cancelled);
    EXPECT_EQ(stored(1), after);
}

QByteArray ofxStatement(const QByteArray& lines)
{
    return "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nSECURITY:NONE\r\nENCODING:USASCII\r\n"
           "CHARSET:1252\r\nCOMPRESSION:NONE\r\nOLDFILEUID:NONE\r\nNEWFILEUID:NONE\r\n\r\n"
           "<OFX><BANKMSGSRSV1><STMTTRNRS><TRNUID>1<STATUS><CODE>0<SEVERITY>INFO</STATUS>\r\n"
           "<STMTRS><CURDEF>EUR<BANKACCTFROM><BANKID>1<ACCTID>2<ACCTTYPE>CHECKING</BANKACCTFROM>\r\n"
           "<BANKTRANLIST><DTSTART>20240101<DTEND>20240131\r\n" +
           lines + "</BANKTRANLIST></STMTRS></STMTTRNRS></BANKMSGSRSV1></OFX>\r\n";
}

QByteArray ofxLine(const char* date, const char* amount, const char* fitId, const char* name)
{
    return QByteArray("<STMTTRN><TRNTYPE>XFER<DTPOSTED>") + date + "<TRNAMT>" + amount + "<FITID>" + fitId +
           "<NAME>" + name + "\r\n</STMTTRN>\r\n";
}

TEST_F(StatementImportWindowsTest, OfxImportOffersTransferPairsAndLinksOnlyTheTickedOnes)
{
    DialogScript savings;
    savings
        .chooseFile(
            write("savings.ofx", ofxStatement(ofxLine("20240110", "250.00", "S1", "Transfer from cash") +
                                              ofxLine("20240115", "80.00", "S2", "Transfer from cash"))))
        .press(QMessageBox::Ok);
    ASSERT_TRUE(page().showAccount(m_second));
    run(MainCommands::ImportOfx, savings);

    // Importing the other side offers both pairs; only the first stays ticked.
    QStringList offered;
    DialogScript cash;
    cash.chooseFile(
            write("cash.ofx", ofxStatement(ofxLine("20240111", "-250.00", "C1", "Transfer to savings") +
                                           ofxLine("20240116", "-80.00", "C2", "Transfer to savings"))))
        .press(QMessageBox::Ok)
        .then([&offered](QWidget* w) {
            auto* d = qobject_cast<TransferPairsDialog*>(w);
            if (!d)
                return false;
            for (int i = 0; i < d->list()->count(); ++i)
                offered << d->list()->item(i)->text();
            if (d->list()->count() == 2)
                d->list()->item(1)->setCheckState(Qt::Unchecked);
            d->accept();
            return true;
        });
    ASSERT_TRUE(page().showAccount(1));
    run(MainCommands::ImportOfx, cash);
    ASSERT_EQ(offered.size(), 2);
    EXPECT_TRUE(offered[0].contains(QStringLiteral("Savings"))) << offered[0].toStdString();

    const QStringList cashLines = stored(1);
    const QStringList savingsLines = stored(m_second);
    const QString toSavings = QString::number(-m_second);
    EXPECT_TRUE(cashLines.contains(QStringLiteral("Transfer to savings -25000 %1 linked").arg(toSavings)))
        << cashLines.join(u'|').toStdString();
    EXPECT_TRUE(cashLines.contains(QStringLiteral("Transfer to savings -8000 0 -")));
    EXPECT_TRUE(savingsLines.contains(QStringLiteral("Transfer from cash 25000 -1 linked")))
        << savingsLines.join(u'|').toStdString();
    EXPECT_TRUE(savingsLines.contains(QStringLiteral("Transfer from cash 8000 0 -")));

    // The same line again adds nothing; the pair left alone is offered again, and
    // Do Not Pair links nothing.
    int offeredAgain = 0;
    DialogScript repeat;
    repeat
        .chooseFile(
            write("cash.ofx", ofxStatement(ofxLine("20240116", "-80.00", "C2", "Transfer to savings"))))
        .press(QMessageBox::Ok)
        .then([&offeredAgain](QWidget* w) {
            auto* d = qobject_cast<TransferPairsDialog*>(w);
            if (!d)
                return false;
            offeredAgain = d->list()->count();
            d->reject();
            return true;
        });
    run(MainCommands::ImportOfx, repeat);
    EXPECT_EQ(offeredAgain, 1);
    EXPECT_EQ(stored(m_second), savingsLines);
    EXPECT_EQ(stored(1), cashLines);
}

TEST_F(StatementImportWindowsTest, ACutOffOfxFileSaysItFailedAndWritesNothing)
{
    const QByteArray whole = ofxStatement(ofxLine("20240110", "12.00", "X1", "Coffee"));
    const QStringList before = stored(1);
    DialogScript script;
    script.chooseFile(write("cut.ofx", whole.left(whole.size() - 40)))
        .press(QMessageBox::Ok)
        .press(QMessageBox::Ok);
    run(MainCommands::ImportOfx, script);
    // First what is wrong and where, then that the import failed.
    ASSERT_EQ(script.texts.size(), 2);
    EXPECT_TRUE(script.texts[0].startsWith(QStringLiteral("Line "))) << script.texts[0].toStdString();
    EXPECT_EQ(script.texts[1], QString::fromLatin1(QifImport::FailedText));
    EXPECT_EQ(stored(1), before);
}

}  // namespace
