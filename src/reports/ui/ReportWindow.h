#pragma once

#include "platform/CodePage.h"
#include "reports/ChartKind.h"
#include "reports/ReportFormat.h"
#include "reports/ReportKind.h"
#include "reports/ReportSort.h"

#include "reports/ui/ChartRenderer.h"

#include <QMainWindow>

#include <array>
#include <optional>

class ChartPanel;
class Clock;
class DialogInteraction;
class PeriodBar;
class QLineEdit;
class QSplitter;
class QStackedWidget;
class QToolButton;
class ReportSession;
class ReportView;
class SelectionTree;
struct LocaleValues;

// The report program's one window, "Sumora": the "&File" menu, the row of
// toggle buttons (Advanced Filter and the three report kinds) with the
// "Full Name" field, the selection tree beside the report, and the period bar
// below. A filter change anywhere shows "Recalc" over the report; so does a
// change of the book by the main program, seen when the window is activated.
class ReportWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* TitleText = "Sumora";
    static constexpr const char* FullNameText = "Full Name";
    static constexpr const char* AdvancedFilterText = "Advanced Filter";
    static constexpr const char* ChartText = "Chart";
    static constexpr int ChartWindowHeight = 760;
    static constexpr const char* MainProgramText = "Tallyra.exe";
    // Beside the program in the build tree, in share/tallyra when installed.
    static constexpr const char* HelpPageName = "sumora.html";

    struct Setup {
        QString bookFolder;
        CodePage codePage = CodePage::defaultPage();
        // Where the main program and the help page are looked for; its own folder when empty.
        QString programFolder;
    };

    // The session must be started Ready and, like the rest, outlive the window.
    ReportWindow(ReportSession& session, const Clock& clock, const LocaleValues& locale,
                 DialogInteraction& ui, Setup setup, QWidget* parent = nullptr);
    ~ReportWindow() override;

    // --- what the commands do ---------------------------------------------------------
    void showKind(ReportKind kind);
    void saveAs(ReportFormat format);
    void saveFilter();
    void loadFilter();
    // Load Filter... from a file chosen elsewhere (the command line, a second
    // start): the tree and the currency list show it, the report is offered for a rebuild.
    void loadFilterFile(const QString& path);
    void openAdvancedFilter();
    // The chart of the shown report below its list, or no chart.
    void showChart(bool shown);
    void startMainProgram();
    void showHelp();
    void showAbout();
    // The window was activated: looks for the main program's changes.
    void reactivate();
    // Ends the program as "E&xit" does: settings written, the window closed.
    void exitProgram();

    // --- parts, for the program's tests --------------------------------------------
    ReportKind currentKind() const { return m_kind; }
    // Null unless `kind` is the shown one.
    ReportView* view(ReportKind kind) const;
    ReportView& currentView();
    SelectionTree& selectionTree() { return *m_tree; }
    PeriodBar& periodBar() { return *m_periodBar; }
    QToolButton& kindButton(ReportKind kind) { return *m_kindButtons[index(kind)]; }
    QToolButton& advancedFilterButton() { return *m_filterButton; }
    QToolButton& chartButton() { return *m_chartButton; }
    ChartPanel& chartPanel() { return *m_chartPanel; }
    QLineEdit& fullNameField() { return *m_fullName; }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    static size_t index(ReportKind kind) { return static_cast<size_t>(kind); }
    void buildMenu();
    QWidget* buildTopRow();
    ReportView& ensureView(ReportKind kind);
    void filterChanged();
    // The Advanced Filter button shows pressed while the filter has conditions.
    void showConditions();
    void viewBuilt();
    // The chart panel follows the shown view; `drawNow` draws it from the rows as they are.
    void chartCurrentView(bool drawNow);
    std::optional<ChartKind> htmlChart(bool wanted) const;
    void saveLayout();

    ReportSession& m_session;
    const Clock& m_clock;
    const LocaleValues& m_locale;
    DialogInteraction& m_ui;
    Setup m_setup;
    ReportKind m_kind = ReportKind::TransactionList;
    // Only the shown kind has a view; the others keep their order.
    std::array<ReportView*, 3> m_views{};
    std::array<ReportSort, 3> m_sorts{};
    std::array<QToolButton*, 3> m_kindButtons{};
    QToolButton* m_filterButton = nullptr;
    QToolButton* m_chartButton = nullptr;
    ChartPanel* m_chartPanel = nullptr;
    QLineEdit* m_fullName = nullptr;
    SelectionTree* m_tree = nullptr;
    QStackedWidget* m_stack = nullptr;
    QSplitter* m_splitter = nullptr;
    PeriodBar* m_periodBar = nullptr;
    bool m_layoutSaved = false;
    bool m_showingConditions = false;
    bool m_kindToggled = false;
    // Draws the chart an HTML report may end with, unless the program
    // installed a painter of its own.
    ChartRenderer m_chartRenderer;
};
