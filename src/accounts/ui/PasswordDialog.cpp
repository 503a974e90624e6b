#include "accounts/ui/PasswordDialog.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

std::optional<QString> PasswordDialog::askPassword()
{
    QDialog dialog(m_mainWindow && m_mainWindow->isVisible() ? m_mainWindow.data() : nullptr);
    dialog.setWindowTitle(QApplication::applicationDisplayName());
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(QString::fromLatin1(PromptText), &dialog);
    auto* edit = new QLineEdit(&dialog);
    edit->setEchoMode(QLineEdit::Password);
    edit->setAccessibleName(QString::fromLatin1(PromptText));
    label->setBuddy(edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return edit->text();
}

void PasswordDialog::hideMainWindow()
{
    m_focus = QApplication::focusWidget();
    if (m_mainWindow)
        m_mainWindow->hide();
}

void PasswordDialog::showMainWindow()
{
    if (m_mainWindow)
        m_mainWindow->show();
    if (m_focus)
        m_focus->setFocus();
}

void PasswordDialog::showLockOut(const QString& text)
{
    // Closing the message only brings it back: ending the process is the way out.
    for (;;) {
        QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
        box.exec();
    }
}
