#pragma once
// Conversion of a parameter value between device units and display units through the
// definition's formulas.

#include "FormulaEvaluator.h"
#include "ProjectRecords.h"

#include <QString>

namespace hesk::model {

enum class ConversionDirection {
    ToDisplay,  // a device value read from the drive -> display units (reverseFormula)
    ToDevice,   // a value entered in display units -> device value (forwardFormula)
};

// Callers that carry the direction as a number: 1 writes, every other value shows.
constexpr ConversionDirection conversionDirectionFromCode(int code)
{
    return code == 1 ? ConversionDirection::ToDevice : ConversionDirection::ToDisplay;
}

// Converts valueText for the definition. With commandType "3" the direction's formula
// is evaluated with the definition's key text standing for valueText and the result
// is formatted with the definition's decimals; "WrongParameter" when it cannot be
// computed (an empty formula included), and callers then show the raw value or refuse
// the input. Any other commandType has no conversion: valueText comes back unchanged.
QString convertValue(const HeskParameterElement& element, ConversionDirection direction,
                     const QString& valueText, const FormulaContext& context);

}  // namespace hesk::model
