#include "rate/ratevalue.h"

#include "platform/spread/spreadnumber.h"

#include <QString>

#include <cmath>

namespace RateValue {

bool parse(QStringView field, double *value)
{
    if (const auto fast = SpreadNumber::parse(field, QLatin1Char('.'), QChar())) {
        *value = *fast;
        return true;
    }
    bool ok = false;
    const double v = field.trimmed().toDouble(&ok);
    ok = ok && std::isfinite(v);
    *value = ok ? v : 0.0;
    return ok;
}

} // namespace RateValue
