#include "accounts/ui/FindDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

FindDialog::FindDialog(const TransactionFind::Query& last, QWidget* parent)
    : QDialog(parent), m_text(new QLineEdit(this)),
      m_matchCase(new QCheckBox(QString::fromLatin1(TransactionFind::MatchCaseText), this))
{
    setWindowTitle(QString::fromLatin1(TransactionFind::TitleText));
    setAccessibleName(windowTitle());
    m_text->setAccessibleName(QString::fromLatin1(TransactionFind::FindWhatText).chopped(1));
    m_text->setText(last.text);
    m_text->selectAll();
    m_matchCase->setAccessibleName(m_matchCase->text());
    m_matchCase->setChecked(last.matchCase);

    auto* buttons = new QDialogButtonBox(this);
    m_find = buttons->addButton(QString::fromLatin1(TransactionFind::FindButtonText),
                                QDialogButtonBox::AcceptRole);
    m_find->setAccessibleName(QStringLiteral("Find"));
    m_find->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const auto enable = [this] { m_find->setEnabled(!m_text->text().isEmpty()); };
    connect(m_text, &QLineEdit::textChanged, this, enable);
    enable();

    auto* form = new QFormLayout(this);
    form->addRow(QString::fromLatin1(TransactionFind::FindWhatText), m_text);
    form->addRow(QString(), m_matchCase);
    form->addRow(buttons);
}

TransactionFind::Query FindDialog::query() const
{
    return {m_text->text(), m_matchCase->isChecked()};
}
