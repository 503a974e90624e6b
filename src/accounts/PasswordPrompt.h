#pragma once

#include <QString>

#include <optional>

// What the password lock needs from the windows: the "Input Password:" prompt,
// hiding and showing the main window around it, and the lock-out. The main
// window implements it with dialogs, the CLI without a window, the tests with a
// script. Plain messages go through Interaction.
class PasswordPrompt {
public:
    virtual ~PasswordPrompt() = default;

    // Shows the prompt. The typed text on OK, nullopt on Cancel.
    virtual std::optional<QString> askPassword() = 0;

    // Around a lock while the program runs: hide the main window before the
    // prompt, show it again and give the focus back to where it was after.
    virtual void hideMainWindow() = 0;
    virtual void showMainWindow() = 0;

    // The lock-out: shows `text` in a window that cannot be dismissed, showing
    // it again each time it is closed, so that only ending the process leaves
    // it. The lock stays locked out whether or not this returns; the main
    // window is never shown again.
    virtual void showLockOut(const QString& text) = 0;
};
