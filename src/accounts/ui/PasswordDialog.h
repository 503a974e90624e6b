#pragma once

#include "accounts/PasswordPrompt.h"

#include <QPointer>

class QWidget;

// The password lock's windows: the "Input Password:" prompt, hiding the main
// window around it, and the lock-out that shows again whenever it is closed.
class PasswordDialog : public PasswordPrompt {
public:
    static constexpr const char* PromptText = "Input Password:";

    // `mainWindow` may be null (start-up, before the window exists).
    explicit PasswordDialog(QWidget* mainWindow = nullptr) : m_mainWindow(mainWindow) {}

    std::optional<QString> askPassword() override;
    void hideMainWindow() override;
    void showMainWindow() override;
    void showLockOut(const QString& text) override;

private:
    QPointer<QWidget> m_mainWindow;
    QPointer<QWidget> m_focus;
};
