#pragma once

#include <QStyledItemDelegate>

// Draws a cell as the style draws it (background, selection, icon), then its
// text by the list's "..." rule: cut to what fits in the cell less 3 pixels,
// a right-aligned text ending 3 pixels before the right edge, any other
// starting 1 pixel after the left edge.
class ShortenedTextDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
