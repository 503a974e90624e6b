#pragma once

#include "accounts/Register.h"

#include <QAbstractTableModel>
#include <QFont>

#include <functional>
#include <unordered_map>
#include <vector>

// The register as a table model: one row per register row, the columns of the
// set in use (with or without the property panel). A row's cells are read
// from the register once and kept until the register's change count moves,
// so painting a page reads each record once.
class RegisterModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr const char* AccessibleName = "Register";
    using Now = std::function<FileTime()>;

    // `reg` must outlive the model; `now` gives "today" for the new row and
    // the due rule.
    RegisterModel(Register& reg, Now now, bool withPanel, QObject* parent = nullptr);

    Register& reg() const { return m_reg; }
    bool withPanel() const { return m_withPanel; }
    void setWithPanel(bool withPanel);
    RegisterColumn columnAt(int column) const { return m_columns[static_cast<size_t>(column)]; }
    // The model column of a register column; -1 when the set lacks it.
    int columnOf(RegisterColumn column) const;

    // Resets when the register changed since the model last looked; `force`
    // resets anyway (the clock moved, so "today" did).
    void sync(bool force = false);
    // Redraws one row after a change of its record (a mark toggled).
    void rowChanged(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const RegisterCells& cellsOf(int row) const;
    bool isNegativeCell(RegisterColumn column) const;

    Register& m_reg;
    Now m_now;
    bool m_withPanel;
    std::vector<RegisterColumn> m_columns;
    quint64 m_seenChanges = 0;
    QFont m_font;
    // The rows read since the last reset; dropped whole when it grows large.
    mutable std::unordered_map<int, RegisterCells> m_cache;
    static constexpr size_t CacheLimit = 512;
};
