#include "ValueComparison.h"

#include "model/ParameterTypes.h"

#include <cmath>
#include <optional>

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

namespace {

std::optional<qulonglong> hexNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (!trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        return std::nullopt;
    bool ok = false;
    const qulonglong number = trimmed.mid(2).toULongLong(&ok, 16);
    return ok ? std::optional<qulonglong>(number) : std::nullopt;
}

}  // namespace

bool sameNumber(const QString& a, const QString& b)
{
    const std::optional<qulonglong> hexA = hexNumber(a);
    const std::optional<qulonglong> hexB = hexNumber(b);
    if (hexA && hexB)
        return *hexA == *hexB;
    bool okA = false;
    bool okB = false;
    const double numberA = a.trimmed().toDouble(&okA);
    const double numberB = b.trimmed().toDouble(&okB);
    return okA && okB && numberA == numberB;
}

}  // namespace hesk::pages
