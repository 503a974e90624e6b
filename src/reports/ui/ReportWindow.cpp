#include "reports/ui/ReportWindow.h"

#include "platform/DesktopLaunch.h"
#include "platform/InstanceLock.h"
#include "platform/ProgramStart.h"
#include "platform/ui/HelpBrowser.h"
#include "reports/FilterFile.h"
#include "reports/ReportSession.h"
#include "reports/ui/AdvancedFilterDialog.h"
#include "reports/ui/ChartPanel.h"
#include "reports/ui/GroupReportModel.h"
#include "reports/ui/PeriodBar.h"
#include "reports/ui/ReportFileDialogs.h"
#include "reports/ui/ReportView.h"
#include "reports/ui/SelectionTree.h"
#include "reports/ui/SingleInstance.h"
#include "reports/ui/StartUpDialog.h"
#include "reports/ui/TransactionListModel.h"
#include "toolkit/ui/DialogInteraction.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr std::array<ReportKind, 3> Kinds = {ReportKind::TransactionList, ReportKind::Categories,
                                             ReportKind::Projects};

QToolButton* toggle(const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setAccessibleName(text);
    button->setToolTip(text);
    button->setCheckable(true);
    return button;
}

}  // namespace

ReportWindow::ReportWindow(ReportSession& session, const Clock& clock, const LocaleValues& locale,
                           DialogInteraction& ui, Setup setup, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_clock(clock), m_locale(locale), m_ui(ui),
      m_setup(std::move(setup))
{
    setWindowTitle(QString::fromLatin1(TitleText));
    setAccessibleName(QString::fromLatin1(TitleText));
    m_ui.setParent(this);
    if (!ChartPainter::installed())
        ChartPainter::install(&m_chartRenderer);
    buildMenu();

    m_tree = new SelectionTree(session.tables(), session.filter(), this);
    m_stack = new QStackedWidget(this);
    m_stack->setAccessibleName(QStringLiteral("Report"));
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(m_stack);
    m_splitter->setStretchFactor(1, 1);
    const int treeWidth = session.settings().read(ReportSettings::Int::TreeWidth);
    m_splitter->setSizes({treeWidth, std::max(1, 760 - treeWidth)});
    m_periodBar =
        new PeriodBar(session.filter(), session.currencies(), session.settings(), clock, locale, this);

    m_chartPanel = new ChartPanel(this);
    m_chartPanel->hide();
    auto* reportAndChart = new QSplitter(Qt::Vertical, this);
    reportAndChart->addWidget(m_splitter);
    reportAndChart->addWidget(m_chartPanel);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTopRow());
    layout->addWidget(reportAndChart, 1);
    layout->addWidget(m_periodBar);
    setCentralWidget(central);
    resize(1000, 600);

    connect(m_tree, &SelectionTree::filterChanged, this, &ReportWindow::filterChanged);
    connect(m_periodBar, &PeriodBar::filterChanged, this, &ReportWindow::filterChanged);
    showKind(ReportKind::TransactionList);
}

ReportWindow::~ReportWindow()
{
    if (ChartPainter::installed() == &m_chartRenderer)
        ChartPainter::install(nullptr);
    m_ui.setParent(nullptr);
}

void ReportWindow::buildMenu()
{
    struct Command {
        const char* text;
        QKeySequence keys;
        std::function<void()> run;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setAccessibleName(QStringLiteral("File"));
    const auto add = [](QMenu* menu, const Command& c) {
        QAction* action = menu->addAction(QString::fromLatin1(c.text));
        action->setShortcut(c.keys);
        QObject::connect(action, &QAction::triggered, menu, c.run);
    };
    add(file, {"About...", {}, [this] { showAbout(); }});
    QMenu* saveAsMenu = file->addMenu(QStringLiteral("SaveAs"));
    saveAsMenu->setAccessibleName(QStringLiteral("SaveAs"));
    add(saveAsMenu, {"Text /w Tab Stop", {}, [this] { saveAs(ReportFormat::Text); }});
    add(saveAsMenu, {"HTML", {}, [this] { saveAs(ReportFormat::Html); }});
    add(saveAsMenu, {"Pocket Excel 2.0", {}, [this] { saveAs(ReportFormat::PocketExcel); }});
    add(saveAsMenu, {"Excel Workbook", {}, [this] { saveAs(ReportFormat::Xlsx); }});
    add(saveAsMenu, {"CSV", {}, [this] { saveAs(ReportFormat::Csv); }});
    file->addSeparator();
    add(file, {"Save Filter...", {}, [this] { saveFilter(); }});
    add(file, {"Load Filter...", {}, [this] { loadFilter(); }});
    file->addSeparator();
    add(file, {"Tallyra...", QKeySequence(Qt::ALT | Qt::Key_S), [this] { startMainProgram(); }});
    add(file, {"Help", QKeySequence::HelpContents, [this] { showHelp(); }});
    add(file, {"E&xit", QKeySequence(Qt::ALT | Qt::Key_X), [this] { exitProgram(); }});
}

QWidget* ReportWindow::buildTopRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(2, 2, 2, 2);
    m_filterButton = toggle(QString::fromLatin1(AdvancedFilterText), row);
    // A press (by the pointer, the keyboard or a screen reader's action)
    // toggles the button; what it shows is then set from the filter again.
    connect(m_filterButton, &QToolButton::toggled, this, [this] {
        if (!m_showingConditions)
            openAdvancedFilter();
    });
    layout->addWidget(m_filterButton);
    auto* group = new QButtonGroup(row);
    group->setExclusive(true);
    for (const ReportKind kind : Kinds) {
        QToolButton* button = toggle(ReportExport::defaultTitle(kind), row);
        m_kindButtons[index(kind)] = button;
        group->addButton(button);
        layout->addWidget(button);
        // A press of another kind's button toggles it on; a press of the shown
        // kind's button only clicks it, and rebuilds the report as well.
        connect(button, &QToolButton::toggled, this, [this, kind](bool on) {
            if (!on || kind == m_kind)
                return;
            showKind(kind);
            m_kindToggled = true;
            QTimer::singleShot(0, this, [this] { m_kindToggled = false; });
        });
        connect(button, &QToolButton::clicked, this, [this, kind] {
            if (!std::exchange(m_kindToggled, false))
                showKind(kind);
        });
    }
    m_chartButton = toggle(QString::fromLatin1(ChartText), row);
    connect(m_chartButton, &QToolButton::toggled, this, &ReportWindow::showChart);
    layout->addWidget(m_chartButton);
    m_fullName = new QLineEdit(row);
    m_fullName->setReadOnly(true);
    m_fullName->setAccessibleName(QString::fromLatin1(FullNameText));
    m_fullName->setPlaceholderText(QString::fromLatin1(FullNameText));
    layout->addWidget(m_fullName, 1);
    return row;
}

ReportView* ReportWindow::view(ReportKind kind) const
{
    return m_views[index(kind)];
}

ReportView& ReportWindow::currentView()
{
    return ensureView(m_kind);
}

ReportView& ReportWindow::ensureView(ReportKind kind)
{
    ReportView*& slot = m_views[index(kind)];
    if (slot)
        return *slot;
    const ReportContext context = m_session.context(m_locale);
    std::unique_ptr<ReportModel> model;
    if (kind == ReportKind::TransactionList)
        model = std::make_unique<TransactionListModel>(context);
    else
        model = std::make_unique<GroupReportModel>(kind, context);
    slot = new ReportView(std::move(model), m_session.settings(), m_stack);
    m_stack->addWidget(slot);
    connect(slot, &ReportView::built, this, &ReportWindow::viewBuilt);
    connect(slot, &ReportView::built, this, [this, kind] {
        if (ReportView* v = m_views[index(kind)])
            m_sorts[index(kind)] = v->model().sort();
    });
    connect(slot, &ReportView::fullNameChanged, m_fullName, &QLineEdit::setText);
    return *slot;
}

// Only the shown kind has a view: one that is left gives up its rows and
// keeps only its order and column widths, and a view is built afresh
// whenever it is shown, as the rows it showed before belong to the filter of
// that time.
void ReportWindow::showKind(ReportKind kind)
{
    ReportView* left = m_views[index(m_kind)];
    if (left && m_kind != kind) {
        m_sorts[index(m_kind)] = left->model().sort();
        left->saveColumnWidths();
        m_views[index(m_kind)] = nullptr;
        left->deleteLater();
        left->hide();
    }
    m_kind = kind;
    m_kindButtons[index(kind)]->setChecked(true);
    ReportView& shown = ensureView(kind);
    m_stack->setCurrentWidget(&shown);
    // The chart takes the new report's rows once it is built.
    if (m_chartButton->isChecked())
        chartCurrentView(false);
    shown.buildSorted(m_sorts[index(kind)]);
    m_sorts[index(kind)] = shown.model().sort();
}

void ReportWindow::viewBuilt()
{
    m_periodBar->showReport(currentView().model());
    if (m_chartButton->isChecked())
        m_chartPanel->refresh();
    m_ui.endProgress();
}

void ReportWindow::showChart(bool shown)
{
    m_chartPanel->setVisible(shown);
    if (!shown)
        return;
    // The window grows to give the chart its room rather than take the list's.
    if (isVisible() && !isMaximized() && !isFullScreen()) {
        const int room = screen() ? screen()->availableGeometry().height() - frameGeometry().top() : height();
        resize(width(), std::max(height(), std::min(ChartWindowHeight, room)));
    }
    chartCurrentView(true);
}

void ReportWindow::chartCurrentView(bool drawNow)
{
    const ReportKind kind = m_kind;
    m_chartPanel->setSource(
        [this, kind](ChartKind chart) {
            return currentView().model().chart(chart, ReportExport::defaultTitle(kind));
        },
        kind == ReportKind::TransactionList);
    if (drawNow)
        m_chartPanel->refresh();
}

void ReportWindow::filterChanged()
{
    showConditions();
    currentView().checkStale(false);
}

void ReportWindow::showConditions()
{
    m_showingConditions = true;
    m_filterButton->setChecked(m_session.filter().hasConditions());
    m_showingConditions = false;
}

void ReportWindow::openAdvancedFilter()
{
    AdvancedFilterDialog dialog(m_session.filter(), this);
    if (dialog.exec() == QDialog::Accepted && dialog.clearedLists())
        m_tree->refill();
    filterChanged();
}

void ReportWindow::saveAs(ReportFormat format)
{
    ReportView& shown = currentView();
    bool withChart = false;
    const std::optional<QString> title =
        ReportFileDialogs::askTitle(this, m_kind, format == ReportFormat::Html ? &withChart : nullptr);
    if (!title)
        return;
    const std::optional<QString> path =
        ReportFileDialogs::askReportPath(this, m_session.settings(), format, *title);
    if (!path)
        return;
    const ReportExport::Outcome outcome =
        shown.model().save(format, *title, *path, m_setup.codePage, htmlChart(withChart));
    m_ui.endProgress();
    // The classic formats fail silently, as they always have; the newer ones say why.
    if (!outcome.written && !outcome.error.isEmpty())
        m_ui.showMessage(QStringLiteral("The report could not be written to %1. ").arg(*path) + outcome.error,
                         Interaction::Icon::Exclamation);
    if (outcome.viewRequested)
        (void)DesktopLaunch::openFile(*path);
}

// The chart an HTML report ends with: the one the chart panel shows, else
// the report's first.
std::optional<ChartKind> ReportWindow::htmlChart(bool wanted) const
{
    if (!wanted)
        return std::nullopt;
    if (m_kind == ReportKind::TransactionList)
        return ChartKind::Line;
    return m_chartButton->isChecked() ? m_chartPanel->kind() : ChartKind::Pie;
}

void ReportWindow::saveFilter()
{
    const std::optional<QString> path = ReportFileDialogs::askFilterPath(this, m_session.settings(), true);
    if (path)
        (void)FilterFile::save(*path, m_session.filter());
}

void ReportWindow::loadFilter()
{
    const std::optional<QString> path = ReportFileDialogs::askFilterPath(this, m_session.settings(), false);
    if (path)
        loadFilterFile(*path);
}

// Whatever the file held, the tree and the currency list show the filter as
// it now is, and the report is offered for a rebuild.
void ReportWindow::loadFilterFile(const QString& path)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const FilterFile::ReadResult result = FilterFile::load(path, m_session.filter(), m_ui);
    QApplication::restoreOverrideCursor();
    if (result == FilterFile::ReadResult::NotOpened)
        return;
    m_tree->refill();
    m_periodBar->refill();
    filterChanged();
}

void ReportWindow::startMainProgram()
{
    const QString folder = m_setup.bookFolder;
    if (InstanceLock::isHeld(folder, QString::fromLatin1(InstanceLock::MainProgramFile))) {
        (void)SingleInstance::askToRaise(SingleInstance::serverName(QStringLiteral("tallyra"), folder));
        return;
    }
    const QString programs =
        m_setup.programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_setup.programFolder;
    if (!ProgramStart::startDetached(ProgramStart::locate(programs, QStringLiteral("tallyra")), folder))
        m_ui.showMessage(QString::fromLatin1(MainProgramText), Interaction::Icon::Exclamation);
}

void ReportWindow::showHelp()
{
    const QString programs =
        m_setup.programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_setup.programFolder;
    const QString name = QString::fromLatin1(HelpPageName);
    const QString page = HelpBrowser::find(programs, name);
    if (page.isEmpty() || !HelpBrowser::open(page, QStringLiteral("sumora_help")))
        m_ui.showMessage(QString::fromLatin1(HelpBrowser::MissingText).arg(name),
                         Interaction::Icon::Exclamation);
}

void ReportWindow::showAbout()
{
    StartUpDialog about(true, this);
    about.exec();
}

void ReportWindow::reactivate()
{
    if (!m_session.reactivate())
        return;
    m_tree->refill();
    m_periodBar->refill();
    showConditions();
    currentView().checkStale(true);
}

void ReportWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        reactivate();
}

void ReportWindow::saveLayout()
{
    if (m_layoutSaved)
        return;
    m_layoutSaved = true;
    ReportSettings& settings = m_session.settings();
    // The menu band keeps the widths it was given; they are written back so
    // that both programs find them as they left them.
    (void)settings.write(ReportSettings::Int::Panel0Width, settings.read(ReportSettings::Int::Panel0Width));
    (void)settings.write(ReportSettings::Int::Panel1Width, settings.read(ReportSettings::Int::Panel1Width));
    (void)settings.write(ReportSettings::Int::TreeWidth, m_splitter->sizes().value(0));
    for (ReportView* v : m_views) {
        if (v)
            v->saveColumnWidths();
    }
}

void ReportWindow::exitProgram()
{
    close();
}

void ReportWindow::closeEvent(QCloseEvent* event)
{
    saveLayout();
    event->accept();
}
