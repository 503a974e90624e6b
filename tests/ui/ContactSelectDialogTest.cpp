#include "reference/ui/ContactSelectDialog.h"

#include "support/ScriptedInteraction.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QListView>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// The desktop's handler is replaced by a script that acts as a person editing
// the contacts file in another program: it appends one card to the file it
// is given.
class ContactsButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_opener = m_dir.filePath(QStringLiteral("opener.sh"));
        QFile script(m_opener);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf "
                     "'BEGIN:VCARD\\r\\nVERSION:3.0\\r\\nN:Moss;Ada;;;\\r\\nEND:VCARD\\r\\n' >> \"$1\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        qputenv("TALLYRA_OPENER", m_opener.toLocal8Bit());
    }
    void TearDown() override { qunsetenv("TALLYRA_OPENER"); }

    // The opener runs detached; wait until it has written.
    bool waitForCard(const QString& path)
    {
        for (int i = 0; i < 200; ++i) {
            QFile f(path);
            if (f.open(QIODevice::ReadOnly) && f.readAll().contains("END:VCARD"))
                return true;
            QThread::msleep(10);
        }
        return false;
    }

    QTemporaryDir m_dir;
    QString m_opener;
    ScriptedInteraction m_ui;
};

TEST_F(ContactsButtonTest, AMissingFileIsMadeOpenedAndReadAgainWhenTheDialogComesBack)
{
    const QString path = m_dir.filePath(QStringLiteral("contacts.vcf"));
    ContactPicker picker(path, CodePage::defaultPage());
    ContactSelectDialog dialog(picker, m_ui);
    picker.fill(m_ui);
    EXPECT_EQ(dialog.list()->model()->rowCount(), 0);

    dialog.openContactsFile();
    ASSERT_TRUE(waitForCard(path));
    EXPECT_TRUE(m_ui.messages.isEmpty());
    // Nothing is read until the dialog is active again.
    EXPECT_EQ(dialog.list()->model()->rowCount(), 0);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&dialog, &activate);
    EXPECT_EQ(dialog.list()->model()->rowCount(), 1);
}

TEST_F(ContactsButtonTest, AFileThatCannotBeMadeOrOpenedIsSaidAndTheListKept)
{
    // A folder that does not exist: the empty file cannot be written.
    ContactPicker picker(m_dir.filePath(QStringLiteral("gone/contacts.vcf")), CodePage::defaultPage());
    ContactSelectDialog dialog(picker, m_ui);
    dialog.openContactsFile();
    ASSERT_EQ(m_ui.messages.size(), 1);
    EXPECT_EQ(m_ui.messages[0], QString::fromLatin1(ContactSelectDialog::OpenFailedText));
    EXPECT_FALSE(picker.isStale());

    qputenv("TALLYRA_OPENER", m_dir.filePath(QStringLiteral("no-such-opener")).toLocal8Bit());
    ContactPicker present(m_dir.filePath(QStringLiteral("contacts.vcf")), CodePage::defaultPage());
    ContactSelectDialog second(present, m_ui);
    second.openContactsFile();
    EXPECT_EQ(m_ui.messages.size(), 2);
    EXPECT_FALSE(present.isStale());
}

}  // namespace
