#include "ParameterValueText.h"

#include "NumberBase.h"
#include "ParameterConverter.h"
#include "ParameterTypes.h"

#include <cmath>

namespace hesk::model {

namespace {

bool isSignedType(const QString& name)
{
    return name == QLatin1String("N2") || name == QLatin1String("E2") || name == QLatin1String("O2")
        || name == QLatin1String("I2") || name == QLatin1String("B1");
}

RawConversion failure(RawConversionError error, const QString& deviceValue = {})
{
    return {std::nullopt, error, deviceValue};
}

RawConversion success(uint16_t word)
{
    return {word, RawConversionError::None, {}};
}

RawConversion wordFromNumber(double value, const QString& deviceValue = {})
{
    if (!std::isfinite(value))
        return {std::nullopt, RawConversionError::NotANumber, deviceValue};
    const double rounded = std::round(value);  // half away from zero
    if (rounded < -32768.0 || rounded > 65535.0)
        return {std::nullopt, RawConversionError::OutOfRange, deviceValue};
    const auto word = static_cast<int32_t>(rounded);
    return {static_cast<uint16_t>(word & 0xFFFF), RawConversionError::None, deviceValue};
}

std::optional<double> decimalNumber(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

}  // namespace

QString deviceValueText(const HeskParameterElement& element, uint16_t raw)
{
    if (isSignedType(typeName(element.typeCode)))
        return QString::number(static_cast<int16_t>(raw));
    return QString::number(raw);
}

DisplayedValue displayRawValue(const HeskParameterElement& element, uint16_t raw,
                               const TimeBases& timeBases, const FormulaContext& context)
{
    const QString name = typeName(element.typeCode);
    const QString formatted = formatRawValueOr(name, raw, radixOf(name), timeBases, QString::number(raw));
    if (!element.usesFormulas())
        return {formatted, false, {}};
    const FormulaResult result = evaluateFormula(
        element.reverseFormula, FormulaOwnParameter{keyText(element), deviceValueText(element, raw)}, context);
    if (!result.ok())
        return {QString(kWrongParameter), true, formulaFailureText(result)};
    return {formatFormulaResult(result, element.decimals), false, {}};
}

QString formulaFailureText(const FormulaResult& result)
{
    switch (result.error) {
    case FormulaError::None:
        return {};
    case FormulaError::UnknownReference:
        return QStringLiteral("公式引用的%1不可用").arg(result.failedToken);
    case FormulaError::ValueUnavailable:
        return QStringLiteral("公式引用的%1没有数值").arg(result.failedToken);
    case FormulaError::UnknownToken:
        return QStringLiteral("公式中有无法识别的符号");
    case FormulaError::NotFinite:
        return QStringLiteral("公式结果不是有限数（除以零或溢出）");
    case FormulaError::Empty:
    case FormulaError::InvalidCharacter:
    case FormulaError::BaseValueTooShort:
    case FormulaError::Malformed:
        break;
    }
    return QStringLiteral("公式格式错误");
}

RawConversion rawFromDisplayText(const HeskParameterElement& element, const QString& text,
                                 const TimeBases& timeBases, const FormulaContext& context)
{
    const QString name = typeName(element.typeCode);
    if (element.usesFormulas()) {
        const QString device = convertValue(element, ConversionDirection::ToDevice, text, context);
        if (device == kWrongParameter)
            return {std::nullopt, RawConversionError::WrongParameter, device};
        const auto number = decimalNumber(device);
        if (!number)
            return {std::nullopt, RawConversionError::NotANumber, device};
        return wordFromNumber(*number, device);
    }
    switch (radixOf(name)) {
    case Radix::Binary: {
        const QString trimmed = text.trimmed();
        if (trimmed == QLatin1String("1"))
            return success(1);
        if (trimmed == QLatin1String("0"))
            return success(0);
        return failure(RawConversionError::NotANumber);
    }
    case Radix::Hexadecimal: {
        const auto value = hexToUnsigned(text.trimmed());
        if (!value)
            return failure(RawConversionError::NotANumber);
        if (*value > 0xFFFF)
            return failure(RawConversionError::OutOfRange);
        return success(static_cast<uint16_t>(*value));
    }
    case Radix::Decimal:
        break;
    }
    const auto number = decimalNumber(text);
    if (!number)
        return failure(RawConversionError::NotANumber);
    double value = *number;
    if (name == QLatin1String("N2"))
        value *= 163.84;
    else if (name == QLatin1String("E2"))
        value *= 127.996;
    else if (name == QLatin1String("G2") || name == QLatin1String("G3"))
        value /= 0.125;
    else if (name == QLatin1String("H2") || name == QLatin1String("H3"))
        value = value * 1000.0 / 32.0;
    else if (name == QLatin1String("T2")) {
        const double scale = static_cast<double>(timeBases[2]) * static_cast<double>(timeBases[0]);
        if (scale == 0.0)
            return failure(RawConversionError::NotANumber);
        value = value * 1000.0 / scale;
    }
    return wordFromNumber(value);
}

DisplayConversion displayConversion(const FormulaContext& context)
{
    return [&context](const HeskParameterElement& element, const QString& deviceValue) {
        return convertValue(element, ConversionDirection::ToDisplay, deviceValue, context);
    };
}

EffectiveLimits displayLimits(const HeskParameterElement& element, const FormulaContext& context)
{
    return effectiveLimits(element, displayConversion(context));
}

}  // namespace hesk::model
