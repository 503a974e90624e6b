#include "toolkit/ui/DialogInteraction.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QProgressDialog>

#include <algorithm>

DialogInteraction::~DialogInteraction()
{
    endProgress();
}

QString DialogInteraction::titleOr(const QString& title) const
{
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}

void DialogInteraction::declineAll()
{
    m_declining = true;
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        dialog && dialog != m_progress.data())
        dialog->reject();
}

bool DialogInteraction::askYesNo(const QString& text, const QString& title)
{
    if (m_declining)
        return false;
    QMessageBox box(m_warningQuestions ? QMessageBox::Warning : QMessageBox::Question, titleOr(title), text,
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    box.setAccessibleName(titleOr(title));
    return box.exec() == QMessageBox::Yes;
}

void DialogInteraction::showMessage(const QString& text, Icon icon, const QString& title)
{
    if (m_declining)
        return;
    QMessageBox::Icon shown = QMessageBox::Information;
    switch (icon) {
    case Icon::Information:
        shown = QMessageBox::Information;
        break;
    case Icon::Exclamation:
        shown = QMessageBox::Warning;
        break;
    case Icon::Question:
        shown = QMessageBox::Question;
        break;
    case Icon::Error:
        shown = QMessageBox::Critical;
        break;
    }
    QMessageBox box(shown, titleOr(title), text, QMessageBox::Ok, m_parent);
    box.setAccessibleName(titleOr(title));
    box.exec();
}

void DialogInteraction::showStatus(const QString& text)
{
    // A new stage: whatever progress the last one showed is over.
    endProgress();
    if (m_statusSink)
        m_statusSink(text);
}

QProgressDialog& DialogInteraction::progress()
{
    if (!m_progress) {
        m_progress = new QProgressDialog(m_parent);
        m_progress->setWindowTitle(QApplication::applicationDisplayName());
        m_progress->setAccessibleName(QApplication::applicationDisplayName());
        m_progress->setCancelButtonText(QString::fromLatin1(StopText));
        m_progress->setWindowModality(Qt::ApplicationModal);
        m_progress->setAutoClose(false);
        m_progress->setAutoReset(false);
        m_progress->setMinimumDuration(0);
        m_progress->setRange(0, 0);
        m_progress->show();
    }
    return *m_progress;
}

void DialogInteraction::progressLabel(const QString& text)
{
    progress().setLabelText(text);
    QApplication::processEvents();
}

void DialogInteraction::progressRange(qint64 steps)
{
    m_steps = steps > 0 ? steps : 0;
    progress().setRange(0, static_cast<int>(std::min<qint64>(m_steps, BarSteps)));
    progress().setValue(0);
}

void DialogInteraction::progressStep(qint64 done)
{
    QProgressDialog& p = progress();
    if (m_steps > BarSteps)
        p.setValue(static_cast<int>(done * BarSteps / m_steps));
    else
        p.setValue(static_cast<int>(std::clamp<qint64>(done, 0, m_steps)));
    if (m_steps > 0 && done >= m_steps) {
        endProgress();
        return;
    }
    // Lets "Stop" be clicked while the operation runs on this thread.
    QApplication::processEvents();
}

bool DialogInteraction::progressStopRequested()
{
    if (!m_progress)
        return false;
    QApplication::processEvents();
    return m_progress->wasCanceled();
}

void DialogInteraction::endProgress()
{
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
    }
    m_progress = nullptr;
    m_steps = 0;
}

bool DialogInteraction::progressShown() const
{
    return m_progress && m_progress->isVisible();
}
