#include "shell/BookBackup.h"

#include "StartedBook.h"

#include <QFile>

namespace {

class BookBackupTest : public StartedBook {
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QString setting(TallyraSettings::Text id) { return m_book.settings().read(id); }
};

TEST_F(BookBackupTest, AFileThatIsNoBackupChangesNothingAndSaysWhy)
{
    QFile other(path("notes.tyb"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("not a backup at all\n");
    other.close();
    ASSERT_TRUE(m_book.settings().setFutureHorizon(12345));

    m_ui.answer(true);  // go on with the restore
    const BookBackup::RestoreResult r = BookBackup(m_book, m_ui).restore(path("notes.tyb"), m_locale);
    EXPECT_EQ(r.outcome, Restore::Outcome::NotStarted);
    EXPECT_EQ(r.notStartedText, path("notes.tyb") + QStringLiteral(" is not a backup file."));
    EXPECT_FALSE(m_book.state().skipSave) << "the exit still saves the horizon";
    EXPECT_EQ(m_book.settings().futureHorizon(), 12345);
    EXPECT_EQ(setting(TallyraSettings::Text::BackUpFile), QStringLiteral("notes.tyb"))
        << "the file dialog starts from the file chosen";

    m_ui = ScriptedInteraction();  // No: nothing is asked of the file, nothing said
    const BookBackup::RestoreResult declined =
        BookBackup(m_book, m_ui).restore(path("missing.tyb"), m_locale);
    EXPECT_EQ(declined.outcome, Restore::Outcome::NotStarted);
    EXPECT_TRUE(declined.notStartedText.isEmpty());
    EXPECT_EQ(setting(TallyraSettings::Text::BackUpFile), QStringLiteral("notes.tyb"));
}

TEST_F(BookBackupTest, ARestoreLeavesTheHorizonToTheNextStartAndRemembersTheFile)
{
    ASSERT_TRUE(BookBackup(m_book, m_ui).backup(path("book.tyb"), m_book.state().horizon));
    EXPECT_EQ(setting(TallyraSettings::Text::BackUpFile), QStringLiteral("book.tyb"));
    EXPECT_EQ(setting(TallyraSettings::Text::BackUpFolder), m_dir.path() + QLatin1Char('/'));

    m_ui = ScriptedInteraction();
    m_ui.answer(true);  // go on
    m_ui.answer(true);  // the backup's date
    const BookBackup::RestoreResult r = BookBackup(m_book, m_ui).restore(path("book.tyb"), m_locale);
    EXPECT_EQ(r.outcome, Restore::Outcome::Completed) << m_ui.messages.join(u'|').toStdString();
    EXPECT_TRUE(r.notStartedText.isEmpty());
    EXPECT_TRUE(m_book.state().skipSave);
    EXPECT_EQ(m_book.settings().futureHorizon(), 0);
}

}  // namespace
