#pragma once

// A RegisterBook with the main window shown on "Cash", its editor panel shown
// or hidden as the test asks.

#include "RegisterBook.h"
#include "accounts/PasswordLock.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/RegisterPage.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <memory>

class WindowBook : public RegisterBook {
protected:
    explicit WindowBook(bool editorPanelShown = true) : m_editorPanelShown(editorPanelShown) {}

    void SetUp() override
    {
        RegisterBook::SetUp();
        if (!m_editorPanelShown)
            m_book.settings().write(TallyraSettings::Int::ShowProperties, 0);
        m_book.settings().write(TallyraSettings::Int::AccountId, 1);
        m_window = std::make_unique<MainWindow>(m_book, m_clock, m_qlocale, m_locale, m_lock);
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void TearDown() override
    {
        m_window.reset();
        // A window that ended the program asked the application to quit, which
        // would end every dialog of the next test at once: a short run of the
        // application's own loop takes that request and clears it.
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }

    RegisterPage& page() { return *m_window->registerPage(); }

    QLocale m_qlocale = QLocale::c();
    PasswordLock m_lock{m_clock};
    std::unique_ptr<MainWindow> m_window;

private:
    bool m_editorPanelShown;
};
