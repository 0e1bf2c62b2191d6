#pragma once
// Between a raw 16-bit device word and the text a person sees for one definition: the
// type's format, or for formula parameters (commandType "3") the reverse formula on
// the way out and the forward formula on the way in.

#include "FormulaEvaluator.h"
#include "HeskProject.h"
#include "ValueFormat.h"
#include "ValueLimits.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace hesk::model {

struct DisplayedValue {
    QString text;
    // A formula parameter whose reverse formula could not be computed: text is then
    // "WrongParameter" (never a number that is not the parameter's value) and failure
    // says why (the reference or base value that did not resolve).
    bool conversionFailed = false;
    QString failure;
};

// Why a formula gave no value, for a log line: the reference or base value that did not
// resolve, or what is wrong with the formula.
QString formulaFailureText(const FormulaResult& result);

// The word as the device value a formula sees: signed for the signed types ("N2",
// "E2", "O2", "I2", "B1"), unsigned for the others.
QString deviceValueText(const HeskParameterElement& element, uint16_t raw);

DisplayedValue displayRawValue(const HeskParameterElement& element, uint16_t raw,
                               const TimeBases& timeBases, const FormulaContext& context);

enum class RawConversionError {
    None,
    WrongParameter,  // the forward formula could not be computed
    NotANumber,      // the text (or the formula result) is no number of the radix
    OutOfRange,      // the result does not fit into a 16-bit word
};

struct RawConversion {
    std::optional<uint16_t> raw;
    RawConversionError error = RawConversionError::None;
    QString deviceValue;  // the forward formula's result, for messages and logs
};

// The raw word for a display text that validation has accepted. Formula parameters go
// through the forward formula; the others undo the type's scaling ("N2" x 163.84,
// "E2" x 127.996, "G2"/"G3" / 0.125, "H2"/"H3" x 1000 / 32, "T2" x 1000 / (time base 2 x
// time base 0)), rounded half away from zero. Words are accepted from -32768 to 65535.
RawConversion rawFromDisplayText(const HeskParameterElement& element, const QString& text,
                                 const TimeBases& timeBases, const FormulaContext& context);

// The reverse-formula conversion the limit functions need, bound to a formula context.
DisplayConversion displayConversion(const FormulaContext& context);

// The effective limits of a definition in display units.
EffectiveLimits displayLimits(const HeskParameterElement& element, const FormulaContext& context);

}  // namespace hesk::model
