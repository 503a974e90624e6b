#include "reference/RateText.h"

#include "store/NumberParse.h"

#include <cmath>

QString rateText(double rate)
{
    // QString::asprintf ignores the locale, so the separator is always '.'.
    return QString::asprintf("%.5f", rate);
}

bool isUsableRate(double rate)
{
    return std::isfinite(rate) && rate > 0.0 && std::isfinite(1.0 / rate);
}

std::optional<double> storedRate(QStringView text)
{
    const double value = parseLenientNumber(text);
    if (!isUsableRate(value))
        return std::nullopt;
    return value;
}
