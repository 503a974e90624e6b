#pragma once

#include <QString>

// The logic's only way to talk to the user in the middle of an operation: a
// Yes/No question, a message, a status text, a progress window with "Stop".
// The windows implement it with dialogs, the CLI with its options and stderr,
// the tests with scripted answers that record what was asked.
class Interaction {
public:
    enum class Icon { Information, Exclamation, Question, Error };

    virtual ~Interaction() = default;

    // A Yes/No question whose default button is No. True means Yes.
    virtual bool askYesNo(const QString& text, const QString& title = {}) = 0;
    virtual void showMessage(const QString& text, Icon icon = Icon::Information,
                             const QString& title = {}) = 0;
    // Start-up's splash texts and similar passing status lines.
    virtual void showStatus(const QString& text) = 0;

    // The progress window: a label, a bar of `steps` steps and "Stop".
    virtual void progressLabel(const QString& text) = 0;
    virtual void progressRange(qint64 steps) = 0;
    virtual void progressStep(qint64 done) = 0;
    // True once the user asked to stop; the operation then asks or stops as its rule says.
    virtual bool progressStopRequested() = 0;
};

// Answers nothing and shows nothing: for work that runs without a user.
class SilentInteraction : public Interaction {
public:
    bool askYesNo(const QString&, const QString& = {}) override { return false; }
    void showMessage(const QString&, Icon = Icon::Information, const QString& = {}) override {}
    void showStatus(const QString&) override {}
    void progressLabel(const QString&) override {}
    void progressRange(qint64) override {}
    void progressStep(qint64) override {}
    bool progressStopRequested() override { return false; }
};
