#include "shell/ui/MainWindow.h"

#include "accounts/ui/TransactionEditorPanel.h"
#include "planning/ui/PlannerPage.h"
#include "platform/ProgramStart.h"
#include "platform/ui/HelpBrowser.h"
#include "reports/ui/SingleInstance.h"
#include "shell/MainDatabaseClearing.h"
#include "shell/MainReactivation.h"
#include "shell/ReportLaunch.h"
#include "shell/StartFileOffer.h"
#include "shell/TallyraSettings.h"
#include "shell/ui/AccountPageActions.h"
#include "shell/ui/BackupWindows.h"
#include "shell/ui/ExportWindow.h"
#include "shell/ui/ImportWindow.h"
#include "shell/ui/ProjectsPageLinks.h"
#include "shell/ui/RegisterPage.h"
#include "toolkit/ui/CoolList.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The About box closes at a tap anywhere on it.
class AboutBox : public QDialog {
public:
    explicit AboutBox(QWidget* parent) : QDialog(parent)
    {
        setWindowTitle(QStringLiteral("About Tallyra"));
        setAccessibleName(windowTitle());
        auto* layout = new QVBoxLayout(this);
        auto* text = new QLabel(
            QString::fromLatin1(MainWindow::AboutText).arg(QApplication::applicationVersion()), this);
        text->setAlignment(Qt::AlignCenter);
        text->setMargin(16);
        layout->addWidget(text);
    }

protected:
    void mousePressEvent(QMouseEvent*) override { accept(); }
};

// A band of the strip: its control, after a label that names it to a screen
// reader (the label is the control's buddy) when there is one.
QWidget* band(QWidget* content, const QString& name, const QString& label = {})
{
    auto* holder = new QWidget;
    holder->setAccessibleName(name);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(2, 0, 2, 0);
    if (!label.isEmpty()) {
        auto* text = new QLabel(label, holder);
        text->setBuddy(content);
        layout->addWidget(text);
    }
    if (content)
        layout->addWidget(content, 1);
    else
        layout->addStretch();
    return holder;
}

}  // namespace

MainWindow::MainWindow(MainBook& book, const Clock& clock, const QLocale& locale,
                       const LocaleValues& localeValues, PasswordLock& lock, QWidget* parent)
    : QMainWindow(parent), m_book(book), m_clock(clock), m_locale(locale), m_localeValues(localeValues),
      m_lock(lock), m_ui(this), m_conversion(this), m_password(this)
{
    setWindowTitle(QString::fromLatin1(TitleText));
    setAccessibleName(QString::fromLatin1(TitleText));
    m_pages = new QStackedWidget;
    m_register = new RegisterPage(book, clock, m_localeValues, m_ui, m_conversion, m_pages);
    m_actions = std::make_unique<AccountPageActions>(book, clock, lock, *m_register, m_ui, *this,
                                                     [this] { lockSettingsChanged(); });
    m_register->setCommandRunner([this](int id) { return m_commands.run(id); });
    buildCommands();
    buildBandStrip();
    buildPages();
    m_register->showRemembered();
    m_register->list()->setFocus();

    qApp->installEventFilter(this);
    m_idle.setInterval(PasswordLock::IdleCheckIntervalMs);
    connect(&m_idle, &QTimer::timeout, this, &MainWindow::idleTick);
    if (m_lock.idleTimerWanted())
        m_idle.start();
    resize(initialSize());
}

// Room for the band strip, every register column and a screenful of rows,
// measured in the desktop's font, within the screen's free area.
QSize MainWindow::initialSize() const
{
    constexpr int Rows = 30;
    constexpr int Slack = 24;  // the window's and the page's margins
    const CoolList* list = m_register->list();
    int listWidth = list->horizontalHeader()->length() + list->verticalScrollBar()->sizeHint().width() +
                    2 * list->frameWidth();
    // The editor panel sits beside the list, not over it.
    if (m_register->panelShown())
        listWidth += m_register->editorPanel()->sizeHint().width() + Slack;
    const TallyraSettings& s = m_book.settings();
    const int bandsWidth = s.read(TallyraSettings::Int::Panel0Width) +
                           s.read(TallyraSettings::Int::Panel1Width) +
                           s.read(TallyraSettings::Int::Panel2Width);
    int width = std::max({listWidth, bandsWidth, m_strip->sizeHint().width()}) + Slack;
    int height = m_strip->sizeHint().height() + m_tabs->sizeHint().height() +
                 list->horizontalHeader()->sizeHint().height() +
                 Rows * list->verticalHeader()->defaultSectionSize() +
                 m_register->balanceBar()->sizeHint().height() + Slack;
    if (const QScreen* shownOn = screen()) {
        const QRect free = shownOn->availableGeometry();
        width = std::min(width, free.width() * 9 / 10);
        height = std::min(height, free.height() * 9 / 10);
    }
    return {width, height};
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
}

void MainWindow::buildCommands()
{
    using C = MainCommands;
    const auto ks = [](const char* keys) { return QKeySequence(QString::fromLatin1(keys)); };
    const auto edit = [this](const char* method) { return [this, method] { sendEdit(method); }; };
    m_commands.add({C::About, QStringLiteral("About..."), {}, [this] { about(); }, {}});
    m_commands.add(
        {C::DatabaseClearing, QStringLiteral("Database Clearing..."), {}, [this] { clearDatabase(); }, {}});
    m_commands.add({C::Export, QStringLiteral("&Export..."), {}, [this] { exportAccount(); }, {}});
    m_commands.add(
        {C::ImportQif, QStringLiteral("&Import from QIF..."), {}, [this] { importStatement(); }, {}});
    m_commands.add({C::ImportOfx,
                    QStringLiteral("Import from &OFX/QFX..."),
                    {},
                    [this] { importStatement(StatementFormat::Ofx); },
                    {}});
    m_commands.add({C::ImportCsv,
                    QStringLiteral("Import from &CSV..."),
                    {},
                    [this] { importStatement(StatementFormat::Csv); },
                    {}});
    m_commands.add({C::Backup, QStringLiteral("&Backup..."), {}, [this] { backup(); }, {}});
    m_commands.add({C::Restore, QStringLiteral("Re&store..."), {}, [this] { restore(); }, {}});
    m_commands.add(
        {C::Reports, QStringLiteral("&Reports..."), {ks("Alt+S")}, [this] { reports(); }, {40018}});
    m_commands.add({C::Exit,
                    QStringLiteral("E&xit"),
                    {ks("Alt+X"), ks("Ctrl+W")},
                    [this] { exitProgram(); },
                    {32771, 40019}});
    m_commands.add({C::NextNumber, {}, {}, [this] { m_register->editorPanel()->takeNextNumber(); }, {}});
    m_commands.add({C::LockNow, QStringLiteral("Lock now"), {ks("Ctrl+L")}, [this] { lockNow(); }, {}});
    AccountPageActions& a = *m_actions;
    m_commands.add({C::Find, QStringLiteral("Find..."), {ks("Ctrl+F")}, [&a] { a.find(); }, {}});
    m_commands.add({C::FindNext, QStringLiteral("Find Next"), {ks("Ctrl+N")}, [&a] { a.findNext(); }, {}});
    m_commands.add({C::NewAccount, QStringLiteral("New Account..."), {}, [&a] { a.newAccount(); }, {}});
    m_commands.add(
        {C::AccountProperties, QStringLiteral("Edit Account..."), {}, [&a] { a.editAccount(); }, {}});
    m_commands.add({C::DeleteAccount, QStringLiteral("Delete Account"), {}, [&a] { a.deleteAccount(); }, {}});
    m_commands.add({C::DeleteOld,
                    QStringLiteral("Delete the Old Transactions..."),
                    {},
                    [&a] { a.deleteOldTransactions(); },
                    {}});
    m_commands.add({C::Options, QStringLiteral("Options..."), {}, [&a] { a.options(); }, {}});
    m_commands.add({C::Help, QStringLiteral("Help"), {ks("F1"), ks("Alt+1")}, [this] { help(); }, {}});
    m_commands.add({C::Copy, QStringLiteral("Copy"), {ks("Ctrl+C"), ks("Ctrl+Ins")}, edit("copy"), {}});
    m_commands.add({C::Cut, QStringLiteral("Cut"), {ks("Ctrl+X"), ks("Shift+Del")}, edit("cut"), {}});
    m_commands.add({C::Paste, QStringLiteral("Paste"), {ks("Ctrl+V"), ks("Shift+Ins")}, edit("paste"), {}});
    m_commands.add({C::Undo, QStringLiteral("Undo"), {ks("Ctrl+Z"), ks("Alt+Backspace")}, edit("undo"), {}});
}

void MainWindow::buildBandStrip()
{
    m_strip = new QToolBar(QStringLiteral("Command bands"), this);
    m_strip->setAccessibleName(QStringLiteral("Command bands"));
    m_strip->setMovable(false);
    m_strip->setFloatable(false);
    m_strip->toggleViewAction()->setVisible(false);

    m_menu = new QMenuBar;
    m_menu->setNativeMenuBar(false);
    m_menu->setAccessibleName(QStringLiteral("Menu"));
    QMenu* file = m_menu->addMenu(QStringLiteral("&File"));
    file->setAccessibleName(QStringLiteral("File"));
    m_commands.build(*this, *file);

    m_bands = new QSplitter(Qt::Horizontal);
    m_bands->setChildrenCollapsible(false);
    m_bands->addWidget(band(m_menu, QStringLiteral("Band 0")));
    // Bands 1 and 2 show the controls of the page shown.
    m_band1 = new QStackedWidget;
    m_band2 = new QStackedWidget;
    m_bands->addWidget(band(m_band1, QStringLiteral("Band 1")));
    m_bands->addWidget(band(m_band2, QStringLiteral("Band 2")));
    const TallyraSettings& s = m_book.settings();
    m_bands->setSizes({s.read(TallyraSettings::Int::Panel0Width), s.read(TallyraSettings::Int::Panel1Width),
                       s.read(TallyraSettings::Int::Panel2Width)});
    for (int i = 1; i < m_bands->count(); ++i)
        m_bands->handle(i)->setAccessibleName(QStringLiteral("Band divider"));
    m_strip->addWidget(m_bands);

    auto* close = new QToolButton;
    close->setText(QStringLiteral("\u2715"));
    close->setAccessibleName(QStringLiteral("Close"));
    close->setToolTip(QStringLiteral("Close"));
    connect(close, &QToolButton::clicked, this, [this] { m_commands.run(MainCommands::Exit); });
    m_strip->addWidget(close);
    addToolBar(Qt::TopToolBarArea, m_strip);
}

// The register's band 1: the account selector and the account menu.
QWidget* MainWindow::registerBand1()
{
    QWidget* band1 = band(m_register->accountSelector(), QStringLiteral("Account page controls"),
                          QString::fromLatin1(RegisterPage::AccountControlName) + QLatin1Char(':'));
    band1->layout()->setContentsMargins(0, 0, 0, 0);
    auto* accountMenu = new QToolButton(band1);
    accountMenu->setText(QStringLiteral("\u2630"));
    accountMenu->setAccessibleName(QStringLiteral("Account menu"));
    accountMenu->setToolTip(QStringLiteral("Account menu"));
    auto* menu = new QMenu(accountMenu);
    m_actions->fillMenu(*menu, m_commands);
    accountMenu->setMenu(menu);
    // A click, as a screen reader's press sends it, opens the menu as well;
    // once the press has returned, since the open menu waits for a choice.
    connect(accountMenu, &QToolButton::clicked, accountMenu,
            [accountMenu] { QTimer::singleShot(0, accountMenu, &QToolButton::showMenu); });
    band1->layout()->addWidget(accountMenu);
    return band1;
}

void MainWindow::buildPages()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_tabs = new QTabBar(central);
    m_tabs->setAccessibleName(QStringLiteral("Pages"));
    m_tabs->setDocumentMode(true);
    m_tabs->setExpanding(false);
    m_tabs->setFocusPolicy(Qt::TabFocus);
    layout->addWidget(m_tabs);
    layout->addWidget(m_pages, 1);
    setCentralWidget(central);
    connect(m_tabs, &QTabBar::currentChanged, this, &MainWindow::switchToTab);
    // The usual keys of tabbed windows move between the pages.
    auto* next = new QShortcut(QKeySequence(QStringLiteral("Ctrl+PgDown")), this);
    connect(next, &QShortcut::activated, this,
            [this] { m_tabs->setCurrentIndex((m_tabs->currentIndex() + 1) % m_tabs->count()); });
    auto* previous = new QShortcut(QKeySequence(QStringLiteral("Ctrl+PgUp")), this);
    connect(previous, &QShortcut::activated, this, [this] {
        m_tabs->setCurrentIndex((m_tabs->currentIndex() + m_tabs->count() - 1) % m_tabs->count());
    });

    addPage(Page::Register, QStringLiteral("Accounts"), m_register, registerBand1(),
            m_register->pageControls(),
            {[this] { m_register->leave(); }, [this](bool force) { m_register->refresh(force); },
             [this] { m_register->saveState(); }});
    auto* planner =
        new PlannerPage({m_book.tables(), m_book.currencies(), m_book.categories(), m_book.projects(),
                         m_book.totals(), m_book.future(), m_clock, m_localeValues, m_ui,
                         [this] { return m_book.settings().read(TallyraSettings::Text::DefaultCurrency); },
                         m_book.folder().contactsPath(), CodePage::defaultPage()},
                        m_pages);
    (void)planner->list()->loadColumns(m_book.settings().file(), PlannerPage::ListNumber);
    addPage(Page::Planner, QString::fromLatin1(PlannerPage::TitleText), planner, nullptr,
            planner->pageControls(),
            {[planner] { planner->leave(); }, [planner](bool) { planner->refresh(); },
             [this, planner] {
                 (void)planner->list()->saveColumns(m_book.settings().file(), PlannerPage::ListNumber);
             }});
    ProjectsPageLinks::add(*this, m_book, m_clock, m_localeValues);
}

void MainWindow::addPage(Page id, const QString& title, QWidget* page, QWidget* band1, QWidget* band2,
                         PageHooks hooks)
{
    m_pageList.push_back({id, std::move(hooks)});
    m_pages->addWidget(page);
    m_band1->addWidget(band1 ? band1 : new QWidget);
    m_band2->addWidget(band2 ? band2 : new QWidget);
    m_tabs->addTab(title);
}

bool MainWindow::showPage(Page id)
{
    for (int i = 0; i < static_cast<int>(m_pageList.size()); ++i) {
        if (m_pageList[i].id == id) {
            m_tabs->setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

MainWindow::Page MainWindow::currentPage() const
{
    return m_pageList.empty() ? Page::Register : m_pageList[m_shownPage].id;
}

void MainWindow::switchToTab(int index)
{
    if (index < 0 || index == m_shownPage || index >= static_cast<int>(m_pageList.size()))
        return;
    if (const auto& leave = m_pageList[m_shownPage].hooks.leave)
        leave();
    m_shownPage = index;
    m_pages->setCurrentIndex(index);
    m_band1->setCurrentIndex(index);
    m_band2->setCurrentIndex(index);
    if (const auto& refresh = m_pageList[index].hooks.refresh)
        refresh(false);
    m_pages->currentWidget()->setFocus();
}

void MainWindow::saveState()
{
    if (m_saved)
        return;
    const QList<int> sizes = m_bands->sizes();
    TallyraSettings& s = m_book.settings();
    const TallyraSettings::Int keys[] = {TallyraSettings::Int::Panel0Width, TallyraSettings::Int::Panel1Width,
                                         TallyraSettings::Int::Panel2Width};
    for (int i = 0; i < sizes.size() && i < 3; ++i)
        s.write(keys[i], sizes[i]);
    for (const PageEntry& page : m_pageList)
        if (page.hooks.saveState)
            page.hooks.saveState();
    m_saved = true;
}

void MainWindow::exitProgram()
{
    saveState();
    close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    saveState();
    m_idle.stop();
    event->accept();
    QApplication::quit();
}

void MainWindow::reactivate()
{
    MainReactivation step(m_book, m_clock, m_locale, m_ui);
    const MainReactivation::Outcome outcome = step.run(m_localeValues, currentPage());
    m_localeValues = outcome.locale;
    if (outcome.refresh && m_pageList[m_shownPage].hooks.refresh)
        m_pageList[m_shownPage].hooks.refresh(true);
}

bool MainWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate) {
        m_focus = QApplication::focusWidget();
    } else if (event->type() == QEvent::WindowActivate && !m_saved) {
        reactivate();
        if (m_focus)
            m_focus->setFocus();
    }
    return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
        m_lock.noteActivity();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::idleTick()
{
    if (!m_lock.idleTimerWanted()) {
        m_idle.stop();
        return;
    }
    m_lock.idleCheck(m_password);
}

void MainWindow::lockNow()
{
    m_lock.lockNow(m_password);
}

void MainWindow::lockSettingsChanged()
{
    if (m_lock.idleTimerWanted())
        m_idle.start();
    else
        m_idle.stop();
}

void MainWindow::about()
{
    QPointer<QWidget> focus = QApplication::focusWidget();
    AboutBox box(this);
    box.exec();
    if (focus)
        focus->setFocus();
}

void MainWindow::clearDatabase()
{
    m_ui.setWarningQuestions(true);
    const DatabaseClearing::Outcome outcome = MainDatabaseClearing::run(m_book, m_ui);
    m_ui.setWarningQuestions(false);
    m_ui.endProgress();
    // The next start finds empty tables and begins afresh.
    if (outcome == DatabaseClearing::Outcome::Cleared)
        exitProgram();
}

void MainWindow::sendEdit(const char* method)
{
    if (QWidget* focus = QApplication::focusWidget())
        // Widgets without that slot (the list) ignore the command.
        static_cast<void>(QMetaObject::invokeMethod(focus, method));
}

void MainWindow::keepingFocus(const std::function<void()>& work)
{
    QPointer<QWidget> focus = QApplication::focusWidget();
    work();
    m_ui.endProgress();
    if (focus)
        focus->setFocus();
}

void MainWindow::backup()
{
    keepingFocus([this] { BackupWindows(this, m_book, m_clock, m_ui).backup(); });
}

void MainWindow::restore()
{
    bool started = false;
    keepingFocus([&] { started = BackupWindows(this, m_book, m_clock, m_ui).restore(m_localeValues); });
    // The book is no longer what the pages show; the next start rebuilds the rest.
    if (started)
        exitProgram();
}

void MainWindow::offerFile(const QString& path)
{
    StartFileOffer::Outcome outcome = StartFileOffer::Outcome::NotTaken;
    keepingFocus([&] {
        const StartFileOffer::Context context{m_book, m_clock, m_localeValues, m_codePage, m_ui};
        outcome = StartFileOffer(context).run(path, m_register->reg().accountId());
    });
    if (outcome == StartFileOffer::Outcome::Imported)
        m_register->refresh(true);
    else if (outcome == StartFileOffer::Outcome::RestoreStarted)
        exitProgram();
}

void MainWindow::importStatement(StatementFormat format)
{
    keepingFocus([this, format] {
        const ImportWindow::Context context{this, m_book, m_clock, m_localeValues, m_codePage, m_ui};
        if (ImportWindow(context).run(m_register->reg().accountId(), format))
            m_register->refresh(true);
    });
}

void MainWindow::exportAccount()
{
    keepingFocus([this] {
        const ExportWindow::Context context{this, m_book, m_clock, m_localeValues, m_codePage, m_ui};
        ExportWindow(context).run(m_register->reg().accountId());
    });
}

void MainWindow::reports()
{
    keepingFocus([this] {
        // The wait cursor only while the program starts; a message is read without it.
        const auto start = [](const QString& path, const QString& bookFolder) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            const bool started = ProgramStart::startDetached(path, bookFolder);
            QApplication::restoreOverrideCursor();
            return started;
        };
        const QString folder = m_book.folder().path();
        if (ReportLaunch::run(QCoreApplication::applicationDirPath(), folder, m_ui, start) ==
            ReportLaunch::Outcome::AlreadyRunning)
            (void)SingleInstance::askToRaise(
                SingleInstance::serverName(QString::fromLatin1(ReportLaunch::ProgramName), folder));
    });
}

void MainWindow::help()
{
    const QString page =
        HelpBrowser::find(QCoreApplication::applicationDirPath(), QString::fromLatin1(HelpPageName));
    if (page.isEmpty() || !HelpBrowser::open(page, QString::fromLatin1(HelpAnchor)))
        keepingFocus([this] {
            m_ui.showMessage(QString::fromLatin1(HelpMissingText).arg(QString::fromLatin1(HelpPageName)),
                             Interaction::Icon::Exclamation);
        });
}
