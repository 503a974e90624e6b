#include "reports/ui/StartUpDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

StartUpDialog::StartUpDialog(bool about, QWidget* parent)
    : QDialog(parent, about ? Qt::Dialog : Qt::SplashScreen), m_status(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Sumora"));
    setAccessibleName(QStringLiteral("Sumora"));
    auto* title = new QLabel(QStringLiteral("Sumora"), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(QStringLiteral("Version %1").arg(QApplication::applicationVersion()), this);
    version->setAlignment(Qt::AlignCenter);
    version->setAccessibleName(QStringLiteral("Version"));
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setAccessibleName(QStringLiteral("Status"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(m_status);
    if (about) {
        m_status->setText(QStringLiteral("Reports of the book kept by Tallyra."));
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
        buttons->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("OK"));
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        layout->addWidget(buttons);
    }
    setMinimumWidth(320);
}

void StartUpDialog::showStatus(const QString& text)
{
    m_status->setText(text);
    // Start-up runs on this thread: paint the text before the next stage.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString StartUpDialog::status() const
{
    return m_status->text();
}
