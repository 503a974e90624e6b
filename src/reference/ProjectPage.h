#pragma once

// The project page's logic: the project tree's items, the list of the shown
// project's sub-projects, transactions and future-list entries, the two
// summary lines and the popups. The page's window paints these and forwards
// taps and keys; nothing here touches a widget.
//
// The totals are brought up to date (stale-only) on every refresh, so the net
// totals shown are those of the book as it is.

#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "reference/CurrencyCache.h"
#include "reference/ProjectPageAction.h"
#include "reference/ProjectPageRow.h"
#include "reference/ProjectTotals.h"
#include "reference/Projects.h"
#include "reference/TreeItems.h"
#include "store/FileTime.h"
#include "store/TableSet.h"
#include "toolkit/PopupLines.h"

#include <QSet>
#include <QString>

#include <optional>
#include <vector>

class ProjectPage {
public:
    // Where the tree's width is kept between runs.
    static constexpr const char* SettingsSection = "ProjectPage";
    static constexpr const char* TreeWidthKey = "TreeWidth";
    static constexpr int DefaultTreeWidth = 240;

    // What the page is shown with.
    struct Context {
        QString defaultCode;
        LocaleValues locale;
        FileTime today = 0;    // due entries are those up to the end of this day
        FileTime horizon = 0;  // of the future list: the prognosis counts entries up to it
        quint64 futureListChanges = 0;
    };

    // All four are owned by the caller and must outlive the page.
    ProjectPage(TableSet& tables, Projects& projects, ProjectTotals& totals, const CurrencyCache& currencies);

    // The page shown or refreshed: the stale totals recomputed, the tree
    // refilled when it changed, then the rows and the summary of `selected`,
    // or of the first item of the tree when `selected` is 0 or gone. False
    // when the totals could not be updated; the page then shows the totals
    // the book holds.
    bool refresh(qint32 selected, const Context& context, Interaction* ui = nullptr);

    qint32 selected() const { return m_selected; }
    const TreeItems& tree() const { return m_tree; }
    const QSet<qint32>& boldProjects() const { return m_bold; }
    const std::vector<ProjectPageRow>& rows() const { return m_rows; }
    int transactionRows() const { return m_transactionRows; }
    const QString& totalLine() const { return m_totalLine; }
    const QString& prognosisLine() const { return m_prognosisLine; }

    // Double tap, Enter or "I" on a row; None outside the rows.
    ProjectPageAction activate(int row) const;
    // A sub-project row's context menu; nullopt on any other row.
    std::optional<PopupLines> contextMenu(int row);
    // The popup of a tap on the total line; nullopt when the shown project's
    // record cannot be found.
    std::optional<PopupLines> totalPopup();
    // Backspace or Delete on a sub-project row: that sub-project is deleted
    // as the tree deletes it (after its question), and the page is refreshed.
    // Refused on any other row.
    TreeTable::DeleteOutcome deleteRow(int row, Interaction& ui);

private:
    void refillTree(qint32 selected);
    qint32 chooseSelection(qint32 wanted) const;
    void buildRows();
    void addUpRow();
    void addSubProjectRows();
    void addTransactionRows();
    void addPlannedRows();
    void buildSummary();
    Money prognosis();
    const ProjectPageRow* rowAt(int row) const;

    TableSet& m_tables;
    Projects& m_projects;
    ProjectTotals& m_totals;
    const CurrencyCache& m_currencies;

    Context m_context;
    qint32 m_selected = 0;
    TreeItems m_tree;
    QSet<qint32> m_bold;
    std::optional<std::pair<quint64, FileTime>> m_boldFor;  // future-list counter, day
    std::optional<std::tuple<quint64, quint64, qint32>>
        m_treeFor;  // project counter, bold counter, selection
    quint64 m_boldBuilds = 0;
    std::vector<ProjectPageRow> m_rows;
    int m_transactionRows = 0;
    QString m_totalLine;
    QString m_prognosisLine;
    std::optional<std::pair<qint32, quint64>> m_prognosisFor;  // selection, future-list counter
    Money m_prognosis;
};
