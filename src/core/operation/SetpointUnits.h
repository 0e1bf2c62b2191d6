#pragma once
// The control panel's setpoint in its four units. The setpoint parameter (P7030, or P7200
// on older controllers) is E0; E1 is a copy whose formulas turn its percentage of the
// reference speed into r/min through P0353 (3000 r/min at P0353 = 100 %). The percent
// units take the record with conversion kind "2" and the limits -200 .. 199.994.

#include "model/OpenedProject.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace hesk::operation {

enum class SetpointUnit { Hz = 0, HzPercent = 1, Rpm = 2, RpmPercent = 3 };

// "频率给定(Hz)", "频率给定(%)", "转速给定(r/min)", "转速给定(%)".
QString setpointUnitName(SetpointUnit unit);
// The caption of the actual value: "实际频率(Hz)", "实际频率(%)", "实际转速(r/min)", "实际转速(%)".
QString actualValueCaption(SetpointUnit unit);
constexpr bool percentUnit(SetpointUnit unit) { return unit == SetpointUnit::HzPercent || unit == SetpointUnit::RpmPercent; }
constexpr bool speedUnit(SetpointUnit unit) { return unit == SetpointUnit::Rpm || unit == SetpointUnit::RpmPercent; }
std::optional<SetpointUnit> setpointUnitFromIndex(int index);

// The record the value editor works on for the unit: E0, E1, or either as a percentage.
// `referenceSpeed` is P0353's value as the drive reports it (percent); the speed units
// have it written into their formulas, so their conversion needs no formula reference.
// Empty: the formulas name P0353 and cannot be computed without it.
model::HeskParameterElement setpointRecord(const model::HeskParameterElement& setpoint, SetpointUnit unit,
                                           const QString& referenceSpeed);

// The device word of a setpoint text in the unit; nothing when the text does not convert.
std::optional<uint16_t> setpointWord(model::OpenedProject& project, const model::HeskParameterElement& setpoint,
                                     SetpointUnit unit, const QString& referenceSpeed,
                                     const QString& text);
// The text of a device word in the unit: E0 or E1 as the pages convert, a percentage with
// three decimals.
QString setpointText(model::OpenedProject& project, const model::HeskParameterElement& setpoint, SetpointUnit unit,
                     const QString& referenceSpeed, uint16_t word);
// A setpoint text in one unit shown in another; an empty or unconvertible text gives an
// empty text.
QString convertSetpointText(model::OpenedProject& project, const model::HeskParameterElement& setpoint,
                            SetpointUnit from, SetpointUnit to, const QString& referenceSpeed,
                            const QString& text);
// A value text shown with three decimals (the percent units); unchanged when it is no number.
QString threeDecimals(const QString& text);

}  // namespace hesk::operation
