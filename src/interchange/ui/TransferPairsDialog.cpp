#include "interchange/ui/TransferPairsDialog.h"

#include "store/DateText.h"
#include "store/Money.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString sideText(const TransferPair::Side& side, const QString& account, const LocaleValues& locale)
{
    return QStringLiteral("%1  %2  %3  %4")
        .arg(account, shortDate(side.date, locale), moneyText(Money::fromHundredths(side.amount), locale),
             side.description);
}

}  // namespace

TransferPairsDialog::TransferPairsDialog(std::vector<TransferPair> pairs,
                                         const std::function<QString(qint32)>& accountName,
                                         const LocaleValues& locale, QWidget* parent)
    : QDialog(parent), m_pairs(std::move(pairs))
{
    setWindowTitle(QString::fromLatin1(TitleText));
    setAccessibleName(windowTitle());
    auto* intro = new QLabel(QString::fromLatin1(IntroText), this);
    intro->setWordWrap(true);
    m_list = new QListWidget(this);
    m_list->setAccessibleName(QStringLiteral("Transfer pairs"));
    for (const TransferPair& p : m_pairs) {
        auto* item = new QListWidgetItem(sideText(p.imported, accountName(p.imported.account), locale) +
                                             QStringLiteral("   \u2194   ") +
                                             sideText(p.other, accountName(p.other.account), locale),
                                         m_list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* pair = buttons->addButton(QStringLiteral("&Pair"), QDialogButtonBox::AcceptRole);
    QPushButton* none = buttons->addButton(QStringLiteral("&Do Not Pair"), QDialogButtonBox::RejectRole);
    pair->setAccessibleName(QStringLiteral("Pair"));
    none->setAccessibleName(QStringLiteral("Do Not Pair"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(720, 320);
}

std::vector<TransferPair> TransferPairsDialog::chosen() const
{
    std::vector<TransferPair> out;
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->checkState() == Qt::Checked)
            out.push_back(m_pairs[static_cast<size_t>(i)]);
    }
    return out;
}
