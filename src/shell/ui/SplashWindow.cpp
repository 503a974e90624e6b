#include "shell/ui/SplashWindow.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

SplashWindow::SplashWindow(QWidget* parent) : QWidget(parent, Qt::SplashScreen), m_status(new QLabel(this))
{
    setAccessibleName(QStringLiteral("Tallyra"));
    auto* title = new QLabel(QStringLiteral("Tallyra"), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setAccessibleName(QStringLiteral("Status"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);
    layout->addWidget(title);
    layout->addWidget(m_status);
    setMinimumWidth(320);
}

void SplashWindow::showStatus(const QString& text)
{
    m_status->setText(text);
    // Start-up runs on this thread: paint the text before the next stage.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString SplashWindow::status() const
{
    return m_status->text();
}
