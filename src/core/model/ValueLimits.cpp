#include "ValueLimits.h"

#include "NumberBase.h"
#include "ParameterTypes.h"

#include <cmath>

namespace hesk::model {

namespace {

enum class Side { Lower, Upper };

const QString kWrongParameter = QStringLiteral("WrongParameter");

std::optional<double> decimalNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Integer reading of a decimal text: the fraction is cut off, as an integer parser
// reading the beginning of "12.7" would.
std::optional<int64_t> integerNumber(const QString& text)
{
    const std::optional<double> value = decimalNumber(text);
    if (!value || std::fabs(*value) > 9.0e18)
        return std::nullopt;
    return static_cast<int64_t>(std::trunc(*value));
}

std::optional<uint64_t> hexNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    return hexToUnsigned(trimmed);
}

// True when a constrains more than b on this side (smaller upper, larger lower limit).
template <typename T>
bool tighter(Side side, T a, T b)
{
    return side == Side::Upper ? a < b : a > b;
}

int hexDigitsOfType(const QString& typeName)
{
    return typeName == QLatin1String("V2") ? 4 : 2;
}

QString hexLimitText(uint64_t value, const QString& typeName)
{
    return QString::asprintf("0x%.*llx", hexDigitsOfType(typeName),
                             static_cast<unsigned long long>(value))
        .toUpper();
}

QString hexLimit(Side side, const QString& display, const QString& raw, const QString& typeName)
{
    const std::optional<uint64_t> d = hexNumber(display);
    const std::optional<uint64_t> r = hexNumber(raw);
    if (d && r)
        return hexLimitText(tighter(side, *r, *d) ? *r : *d, typeName);
    if (d || r)
        return hexLimitText(d ? *d : *r, typeName);
    return display;
}

QString formulaLimit(Side side, const HeskParameterElement& element, const QString& display,
                     const QString& raw, const DisplayConversion& toDisplay)
{
    QString converted;
    if (toDisplay && !raw.trimmed().isEmpty())
        converted = toDisplay(element, raw.trimmed());
    const std::optional<double> d = decimalNumber(display);
    // "WrongParameter" (or any text that is no number) leaves the raw limit out: the
    // display limit is already in display units.
    const std::optional<double> r =
        converted == kWrongParameter ? std::nullopt : decimalNumber(converted);
    if (d && r)
        return tighter(side, *r, *d) ? converted.trimmed() : display.trimmed();
    if (r)
        return converted.trimmed();
    if (d)
        return display.trimmed();
    return display;
}

QString integerLimit(Side side, const QString& display, const QString& raw)
{
    const std::optional<int64_t> d = integerNumber(display);
    const std::optional<int64_t> r = integerNumber(raw);
    if (d && r)
        return QString::number(tighter(side, *r, *d) ? *r : *d);
    if (d || r)
        return QString::number(d ? *d : *r);
    return display;
}

QString formattedRawLimit(double raw, int decimals)
{
    if (decimals <= 0)
        return QString::number(std::llround(raw));  // half away from zero
    return QString::asprintf("%.*f", decimals, raw);
}

QString decimalLimit(Side side, const QString& display, const QString& raw, int decimals)
{
    const std::optional<double> d = decimalNumber(display);
    const std::optional<double> r = decimalNumber(raw);
    if (d && (!r || tighter(side, *d, *r)))
        return display.trimmed();
    if (r)
        return formattedRawLimit(*r, decimals);
    return display;
}

QString limit(Side side, const HeskParameterElement& element, const DisplayConversion& toDisplay)
{
    const QString name = typeName(element.typeCode);
    const QString& display = side == Side::Upper ? element.maxText : element.minText;
    const QString& raw = side == Side::Upper ? element.rawMaxText : element.rawMinText;
    switch (radixOf(name)) {
    case Radix::Binary:
        return side == Side::Upper ? QStringLiteral("1") : QStringLiteral("0");
    case Radix::Hexadecimal:
        return hexLimit(side, display, raw, name);
    case Radix::Decimal:
        break;
    }
    if (element.usesFormulas())
        return formulaLimit(side, element, display, raw, toDisplay);
    if (name == QLatin1String("I2") || name == QLatin1String("O2") || name == QLatin1String("GT"))
        return integerLimit(side, display, raw);
    return decimalLimit(side, display, raw, element.decimals);
}

QString forceLogLine(const HeskParameterElement& element, Side side, const QString& limitText)
{
    return QStringLiteral("系统内部修改") + keyText(element)
        + QStringLiteral("时，由于参数值不在范围内，系统自动处理为")
        + (side == Side::Lower ? QStringLiteral("下限 ") : QStringLiteral("上限 ")) + limitText;
}

ForcedValue replacedBy(const HeskParameterElement& element, Side side, const QString& limitText)
{
    return {limitText, forceLogLine(element, side, limitText)};
}

// Compares value and limits read by one reader; a limit that is no number does not
// constrain, a value that is no number goes to the lower limit.
template <typename Reader>
ForcedValue forceWith(const HeskParameterElement& element, const QString& value,
                      const EffectiveLimits& limits, Reader read)
{
    const auto number = read(value);
    const auto lower = read(limits.lower);
    const auto upper = read(limits.upper);
    if (!number) {
        if (lower)
            return replacedBy(element, Side::Lower, limits.lower.trimmed());
        return {value, std::nullopt};
    }
    if (upper && *number > *upper)
        return replacedBy(element, Side::Upper, limits.upper.trimmed());
    if (lower && *number < *lower)
        return replacedBy(element, Side::Lower, limits.lower.trimmed());
    return {value, std::nullopt};
}

}  // namespace

QString effectiveUpperLimit(const HeskParameterElement& element, const DisplayConversion& toDisplay)
{
    return limit(Side::Upper, element, toDisplay);
}

QString effectiveLowerLimit(const HeskParameterElement& element, const DisplayConversion& toDisplay)
{
    return limit(Side::Lower, element, toDisplay);
}

EffectiveLimits effectiveLimits(const HeskParameterElement& element,
                                const DisplayConversion& toDisplay)
{
    return {effectiveLowerLimit(element, toDisplay), effectiveUpperLimit(element, toDisplay)};
}

ForcedValue forceIntoRange(const HeskParameterElement& element, const QString& value,
                           const EffectiveLimits& limits)
{
    switch (radixOfType(element.typeCode)) {
    case Radix::Binary:
        if (value != QLatin1String("0") && value != QLatin1String("1"))
            return replacedBy(element, Side::Lower, QStringLiteral("0"));
        return {value, std::nullopt};
    case Radix::Hexadecimal:
        return forceWith(element, value, limits, hexNumber);
    case Radix::Decimal:
        break;
    }
    if (element.decimals <= 0)
        return forceWith(element, value, limits, integerNumber);
    return forceWith(element, value, limits, decimalNumber);
}

ForcedValue forceIntoRange(const HeskParameterElement& element, const QString& value,
                           const DisplayConversion& toDisplay)
{
    return forceIntoRange(element, value, effectiveLimits(element, toDisplay));
}

}  // namespace hesk::model
