#include "interchange/ExportCommand.h"

#include "BackupTestBook.h"
#include "interchange/ExportFileName.h"
#include "interchange/ExportWriter.h"
#include "support/ScriptedInteraction.h"

#include <QFile>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

class ExportTest : public ::testing::Test {
protected:
    ExportTest() : m_categories(m_book.tables()), m_projects(m_book.tables())
    {
        m_book.addTreeRecord(TableKind::Category, 1, 0, QStringLiteral("All categories"));
        m_book.addTreeRecord(TableKind::Category, 2, 1, QStringLiteral("Auto"));
        m_book.addTreeRecord(TableKind::Category, 3, 2, QStringLiteral("Fuel"));
        m_book.addTreeRecord(TableKind::Project, 1, 0, QStringLiteral("All projects"));
        m_book.addTreeRecord(TableKind::Project, 2, 1, QStringLiteral("Trip"));
        m_book.addAccount(1, QStringLiteral("Cash"));
        m_book.addAccount(2, QStringLiteral("Savings"));
    }

    // The transaction of the worked example: 31 December 2001, Gas, a note on
    // two lines, -12.50 under Auto:Fuel and Trip, cleared.
    void addGas(qint32 account = 1, const PropList& extra = {})
    {
        PropList props = {PropValue::ofText(Prop::Note, QStringLiteral("two\nlines")),
                          PropValue::ofInt(Prop::CategoryId, 3), PropValue::ofInt(Prop::ProjectId, 2),
                          PropValue::ofInt(Prop::Mark, 1)};
        props.insert(props.end(), extra.begin(), extra.end());
        m_book.addTransaction(account, at(2001, 12, 31, 18), -1250, QStringLiteral("Gas"), props);
    }

    ExportRequest request(ExportFormat format, FileTime from = at(2001, 1, 1), FileTime to = at(2002, 1, 1))
    {
        return ExportRequest{1, m_book.path(QStringLiteral("out.qif")), format, from, to, false};
    }
    bool write(const ExportRequest& r)
    {
        ExportWriter writer(m_book.tables(), m_categories, m_projects, m_locale, m_codePage);
        return writer.write(r);
    }
    // The exported file as lines; each line must end with CR LF.
    QStringList lines(const ExportRequest& r)
    {
        QByteArray bytes = BackupTestBook::read(r.path);
        QString text = r.format == ExportFormat::UnicodeText
                           ? QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2)
                           : m_codePage.decode(bytes);
        EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
        text.chop(2);
        return text.split(QStringLiteral("\r\n"));
    }

    BackupTestBook m_book;
    Categories m_categories;
    Projects m_projects;
    LocaleValues m_locale;
    CodePage m_codePage = CodePage::defaultPage();
    ScriptedInteraction m_ui;
};

TEST_F(ExportTest, QifRecordOfTheWorkedExample)
{
    addGas();
    const ExportRequest r = request(ExportFormat::Qif);
    ASSERT_TRUE(write(r));
    EXPECT_EQ(lines(r), (QStringList{"!Type:Cash", "D12/31' 1", "PGas", "Mtwo lines", "T-12.50",
                                     "LAuto:Fuel/Trip", "C*", "^", ""}));
}

TEST_F(ExportTest, QifWritesTheOptionalLinesOnlyWhenThereIsSomethingToSay)
{
    m_book.addTransaction(1, at(2003, 12, 5), 100000, QStringLiteral("Pay"),
                          {PropValue::ofInt(Prop::Mark, 2),
                           PropValue::ofText(Prop::Number, QStringLiteral("101")),
                           PropValue::ofText(Prop::Contact, QStringLiteral("  Jane Doe \r\n"))});
    m_book.addTransaction(1, at(2003, 12, 6), -1, QStringLiteral("Bare"));
    ExportRequest r = request(ExportFormat::Qif, at(2003, 12, 5), at(2003, 12, 6));
    ASSERT_TRUE(write(r));
    EXPECT_EQ(lines(r),
              (QStringList{"!Type:Cash", "D12/ 5' 3", "PPay", "T1000.00", "L", "CX", "N101", "AJane Doe", "A",
                           "A", "A", "A", "^", "D12/ 6' 3", "PBare", "T-0.01", "L", "^", ""}));

    r.fullYearDates = true;
    ASSERT_TRUE(write(r));
    EXPECT_EQ(lines(r)[1], QStringLiteral("D12/5/2003"));
}

TEST_F(ExportTest, TransferNamesTheOtherAccountAndDecimalCommaFollowsTheLocale)
{
    m_book.addTransaction(
        1, at(2001, 12, 31), -1250, QStringLiteral("Save"),
        {PropValue::ofInt(Prop::CategoryId, -2), PropValue::ofText(Prop::TransferLink, u"x"_s)});
    m_locale.decimalSeparator = QLatin1Char(',');
    m_locale.dateOrder = LocaleValues::DayMonthYear;
    const ExportRequest r = request(ExportFormat::Qif);
    ASSERT_TRUE(write(r));
    EXPECT_EQ(lines(r), (QStringList{"!Type:Cash", "D31/12' 1", "PSave", "T-12,50", "L[Savings]", "^", ""}));
}

TEST_F(ExportTest, TextLayoutFillsEmptyFieldsWithABlank)
{
    addGas();
    m_book.addTransaction(1, at(2002, 1, 1), 5, QString());
    ExportRequest r = request(ExportFormat::WindowsText);
    ASSERT_TRUE(write(r));
    EXPECT_EQ(lines(r),
              (QStringList{"Date\tDescription\tNote\tAmount\tCategory\tProject\tCleared\tNum\tContact",
                           "12/31/2001\tGas\ttwo lines\t-12.50\tAuto:Fuel\tTrip\t*\t \t ",
                           "1/1/2002\t\t \t0.05\t\t\t \t \t "}));

    r.format = ExportFormat::UnicodeText;
    ASSERT_TRUE(write(r));
    EXPECT_EQ(lines(r)[1], QStringLiteral("12/31/2001\tGas\ttwo lines\t-12.50\tAuto:Fuel\tTrip\t*\t \t "));
    // UTF-16LE from the first byte: no byte-order mark.
    EXPECT_TRUE(BackupTestBook::read(r.path).startsWith(QByteArray("D\0a\0t\0e\0", 8)));
}

TEST_F(ExportTest, FreeTextCannotBreakALineOrAColumn)
{
    m_book.addTreeRecord(TableKind::Category, 4, 1, QStringLiteral("Odd\tname"));
    m_book.addTransaction(1, at(2001, 5, 5), 100, QStringLiteral("Caf\u00e9\tbar\r\n"),
                          {PropValue::ofText(Prop::Note, QStringLiteral("a\fb\tc")),
                           PropValue::ofInt(Prop::CategoryId, 4),
                           PropValue::ofText(Prop::Number, QStringLiteral("1\n2")),
                           PropValue::ofText(Prop::Contact, QStringLiteral("x\ty"))});
    ExportRequest r = request(ExportFormat::WindowsText);
    ASSERT_TRUE(write(r));
    const QStringList text = lines(r);
    ASSERT_EQ(text.size(), 2);
    EXPECT_EQ(text[1], QStringLiteral("5/5/2001\tCaf\u00e9 bar  \ta b c\t1.00\tOdd name\t\t \t1 2\tx y"));
    // The 8-bit code page holds the accented letter as one byte.
    EXPECT_TRUE(BackupTestBook::read(r.path).contains("Caf\xe9 bar"));

    r.format = ExportFormat::Qif;
    ASSERT_TRUE(write(r));
    EXPECT_EQ(lines(r), (QStringList{"!Type:Cash", "D5/ 5' 1", QStringLiteral("PCaf\u00e9 bar  "), "Ma b c",
                                     "T1.00", "LOdd name", "N1 2", "Ax y", "A", "A", "A", "A", "^", ""}));
}

TEST_F(ExportTest, ContactLosesOnlyTheBlanksAtItsEnds)
{
    // A no-break space is text of the contact, not a blank to trim.
    m_book.addTransaction(1, at(2001, 5, 5), 100, QStringLiteral("Pay"),
                          {PropValue::ofText(Prop::Contact, QStringLiteral(" \u00a0Jane Doe\u00a0\t\r\n"))});
    ExportRequest r = request(ExportFormat::UnicodeText);
    ASSERT_TRUE(write(r));
    EXPECT_EQ(lines(r)[1].section(QLatin1Char('\t'), 8), QStringLiteral("\u00a0Jane Doe\u00a0"));
}

TEST_F(ExportTest, EightBitFormatsWriteWhatTheCodePageLacksAsQuestionMarks)
{
    // The euro sign is byte 0x80 of the default page; omega and the emoji are not in it.
    m_book.addTransaction(1, at(2001, 5, 5), 100, QStringLiteral("\u20ac 5 \u03a9 \U0001F600"),
                          {PropValue::ofInt(Prop::CategoryId, std::numeric_limits<qint32>::min())});
    ExportRequest r = request(ExportFormat::Qif);
    ASSERT_TRUE(write(r));
    const QByteArray bytes = BackupTestBook::read(r.path);
    EXPECT_TRUE(bytes.contains(QByteArray("\r\nP\x80 5 ? ?\r\n"))) << bytes.toStdString();
    // A transfer mark naming no possible account has no category text.
    EXPECT_TRUE(bytes.contains(QByteArray("\r\nL\r\n"))) << bytes.toStdString();

    r.format = ExportFormat::UnicodeText;
    ASSERT_TRUE(write(r));
    EXPECT_EQ(lines(r)[1].section(QLatin1Char('\t'), 1, 1), QStringLiteral("\u20ac 5 \u03a9 \U0001F600"));
}

TEST_F(ExportTest, BothDatesCountAsWholeDays)
{
    m_book.addTransaction(1, at(2024, 3, 1, 23, 59), 1, QStringLiteral("before"));
    m_book.addTransaction(1, *fileTimeFromLocal(LocalTime{2024, 3, 2, 0, 0, 0, 0}), 2,
                          QStringLiteral("first"));
    m_book.addTransaction(1, *fileTimeFromLocal(LocalTime{2024, 3, 3, 23, 59, 59, 999}), 3,
                          QStringLiteral("last"));
    m_book.addTransaction(1, *fileTimeFromLocal(LocalTime{2024, 3, 4, 0, 0, 0, 0}), 4,
                          QStringLiteral("after"));
    m_book.addTransaction(10, at(2024, 3, 2), 5, QStringLiteral("account ten"));
    m_book.addTransaction(2, at(2024, 3, 2), 6, QStringLiteral("account two"));
    // Mid-day times: only the days count.
    ExportRequest r = request(ExportFormat::WindowsText, at(2024, 3, 2, 15), at(2024, 3, 3, 9));
    ExportWriter writer(m_book.tables(), m_categories, m_projects, m_locale, m_codePage);
    ASSERT_TRUE(writer.write(r));
    EXPECT_EQ(writer.written(), 2);
    const QStringList text = lines(r);
    ASSERT_EQ(text.size(), 3);
    EXPECT_TRUE(text[1].contains(QStringLiteral("\tfirst\t")));
    EXPECT_TRUE(text[2].contains(QStringLiteral("\tlast\t")));
}

TEST_F(ExportTest, NothingFromTheStartDayOnMakesNoFileButCountsAsDone)
{
    m_book.addTransaction(2, at(2024, 3, 2), 6, QStringLiteral("account two"));
    ExportRequest r = request(ExportFormat::Qif, at(2024, 3, 3), at(2024, 3, 5));
    r.account = 2;
    EXPECT_TRUE(write(r));
    EXPECT_FALSE(QFile::exists(r.path));

    // A key of another account after the start: the file is made, with no record.
    r.account = 1;
    EXPECT_TRUE(write(r));
    EXPECT_EQ(lines(r), (QStringList{"!Type:Cash", ""}));
}

TEST_F(ExportTest, FailuresSayWhyAndRememberNothing)
{
    addGas();
    ASSERT_TRUE(BackupTestBook::writeFile(m_book.path(QStringLiteral("out.qif")), "older export"));
    bool remembered = false;
    const auto remember = [&](const ExportMemory&) { remembered = true; };
    ExportWriter writer(m_book.tables(), m_categories, m_projects, m_locale, m_codePage);

    ExportRequest missingAccount = request(ExportFormat::Qif);
    missingAccount.account = 99;
    EXPECT_FALSE(ExportCommand::run(writer, missingAccount, m_ui, remember));
    ExportRequest badPath = request(ExportFormat::Qif);
    badPath.path = m_book.path(QStringLiteral("no/such/folder/out.qif"));
    EXPECT_FALSE(ExportCommand::run(writer, badPath, m_ui, remember));

    EXPECT_FALSE(remembered);
    const QString failed = QString::fromLatin1(ExportCommand::FailedText);
    EXPECT_EQ(m_ui.messages, (QStringList{failed, failed}));
    EXPECT_EQ(m_ui.icons, (std::vector<Interaction::Icon>{Interaction::Icon::Exclamation,
                                                          Interaction::Icon::Exclamation}));
    EXPECT_EQ(BackupTestBook::read(m_book.path(QStringLiteral("out.qif"))), QByteArray("older export"));
}

TEST_F(ExportTest, FullDiskFailsTheExport)
{
    for (int day = 1; day <= 28; ++day)
        m_book.addTransaction(1, at(2001, 2, day), day, QStringLiteral("groceries"));
    ExportWriter writer(m_book.tables(), m_categories, m_projects, m_locale, m_codePage);
    const ExportRequest r = request(ExportFormat::UnicodeText);
    FullDevice roomy(1 << 20);
    ASSERT_TRUE(writer.writeTo(r, roomy));
    FullDevice full(roomy.taken.size() - 1);
    EXPECT_FALSE(writer.writeTo(r, full));
}

TEST_F(ExportTest, SuccessRemembersWhereTheNextExportStarts)
{
    m_book.addTransaction(1, at(2024, 3, 4), 1, QStringLiteral("monday"));
    m_book.addTransaction(1, at(2024, 3, 5, 9), 2, QStringLiteral("tuesday"));
    ExportWriter writer(m_book.tables(), m_categories, m_projects, m_locale, m_codePage);
    ExportRequest r = request(ExportFormat::Qif, 0, at(2024, 3, 5, 10));
    std::optional<ExportMemory> memory;
    ASSERT_TRUE(ExportCommand::run(writer, r, m_ui, [&](const ExportMemory& m) { memory = m; }));
    EXPECT_EQ(m_ui.messages, QStringList{QString::fromLatin1(ExportCommand::SucceededText)});
    EXPECT_EQ(m_ui.icons, std::vector<Interaction::Icon>{Interaction::Icon::Information});
    ASSERT_TRUE(memory);
    EXPECT_EQ(memory->nextStart, at(2024, 3, 6, 10));
    EXPECT_EQ(memory->folder, m_book.folder() + QLatin1Char('/'));
    EXPECT_EQ(memory->file, QStringLiteral("out.qif"));
    EXPECT_EQ(writer.written(), 2);

    // The next export goes on from there: the end day's transaction is not written again.
    m_book.addTransaction(1, at(2024, 3, 6, 8), 3, QStringLiteral("wednesday"));
    r.from = memory->nextStart;
    r.to = at(2024, 3, 6, 20);
    ASSERT_TRUE(writer.write(r));
    EXPECT_EQ(writer.written(), 1);
    EXPECT_EQ(lines(r)[2], QStringLiteral("Pwednesday"));
}

TEST(ExportMemory, FolderAndFileOfTheChosenPath)
{
    ExportRequest r;
    r.fullYearDates = true;
    r.path = QStringLiteral("/home/ann/exports/Cash.qif");
    ExportMemory m = ExportCommand::memoryAfter(r);
    EXPECT_EQ(m.folder, QStringLiteral("/home/ann/exports/"));
    EXPECT_EQ(m.file, QStringLiteral("Cash.qif"));
    EXPECT_TRUE(m.fullYearDates);
    // At the top of the tree, or a bare name: the home folder.
    for (const char* path : {"/Cash.qif", "\\Cash.qif", "C\\Cash.qif", "Cash.qif"}) {
        r.path = QString::fromLatin1(path);
        m = ExportCommand::memoryAfter(r);
        EXPECT_EQ(m.folder, QStringLiteral("\\")) << path;
        EXPECT_EQ(m.file, QStringLiteral("Cash.qif")) << path;
    }
    r.path = QStringLiteral("\\My Documents\\Cash.txt");
    EXPECT_EQ(ExportCommand::memoryAfter(r).folder, QStringLiteral("\\My Documents\\"));
}

TEST(ExportFileName, FollowsTheFormatWhateverTheCase)
{
    using ExportFileName::forFormat;
    EXPECT_EQ(forFormat(u"/x/Cash.qif"_s, ExportFormat::WindowsText), u"/x/Cash.txt"_s);
    EXPECT_EQ(forFormat(u"/x/Cash.QIF"_s, ExportFormat::UnicodeText), u"/x/Cash.txt"_s);
    // The first match, and everything after it, goes.
    EXPECT_EQ(forFormat(u"/x/a.qif.old.qif"_s, ExportFormat::WindowsText), u"/x/a.txt"_s);
    EXPECT_EQ(forFormat(u"/x/Cash.Txt"_s, ExportFormat::Qif), u"/x/Cash.qif"_s);
    // Nothing to rewrite.
    EXPECT_EQ(forFormat(u"/x/Cash.qif"_s, ExportFormat::Qif), u"/x/Cash.qif"_s);
    EXPECT_EQ(forFormat(u"/x/Cash.csv"_s, ExportFormat::WindowsText), u"/x/Cash.csv"_s);
    EXPECT_EQ(forFormat(u"/x/Cash"_s, ExportFormat::Qif), u"/x/Cash"_s);
}

}  // namespace
