#include "accounts/ui/RegisterIcons.h"

#include <QPainter>
#include <QPixmap>

#include <array>

namespace {

constexpr int Side = 16;

QPixmap mark(const QColor& fill, const QString& letter)
{
    QPixmap p(Side, Side);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(1.5, 1.5, Side - 3, Side - 3), 3, 3);
    if (!letter.isEmpty()) {
        QFont f = painter.font();
        f.setPixelSize(10);
        f.setBold(true);
        painter.setFont(f);
        painter.setPen(Qt::white);
        painter.drawText(QRect(0, 0, Side, Side), Qt::AlignCenter, letter);
    }
    return p;
}

QPixmap withTransfer(QPixmap p)
{
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 160), 1.5));
    // Two small arrows in the lower right corner: money moving between accounts.
    painter.drawLine(QPointF(8, 11), QPointF(15, 11));
    painter.drawLine(QPointF(13, 9), QPointF(15, 11));
    painter.drawLine(QPointF(8, 14), QPointF(15, 14));
    painter.drawLine(QPointF(8, 14), QPointF(10, 12.5));
    return p;
}

QPixmap future()
{
    QPixmap p(Side, Side);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(120, 120, 0), 1.5));
    painter.setBrush(QColor(255, 255, 210));
    painter.drawEllipse(QRectF(2, 2, Side - 4, Side - 4));
    painter.drawLine(QPointF(8, 8), QPointF(8, 4.5));
    painter.drawLine(QPointF(8, 8), QPointF(11, 9.5));
    return p;
}

QIcon build(RegisterCells::Icon icon, bool transfer)
{
    QPixmap p;
    switch (icon) {
    case RegisterCells::Icon::None:
        return {};
    case RegisterCells::Icon::Unreconciled:
        p = mark(Qt::white, {});
        break;
    case RegisterCells::Icon::Cleared:
        p = mark(QColor(40, 140, 40), QStringLiteral("C"));
        break;
    case RegisterCells::Icon::Reconciled:
        p = mark(QColor(30, 80, 170), QStringLiteral("R"));
        break;
    case RegisterCells::Icon::Future:
        return QIcon(future());
    }
    return QIcon(transfer ? withTransfer(p) : p);
}

}  // namespace

QIcon RegisterIcons::icon(RegisterCells::Icon icon, bool transferOverlay)
{
    static const std::array<QIcon, 10> icons = [] {
        std::array<QIcon, 10> all;
        for (int i = 0; i < 5; ++i) {
            all[static_cast<size_t>(i * 2)] = build(static_cast<RegisterCells::Icon>(i), false);
            all[static_cast<size_t>(i * 2 + 1)] = build(static_cast<RegisterCells::Icon>(i), true);
        }
        return all;
    }();
    return icons[static_cast<size_t>(static_cast<int>(icon) * 2 + (transferOverlay ? 1 : 0))];
}

QString RegisterIcons::name(RegisterCells::Icon icon, bool transferOverlay)
{
    QString text;
    switch (icon) {
    case RegisterCells::Icon::None:
        return {};
    case RegisterCells::Icon::Unreconciled:
        text = QStringLiteral("Unreconciled");
        break;
    case RegisterCells::Icon::Cleared:
        text = QStringLiteral("Cleared (C)");
        break;
    case RegisterCells::Icon::Reconciled:
        text = QStringLiteral("Reconciled (R)");
        break;
    case RegisterCells::Icon::Future:
        return QStringLiteral("Planned");
    }
    return transferOverlay ? text + QStringLiteral(", Transfer") : text;
}
