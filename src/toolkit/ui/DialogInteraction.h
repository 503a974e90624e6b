#pragma once

#include "platform/Interaction.h"

#include <QPointer>
#include <QString>

#include <functional>

class QProgressDialog;
class QWidget;

// The windows' interaction: message boxes titled with the caller's title or
// the program's name, Yes/No questions with No as the default button, and a
// progress window with a label, a bar and "Stop". The progress window closes
// when its bar is full, at the next status text, or when the caller ends it
// after the operation. Status texts go to a sink the program sets (start-up's
// splash); without one they are dropped.
class DialogInteraction : public Interaction {
public:
    static constexpr const char* StopText = "Stop";

    explicit DialogInteraction(QWidget* parent = nullptr) : m_parent(parent) {}
    ~DialogInteraction() override;

    void setParent(QWidget* parent) { m_parent = parent; }
    void setStatusSink(std::function<void(const QString&)> sink) { m_statusSink = std::move(sink); }
    // While set, questions show the warning icon instead of the question mark:
    // for commands whose Yes cannot be undone.
    void setWarningQuestions(bool warning) { m_warningQuestions = warning; }

    bool askYesNo(const QString& text, const QString& title = {}) override;
    void showMessage(const QString& text, Icon icon = Icon::Information, const QString& title = {}) override;
    void showStatus(const QString& text) override;
    void progressLabel(const QString& text) override;
    void progressRange(qint64 steps) override;
    void progressStep(qint64 done) override;
    bool progressStopRequested() override;

    // For a program that is asked to end: the open dialog is closed as if
    // cancelled, and from now on every question is answered No (the default)
    // and no message is shown.
    void declineAll();

    // Closes the progress window; the next progress call opens a new one.
    void endProgress();
    bool progressShown() const;

private:
    QProgressDialog& progress();
    QString titleOr(const QString& title) const;

    QPointer<QWidget> m_parent;
    QPointer<QProgressDialog> m_progress;
    std::function<void(const QString&)> m_statusSink;
    qint64 m_steps = 0;
    bool m_declining = false;
    bool m_warningQuestions = false;
    // The bar counts in int; a long run is scaled down to this many steps.
    static constexpr int BarSteps = 10000;
};
