#include "reports/ReportSortKey.h"

QString ReportSortKey::amountKey(Money amount)
{
    constexpr quint64 SignBit = quint64(1) << 63;
    const quint64 biased = static_cast<quint64>(amount.hundredths()) ^ SignBit;
    return QStringLiteral("%1").arg(biased, Width, 10, QLatin1Char('0'));
}
