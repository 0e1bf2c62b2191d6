#pragma once
// What a new project adds to the intermediate file's definitions by device class, and
// which class each device type of the wizard requires.
//
// The fixed definitions are the read-only parameters r0071 to r0073 that formulas may
// refer to. They have no device slot (address 0xFFFF), element word 5 = 400, element
// word 10 = 1 and source text 11 "T1":
//   class 1: r0071 limits "0".."2000", r0072 and r0073 limits "0.0".."10000.0"
//   class 3: r0071 limits "90".."1320", r0072 limits "4.0".."6540.0"
//   classes 2, 4 and 5: none
// Their data type is I2 (a signed integer word); names, units and everything else come
// from the conversion workbook like those of any other definition.

#include "model/DeviceCatalogue.h"
#include "model/HeskProject.h"

#include <QString>

#include <vector>

namespace hesk::creation {

// The class an intermediate file must have for the device type chosen on the first
// page: "VRA1" 1, "整流回馈电源" 2, "有源整流电源" 3, "基本型整流电源" 4, "标准产品测试台" 5;
// None for any other text.
model::DeviceClass requiredDeviceClass(const QString& deviceType);

std::vector<model::HeskParameterElement> fixedDefinitions(model::DeviceClass deviceClass);

// Appends the fixed definitions of the class, except those the project already has
// (a read-only definition of that number without sub-index): a second r0072 would leave
// one of the two unreachable. A settable P0072 of the program is another parameter and
// keeps its r0072 beside it. Returns how many were added. Does not sort.
int addFixedDefinitions(model::HeskProject& project, model::DeviceClass deviceClass);

}  // namespace hesk::creation
