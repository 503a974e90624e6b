#include "reports/FilterFile.h"

#include "support/ScriptedInteraction.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using IdKind = ReportFilter::IdKind;
using TextField = ReportFilter::TextField;
using Result = FilterFile::ReadResult;

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

Result readBytes(const QByteArray& bytes, ReportFilter& filter)
{
    QBuffer buffer;
    buffer.setData(bytes);
    EXPECT_TRUE(buffer.open(QIODevice::ReadOnly));
    return FilterFile::read(buffer, filter);
}

// Every part of the filter a file carries, in a comparable form.
struct Carried {
    std::vector<qint32> accounts, categories, projects;
    QString description, note, contact, number;
    qint64 low = 0, high = 0;
    bool unreconciled = false, cleared = false, reconciled = false;
    friend bool operator==(const Carried&, const Carried&) = default;
};

Carried carried(const ReportFilter& f)
{
    return {f.ids(IdKind::Accounts).ids(),
            f.ids(IdKind::Categories).ids(),
            f.ids(IdKind::Projects).ids(),
            f.text(TextField::Description),
            f.text(TextField::Note),
            f.text(TextField::Contact),
            f.text(TextField::Number),
            f.amountLow().hundredths(),
            f.amountHigh().hundredths(),
            f.markFlag(ReconcileMark::Unreconciled),
            f.markFlag(ReconcileMark::Cleared),
            f.markFlag(ReconcileMark::Reconciled)};
}

ReportFilter fullFilter()
{
    ReportFilter f;
    f.addId(IdKind::Accounts, 2);
    f.addId(IdKind::Accounts, 1);
    f.addId(IdKind::Categories, 0x01020304);
    f.addId(IdKind::Projects, -1);
    f.setText(TextField::Description, QStringLiteral("ab"));
    f.setText(TextField::Note, QStringLiteral("é"));
    f.setText(TextField::Contact, QStringLiteral("c"));
    f.setText(TextField::Number, QStringLiteral("7"));
    f.setAmountRange(Money::fromHundredths(-2), Money::fromHundredths(256));
    f.setMarkFlag(ReconcileMark::Unreconciled, true);
    f.setMarkFlag(ReconcileMark::Cleared, true);
    f.setMarkFlag(ReconcileMark::Reconciled, true);
    return f;
}

// The bytes of fullFilter(), entry by entry.
const QByteArray FullFile = hex("747966"
                                "0101"
                                "02"
                                "0200"
                                "02000000"
                                "01000000"
                                "03"
                                "0100"
                                "04030201"
                                "04"
                                "0100"
                                "ffffffff"
                                "05"
                                "0200"
                                "4100"
                                "4200"
                                "06"
                                "0100"
                                "c900"
                                "07"
                                "0100"
                                "4300"
                                "0a"
                                "0100"
                                "3700"
                                "08"
                                "feffffffffffffff"
                                "0001000000000000"
                                "0b01"
                                "0c01"
                                "0d01"
                                "ff");

TEST(FilterFile, OnlyClearedIsEightBytes)
{
    ReportFilter f;
    f.setMarkFlag(ReconcileMark::Cleared, true);
    EXPECT_EQ(FilterFile::encode(f), hex("7479660101"
                                         "0c01"
                                         "ff"));
}

TEST(FilterFile, EmptyFilterIsHeaderAndEndTag)
{
    EXPECT_EQ(FilterFile::encode(ReportFilter()), hex("7479660101ff"));
}

TEST(FilterFile, EveryEntryInItsOrderAndForm)
{
    EXPECT_EQ(FilterFile::encode(fullFilter()).toHex(), FullFile.toHex());
}

TEST(FilterFile, ReadsBackWhatItWrote)
{
    ReportFilter f;
    EXPECT_EQ(readBytes(FullFile, f), Result::Complete);
    EXPECT_EQ(carried(f), carried(fullFilter()));
}

TEST(FilterFile, LongListsGoOutInSeveralEntriesAndReadBackWhole)
{
    ReportFilter f;
    for (qint32 id = 1; id <= 70000; ++id)
        ASSERT_TRUE(f.addId(IdKind::Projects, id));
    const QByteArray bytes = FilterFile::encode(f);
    EXPECT_EQ(bytes.size(), 5 + (3 + 65535 * 4) + (3 + 4465 * 4) + 1);
    EXPECT_EQ(bytes.mid(5, 3), hex("04ffff"));
    ReportFilter back;
    EXPECT_EQ(readBytes(bytes, back), Result::Complete);
    EXPECT_EQ(back.ids(IdKind::Projects).ids(), f.ids(IdKind::Projects).ids());
}

TEST(FilterFile, TextsLongerThanACountCanHoldAreCutWithoutSplittingAPair)
{
    ReportFilter f;
    QString text(65534, QLatin1Char('x'));
    text += QString::fromUtf8("\xF0\x9F\x98\x80");  // one pair: units 65534 and 65535
    f.setText(TextField::Note, text);
    const QByteArray bytes = FilterFile::encode(f);
    EXPECT_EQ(bytes.mid(5, 3), hex("06feff"));
    ReportFilter back;
    EXPECT_EQ(readBytes(bytes, back), Result::Complete);
    EXPECT_EQ(back.text(TextField::Note), QString(65534, QLatin1Char('X')));
}

TEST(FilterFile, BadHeaderLeavesTheFilterAlone)
{
    const QByteArray heads[] = {
        hex(""), hex("7479"), hex("747966"), hex("7479660102ff"), hex("5479660101ff"), hex("7479660001ff")};
    for (const QByteArray& head : heads) {
        ReportFilter f = fullFilter();
        const quint32 counter = f.changeCount();
        EXPECT_EQ(readBytes(head, f), Result::BadHeader) << head.toHex().constData();
        EXPECT_EQ(carried(f), carried(fullFilter()));
        EXPECT_EQ(f.changeCount(), counter);
    }
}

TEST(FilterFile, LoadingStartsFromAClearedFilterButKeepsPeriodAndCurrency)
{
    ReportFilter f = fullFilter();
    f.setCurrency(QStringLiteral("EUR"));
    f.setDateLow(1'000'000'000'000);
    const FileTime low = f.dateLow();
    EXPECT_EQ(readBytes(hex("7479660101"
                            "0501004100"
                            "ff"),
                        f),
              Result::Complete);
    Carried expected = carried(ReportFilter());
    expected.description = QStringLiteral("A");
    EXPECT_EQ(carried(f), expected);
    EXPECT_EQ(f.currency(), QStringLiteral("EUR"));
    EXPECT_EQ(f.dateLow(), low);
}

struct EntryCase {
    const char* entries;  // hex, between header and end tag
    const char* what;
};

TEST(FilterFile, EntriesApplyByTheSettersRules)
{
    ReportFilter f;
    // A range stored high first comes back swapped.
    ASSERT_EQ(readBytes(hex("7479660101"
                            "08"
                            "1027000000000000"
                            "8813000000000000"
                            "ff"),
                        f),
              Result::Complete);
    EXPECT_EQ(f.amountLow().hundredths(), 5000);
    EXPECT_EQ(f.amountHigh().hundredths(), 10000);

    // A zero flag byte sets nothing, an empty text clears, a lower-case text is upper-cased.
    ASSERT_EQ(readBytes(hex("7479660101"
                            "0b00"
                            "0c02"
                            "050000"
                            "0a01006100"
                            "ff"),
                        f),
              Result::Complete);
    EXPECT_FALSE(f.markFlag(ReconcileMark::Unreconciled));
    EXPECT_TRUE(f.markFlag(ReconcileMark::Cleared));
    EXPECT_FALSE(f.textActive(TextField::Description));
    EXPECT_EQ(f.text(TextField::Number), QStringLiteral("A"));

    // Repeated ids are kept once; a later entry of the same text wins.
    ASSERT_EQ(readBytes(hex("7479660101"
                            "02020007000000"
                            "07000000"
                            "020100"
                            "08000000"
                            "0701004100"
                            "0701004200"
                            "ff"),
                        f),
              Result::Complete);
    EXPECT_EQ(f.ids(IdKind::Accounts).ids(), (std::vector<qint32>{7, 8}));
    EXPECT_EQ(f.text(TextField::Contact), QStringLiteral("B"));
}

TEST(FilterFile, BytesAfterTheEndTagAreIgnored)
{
    ReportFilter f;
    EXPECT_EQ(readBytes(hex("7479660101"
                            "0c01"
                            "ff"
                            "0b01"
                            "1234"),
                        f),
              Result::Complete);
    EXPECT_FALSE(f.markFlag(ReconcileMark::Unreconciled));
}

TEST(FilterFile, EveryCutOfAGoodFileIsDamagedAndKeepsTheEntriesBeforeTheCut)
{
    for (qsizetype cut = 5; cut < FullFile.size(); ++cut) {
        ReportFilter f;
        f.setCurrency(QStringLiteral("EUR"));
        EXPECT_EQ(readBytes(FullFile.first(cut), f), Result::Damaged) << cut;
        EXPECT_EQ(f.currency(), QStringLiteral("EUR"));
    }
    // Cut inside the text entry of the note: lists and description stay.
    ReportFilter f;
    const qsizetype noteStart = FullFile.indexOf(hex("060100c900"));
    ASSERT_GT(noteStart, 0);
    EXPECT_EQ(readBytes(FullFile.first(noteStart + 4), f), Result::Damaged);
    EXPECT_EQ(f.ids(IdKind::Accounts).ids(), (std::vector<qint32>{2, 1}));
    EXPECT_EQ(f.text(TextField::Description), QStringLiteral("AB"));
    EXPECT_FALSE(f.textActive(TextField::Note));
    EXPECT_FALSE(f.amountActive());
}

TEST(FilterFile, UnknownTagsEndTheReadingAsDamaged)
{
    for (const int tag : {0, 1, 9, 14, 254}) {
        ReportFilter f;
        QByteArray bytes = hex("7479660101"
                               "0b01");
        bytes.append(static_cast<char>(tag));
        bytes.append(hex("0c01ff"));
        EXPECT_EQ(readBytes(bytes, f), Result::Damaged) << tag;
        EXPECT_TRUE(f.markFlag(ReconcileMark::Unreconciled)) << tag;
        EXPECT_FALSE(f.markFlag(ReconcileMark::Cleared)) << tag;
    }
}

TEST(FilterFile, LengthsTheDataCannotBackAreDamaged)
{
    const char* files[] = {
        "7479660101"
        "02ffff"
        "01000000",  // 65535 ids promised, one given
        "7479660101"
        "05ffff"
        "4100",  // 65535 characters promised, one given
        "7479660101"
        "08"
        "0100000000000000",
        "7479660101"
        "0b",
        "7479660101"
        "02",
    };
    for (const char* file : files) {
        ReportFilter f;
        EXPECT_EQ(readBytes(hex(file), f), Result::Damaged) << file;
    }
}

TEST(FilterFile, AListBeyondItsBoundIsDamaged)
{
    QByteArray bytes = hex("7479660101");
    qint32 id = 0;
    for (qsizetype entry = 0; entry * 0xFFFF <= ReportIdList::MaxIds; ++entry) {
        bytes.append(hex("03ffff"));
        for (int i = 0; i < 0xFFFF; ++i, ++id)
            bytes.append(reinterpret_cast<const char*>(&id), 4);  // little-endian host
    }
    bytes.append(hex("ff"));
    ReportFilter f;
    EXPECT_EQ(readBytes(bytes, f), Result::Damaged);
    EXPECT_EQ(f.ids(IdKind::Categories).size(), ReportIdList::MaxIds);
}

// --- files ------------------------------------------------------------------------

class FilterFileOnDisk : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    static QByteArray contents(const QString& p)
    {
        QFile file(p);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void write(const QString& p, const QByteArray& bytes)
    {
        QFile file(p);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QTemporaryDir dir;
    ScriptedInteraction ui;
};

TEST_F(FilterFileOnDisk, SaveReplacesTheOldFileWholeAndLeavesNothingBeside)
{
    const QString target = path("f.tyf");
    write(target, QByteArray(4096, 'x'));
    ASSERT_TRUE(FilterFile::save(target, ReportFilter()));
    EXPECT_EQ(contents(target), hex("7479660101ff"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("f.tyf")});
}

TEST_F(FilterFileOnDisk, SaveThatCannotWriteFailsAndKeepsWhatWasThere)
{
    EXPECT_FALSE(FilterFile::save(path("missing/f.tyf"), ReportFilter()));
    // The target is a folder: nothing can be renamed over it.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.tyf")));
    EXPECT_FALSE(FilterFile::save(path("taken.tyf"), fullFilter()));
    EXPECT_TRUE(QFileInfo(path("taken.tyf")).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

TEST_F(FilterFileOnDisk, SavedFileLoadsBack)
{
    ASSERT_TRUE(FilterFile::save(path("f.tyf"), fullFilter()));
    ReportFilter f;
    EXPECT_EQ(FilterFile::load(path("f.tyf"), f, ui), Result::Complete);
    EXPECT_EQ(carried(f), carried(fullFilter()));
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(FilterFileOnDisk, BadFilesSayErrorReadFile)
{
    const std::pair<const char*, Result> cases[] = {
        {"4142434445", Result::BadHeader},
        {"74796601010c", Result::Damaged},
        {"747966010109ff", Result::Damaged},
    };
    for (const auto& [bytes, expected] : cases) {
        write(path("bad.tyf"), hex(bytes));
        ScriptedInteraction said;
        ReportFilter f;
        EXPECT_EQ(FilterFile::load(path("bad.tyf"), f, said), expected) << bytes;
        EXPECT_EQ(said.messages, QStringList{QStringLiteral("Error Read File")}) << bytes;
    }
}

TEST_F(FilterFileOnDisk, AFileThatCannotBeOpenedChangesNothingAndSaysNothing)
{
    ReportFilter f = fullFilter();
    EXPECT_EQ(FilterFile::load(path("absent.tyf"), f, ui), Result::NotOpened);
    EXPECT_EQ(carried(f), carried(fullFilter()));
    EXPECT_TRUE(ui.messages.isEmpty());
}

}  // namespace
