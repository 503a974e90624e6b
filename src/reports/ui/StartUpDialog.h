#pragma once

#include <QDialog>

class QLabel;

// The report program's start-up dialog: its name, the version line and the
// status line of the stage start-up is at ("Opening tables..."). "About..."
// shows the same dialog, modal, with an OK button.
class StartUpDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* LoadResourceText = "Load Resource...";
    static constexpr const char* CreatingWindowText = "Create main window application...";

    // `about`: the modal form with OK; otherwise a frameless splash.
    explicit StartUpDialog(bool about, QWidget* parent = nullptr);

    void showStatus(const QString& text);
    QString status() const;

private:
    QLabel* m_status;
};
