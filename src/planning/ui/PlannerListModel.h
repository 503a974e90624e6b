#pragma once

#include "planning/PlannerList.h"

#include <QAbstractTableModel>
#include <QFont>

#include <functional>

// The "Future" page's list as a table model: every plan in id order, then the
// "<_New_Time_Table_>" row; the icon, "Starts", "Description" and "Amount"
// columns, even rows banded.
class PlannerListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr const char* AccessibleName = "Time-Table";
    using Now = std::function<FileTime()>;

    // `list` must outlive the model; `now` dates the new row.
    PlannerListModel(PlannerList& list, Now now, QObject* parent = nullptr);

    PlannerList& list() const { return m_list; }
    PlannerColumn columnAt(int column) const;
    // Reads the Planner table again and resets.
    bool reload();

    // The icon's name as a screen reader tells it.
    static QString iconName(PlannerCells::Icon icon);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    PlannerList& m_list;
    Now m_now;
    QFont m_font;
};
