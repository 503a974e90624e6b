#include "shell/ui/MainWindow.h"

#include "shell/MainDatabaseClearing.h"
#include "shell/MainReactivation.h"
#include "shell/TallyraSettings.h"
#include "shell/ui/AccountPageActions.h"
#include "shell/ui/RegisterPage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

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
    m_pages = new QStackedWidget(this);
    m_register = new RegisterPage(book, clock, m_localeValues, m_ui, m_conversion, m_pages);
    m_pages->addWidget(m_register);
    setCentralWidget(m_pages);
    m_actions = std::make_unique<AccountPageActions>(book, clock, lock, *m_register, m_ui, *this,
                                                     [this] { lockSettingsChanged(); });
    m_register->setCommandRunner([this](int id) { return m_commands.run(id); });
    buildCommands();
    buildBandStrip();
    m_register->showRemembered();
    m_register->list()->setFocus();

    qApp->installEventFilter(this);
    m_idle.setInterval(PasswordLock::IdleCheckIntervalMs);
    connect(&m_idle, &QTimer::timeout, this, &MainWindow::idleTick);
    if (m_lock.idleTimerWanted())
        m_idle.start();
    resize(720, 520);
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
    // Commands whose windows come with later work (export, import, backup,
    // restore, reports, help) are listed without a handler, so neither the
    // menu nor a key offers them yet.
    m_commands.add({C::About, QStringLiteral("About..."), {}, [this] { about(); }, {}});
    m_commands.add(
        {C::DatabaseClearing, QStringLiteral("Database Clearing..."), {}, [this] { clearDatabase(); }, {}});
    m_commands.add({C::Export, QStringLiteral("&Export..."), {}, {}, {}});
    m_commands.add({C::ImportQif, QStringLiteral("&Import from QIF..."), {}, {}, {}});
    m_commands.add({C::Backup, QStringLiteral("&Backup..."), {}, {}, {}});
    m_commands.add({C::Restore, QStringLiteral("Re&store..."), {}, {}, {}});
    m_commands.add({C::Reports, QStringLiteral("&Reports..."), {ks("Alt+S")}, {}, {40018}});
    m_commands.add({C::Exit,
                    QStringLiteral("E&xit"),
                    {ks("Alt+X"), ks("Ctrl+W")},
                    [this] { exitProgram(); },
                    {32771, 40019}});
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
    m_commands.add({C::Help, QStringLiteral("Help"), {ks("F1"), ks("Alt+1")}, {}, {}});
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
    QWidget* band1 = band(m_register->accountSelector(), QStringLiteral("Band 1"),
                          QString::fromLatin1(RegisterPage::AccountControlName) + QLatin1Char(':'));
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
    m_bands->addWidget(band1);
    // Band 2 holds the planner's and the projects' page controls once those pages exist.
    m_bands->addWidget(band(nullptr, QStringLiteral("Band 2")));
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
    m_register->saveState();
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
    const MainReactivation::Outcome outcome = step.run(m_localeValues, MainReactivation::Page::Register);
    m_localeValues = outcome.locale;
    if (outcome.refresh)
        m_register->refresh(true);
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
    const DatabaseClearing::Outcome outcome = MainDatabaseClearing::run(m_book, m_ui);
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
