#pragma once

#include "accounts/PasswordLock.h"
#include "platform/Interaction.h"
#include "shell/MainBook.h"

#include <QDialog>

class CurrencyPage;
class PasswordOptionsPage;
class QTabWidget;

// `COptions`, the property sheet "Tallyra options": the "Currency" page and
// the "Password Options" page. OK applies the password page (staying open
// when it refuses); however the sheet closes, the project totals that a new
// rate or default currency put out of date are recomputed, since rates take
// effect as they are typed.
class OptionsSheet : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* TitleText = "Tallyra options";
    static constexpr const char* TotalsText = "The project totals could not be updated.";

    OptionsSheet(MainBook& book, PasswordLock& lock, Interaction& ui, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }
    CurrencyPage* currencyPage() const { return m_currency; }
    PasswordOptionsPage* passwordPage() const { return m_password; }

    void accept() override;
    void done(int result) override;

Q_SIGNALS:
    // The lock settings changed: the window restarts or stops its idle timer.
    void lockChanged();

private:
    MainBook& m_book;
    Interaction& m_ui;
    QTabWidget* m_tabs;
    CurrencyPage* m_currency;
    PasswordOptionsPage* m_password;
};
