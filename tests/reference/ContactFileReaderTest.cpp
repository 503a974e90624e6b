#include "reference/ContactFileReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using Status = ContactStoreResult::Status;

class ContactFileReaderTest : public ::testing::Test {
protected:
    QString path() const { return ContactFileReader::pathInBook(m_dir.path()); }
    ContactStoreResult read() const { return ContactFileReader(CodePage::defaultPage()).read(path()); }
    void write(const QByteArray& bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QTemporaryDir m_dir;
};

TEST_F(ContactFileReaderTest, FindsTheStoreInTheBookFolder)
{
    EXPECT_EQ(ContactFileReader::pathInBook("/books/home"), "/books/home/contacts.vcf");
}

TEST_F(ContactFileReaderTest, AMissingFileIsAnEmptyStore)
{
    const ContactStoreResult result = read();
    EXPECT_EQ(result.status, Status::Missing);
    EXPECT_TRUE(result.cards.isEmpty());
}

TEST_F(ContactFileReaderTest, ReadsAWellFormedFile)
{
    write("BEGIN:VCARD\r\nVERSION:2.1\r\nN:Doe;Jo\r\nEND:VCARD\r\n");
    const ContactStoreResult result = read();
    ASSERT_EQ(result.status, Status::Read);
    ASSERT_EQ(result.cards.size(), 1);
    EXPECT_EQ(result.cards[0].firstName, "Jo");
}

TEST_F(ContactFileReaderTest, AnEmptyFileIsAnEmptyStore)
{
    write("");
    const ContactStoreResult result = read();
    EXPECT_EQ(result.status, Status::Read);
    EXPECT_TRUE(result.cards.isEmpty());
}

TEST_F(ContactFileReaderTest, DamagedBytesGiveNoCards)
{
    write("BEGIN:VCARD\nN:Doe;Jo\nEND:VCARD\ngarbage\n");
    const ContactStoreResult result = read();
    EXPECT_EQ(result.status, Status::Damaged);
    EXPECT_TRUE(result.cards.isEmpty());
}

TEST_F(ContactFileReaderTest, APathThatIsNoRegularFileIsDamaged)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("contacts.vcf"));
    EXPECT_EQ(read().status, Status::Damaged);
}

TEST_F(ContactFileReaderTest, APipeIsDamagedWithoutBlocking)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
    EXPECT_EQ(read().status, Status::Damaged);
}

TEST_F(ContactFileReaderTest, ADanglingLinkIsDamaged)
{
    ASSERT_TRUE(QFile::link(m_dir.filePath("gone.vcf"), path()));
    EXPECT_EQ(read().status, Status::Damaged);
}

TEST_F(ContactFileReaderTest, AFileAboveTheSizeCapIsDamaged)
{
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(ContactFileReader::MaxFileBytes + 1));  // sparse: no disk used
    file.close();
    EXPECT_EQ(read().status, Status::Damaged);
}

TEST_F(ContactFileReaderTest, AFileAtTheSizeCapIsRead)
{
    // Blank lines are allowed anywhere, so a card after a long blank line is valid.
    const QByteArray card = "\nBEGIN:VCARD\nORG:Big\nEND:VCARD\n";
    write(QByteArray(ContactFileReader::MaxFileBytes - card.size(), ' ') + card);
    const ContactStoreResult result = read();
    ASSERT_EQ(result.status, Status::Read);
    EXPECT_EQ(result.cards.size(), 1);
}

}  // namespace
