#pragma once
// The fixed catalogue of the drive family: device types and their short codes, CPU
// types with their codes and device classes, firmware versions offered per device type
// and the old-firmware lists.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace hesk::model {

enum class DeviceClass : int {
    None = 0,
    Inverter = 1,
    FeedbackRectifier = 2,  // rectifier with regenerative feedback (SLM)
    ActiveRectifier = 3,    // AIC
    BasicRectifier = 4,     // BLM
    TestBench = 5,          // PTB
};

struct CpuTypeInfo {
    uint16_t code = 0;                       // 0 for an unknown cpuType text
    QString name = QStringLiteral("Unknown");
    DeviceClass deviceClass = DeviceClass::None;
};

// Resolves the project's cpuType text ("HESK6504", "DSP2812", ...) through the table.
CpuTypeInfo resolveCpuType(const QString& cpuTypeText);

// Device class of a CPU name ("HESK6504" -> ActiveRectifier); None for unknown names.
DeviceClass deviceClassOfCpuName(const QString& cpuName);

// CPU name for a code reported by the drive; nothing for a code not in the table.
std::optional<QString> cpuNameForCode(uint16_t code);

// Short code ("VRA1", "SLM", "AIC", "BLM", "PTB") <-> deviceType text of the project.
// Unknown input gives an empty text.
QString deviceTypeForShortCode(const QString& shortCode);
QString shortCodeForDeviceType(const QString& deviceType);
// The style name used in parameter files: the short code, or "UNKNOW".
QString deviceStyleName(const QString& deviceType);
QStringList shortCodes();

// Firmware versions offered at project creation for a deviceType text, in list order.
QStringList firmwareVersions(const QString& deviceType);

// True when the version is not in the old-firmware list of feature family k (1, 2, 3);
// false for every other k.
bool isNewFirmware(int k, const QString& version);

// "V2.01.06", "V2.01.07" and "V2.02.07".
bool isOldActiveRectifierFirmware(const QString& version);

// Rectifier firmware version from the raw value of r0828: "V2.%.4d" of the decimal
// value (at most four digits) with a "." inserted at position 5 (1305 -> "V2.13.05").
// A value above 9999 is no version: the result is then empty, never a shifted text.
QString rectifierVersionText(uint16_t rawValue);

}  // namespace hesk::model
