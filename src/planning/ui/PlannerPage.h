#pragma once

#include "planning/PlannerActions.h"
#include "planning/PlannerEditor.h"
#include "planning/PlannerList.h"
#include "planning/ui/PlannerListModel.h"
#include "platform/CodePage.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class CoolList;
class PlannerEditorPanel;

// What the page works with; all owned by the caller and outliving the page.
struct PlannerPageContext {
    TableSet& tables;
    CurrencyCache& currencies;
    Categories& categories;
    Projects& projects;
    ProjectTotals& totals;
    FutureList& future;
    const Clock& clock;
    const LocaleValues& locale;
    Interaction& ui;
    // The book's default currency, the one a new plan starts in.
    std::function<QString()> defaultCurrency;
    // The contact list the Contact field's picker offers.
    QString contactsPath;
    CodePage codePage;
};

// Page 2000, "Future": the list of plans ("Time-Table" entries) and the plan
// editor beside it. The context menu and a tap on a row's icon stop or
// activate a plan; Delete removes it after asking; Enter opens it in the
// editor; Space switches the editor's page. Every change goes through the
// planning logic, which rebuilds the future list the registers show.
class PlannerPage : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* TitleText = "Future";
    static constexpr int IconWidth = 20;
    // The number under which the list keeps its column layout.
    static constexpr int ListNumber = 2000;

    explicit PlannerPage(PlannerPageContext context, QWidget* parent = nullptr);
    ~PlannerPage() override;

    CoolList* list() const { return m_list; }
    PlannerListModel* model() const { return m_model.get(); }
    PlannerEditorPanel* editorPanel() const { return m_panel; }
    // The page's band controls: "New".
    QWidget* pageControls() const { return m_controls; }

    // The plans read again; the selected plan stays selected.
    void refresh();
    // Another page is shown: the editor's changes are saved without a question.
    void leave();
    // Selects a row and loads it into the editor.
    void openRow(int row);
    // "New": the new row selected and loaded, the description focused.
    void startNew();

    // The list's commands on a row.
    void toggleStopped(int row);
    void deleteRow(int row);
    void showContextMenu(int row, const QPoint& globalPos);

Q_SIGNALS:
    // The future list was rebuilt: the registers show other rows now.
    void futureChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void fitColumns();
    void reloadKeeping(qint32 id);
    void loadCurrentRow();
    std::optional<qint32> planAt(int row) const;

    PlannerPageContext m_context;
    PlannerList m_plans;
    PlannerEditor m_editor;
    PlannerActions m_actions;
    std::unique_ptr<PlannerListModel> m_model;
    CoolList* m_list;
    PlannerEditorPanel* m_panel;
    // Owned by the page, though it sits in the window's band strip.
    QPointer<QWidget> m_controls;
};
