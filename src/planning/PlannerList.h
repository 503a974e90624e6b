#pragma once

// The rows of the "Future" page: every plan in id order, then the row for a
// new plan ("<_New_Time_Table_>", dated today). What each row shows, cell by
// cell, for a view to paint; the columns' headings, default widths and the
// band colour as data. No pixels here.
//
// The list is a snapshot: reload() after every write to the Planner table.

#include "planning/PlannerEntry.h"
#include "platform/LocaleValues.h"
#include "reference/CurrencyCache.h"
#include "store/TableSet.h"
#include "toolkit/RowStyle.h"

#include <QString>

#include <optional>
#include <vector>

enum class PlannerColumn { Icon, Starts, Description, Amount };

struct PlannerCells {
    // The image of the icon column, by its index in the page's image list.
    enum class Icon { Repeating = 0, Stopped = 1, Single = 2, None = -1 };

    Icon icon = Icon::None;
    RowStyle style;  // even rows banded
    QString starts;
    QString description;
    QString amount;

    QString text(PlannerColumn column) const
    {
        switch (column) {
        case PlannerColumn::Icon:
            return {};
        case PlannerColumn::Starts:
            return starts;
        case PlannerColumn::Description:
            return description;
        case PlannerColumn::Amount:
            return amount;
        }
        return {};
    }
};

class PlannerList {
public:
    static constexpr const char* NewRowText = "<_New_Time_Table_>";
    static constexpr RowPalette Palette{true, {198, 255, 198}, {}, {}, {}, {}};

    // All three must outlive the list.
    PlannerList(TableSet& tables, const CurrencyCache& currencies, const LocaleValues& locale);

    // Reads every plan in id order. False when the table could not be read;
    // the list then holds no plan (only the new row).
    bool reload();
    // Advances with every reload: a model resets when it moved.
    quint64 changeCount() const { return m_changes; }

    // The plans and the new row after them.
    qint64 rowCount() const { return static_cast<qint64>(m_entries.size()) + 1; }
    qint64 newRow() const { return static_cast<qint64>(m_entries.size()); }
    bool isNewRow(qint64 row) const { return row == newRow(); }
    // The plan of a row; nullopt for the new row and outside the list.
    std::optional<PlannerEntry> entry(qint64 row) const;
    // The row of the plan with that id; nullopt when the list holds none.
    std::optional<qint64> rowOf(qint32 id) const;
    const std::vector<PlannerEntry>& entries() const { return m_entries; }

    // `today` dates the new row. Empty cells outside the list.
    PlannerCells cells(qint64 row, FileTime today) const;
    static PlannerCells::Icon iconOf(const PlannerEntry& entry);

    static std::vector<PlannerColumn> columns();
    static QString heading(PlannerColumn column);
    // In pixels, as the page first lays the columns out.
    static int defaultWidth(PlannerColumn column);

private:
    TableSet& m_tables;
    const CurrencyCache& m_currencies;
    const LocaleValues& m_locale;
    std::vector<PlannerEntry> m_entries;
    quint64 m_changes = 0;
};
