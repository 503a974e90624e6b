#include "shell/StartFileOffer.h"

#include "StartedBook.h"
#include "accounts/AccountList.h"
#include "interchange/QifImport.h"
#include "interchange/Restore.h"
#include "shell/BookBackup.h"

#include <QFile>

namespace {

class StartFileOfferTest : public StartedBook {
protected:
    void SetUp() override
    {
        StartedBook::SetUp();
        m_account = AccountList(m_book.tables().accounts()).all().at(0).id;
    }
    QString write(const char* name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    StartFileOffer::Outcome offer(const QString& path)
    {
        return StartFileOffer({m_book, m_clock, m_locale, CodePage::defaultPage(), m_ui})
            .run(path, m_account);
    }
    qint64 balance() { return AccountList(m_book.tables().accounts()).find(m_account)->total.hundredths(); }

    qint32 m_account = 0;
};

TEST_F(StartFileOfferTest, AQifFileIsImportedIntoTheShownAccountOnlyWhenTheUserSaysYes)
{
    const QString qif = write("bank.qif", "!Type:Bank\nD3/1/2024\nT-12.50\nPCoffee beans\n^\n");
    EXPECT_EQ(offer(qif), StartFileOffer::Outcome::NotTaken);
    EXPECT_EQ(m_ui.questions, QStringList{QStringLiteral("Import bank.qif into the account Cash?")});
    EXPECT_EQ(balance(), 2500);

    m_ui = ScriptedInteraction();
    m_ui.answer(true);
    EXPECT_EQ(offer(qif), StartFileOffer::Outcome::Imported);
    EXPECT_EQ(balance(), 1250);
    EXPECT_TRUE(m_ui.messages.contains(QString::fromLatin1(QifImport::SucceededText)))
        << m_ui.messages.join(u'|').toStdString();
}

// Nothing is asked and nothing read when the file is not one the main program
// takes: the message names it, and the book is as it was.
TEST_F(StartFileOfferTest, AMissingOrForeignFileIsNamedAndNothingIsAsked)
{
    const QString filter = write("report.tyf", QByteArray("tyf\x01\x01\xFF", 6));
    const QString text = write("notes.qif", "Coffee 12.50\n");
    const QString missing = m_dir.filePath(QStringLiteral("gone.tyb"));
    for (const QString& path : {filter, text, missing}) {
        m_ui = ScriptedInteraction();
        m_ui.answer(true);
        EXPECT_EQ(offer(path), StartFileOffer::Outcome::NotTaken);
        EXPECT_TRUE(m_ui.questions.isEmpty()) << path.toStdString();
        ASSERT_EQ(m_ui.messages.size(), 1);
        EXPECT_TRUE(m_ui.messages.at(0).contains(path)) << m_ui.messages.at(0).toStdString();
    }
    EXPECT_EQ(balance(), 2500);
}

TEST_F(StartFileOfferTest, ABackupIsOfferedAsARestoreThatEndsTheProgram)
{
    const QString backup = m_dir.filePath(QStringLiteral("book.tyb"));
    ASSERT_TRUE(BookBackup(m_book, m_ui).backup(backup, m_book.state().horizon));

    m_ui = ScriptedInteraction();  // No to the loss question: nothing happens
    EXPECT_EQ(offer(backup), StartFileOffer::Outcome::NotTaken);
    EXPECT_EQ(m_ui.questions, QStringList{QString::fromLatin1(Restore::LoseDataQuestion)});
    EXPECT_FALSE(m_book.state().skipSave);

    // A damaged backup whose header still passes the first look: the restore
    // itself says why, and the book is kept.
    QFile damaged(write("damaged.tyb", QByteArray("\x01garbage", 8)));
    m_ui = ScriptedInteraction();
    m_ui.answer(true);
    m_ui.answer(true);
    EXPECT_EQ(offer(damaged.fileName()), StartFileOffer::Outcome::NotTaken);
    EXPECT_EQ(m_ui.messages, QStringList{damaged.fileName() + QStringLiteral(" is not a backup file.")});
    EXPECT_FALSE(m_book.state().skipSave);

    m_ui = ScriptedInteraction();
    m_ui.answer(true);  // go on
    m_ui.answer(true);  // the backup's date
    EXPECT_EQ(offer(backup), StartFileOffer::Outcome::RestoreStarted);
    EXPECT_TRUE(m_book.state().skipSave);
}

}  // namespace
