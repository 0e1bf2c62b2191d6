#pragma once
// The texts the wizard shows for coded values instead of the number: the product type,
// the drive state (as the control panel), the reset state of P0970, the control mode
// P0100, the command source P0368, the tachometer connection P0130 and the
// identification request P0115.

#include "link/ValueTables.h"
#include "model/OpenedProject.h"

#include <QString>

#include <optional>

namespace hesk::operation {

// The rectifier supplies by their names, the inverter and the test bench by the
// project's CPU type name, anything else "未知".
QString productTypeText(model::DeviceClass deviceClass, const QString& cpuName);
// P0100: "v/f控制" ... "转矩控制"; "未知" otherwise.
QString controlModeText(int mode);
// P0368: 0 to 4 and 6 (Profibus) by name; "未知" otherwise.
QString commandSourceText(int source);
// P0130: 11 "带编码器"; nothing for other values (the number is shown).
std::optional<QString> encoderText(int connection);
// P0115: " -- " for no request, "1 [自动参数设置]" ... "5 [转动惯量测量]"; nothing for a value
// out of range.
std::optional<QString> identificationRequestText(int request);
// P0970: "正在复位..." while the drive restores (1), "复位完成" when it is back at 0.
QString restoreStateText(int state);

// The coded text of a parameter's raw word, when the wizard shows that parameter coded.
std::optional<QString> codedValueText(const model::HeskParameterElement& element, uint16_t raw);

// What a wizard row shows online: the coded text of `raw` (the word the drive last
// reported), else the value as the pages show it; empty while the drive has not reported
// the word.
QString quickSetupValueText(model::OpenedProject& project, const link::OnlineValueTables& tables,
                            const model::HeskParameterElement& element, std::optional<uint16_t> raw);

}  // namespace hesk::operation
