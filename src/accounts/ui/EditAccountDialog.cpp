#include "accounts/ui/EditAccountDialog.h"

#include "accounts/AccountName.h"
#include "store/TextLimit.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>

EditAccountDialog::EditAccountDialog(const QString& name, const QString& note, QWidget* parent)
    : QDialog(parent), m_name(new QLineEdit(this)), m_note(new QPlainTextEdit(this))
{
    setWindowTitle(QString::fromLatin1(TitleText));
    setAccessibleName(windowTitle());
    m_name->setAccessibleName(QStringLiteral("Description"));
    m_name->setMaxLength(static_cast<int>(AccountName::MaxLength));
    m_name->setText(name);
    m_note->setAccessibleName(QStringLiteral("Note"));
    m_note->setTabChangesFocus(true);
    m_note->setPlainText(note);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Description:"), m_name);
    form->addRow(QStringLiteral("&Note:"), m_note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &EditAccountDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    resize(320, 220);
}

QString EditAccountDialog::name() const
{
    return m_name->text().trimmed();
}

QString EditAccountDialog::note() const
{
    return m_note->toPlainText();
}

void EditAccountDialog::accept()
{
    if (const std::optional<QString> problem = AccountName::problem(m_name->text())) {
        QMessageBox::warning(this, windowTitle(), *problem);
        m_name->setFocus();
        return;
    }
    if (!TextLimit::fits(note())) {
        QMessageBox::warning(this, windowTitle(), QString::fromLatin1(TextLimit::TooLongText));
        m_note->setFocus();
        return;
    }
    QDialog::accept();
}
