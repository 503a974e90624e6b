#pragma once

// Answers the modal windows a command opens, in order: each step waits for the
// next modal window it can handle (a progress window is left alone) and
// handles it once; a window no step expects is noted and closed. The script
// watches until stop(), once the command returned. What the message boxes
// said is kept, so a test can assert every message it met.

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>

#include <deque>
#include <functional>

class DialogScript {
public:
    using Step = std::function<bool(QWidget*)>;

    DialogScript()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_timer.start();
    }

    // Clicks `button` of the next message box.
    DialogScript& press(QMessageBox::StandardButton button)
    {
        m_steps.push_back([this, button](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box)
                return false;
            texts << box->text();
            box->button(button)->click();
            return true;
        });
        return *this;
    }
    // Chooses `path` in the next file window.
    DialogScript& chooseFile(const QString& path)
    {
        m_steps.push_back([this, path](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            if (!dialog)
                return false;
            titles << dialog->windowTitle();
            // selectFile() leaves the name field alone while it has the focus, which
            // depends on when the window was activated: type the name instead.
            const QFileInfo info(path);
            dialog->setDirectory(info.absolutePath());
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(info.fileName());
            static_cast<QDialog*>(dialog)->accept();
            if (dialog->isVisible())
                unexpected << QStringLiteral("file window refused ") + path;
            return true;
        });
        return *this;
    }
    // Cancels the next file window.
    DialogScript& cancelFile()
    {
        m_steps.push_back([this](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            if (!dialog)
                return false;
            titles << dialog->windowTitle();
            dialog->reject();
            return true;
        });
        return *this;
    }
    // Any other window: `step` says whether it handled it.
    DialogScript& then(Step step)
    {
        m_steps.push_back(std::move(step));
        return *this;
    }

    bool finished() const { return m_steps.empty(); }
    void stop() { m_timer.stop(); }

    QStringList texts;   // of the message boxes, in order
    QStringList titles;  // of the file windows, in order
    QStringList unexpected;

private:
    void tick()
    {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w == m_last || qobject_cast<QProgressDialog*>(w))
            return;
        m_last = w;
        if (!m_steps.empty() && m_steps.front()(w)) {
            m_steps.pop_front();
            return;
        }
        // A window the script did not expect is noted and closed, so the test fails instead of hanging.
        auto* box = qobject_cast<QMessageBox*>(w);
        unexpected << (box ? box->text() : w->windowTitle());
        if (auto* dialog = qobject_cast<QDialog*>(w))
            dialog->reject();
    }

    QTimer m_timer;
    std::deque<Step> m_steps;
    QPointer<QWidget> m_last;
};
