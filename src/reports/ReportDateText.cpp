#include "reports/ReportDateText.h"

#include "store/DateText.h"

QString reportDateTime(FileTime t, const LocaleValues& locale)
{
    const LocalTime local = localFromFileTime(t);
    return shortDate(t, locale) + QStringLiteral(" %1:%2")
                                      .arg(local.hour, 2, 10, QLatin1Char('0'))
                                      .arg(local.minute, 2, 10, QLatin1Char('0'));
}
