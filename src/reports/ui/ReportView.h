#pragma once

#include "reports/ui/ReportModel.h"

#include <QWidget>

#include <memory>
#include <vector>

class CoolList;
class QPushButton;
class ReportSettings;

// One report kind on screen: its list over the report's model, and the
// "Recalc" button centred over the list while the report no longer matches
// the filter or the book. A header click sorts (a second click on the same
// column turns the order) and rebuilds; Enter, I or a double click shows the
// selected row's details; the selection's full name is offered to the window.
// Column widths are read from and written to the view's settings section.
class ReportView : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* RecalcText = "Recalc";

    // Takes the model; `settings` must outlive the view.
    ReportView(std::unique_ptr<ReportModel> model, ReportSettings& settings, QWidget* parent = nullptr);
    ~ReportView() override;

    ReportModel& model() { return *m_model; }
    CoolList& list() { return *m_list; }
    QPushButton& recalcButton() { return *m_recalc; }

    // Builds the report (in the order `sort` names) and hides "Recalc".
    void build();
    void buildSorted(const ReportSort& sort);
    // Shows "Recalc" when the filter moved since the build, or when
    // `bookChanged` says the book did.
    void checkStale(bool bookChanged);
    bool recalcShown() const;
    void showRowDetails();
    void saveColumnWidths();

Q_SIGNALS:
    // After every build: the totals for the period bar.
    void built();
    void fullNameChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void headerClicked(int column);
    void afterBuild();
    void placeRecalc();
    void loadColumnWidths();
    void fitDefaultWidths();
    void selectionMoved();
    void offerRecalcLater();

    std::unique_ptr<ReportModel> m_model;
    ReportSettings& m_settings;
    CoolList* m_list;
    // Per column, how wide a column still at its default width may grow to
    // fit its cells; 0 for a column the user sized.
    std::vector<int> m_fitLimits;
    QPushButton* m_recalc;
    bool m_recalcPending = false;
};
