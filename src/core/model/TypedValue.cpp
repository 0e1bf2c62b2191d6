#include "TypedValue.h"

#include <QCoreApplication>

namespace hesk::model {

TypedValueCheck checkTypedValue(OpenedProject& opened, const HeskParameterElement& element, const QString& text)
{
    TypedValueCheck result;
    result.limits = displayLimits(element, opened.formulas());
    const QString type = typeName(element.typeCode);
    result.validation = validateInput(text, result.limits.lower, result.limits.upper, element.decimals,
                                      radixOf(type), type);
    result.message = valueDialogMessage(result.validation.code, element.decimals);
    return result;
}

QString rawConversionErrorText(RawConversionError error)
{
    switch (error) {
    case RawConversionError::WrongParameter:
        return QCoreApplication::translate("TypedValue", "数据转换出错，请联系开发人员！");
    case RawConversionError::NotANumber:
        return QCoreApplication::translate("TypedValue", "数据格式不符合要求！");
    case RawConversionError::OutOfRange:
        return QCoreApplication::translate("TypedValue", "数据不在范围内！");
    case RawConversionError::None:
        break;
    }
    return {};
}

QString TypedValueConversion::failureText() const
{
    if (!check.validation.accepted())
        return QStringLiteral("%1: %2").arg(check.validation.resultText(), check.message ? check.message->text : QString());
    if (!raw.raw)
        return rawConversionErrorText(raw.error);
    return {};
}

TypedValueConversion convertTypedValue(OpenedProject& opened, const HeskParameterElement& element,
                                       const QString& text)
{
    TypedValueConversion result;
    result.check = checkTypedValue(opened, element, text);
    if (result.check.validation.accepted())
        result.raw = rawFromDisplayText(element, result.check.validation.acceptedText, opened.project().timeBases,
                                        opened.formulas());
    return result;
}

}  // namespace hesk::model
