#pragma once
// The effective range of a parameter definition (what the value dialog shows and what
// validation and forcing use) and the forcing of a value into that range.
//
// The workbook gives maxText/minText in display units; the intermediate file gives
// rawMaxText/rawMinText. The effective upper limit is the smaller, the lower limit the
// larger of the two, read by the radix of the type:
//  - binary types: "1" and "0";
//  - hexadecimal types: both read as hexadecimal, the result written as the type shows
//    words ("0X00FF" for V2, "0X0F" for V1 and NK);
//  - decimal types with commandType "3": the raw limit converted into display units by
//    the parameter's reverse formula (the caller passes that conversion);
//  - "I2", "O2" and "GT": both read as integers, the result as an integer;
//  - every other decimal type: the display limit when it is inside the raw one, else the
//    raw limit, rounded half away from zero when decimals is 0, else with `decimals`
//    fraction digits.
// A side whose text is empty or no number does not constrain: the other side is taken.
// When neither is a number the display text is returned unchanged (validation then
// refuses the value with "error2" rather than invent a range).

#include "ProjectRecords.h"

#include <QString>

#include <functional>
#include <optional>

namespace hesk::model {

// Converts a device-unit value text into display units by the definition's reverse
// formula; returns "WrongParameter" when that cannot be computed. When it cannot, the
// raw limit is left out and the display limit (already in display units) alone counts.
using DisplayConversion =
    std::function<QString(const HeskParameterElement&, const QString& deviceValueText)>;

struct EffectiveLimits {
    QString lower;
    QString upper;
    bool operator==(const EffectiveLimits&) const = default;
};

EffectiveLimits effectiveLimits(const HeskParameterElement& element,
                                const DisplayConversion& toDisplay);
QString effectiveUpperLimit(const HeskParameterElement& element, const DisplayConversion& toDisplay);
QString effectiveLowerLimit(const HeskParameterElement& element, const DisplayConversion& toDisplay);

inline constexpr int kForceIntoRangeLogLevel = 3;

struct ForcedValue {
    QString value;                  // the value, or the limit that replaced it
    std::optional<QString> logLine; // set when the value was replaced (log level 3)

    bool replaced() const { return logLine.has_value(); }
};

// Forces value into [limits.lower, limits.upper] by the radix of the type:
//  - binary: anything but "0" and "1" becomes the lower limit;
//  - hexadecimal: value and limits compared as unsigned integers;
//  - decimal: compared as integers when decimals is 0, else as double values.
// A replacement yields the log line "系统内部修改<key>时，由于参数值不在范围内，系统自动
// 处理为下限 <limit>" (or "上限 <limit>"). A value that is no number of the radix
// counts as out of range and becomes the lower limit, so the result is always in range;
// a limit that is no number does not constrain its side.
ForcedValue forceIntoRange(const HeskParameterElement& element, const QString& value,
                           const EffectiveLimits& limits);

// The same with the effective limits of the definition.
ForcedValue forceIntoRange(const HeskParameterElement& element, const QString& value,
                           const DisplayConversion& toDisplay);

}  // namespace hesk::model
