#pragma once
// The drive's operating state r0001 as the control panel and the wizard show it.

#include <QString>

#include <cstdint>
#include <optional>

namespace hesk::operation {

// "运行", "故障", ...; "未知" for a value without a name.
QString driveStateText(int state);
// Above 9 the drive counts as running: control cannot be taken or released, a start
// check succeeds, the factory restore is refused.
constexpr bool driveRunning(int state) { return state > 9; }
// The identification states (leakage inductance, standstill measurement).
constexpr bool identifying(int state) { return state == 45 || (state >= 47 && state <= 49); }

}  // namespace hesk::operation
