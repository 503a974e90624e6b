#pragma once

#include "reference/ProjectPageRow.h"

#include <QAbstractTableModel>
#include <QFont>

#include <vector>

// The rows of the project page's list as the list control shows them: an
// icon (up, sub-project, reconcile mark with a transfer's arrow, planned),
// "Date", "Description" and "Amount", every row on light magenta; future-list
// rows due by today bold in red, later ones olive; sub-projects with
// something due in bold.
class ProjectListModel : public QAbstractTableModel {
public:
    enum Column { IconColumn, DateColumn, DescriptionColumn, AmountColumn, ColumnCount };
    static constexpr Rgb Background{255, 198, 255};
    static constexpr int Widths[ColumnCount] = {17, 90, 168, 70};

    explicit ProjectListModel(QObject* parent = nullptr);

    // Shows `rows` (a copy: the page's logic rebuilds its own).
    void setRows(const std::vector<ProjectPageRow>& rows);
    // The name a screen reader says for a row's icon.
    static QString iconName(const ProjectPageRow& row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString text(const ProjectPageRow& row, int column) const;
    QVariant icon(const ProjectPageRow& row) const;

    std::vector<ProjectPageRow> m_rows;
    QFont m_font;
};
