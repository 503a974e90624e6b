#pragma once

#include "accounts/PasswordLock.h"
#include "accounts/ui/PasswordDialog.h"
#include "interchange/StatementFormat.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/LocaleValues.h"
#include "reference/ui/ConversionDialog.h"
#include "shell/MainBook.h"
#include "shell/MainReactivation.h"
#include "shell/ui/MainCommands.h"
#include "toolkit/ui/DialogInteraction.h"

#include <QLocale>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <vector>

#include <functional>

class AccountPageActions;
class QMenuBar;
class QSplitter;
class QStackedWidget;
class QTabBar;
class QToolBar;
class RegisterPage;

// The main program's window, "Tallyra": the band strip (the menu in band 0,
// the page controls in bands 1 and 2, widths from "Panel0cx/1cx/2cx"), and
// under it the pages (1000 the register, 2000 the planner, 3000 the projects)
// under a tab bar that switches them. Activation runs the
// re-activation step; Exit saves the window's and the pages' state and ends
// the event loop, after which the program runs the exit step.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* TitleText = "Tallyra";
    static constexpr const char* AboutText =
        "Tallyra %1\nPersonal finance for your accounts, plans and projects.";

    // All must outlive the window. `locale` is the run's; `localeValues` the
    // values read at start-up, read again on every activation. `lock` holds
    // the lock settings start-up loaded.
    MainWindow(MainBook& book, const Clock& clock, const QLocale& locale, const LocaleValues& localeValues,
               PasswordLock& lock, QWidget* parent = nullptr);
    ~MainWindow() override;

    using Page = MainReactivation::Page;
    // What the window asks of a page besides showing it.
    struct PageHooks {
        std::function<void()> leave;        // another page is shown: save forced
        std::function<void(bool)> refresh;  // shown again (false) or the day moved on (true)
        std::function<void()> saveState;    // the program exits
    };
    // Adds a page with its controls for bands 1 and 2 (either may be null)
    // and a tab named `title`.
    void addPage(Page id, const QString& title, QWidget* page, QWidget* band1, QWidget* band2,
                 PageHooks hooks);
    // Leaves the current page (its forced save) and shows `id`, refreshed.
    // False when no such page was added.
    bool showPage(Page id);
    Page currentPage() const;
    QTabBar* pageTabs() const { return m_tabs; }

    RegisterPage* registerPage() const { return m_register; }
    const MainCommands& commands() const { return m_commands; }
    DialogInteraction& interaction() { return m_ui; }
    QToolBar* bandStrip() const { return m_strip; }
    QSplitter* bands() const { return m_bands; }
    QMenuBar* menu() const { return m_menu; }
    AccountPageActions& accountActions() { return *m_actions; }

    // Saves the band widths and the pages' state, then closes the window; the
    // program's event loop ends. Run by Exit, the close button and the quit
    // signals.
    void exitProgram();
    // The re-activation step, as the window runs it when it becomes active.
    void reactivate();
    bool stateSaved() const { return m_saved; }
    // A file from the command line or a second start: a QIF file is offered
    // for import into the account shown, a backup for a restore (StartFileOffer).
    void offerFile(const QString& path);
    // The 8-bit code page of QIF and text files (default: CodePage::DefaultName).
    void setCodePage(const CodePage& codePage) { m_codePage = codePage; }
    // The help page's name beside the program or in its share folder.
    static constexpr const char* HelpPageName = "tallyra.html";
    static constexpr const char* HelpAnchor = "tallyra_help";
    static constexpr const char* HelpMissingText = "The help page %1 could not be opened.";

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildCommands();
    void buildBandStrip();
    void buildPages();
    void switchToTab(int index);
    QWidget* registerBand1();
    void saveState();
    void about();
    void clearDatabase();
    void lockNow();
    void idleTick();
    void sendEdit(const char* method);
    void lockSettingsChanged();
    // Runs a command that opens windows, then gives the focus back.
    void keepingFocus(const std::function<void()>& work);
    QSize initialSize() const;
    void backup();
    void restore();
    // Every import command: QIF, OFX/QFX or CSV.
    void importStatement(StatementFormat format = StatementFormat::Qif);
    void exportAccount();
    void reports();
    void help();

    MainBook& m_book;
    const Clock& m_clock;
    const QLocale& m_locale;
    LocaleValues m_localeValues;
    PasswordLock& m_lock;
    CodePage m_codePage = CodePage::defaultPage();
    DialogInteraction m_ui;
    ConversionPrompt m_conversion;
    PasswordDialog m_password;
    MainCommands m_commands;
    QToolBar* m_strip = nullptr;
    QSplitter* m_bands = nullptr;
    QMenuBar* m_menu = nullptr;
    struct PageEntry {
        Page id;
        PageHooks hooks;
    };
    std::vector<PageEntry> m_pageList;  // in tab order, as in the three stacks
    int m_shownPage = 0;
    QTabBar* m_tabs = nullptr;
    QStackedWidget* m_pages = nullptr;
    QStackedWidget* m_band1 = nullptr;
    QStackedWidget* m_band2 = nullptr;
    RegisterPage* m_register = nullptr;
    std::unique_ptr<AccountPageActions> m_actions;
    QTimer m_idle;
    QPointer<QWidget> m_focus;
    bool m_saved = false;
};
