#pragma once

#include "accounts/PasswordLock.h"
#include "accounts/PasswordOptions.h"
#include "platform/Interaction.h"
#include "store/DbTable.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The "Password Options" page of the options sheet: the widgets over
// PasswordOptions, which holds their state, what is enabled and what "Apply"
// does. The page only mirrors it.
class PasswordOptionsPage : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* TitleText = "Password Options";
    static constexpr const char* WriteFailedText = "The password settings could not be written.";

    // All must outlive the page; the page starts from lock.settings().
    PasswordOptionsPage(DbTable& transactions, PasswordLock& lock, Interaction& ui,
                        QWidget* parent = nullptr);

    // "Apply": true once the settings are saved (or nothing was changed);
    // false with the message shown and the focus on the field to mend.
    bool apply();
    bool hasChanges() const { return m_form.applyEnabled(); }

    QCheckBox* passwordBox() const { return m_setPassword; }
    QLineEdit* firstEdit() const { return m_first; }
    QLineEdit* secondEdit() const { return m_second; }
    QCheckBox* idleBox() const { return m_idle; }
    QLineEdit* minutesEdit() const { return m_minutes; }
    QPushButton* applyButton() const { return m_apply; }

Q_SIGNALS:
    // New settings were saved: the window restarts or stops its idle timer.
    void applied();

private:
    void showState();
    void takePassword(QLineEdit* edit, bool first);

    DbTable& m_transactions;
    PasswordLock& m_lock;
    Interaction& m_ui;
    PasswordOptions m_form;
    QCheckBox* m_setPassword;
    QLineEdit* m_first;
    QLineEdit* m_second;
    QCheckBox* m_idle;
    QLineEdit* m_minutes;
    QPushButton* m_apply;
};
