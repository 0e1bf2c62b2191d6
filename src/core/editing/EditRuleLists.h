#pragma once
// The fixed parameter-number lists behind the edit rules: system parameters, the
// inverter's lists by menu level, while running and per motor data set, the rectifier
// supplies' level lists, and the parameters that open the special-value editor. Every
// list matches parameter numbers only; sub-indices are the rules' business.

#include "model/DeviceCatalogue.h"

#include <QString>

#include <cstdint>
#include <span>

namespace hesk::editing {

// Numbers refused as system parameters on this device class (P7000.15 on the inverter is
// decided by the rule itself, since only that sub-index is a system parameter).
bool isSystemParameterNumber(model::DeviceClass deviceClass, uint16_t number);

// Inverter lists.
bool isNotChangeableAtLevels1And7(uint16_t number);
bool isChangeableAtLevel5(uint16_t number);   // the numbers excepted from "5/"
bool isChangeableAtLevel8(uint16_t number);   // the numbers excepted from "8/"
bool isNotChangeableWhileRunning(uint16_t number);
bool isMotorDataSetParameter(uint16_t number);

// The inverter's forbidden menu levels of a parameter, as text: "1/7/2/8" for P0100,
// "2/5/8" for P0300, empty for P0053 and P0060.
QString forbiddenMenuLevels(uint16_t number);

// Rectifier supplies (SLM, AIC, BLM): the parameters changeable only at menu level 5 or
// only at menu level 8. Empty for any other device class.
bool isRectifierLevel5Parameter(model::DeviceClass deviceClass, uint16_t number);
bool isRectifierLevel8Parameter(model::DeviceClass deviceClass, uint16_t number);

// The parameters whose values are chosen by name in the special-value editor.
bool opensSpecialValueEditor(model::DeviceClass deviceClass, uint16_t number);

// The lists themselves, sorted, for tests and documentation.
std::span<const uint16_t> notChangeableWhileRunningNumbers();
std::span<const uint16_t> motorDataSetNumbers();

}  // namespace hesk::editing
