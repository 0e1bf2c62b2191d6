#include "ValueComparison.h"

#include "model/ParameterTypes.h"

#include <cmath>

namespace hesk::pages {

std::optional<double> approximateTolerance(const QString& typeName)
{
    if (typeName == QLatin1String("N2"))
        return 0.006103515625;
    if (typeName == QLatin1String("E2"))
        return 0.007812744148254632;
    if (typeName == QLatin1String("G2") || typeName == QLatin1String("G3"))
        return 0.125;
    if (typeName == QLatin1String("H2") || typeName == QLatin1String("H3"))
        return 0.032;
    return std::nullopt;
}

bool valuesEqual(const model::HeskParameterElement& element, const QString& a, const QString& b,
                 bool approximateComparison)
{
    if (a == b)
        return true;
    if (!approximateComparison || element.usesFormulas() || element.isConnection() || a.isEmpty() || b.isEmpty())
        return false;
    const std::optional<double> tolerance = approximateTolerance(model::typeName(element.typeCode));
    if (!tolerance)
        return false;
    bool okA = false;
    bool okB = false;
    const double x = a.trimmed().toDouble(&okA);
    const double y = b.trimmed().toDouble(&okB);
    if (!okA || !okB)
        return false;
    return std::fabs(x - y) < *tolerance;
}

}  // namespace hesk::pages
