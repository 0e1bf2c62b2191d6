#include "ParameterConverter.h"

#include "ParameterTypes.h"

namespace hesk::model {

QString convertValue(const HeskParameterElement& element, ConversionDirection direction,
                     const QString& valueText, const FormulaContext& context)
{
    if (!element.usesFormulas())
        return valueText;
    const QString& formula =
        direction == ConversionDirection::ToDevice ? element.forwardFormula : element.reverseFormula;
    return evaluateFormulaText(formula, FormulaOwnParameter{keyText(element), valueText}, element.decimals,
                               context);
}

}  // namespace hesk::model
