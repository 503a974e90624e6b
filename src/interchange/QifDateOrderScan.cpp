#include "interchange/QifDateOrderScan.h"

bool QifDateOrderScan::feed(QStringView date)
{
    if (m_settled)
        return true;
    const QifDateOrder::Detection found = QifDateOrder::detect(date);
    if (found.settled) {
        m_order = found.order;
        m_settled = true;
        return true;
    }
    if (m_yearPosition < 0 && found.yearPosition >= 0)
        m_yearPosition = found.yearPosition;
    if (date.contains(u'\''))
        m_yearPosition = 2;
    return false;
}

QifDateOrder QifDateOrderScan::result(int localeDateOrder) const
{
    if (m_settled)
        return m_order;
    QifDateOrder order = QifDateOrder::ofLocale(localeDateOrder);
    if (m_yearPosition >= 0 && m_yearPosition != order.positionOf('y'))
        order.moveYearTo(m_yearPosition);
    return order;
}
