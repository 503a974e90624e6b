#pragma once

#include "toolkit/ListColumns.h"
#include "toolkit/ListSelection.h"

#include <QTableView>
#include <QTimer>

class SettingsFile;

// The list of both programs: a table view over a model whose roles carry each
// cell's text, colours, font, icon and alignment, drawn by the "..." delegate
// in rows of one fixed height. Columns resize and move in the header; their
// layout is a ListColumns, saved and loaded in the list's settings section.
// A click in the icon column taps the icon; holding a click elsewhere for
// 500 ms, or a right click, asks for the context menu; a double click or
// Enter activates the row. Up, Down, Home, End, Page Up and Page Down move the
// selection by the list's rules.
class CoolList : public QTableView {
    Q_OBJECT
public:
    static constexpr int HoldMs = 500;
    static constexpr const char* ClassName = "CCoolList";

    explicit CoolList(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    // The model column whose clicks tap the icon; -1 for none.
    void setIconColumn(int column) { m_iconColumn = column; }

    // The header's layout (display order, widths, titles from the model).
    ListColumns columnLayout() const;
    // Applies a layout whose `created` indices are model columns.
    void applyColumnLayout(const ListColumns& columns);
    bool saveColumns(SettingsFile& settings, int number) const;
    // False, with the layout left, when nothing fitting is stored.
    bool loadColumns(const SettingsFile& settings, int number);

    int currentRow() const;
    void selectRow(int row);
    int pageRows() const;

Q_SIGNALS:
    void iconTapped(int row);
    void contextMenuWanted(int row, const QPoint& globalPos);
    void rowActivated(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void syncSelection();
    void holdElapsed();

    int m_iconColumn = -1;
    ListSelection m_selection;
    QTimer m_hold;
    int m_holdRow = -1;
    QPoint m_holdPos;
};
