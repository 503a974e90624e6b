#include "accounts/ui/OldTransactionsDialog.h"

#include "accounts/OldTransactionPurge.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

OldTransactionsDialog::OldTransactionsDialog(const QString& accountName, QWidget* parent)
    : QDialog(parent), m_periods(new QListWidget(this)),
      m_clearedOnly(new QCheckBox(QString::fromLatin1(OldTransactionPurge::ClearedOnlyText), this))
{
    setWindowTitle(QString::fromLatin1(OldTransactionPurge::TitleText));
    setAccessibleName(windowTitle());
    auto* prompt = new QLabel(OldTransactionPurge::promptFor(accountName), this);
    prompt->setWordWrap(true);
    prompt->setTextFormat(Qt::PlainText);
    prompt->setBuddy(m_periods);
    for (const OldTransactionPurge::Period& p : OldTransactionPurge::Periods)
        m_periods->addItem(QString::fromLatin1(p.label));
    m_periods->setAccessibleName(QStringLiteral("Older than"));
    m_periods->setSelectionMode(QAbstractItemView::SingleSelection);
    m_clearedOnly->setAccessibleName(QStringLiteral("Delete only Cleared & Reconciled"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setEnabled(false);
    connect(m_periods, &QListWidget::currentRowChanged, this,
            [this](int row) { m_ok->setEnabled(row >= 0); });
    connect(m_periods, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_periods, 1);
    layout->addWidget(m_clearedOnly);
    layout->addWidget(buttons);
    resize(300, 300);
}

int OldTransactionsDialog::days() const
{
    const int row = m_periods->currentRow();
    if (row < 0 || row >= static_cast<int>(OldTransactionPurge::Periods.size()))
        return -1;
    return OldTransactionPurge::Periods[static_cast<size_t>(row)].days;
}

bool OldTransactionsDialog::clearedOnly() const
{
    return m_clearedOnly->isChecked();
}
