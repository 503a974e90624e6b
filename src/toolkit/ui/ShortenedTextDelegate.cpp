#include "toolkit/ui/ShortenedTextDelegate.h"

#include "toolkit/ShortenedText.h"

#include <QApplication>
#include <QPainter>

void ShortenedTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    if (text.isEmpty())
        return;

    const QFontMetrics metrics(opt.font);
    const QRect cell = opt.rect;
    const QString shown = ShortenedText::fit(
        text, cell.width(), [&metrics](const QString& s) { return metrics.horizontalAdvance(s); });
    const bool right = opt.displayAlignment.testFlag(Qt::AlignRight);
    const QRect area = right ? cell.adjusted(0, 0, -ShortenedText::RightInset, 0)
                             : cell.adjusted(ShortenedText::LeftInset, 0, 0, 0);
    painter->save();
    painter->setFont(opt.font);
    const bool selected = opt.state.testFlag(QStyle::State_Selected);
    const QPalette::ColorGroup group =
        opt.state.testFlag(QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    painter->setPen(selected ? opt.palette.color(group, QPalette::HighlightedText)
                             : opt.palette.color(group, QPalette::Text));
    painter->drawText(
        area, (Qt::Alignment(right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter).toInt(), shown);
    painter->restore();
}
