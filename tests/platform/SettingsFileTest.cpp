#include "platform/SettingsFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    QString iniPath() const { return m_dir.filePath(QStringLiteral("Tallyra.ini")); }
    void writeRaw(const QByteArray& contents) const
    {
        QFile f(iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(contents);
    }
    QByteArray readRaw() const
    {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
};

const QString Options = QStringLiteral("Options");

TEST_F(SettingsFileTest, MissingFileYieldsDefaults)
{
    const SettingsFile settings(iniPath());
    EXPECT_EQ(settings.readInt(Options, QStringLiteral("Panel0cx"), 80), 80);
    EXPECT_EQ(settings.readText(Options, QStringLiteral("Version"), QStringLiteral("1.0.0.0")),
              QStringLiteral("1.0.0.0"));
    EXPECT_FALSE(QFile::exists(iniPath()));
}

TEST_F(SettingsFileTest, IntegersRoundTripAsThirtyTwoBits)
{
    const qint32 values[] = {
        0, 1, -1, 281, std::numeric_limits<qint32>::max(), std::numeric_limits<qint32>::min()};
    for (qint32 v : values) {
        {
            SettingsFile settings(iniPath());
            ASSERT_TRUE(settings.writeInt(Options, QStringLiteral("n"), v));
            EXPECT_EQ(settings.readInt(Options, QStringLiteral("n"), 7), v);
        }
        // A fresh reader sees what reached the disk.
        EXPECT_EQ(SettingsFile(iniPath()).readInt(Options, QStringLiteral("n"), 7), v) << v;
    }
}

TEST_F(SettingsFileTest, TextsRoundTripWhateverTheyHold)
{
    const QString values[] = {
        QString(),
        QStringLiteral("BackUp.tyb"),
        QStringLiteral("\\"),
        QStringLiteral("a, b; c = d"),
        QStringLiteral("\"quoted\" and 'single'"),
        QStringLiteral("@Invalid()"),
        QStringLiteral("@ByteArray(x)"),
        QStringLiteral("  padded  "),
        QStringLiteral("line one\nline two\ttab"),
        QStringLiteral("#not a comment"),
        QString::fromUtf16(u"K\u00f6ln \u20ac \u2603 \U0001F600"),
    };
    for (const QString& v : values) {
        {
            SettingsFile settings(iniPath());
            ASSERT_TRUE(settings.writeText(Options, QStringLiteral("t"), v));
        }
        const QString back =
            SettingsFile(iniPath()).readText(Options, QStringLiteral("t"), QStringLiteral("default"));
        EXPECT_EQ(back, v) << v.toStdString();
    }
}

TEST_F(SettingsFileTest, AnEmptyTextIsAValueNotAMissingOne)
{
    SettingsFile settings(iniPath());
    ASSERT_TRUE(settings.writeText(Options, QStringLiteral("Export Folder"), QString()));
    EXPECT_EQ(
        SettingsFile(iniPath()).readText(Options, QStringLiteral("Export Folder"), QStringLiteral("\\")),
        QString());
}

TEST_F(SettingsFileTest, KeysWithSeparatorCharactersStayDistinct)
{
    // Account names end up in keys; each of these must be a key of its own.
    const QString names[] = {
        QStringLiteral("Cash"),  QStringLiteral("cash"),         QStringLiteral("a/b"),
        QStringLiteral("a\\b"),  QStringLiteral("a%2Fb"),        QStringLiteral("a%5Cb"),
        QStringLiteral("a%25b"), QStringLiteral("a%b"),          QStringLiteral("ab"),
        QStringLiteral("a//b"),  QStringLiteral("/ab"),          QStringLiteral("ab/"),
        QStringLiteral("a=b"),   QStringLiteral("a;b"),          QStringLiteral("a,b"),
        QStringLiteral("[a]b"),  QStringLiteral("a]\n[b"),       QStringLiteral("#a"),
        QStringLiteral("a b"),   QStringLiteral(" ab "),         QStringLiteral("\"ab\""),
        QStringLiteral("@ab"),   QString::fromUtf16(u"\u00e4b"), QString::fromUtf16(u"a\u2603b"),
    };
    {
        SettingsFile settings(iniPath());
        for (int i = 0; i < static_cast<int>(std::size(names)); ++i)
            ASSERT_TRUE(settings.writeInt(Options, QStringLiteral("Export low date") + names[i], i + 1));
    }
    const SettingsFile settings(iniPath());
    for (int i = 0; i < static_cast<int>(std::size(names)); ++i) {
        EXPECT_EQ(settings.readInt(Options, QStringLiteral("Export low date") + names[i], 0), i + 1)
            << names[i].toStdString();
    }
    // Nothing spilled into other sections or plain keys.
    EXPECT_EQ(settings.readInt(Options, QStringLiteral("Export low datea"), -5), -5);
    EXPECT_EQ(settings.readInt(QStringLiteral("Options/Export low datea"), QStringLiteral("b"), -5), -5);
}

TEST_F(SettingsFileTest, SectionNamesWithSeparatorCharactersStayDistinct)
{
    const QString sections[] = {QStringLiteral("list1"),   QStringLiteral("list/1"),
                                QStringLiteral("list\\1"), QStringLiteral("list]1"),
                                QStringLiteral("General"), QStringLiteral("")};
    {
        SettingsFile settings(iniPath());
        for (int i = 0; i < static_cast<int>(std::size(sections)); ++i)
            ASSERT_TRUE(settings.writeInt(sections[i], QStringLiteral("ColumnCount"), i + 10));
    }
    const SettingsFile settings(iniPath());
    for (int i = 0; i < static_cast<int>(std::size(sections)); ++i)
        EXPECT_EQ(settings.readInt(sections[i], QStringLiteral("ColumnCount"), 0), i + 10)
            << sections[i].toStdString();
}

TEST_F(SettingsFileTest, EscapingIsPercentEncodingOfTheSeparators)
{
    EXPECT_EQ(SettingsFile::escapeName(QStringLiteral("a/b\\c%d=e")), QStringLiteral("a%2Fb%5Cc%25d=e"));
    EXPECT_EQ(SettingsFile::escapeName(QStringLiteral("Panel0cx")), QStringLiteral("Panel0cx"));
}

TEST_F(SettingsFileTest, PlainKeysAreReadableInTheFile)
{
    SettingsFile settings(iniPath());
    ASSERT_TRUE(settings.writeInt(QStringLiteral("accountpage"), QStringLiteral("listspdate"), 73));
    const QByteArray raw = readRaw();
    EXPECT_TRUE(raw.contains("[accountpage]")) << raw.constData();
    EXPECT_TRUE(raw.contains("listspdate=73")) << raw.constData();
}

TEST_F(SettingsFileTest, MalformedValuesYieldTheDefault)
{
    writeRaw("[Options]\n"
             "a=abc\n"
             "b=12x\n"
             "c=99999999999\n"
             "d=-2147483649\n"
             "e=4294967295\n"
             "f= 42 \n"
             "g=1,2\n"
             "h=\n"
             "i=@Invalid()\n"
             "j=a, b\n");
    const SettingsFile settings(iniPath());
    struct Case {
        const char* key;
        qint32 expected;
    };
    const Case cases[] = {{"a", 5},  {"b", 5}, {"c", 5}, {"d", 5}, {"e", -1},
                          {"f", 42}, {"g", 5}, {"h", 5}, {"i", 5}};
    for (const Case& c : cases)
        EXPECT_EQ(settings.readInt(Options, QString::fromLatin1(c.key), 5), c.expected) << c.key;
    EXPECT_EQ(settings.readText(Options, QStringLiteral("i"), QStringLiteral("dflt")),
              QStringLiteral("dflt"));
    EXPECT_EQ(settings.readText(Options, QStringLiteral("j"), QStringLiteral("dflt")),
              QStringLiteral("a, b"));
}

TEST_F(SettingsFileTest, GarbageFileYieldsDefaults)
{
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(static_cast<char>((i * 37 + 11) % 256));
    writeRaw(garbage);
    const SettingsFile settings(iniPath());
    EXPECT_EQ(settings.readInt(Options, QStringLiteral("Panel1cx"), 281), 281);
    EXPECT_EQ(settings.readText(Options, QStringLiteral("BackUp File"), QStringLiteral("BackUp.tyb")),
              QStringLiteral("BackUp.tyb"));
}

TEST_F(SettingsFileTest, UnwritableFileReportsFailureAndReadsGoOn)
{
    // A file below a plain file can be written by nobody, not even root.
    writeRaw("not a folder");
    SettingsFile settings(iniPath() + QStringLiteral("/Tallyra.ini"));
    EXPECT_FALSE(settings.writeInt(Options, QStringLiteral("Panel0cx"), 99));
    EXPECT_FALSE(settings.writeText(Options, QStringLiteral("Version"), QStringLiteral("1.2.0.0")));
    EXPECT_FALSE(QFile::exists(settings.path()));
    EXPECT_EQ(settings.readInt(Options, QStringLiteral("Panel0cx"), 80), 99);
    EXPECT_EQ(settings.readInt(Options, QStringLiteral("Panel1cx"), 281), 281);
}

TEST_F(SettingsFileTest, EmptyKeyIsNeverWritten)
{
    SettingsFile settings(iniPath());
    EXPECT_FALSE(settings.writeInt(Options, QString(), 1));
    EXPECT_EQ(settings.readInt(Options, QString(), 3), 3);
    EXPECT_EQ(settings.readText(Options, QString(), QStringLiteral("x")), QStringLiteral("x"));
}

}  // namespace
