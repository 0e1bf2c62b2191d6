#include "DeviceCatalogue.h"

#include <array>

namespace hesk::model {

namespace {

struct CpuTypeRow {
    const char* cpuTypeText;  // as the project's cpuType field holds it
    uint16_t code;
    const char* name;
    DeviceClass deviceClass;
};

// The CPU types of the drive family. Codes are unique, so the same table serves the
// reverse lookup of the code that a drive reports.
constexpr std::array<CpuTypeRow, 30> kCpuTypes{{
    {"DSP2812", 0x0001, "HESK1", DeviceClass::None},
    {"DSP2812_INVERTER", 0x0002, "HESK2", DeviceClass::None},
    {"DSP28346", 0x0003, "HESK3", DeviceClass::None},
    {"DSP28346_INVERTER", 0x0004, "HESK4", DeviceClass::None},
    {"HESK5", 0x0005, "HESK5", DeviceClass::None},
    {"HESK6", 0x0006, "HESK6", DeviceClass::None},
    {"HESK51", 0x0051, "HESK51", DeviceClass::None},
    {"HESK52", 0x0052, "HESK52", DeviceClass::None},
    {"HESK7", 0x0007, "HESK7", DeviceClass::None},
    {"HESK71", 0x0071, "HESK71", DeviceClass::Inverter},
    {"HESK13", 0x000D, "HESK13", DeviceClass::Inverter},
    {"HESKD1", 0x00D1, "HESKD1", DeviceClass::FeedbackRectifier},
    {"HESKD2", 0x00D2, "HESKD2", DeviceClass::ActiveRectifier},
    {"HESK15", 0x000F, "HESK15", DeviceClass::Inverter},
    {"HESKD4", 0x00D4, "HESKD4", DeviceClass::Inverter},
    {"HESKF3", 0x00F3, "HESKF3", DeviceClass::Inverter},
    {"HESK6500", 0x6500, "HESK6500", DeviceClass::Inverter},
    {"HESK6501", 0x6501, "HESK6501", DeviceClass::FeedbackRectifier},
    {"HESK6502", 0x6502, "HESK6502", DeviceClass::ActiveRectifier},
    {"HESK6503", 0x6503, "HESK6503", DeviceClass::ActiveRectifier},
    {"HESK6700", 0x6700, "HESK6700", DeviceClass::Inverter},
    {"HESK6800", 0x6800, "HESK6800", DeviceClass::Inverter},
    {"HESKD5", 0x00D5, "HESKD5", DeviceClass::ActiveRectifier},
    {"HESK6701", 0x6701, "HESK6701", DeviceClass::FeedbackRectifier},
    {"HESK6703", 0x6703, "HESK6703", DeviceClass::ActiveRectifier},
    {"HESK6D00", 0x6D00, "HESK6D00", DeviceClass::Inverter},
    {"HESK6504", 0x6504, "HESK6504", DeviceClass::ActiveRectifier},
    {"HESK6F00", 0x6F00, "HESK6F00", DeviceClass::Inverter},
    {"HESK6704", 0x6704, "HESK6704", DeviceClass::BasicRectifier},
    {"HESK6505", 0x6505, "HESK6505", DeviceClass::TestBench},
}};

struct DeviceTypeRow {
    const char* shortCode;
    const char* deviceType;  // UTF-8
};

constexpr std::array<DeviceTypeRow, 5> kDeviceTypes{{
    {"VRA1", "VRA1"},
    {"SLM", "整流回馈电源"},
    {"AIC", "有源整流电源"},
    {"BLM", "基本型整流电源"},
    {"PTB", "标准产品测试台"},
}};

// "V<major>.<minor>.<first>" to "V<major>.<minor>.<last>", every step, two digits each.
void appendVersionRange(QStringList& list, int major, int minor, int first, int last)
{
    for (int step = first; step <= last; ++step)
        list << QStringLiteral("V%1.%2.%3")
                    .arg(major)
                    .arg(minor, 2, 10, QLatin1Char('0'))
                    .arg(step, 2, 10, QLatin1Char('0'));
}

QStringList inverterVersions()
{
    QStringList list{
        QStringLiteral("V1.01.01"), QStringLiteral("V1.01.02"), QStringLiteral("V1.01.03"),
        QStringLiteral("V1.02.00"), QStringLiteral("V1.03.01"), QStringLiteral("V1.04.00"),
        QStringLiteral("V1.04.01"), QStringLiteral("V1.04.02"), QStringLiteral("V1.04.03"),
        QStringLiteral("V1.04.04"), QStringLiteral("V1.05.00"), QStringLiteral("V1.05.04"),
        QStringLiteral("V1.06.00"), QStringLiteral("V1.06.01"), QStringLiteral("V1.06.02"),
        QStringLiteral("V1.06.03"), QStringLiteral("V1.07.00"), QStringLiteral("V1.08.00"),
        QStringLiteral("V1.08.02"), QStringLiteral("V1.08.05"), QStringLiteral("V1.08.06"),
        QStringLiteral("V1.08.07"), QStringLiteral("V1.08.08"), QStringLiteral("V1.09.02"),
        QStringLiteral("V1.09.04"), QStringLiteral("V1.09.05"), QStringLiteral("V1.09.06"),
        QStringLiteral("V1.09.07"), QStringLiteral("V1.09.08"), QStringLiteral("V1.09.13"),
    };
    appendVersionRange(list, 1, 10, 5, 15);
    appendVersionRange(list, 1, 11, 4, 20);
    list << QStringLiteral("V1.12.13") << QStringLiteral("V1.12.14") << QStringLiteral("V1.12.15")
         << QStringLiteral("V1.12.16") << QStringLiteral("V1.13.15") << QStringLiteral("V1.13.16")
         << QStringLiteral("V1.13.17") << QStringLiteral("V1.14.17") << QStringLiteral("V1.14.18")
         << QStringLiteral("V1.15.17") << QStringLiteral("V1.15.18");
    return list;
}

QStringList feedbackRectifierVersions()
{
    return {QStringLiteral("V2.00.04"), QStringLiteral("V2.00.05"), QStringLiteral("V2.00.06"),
            QStringLiteral("V2.00.07"), QStringLiteral("V2.00.08"), QStringLiteral("V2.01.06"),
            QStringLiteral("V2.01.07"), QStringLiteral("V2.01.08"), QStringLiteral("V2.01.10"),
            QStringLiteral("V2.01.11")};
}

QStringList activeRectifierVersions()
{
    return {QStringLiteral("V2.01.06"), QStringLiteral("V2.01.07"), QStringLiteral("V2.02.07"),
            QStringLiteral("V2.11.03"), QStringLiteral("V2.11.04"), QStringLiteral("V2.11.05"),
            QStringLiteral("V2.13.03"), QStringLiteral("V2.13.04"), QStringLiteral("V2.13.05"),
            QStringLiteral("V2.13.06"), QStringLiteral("V2.13.07"), QStringLiteral("V2.13.08"),
            QStringLiteral("V2.14.04")};
}

// Old firmware of feature family 1: the first releases of the inverter.
const QStringList& oldFirmwareFamily1()
{
    static const QStringList list{
        QStringLiteral("V1.01.01"), QStringLiteral("V1.01.02"), QStringLiteral("V1.01.03"),
        QStringLiteral("V1.02.00"), QStringLiteral("V1.03.01"), QStringLiteral("V1.04.00"),
        QStringLiteral("V1.04.01"), QStringLiteral("V1.04.02"), QStringLiteral("V1.04.03"),
        QStringLiteral("V1.04.04"), QStringLiteral("V1.05.00"), QStringLiteral("V1.05.04"),
    };
    return list;
}

// Old firmware of feature families 2 and 3: family 1 and seven later releases.
const QStringList& oldFirmwareFamilies2And3()
{
    static const QStringList list = oldFirmwareFamily1()
        + QStringList{QStringLiteral("V1.06.00"), QStringLiteral("V1.06.01"),
                      QStringLiteral("V1.06.02"), QStringLiteral("V1.07.00"),
                      QStringLiteral("V1.08.00"), QStringLiteral("V1.08.02"),
                      QStringLiteral("V1.09.02")};
    return list;
}

}  // namespace

CpuTypeInfo resolveCpuType(const QString& cpuTypeText)
{
    for (const CpuTypeRow& row : kCpuTypes)
        if (cpuTypeText == QLatin1String(row.cpuTypeText))
            return {row.code, QString::fromLatin1(row.name), row.deviceClass};
    return {};
}

DeviceClass deviceClassOfCpuName(const QString& cpuName)
{
    for (const CpuTypeRow& row : kCpuTypes)
        if (cpuName == QLatin1String(row.name))
            return row.deviceClass;
    return DeviceClass::None;
}

std::optional<QString> cpuNameForCode(uint16_t code)
{
    for (const CpuTypeRow& row : kCpuTypes)
        if (row.code == code)
            return QString::fromLatin1(row.name);
    return std::nullopt;
}

QString deviceTypeForShortCode(const QString& shortCode)
{
    for (const DeviceTypeRow& row : kDeviceTypes)
        if (shortCode == QLatin1String(row.shortCode))
            return QString::fromUtf8(row.deviceType);
    return {};
}

QString shortCodeForDeviceType(const QString& deviceType)
{
    for (const DeviceTypeRow& row : kDeviceTypes)
        if (deviceType == QString::fromUtf8(row.deviceType))
            return QString::fromLatin1(row.shortCode);
    return {};
}

QString deviceStyleName(const QString& deviceType)
{
    const QString code = shortCodeForDeviceType(deviceType);
    return code.isEmpty() ? QStringLiteral("UNKNOW") : code;
}

QStringList shortCodes()
{
    QStringList codes;
    for (const DeviceTypeRow& row : kDeviceTypes)
        codes << QString::fromLatin1(row.shortCode);
    return codes;
}

QStringList firmwareVersions(const QString& deviceType)
{
    const QString code = shortCodeForDeviceType(deviceType);
    if (code == QLatin1String("VRA1"))
        return inverterVersions();
    if (code == QLatin1String("SLM"))
        return feedbackRectifierVersions();
    if (code == QLatin1String("AIC"))
        return activeRectifierVersions();
    if (code == QLatin1String("BLM"))
        return {QStringLiteral("V2.00.01")};
    if (code == QLatin1String("PTB"))
        return {QStringLiteral("V1.00.00")};
    return {};
}

bool isNewFirmware(int k, const QString& version)
{
    switch (k) {
    case 1: return !oldFirmwareFamily1().contains(version);
    case 2:
    case 3: return !oldFirmwareFamilies2And3().contains(version);
    default: return false;
    }
}

bool isOldActiveRectifierFirmware(const QString& version)
{
    return version == QLatin1String("V2.01.06") || version == QLatin1String("V2.01.07")
        || version == QLatin1String("V2.02.07");
}

QString rectifierVersionText(uint16_t rawValue)
{
    // A value of five digits would shift the dots and name a version that does not
    // exist ("V2.12.345"); such a value is no version at all.
    if (rawValue > 9999)
        return {};
    QString text = QStringLiteral("V2.%1").arg(rawValue, 4, 10, QLatin1Char('0'));
    text.insert(5, QLatin1Char('.'));
    return text;
}

}  // namespace hesk::model
