#pragma once

#include <QWidget>

class QLabel;

// The small status window of start-up: the program's name and the stage it
// is at ("Opening tables...", "Reindexing database" ...).
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

    void showStatus(const QString& text);
    QString status() const;

private:
    QLabel* m_status;
};
