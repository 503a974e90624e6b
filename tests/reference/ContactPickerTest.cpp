#include "reference/ContactPicker.h"

#include "reference/ContactFileReader.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Records the messages the picker shows; answers nothing else.
class RecordingInteraction : public SilentInteraction {
public:
    void showMessage(const QString& text, Icon icon, const QString&) override
    {
        messages.append(text);
        icons.append(icon);
    }
    QStringList messages;
    QList<Icon> icons;
};

const char* const FourContacts =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Smith;Anna;;;\r\nTEL;TYPE=work:555-1000\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Smith;Bert;;;\r\nTEL;TYPE=home:555-2000\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Goldsmith;Carl;;;\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nORG:Smithy Works\r\nTEL;TYPE=cell:555-3000\r\nEND:VCARD\r\n";
// Sorted lines:
//   0 "Anna  Smith| 555-1000w"
//   1 "Bert  Smith|, 555-2000h"
//   2 "Carl  Goldsmith|"
//   3 "Smithy Works|, 555-3000m"

class ContactPickerTest : public ::testing::Test {
protected:
    void write(const QByteArray& bytes)
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QString path() const { return ContactFileReader::pathInBook(m_dir.path()); }
    ContactPicker& picker()
    {
        if (!m_picker) {
            m_picker = std::make_unique<ContactPicker>(path(), CodePage::defaultPage());
            m_tester = std::make_unique<QAbstractItemModelTester>(
                m_picker.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        }
        return *m_picker;
    }
    ContactPicker& opened(QStringView current = {})
    {
        write(FourContacts);
        picker().open(current, m_ui);
        return picker();
    }

    QTemporaryDir m_dir;
    RecordingInteraction m_ui;
    std::unique_ptr<ContactPicker> m_picker;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

TEST_F(ContactPickerTest, ListsTheStoreSorted)
{
    ContactPicker& p = opened();
    const QStringList expected = {"Anna  Smith| 555-1000w", "Bert  Smith|, 555-2000h", "Carl  Goldsmith|",
                                  "Smithy Works|, 555-3000m"};
    EXPECT_EQ(p.list().lines(), expected);
    ASSERT_EQ(p.rowCount(), 4);
    EXPECT_EQ(p.data(p.index(3)).toString(), "Smithy Works|, 555-3000m");
    EXPECT_EQ(p.data(p.index(1), ContactPicker::ChosenContactRole).toString(), "Bert  Smith");
    EXPECT_FALSE(p.data(p.index(4)).isValid());
    EXPECT_TRUE(m_ui.messages.isEmpty());
}

TEST_F(ContactPickerTest, OpeningSelectsTheLineTheFieldBeginsAndPutsItOnTop)
{
    struct OpenCase {
        const char* current;
        int expected;
    };
    const OpenCase cases[] = {
        {"", -1},          {"bert", 1}, {"ANNA  SMITH", 0}, {"Smithy", 3}, {"Carl  Goldsmith", 2},
        {"Goldsmith", -1}, {"Zoe", -1},
    };
    for (const OpenCase& c : cases) {
        ContactPicker& p = opened(QString::fromUtf8(c.current));
        EXPECT_EQ(p.selectedRow(), c.expected) << c.current;
        EXPECT_EQ(p.topRow(), c.expected) << c.current;
    }
}

TEST_F(ContactPickerTest, OpeningPrefersALineAfterTheFirstWhenSeveralBeginAlike)
{
    write("BEGIN:VCARD\nORG:Same\nEND:VCARD\nBEGIN:VCARD\nORG:Same\nTEL;TYPE=work:1\nEND:VCARD\n"
          "BEGIN:VCARD\nORG:Same\nTEL;TYPE=work:2\nEND:VCARD\n");
    picker().open(u"same", m_ui);
    EXPECT_EQ(picker().selectedRow(), 1);
}

TEST_F(ContactPickerTest, SearchSelectsByPrefixThenByContents)
{
    struct SearchCase {
        const char* text;
        int expected;
    };
    const SearchCase cases[] = {
        {"smi", 3},  // only "Smithy Works" begins with it
        {"SMITH", 3},     {"b", 1},     {"a", 0},
        {"smith|", 0},  // no line begins with it: the first containing it
        {"goldsmith", 2}, {"555-2", 1}, {"works|, 5", 3},
    };
    for (const SearchCase& c : cases) {
        ContactPicker& p = opened();
        p.setSearchText(QString::fromUtf8(c.text));
        EXPECT_EQ(p.selectedRow(), c.expected) << c.text;
        EXPECT_EQ(p.searchText(), QString::fromUtf8(c.text));
    }
}

TEST_F(ContactPickerTest, SearchWithoutMatchOrTextKeepsTheSelection)
{
    ContactPicker& p = opened(u"Bert");
    p.setSearchText(u"nobody");
    EXPECT_EQ(p.selectedRow(), 1);
    p.setSearchText(u"");
    EXPECT_EQ(p.selectedRow(), 1);
    p.setSearchText(u"smithy");
    EXPECT_EQ(p.selectedRow(), 3);
    p.setSearchText(u"smithyx");
    EXPECT_EQ(p.selectedRow(), 3);
}

TEST_F(ContactPickerTest, NextGoesDownWithoutWrappingAndReportsTheEnd)
{
    ContactPicker& p = opened();
    p.setSearchText(u"smith|");
    ASSERT_EQ(p.selectedRow(), 0);
    const int expectedRows[] = {1, 2};
    for (const int row : expectedRows) {
        EXPECT_TRUE(p.next());
        EXPECT_EQ(p.selectedRow(), row);
    }
    EXPECT_FALSE(p.next());
    EXPECT_EQ(p.selectedRow(), 2);
    EXPECT_FALSE(p.next());
    EXPECT_EQ(p.selectedRow(), 2);
}

TEST_F(ContactPickerTest, NextFromNoSelectionStartsAtTheTop)
{
    ContactPicker& p = opened();
    p.setSearchText(u"zzz");
    ASSERT_EQ(p.selectedRow(), -1);
    EXPECT_FALSE(p.next());
    EXPECT_EQ(p.selectedRow(), -1);
    p.setSearchText(u"");
    EXPECT_TRUE(p.next());
    EXPECT_EQ(p.selectedRow(), 0);
}

TEST_F(ContactPickerTest, NextOnTheLastLineOrAnEmptyListFindsNothing)
{
    ContactPicker& p = opened(u"smithy");
    p.setSearchText(u"555");
    p.select(3);
    EXPECT_FALSE(p.next());
    EXPECT_EQ(p.selectedRow(), 3);

    ContactPicker empty(ContactFileReader::pathInBook(m_dir.filePath("none")), CodePage::defaultPage());
    empty.open(u"x", m_ui);
    empty.setSearchText(u"x");
    EXPECT_FALSE(empty.next());
    EXPECT_EQ(empty.selectedRow(), -1);
    EXPECT_TRUE(empty.chosenContact().isEmpty());
}

TEST_F(ContactPickerTest, ChoosingGivesTheNameGroupOrNothing)
{
    ContactPicker& p = opened();
    EXPECT_TRUE(p.chosenContact().isEmpty());
    p.select(3);
    EXPECT_EQ(p.chosenContact(), "Smithy Works");
    p.select(0);
    EXPECT_EQ(p.chosenContact(), "Anna  Smith");
    p.select(4);
    EXPECT_EQ(p.selectedRow(), -1);
    EXPECT_TRUE(p.chosenContact().isEmpty());
}

TEST_F(ContactPickerTest, ChoosingKeepsLeadingBlanksOfAMissingFirstName)
{
    write("BEGIN:VCARD\nVERSION:3.0\nN:Smith;;;;\nEND:VCARD\n");
    picker().open(u"", m_ui);
    picker().setSearchText(u"smi");
    EXPECT_EQ(picker().chosenContact(), "  Smith");
}

TEST_F(ContactPickerTest, AMissingStoreIsAnEmptyListWithoutMessage)
{
    picker().open(u"anything", m_ui);
    EXPECT_EQ(picker().rowCount(), 0);
    EXPECT_TRUE(m_ui.messages.isEmpty());
}

TEST_F(ContactPickerTest, ADamagedStoreSaysSoAndListsNothing)
{
    write("BEGIN:VCARD\nVERSION:3.0\nN:Good;Card\nEND:VCARD\nBEGIN:VCARD\nN:Cut;Off\n");
    picker().open(u"good", m_ui);
    EXPECT_EQ(picker().rowCount(), 0);
    EXPECT_EQ(picker().selectedRow(), -1);
    ASSERT_EQ(m_ui.messages, QStringList{"The Contacts database is corrupt."});
    EXPECT_EQ(m_ui.icons.first(), Interaction::Icon::Exclamation);
}

TEST_F(ContactPickerTest, RefillingReadsTheEditedStoreAndDropsTheSelection)
{
    ContactPicker& p = opened(u"bert");
    p.markStale();
    EXPECT_TRUE(p.isStale());
    write("BEGIN:VCARD\nORG:Only One\nEND:VCARD\n");
    p.fill(m_ui);
    EXPECT_FALSE(p.isStale());
    EXPECT_EQ(p.list().lines(), QStringList{"Only One|"});
    EXPECT_EQ(p.selectedRow(), -1);
}

}  // namespace
