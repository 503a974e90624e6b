#include "interchange/Backup.h"

#include "interchange/BackupLocation.h"
#include "interchange/BackupWriter.h"

#include "BackupTestBook.h"
#include "support/ScriptedInteraction.h"

#include <QFile>

namespace {

const FileTime BackupTime = at(2024, 3, 5, 10);

class BackupFileTest : public ::testing::Test {
protected:
    bool backup(const QString& path, const QString& defaultCurrency = QStringLiteral("USD"))
    {
        return Backup(m_book.tables(), m_ui).run(Backup::Request{path, BackupTime, defaultCurrency});
    }
    QString target() const { return m_book.path(QStringLiteral("book.tyb")); }

    BackupTestBook m_book;
    ScriptedInteraction m_ui;
};

TEST_F(BackupFileTest, SmallBookBacksUpToTheDocumentedItems)
{
    const FileTime when = at(2024, 3, 1, 9, 30, 250);
    const QString key = m_book.addTransaction(
        1, when, 1000, QStringLiteral("Coffee"),
        {PropValue::ofInt(Prop::CategoryId, 5), PropValue::ofInt(Prop::Mark, 1),
         // Left out of every backup: the import mark, an empty note.
         PropValue::ofInt(Prop::ImportMark, 1), PropValue::ofText(Prop::Note, QString())});
    // The password-lock record stays with the book.
    m_book.add(TableKind::Transaction,
               {PropValue::ofText(Prop::AccountKey, fullKey(ReservedAccount::PasswordLock, 0)),
                PropValue::ofInt(Prop::AccountId, ReservedAccount::PasswordLock),
                PropValue::ofInt64(Prop::PasswordDigest, 4242)});
    m_book.add(
        TableKind::Planner,
        {PropValue::ofInt(Prop::PlannerId, 1), PropValue::ofText(Prop::Name, QStringLiteral("Rent")),
         PropValue::ofText(Prop::CurrencyCode, QStringLiteral("USD")), PropValue::ofInt(Prop::Recurrence, 3),
         PropValue::ofInt(Prop::Entries, -1), PropValue::ofInt(Prop::CategoryId, 5),
         PropValue::ofInt(Prop::Mark, 2), PropValue::ofInt64(Prop::Date, at(2024, 1, 1)),
         PropValue::ofInt64(Prop::NextDate, at(2024, 4, 1)), PropValue::ofInt64(Prop::Amount, -50000)});
    m_book.addAccount(1, QStringLiteral("Cash"), QStringLiteral("USD"), 1000, QStringLiteral("pocket money"));
    // Totals and the per-currency sums are recomputed at the next start, not carried.
    m_book.add(
        TableKind::Project,
        {PropValue::ofInt(Prop::ProjectId, 1), PropValue::ofText(Prop::Name, QStringLiteral("All projects")),
         PropValue::ofInt(Prop::CheckState, 1), PropValue::ofInt(Prop::TotalsValid, 1),
         PropValue::ofInt64(Prop::OwnDeposits, 500), PropValue::ofInt64(Prop::projectDepositsIn(1), 500)});
    // The category check state is not carried.
    m_book.add(TableKind::Category, {PropValue::ofInt(Prop::CategoryId, 5), PropValue::ofInt(Prop::Parent, 1),
                                     PropValue::ofText(Prop::Name, QStringLiteral("Food")),
                                     PropValue::ofInt(Prop::CheckState, 1)});
    m_book.addCurrency(1, QStringLiteral("USD"), QStringLiteral("$"), QStringLiteral("US Dollar"),
                       {PropValue::ofText(Prop::currencyRateTo(2), QStringLiteral("0.9"))});
    m_book.addCurrency(2, QStringLiteral("EUR"), QStringLiteral("E"), QStringLiteral("Euro"),
                       {PropValue::ofText(Prop::currencyRateTo(1), QStringLiteral("1.1")),
                        // A rate to a currency the book does not hold is not carried.
                        PropValue::ofText(Prop::currencyRateTo(7), QStringLiteral("3"))});

    ASSERT_TRUE(backup(target()));

    BackupBytes expected;
    expected.header(BackupTime)
        .section(QStringLiteral("Tallyra Transaction"))
        .record()
        .text(101, key)
        .text(301, QStringLiteral("USD"))
        .text(110, QStringLiteral("Coffee"))
        .integer(104, 1)
        .integer(401, 5)
        .integer(117, 1)
        .date(108, when)
        .date(112, 1000)
        .date(113, 1000)
        .section(QStringLiteral("Tallyra Planner"))
        .record()
        .text(110, QStringLiteral("Rent"))
        .text(301, QStringLiteral("USD"))
        .integer(251, 1)
        .integer(252, 3)
        .integer(255, -1)
        .integer(401, 5)
        .integer(117, 2)
        .date(108, at(2024, 1, 1))
        .date(253, at(2024, 4, 1))
        .amount(112, -50000)
        .section(QStringLiteral("Tallyra Account"))
        .record()
        .text(110, QStringLiteral("Cash"))
        .text(301, QStringLiteral("USD"))
        .text(114, QStringLiteral("pocket money"))
        .integer(104, 1)
        .date(151, at(2024, 1, 1))
        .amount(113, 1000)
        .section(QStringLiteral("Tallyra Project"))
        .record()
        .text(110, QStringLiteral("All projects"))
        .integer(201, 1)
        .integer(202, 1)
        .integer(211, 1)
        .section(QStringLiteral("Tallyra Category"))
        .record()
        .text(110, QStringLiteral("Food"))
        .integer(401, 5)
        .integer(203, 1)
        .section(QStringLiteral("Tallyra Currency"))
        .record()
        .text(301, QStringLiteral("USD"))
        .text(303, QStringLiteral("$"))
        .text(304, QStringLiteral("US Dollar"))
        .text(1002, QStringLiteral("0.9"))
        .text(304, QStringLiteral("US Dollar"))
        .integer(302, 1)
        .record()
        .text(301, QStringLiteral("EUR"))
        .text(303, QStringLiteral("E"))
        .text(304, QStringLiteral("Euro"))
        .text(1001, QStringLiteral("1.1"))
        .text(304, QStringLiteral("Euro"))
        .integer(302, 2)
        .textSetting(QStringLiteral("Options"), QStringLiteral("Default Currency"), QStringLiteral("USD"))
        .end();
    EXPECT_EQ(BackupTestBook::read(target()).toHex(' ').toStdString(),
              expected.bytes().toHex(' ').toStdString());
    EXPECT_TRUE(m_ui.messages.isEmpty());
}

TEST_F(BackupFileTest, EmptyBookWritesNoFileAndKeepsTheOldOne)
{
    ASSERT_TRUE(BackupTestBook::writeFile(target(), "old backup"));
    EXPECT_FALSE(backup(target()));
    EXPECT_EQ(m_ui.messages, QStringList{QString::fromLatin1(Backup::NotCompletedText)});
    ASSERT_EQ(m_ui.icons.size(), 1u);
    EXPECT_EQ(m_ui.icons[0], Interaction::Icon::Exclamation);
    EXPECT_EQ(BackupTestBook::read(target()), QByteArray("old backup"));

    EXPECT_FALSE(backup(m_book.path(QStringLiteral("fresh.tyb"))));
    EXPECT_FALSE(QFile::exists(m_book.path(QStringLiteral("fresh.tyb"))));
}

TEST_F(BackupFileTest, TextLongerThanItsLengthFieldFailsInsteadOfWritingACorruptFile)
{
    m_book.addAccount(1, QStringLiteral("Cash"), QStringLiteral("USD"), 0, QString(0xFFFF, u'n'));
    ASSERT_TRUE(backup(target()));
    const QByteArray fitting = BackupTestBook::read(target());

    m_book.addAccount(2, QStringLiteral("Bank"), QStringLiteral("USD"), 0, QString(0x10000, u'n'));
    EXPECT_FALSE(backup(target()));
    // The message names the record, so the user can find and shorten the text.
    EXPECT_EQ(m_ui.messages, (QStringList{QString::fromLatin1(Backup::TooLongText)
                                              .arg(QStringLiteral("account 2"))
                                              .arg(Prop::Note)
                                              .arg(0x10000)
                                              .arg(0xFFFF),
                                          QString::fromLatin1(Backup::NotCompletedText)}));
    EXPECT_EQ(BackupTestBook::read(target()), fitting);

    m_book.tables().accounts().seekInt(SeekKind::Equal, 2);
    ASSERT_TRUE(m_book.tables().accounts().removeProperty(Prop::Note));
    const QString key = m_book.addTransaction(1, at(2024, 2, 1), 5, QString(0x10001, u'd'));
    m_ui.messages.clear();
    EXPECT_FALSE(backup(target()));
    ASSERT_EQ(m_ui.messages.size(), 2);
    EXPECT_EQ(m_ui.messages[0], QString::fromLatin1(Backup::TooLongText)
                                    .arg(QStringLiteral("transaction ") + key)
                                    .arg(Prop::Name)
                                    .arg(0x10001)
                                    .arg(0xFFFF));
}

TEST_F(BackupFileTest, FullDiskFailsTheBackup)
{
    for (int day = 1; day <= 28; ++day)
        m_book.addTransaction(1, at(2024, 2, day), day, QStringLiteral("groceries"));
    FullDevice roomy(1 << 20);
    ASSERT_TRUE(
        Backup(m_book.tables(), m_ui).writeTo(Backup::Request{{}, BackupTime, QStringLiteral("USD")}, roomy));
    FullDevice full(roomy.taken.size() - 1);
    EXPECT_FALSE(
        Backup(m_book.tables(), m_ui).writeTo(Backup::Request{{}, BackupTime, QStringLiteral("USD")}, full));
}

TEST(BackupWriter, RefusesTextsItsLengthFieldsCannotCarryAndWritesNothingAfter)
{
    FullDevice out(1 << 20);
    BackupWriter writer(out);
    EXPECT_TRUE(writer.text(110, QString(0xFFFF, u'x')));
    EXPECT_TRUE(writer.section(QString(0xFF, u's')));
    EXPECT_TRUE(writer.flush());
    const qsizetype fitting = out.taken.size();
    EXPECT_EQ(fitting, (1 + 2 + 2 + 2 * 0xFFFF) + (1 + 1 + 2 * 0xFF));

    EXPECT_FALSE(writer.text(114, QString(0x10000, u'x')));
    EXPECT_EQ(writer.failure(), BackupWriter::Failure::TooLong);
    EXPECT_FALSE(writer.record());
    EXPECT_FALSE(writer.end());
    EXPECT_EQ(out.taken.size(), fitting);

    BackupWriter names(out);
    EXPECT_FALSE(names.section(QString(0x100, u's')));
    BackupWriter settings(out);
    EXPECT_FALSE(settings.textSetting(u"Options", u"Key", QString(0x10000, u'v')));
}

TEST_F(BackupFileTest, TargetThatCannotBeWrittenFailsWithTheMessage)
{
    m_book.addAccount(1, QStringLiteral("Cash"));
    EXPECT_FALSE(backup(m_book.path(QStringLiteral("no/such/folder/book.tyb"))));
    EXPECT_EQ(m_ui.messages, QStringList{QString::fromLatin1(Backup::NotCompletedText)});
}

TEST_F(BackupFileTest, ProgressMovesEveryFifthRecordWithTheTableName)
{
    for (int day = 1; day <= 3; ++day)
        m_book.addTransaction(1, at(2024, 3, day), 100, QStringLiteral("t"));
    for (int id = 1; id <= 4; ++id)
        m_book.addAccount(id, QStringLiteral("A%1").arg(id));
    ASSERT_TRUE(backup(target()));
    EXPECT_EQ(m_ui.progressSteps, 7 / Backup::RecordsPerStep);
    // Records 0 and 5 of the seven: the first transaction and the third account.
    EXPECT_EQ(m_ui.progressLabels, (QStringList{QStringLiteral("Backup data Tallyra Transaction"),
                                                QStringLiteral("Backup data Tallyra Account")}));
    EXPECT_EQ(m_ui.progressDone, 1);
}

TEST_F(BackupFileTest, StopLeavesNoFile)
{
    for (int id = 1; id <= 12; ++id)
        m_book.addAccount(id, QStringLiteral("A%1").arg(id));
    m_ui.stopAfterSteps(2);
    EXPECT_FALSE(backup(target()));
    EXPECT_FALSE(QFile::exists(target()));
    EXPECT_EQ(m_ui.messages, QStringList{QString::fromLatin1(Backup::NotCompletedText)});
}

TEST_F(BackupFileTest, CursorsKeepTheSortsTheyWereFoundIn)
{
    m_book.addAccount(1, QStringLiteral("Cash"));
    m_book.addTransaction(1, at(2024, 3, 1), 100, QStringLiteral("t"));
    ASSERT_TRUE(m_book.tables().planner().resortByDate(Prop::Date));
    ASSERT_TRUE(backup(target()));
    EXPECT_EQ(m_book.tables().planner().sortId(), Prop::Date);
    EXPECT_EQ(m_book.tables().transactions().sortId(), Prop::AccountKey);
    EXPECT_EQ(m_book.tables().currencies().sortId(), Prop::CurrencyNumber);
}

TEST(BackupLocation, FolderAndFileOfTheChosenPath)
{
    struct Case {
        const char* path;
        const char* folder;
        const char* file;
    };
    const Case cases[] = {
        {"/home/ann/backups/Monday.tyb", "/home/ann/backups/", "Monday.tyb"},
        {"\\My Documents\\Monday.tyb", "\\My Documents\\", "Monday.tyb"},
        {"ab\\Monday.tyb", "ab\\", "Monday.tyb"},
        {"/home/ann/", "/home/ann/", ""},
        // A separator at position 0 or 1, or none: the defaults, whatever the name.
        {"/Monday.tyb", "\\", "BackUp.tyb"},
        {"\\Monday.tyb", "\\", "BackUp.tyb"},
        {"C\\Monday.tyb", "\\", "BackUp.tyb"},
        {"Monday.tyb", "\\", "BackUp.tyb"},
    };
    for (const Case& c : cases) {
        const BackupLocation l = BackupLocation::of(QString::fromLatin1(c.path));
        EXPECT_EQ(l.folder, QString::fromLatin1(c.folder)) << c.path;
        EXPECT_EQ(l.file, QString::fromLatin1(c.file)) << c.path;
    }
}

}  // namespace
