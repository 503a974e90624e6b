#pragma once

#include "reference/ProjectPage.h"
#include "reference/ui/ProjectListModel.h"
#include "reference/ui/TreeEditView.h"

#include <QDate>
#include <QWidget>

#include <functional>

class CoolList;
class QDateEdit;
class QMenu;
class QPushButton;
class QSplitter;

// What the projects page works with; everything outlives the page. The
// hooks reach what lies beyond the reference data: the future list, the
// account page and the planner's popups.
struct ProjectsPageContext {
    TableSet& tables;
    Projects& projects;
    ProjectTotals& totals;
    const CurrencyCache& currencies;
    Interaction& ui;
    // The default currency, the locale, today, the horizon and the future
    // list's change counter, as they are now.
    std::function<ProjectPage::Context()> context;
    // The totals a paste in the tree brings up to date.
    std::function<TreePasteTotals()> pasteTotals;
    // The date picker's day: the future list rebuilt up to it.
    std::function<void(QDate)> setHorizon;
    // A transaction or future-list row's popup ("Current Transaction",
    // "Planned Transaction") at a point on the screen. May be empty.
    std::function<void(const ProjectPageAction&, const QPoint&)> rowPopup;
    // The prognosis line's popup, opened above the line. May be empty.
    std::function<void(QWidget* line)> prognosisPopup;
};

// The third page of the main window: the project tree on the left (its width
// kept in "ProjectPage"/"TreeWidth"), and on the right the selected project's
// list on light magenta (the up row, its sub-projects, its transactions, its
// future-list entries) over the Total and Prognosis lines. The page's band
// control is the date picker that sets the future list's horizon. Every rule
// lives in ProjectPage; the page shows what it holds.
class ProjectsPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int PageId = 3000;
    static constexpr const char* HorizonName = "Horizon";
    // The number under which the list keeps its column layout.
    static constexpr int ListNumber = 3000;

    explicit ProjectsPage(ProjectsPageContext context, QWidget* parent = nullptr);
    ~ProjectsPage() override;

    ProjectPage& logic() { return m_page; }
    TreeEditView* tree() const { return m_tree; }
    CoolList* list() const { return m_list; }
    ProjectListModel* model() const { return m_model; }
    QPushButton* totalLine() const { return m_total; }
    QPushButton* prognosisLine() const { return m_prognosis; }
    QDateEdit* horizonPicker() const { return m_horizon; }
    // The band control: "for" and the date picker.
    QWidget* pageControls() const { return m_controls; }

    int treeWidth() const;
    void setTreeWidth(int width);

    // Shown or refreshed: the stale totals recomputed, the tree filled again
    // when it changed, the list and the summary lines rebuilt.
    void refresh();
    // Shows a project (the tree's selection follows).
    void showProject(qint32 id);

    // The list's taps and keys, as the list sends them.
    void activateRow(int row, const QPoint& globalPos);
    void deleteRow(int row);
    // The popups, filled into `menu` (the page opens them; tests read them).
    bool fillContextMenu(QMenu& menu, int row);
    bool fillTotalPopup(QMenu& menu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void rebuild(qint32 selected);
    void showRows();
    void showTotalPopup();
    void showContextMenu(int row, const QPoint& globalPos);
    void horizonChosen();
    QPoint rowPoint(int row) const;

    ProjectsPageContext m_context;
    ProjectPage m_page;
    QSplitter* m_split;
    TreeEditView* m_tree;
    CoolList* m_list;
    ProjectListModel* m_model;
    QPushButton* m_total;
    QPushButton* m_prognosis;
    QWidget* m_controls = nullptr;
    QDateEdit* m_horizon = nullptr;
    int m_treeWidth = ProjectPage::DefaultTreeWidth;  // as last set or dragged
    QSet<qint32> m_shownBold;
    bool m_showing = false;
};
