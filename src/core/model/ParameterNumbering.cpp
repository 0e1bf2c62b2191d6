#include "ParameterNumbering.h"

namespace hesk::model {

namespace {

QString letterNumber(QChar letter, int value, int width)
{
    return letter + QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

bool inRange(int n, int first, int last)
{
    return n >= first && n <= last;
}

// Blocks of 16 numbers that start at first, first + 100, ... (count blocks).
bool inBlocksOf16(int n, int first, int count)
{
    for (int block = 0; block < count; ++block) {
        const int start = first + 100 * block;
        if (inRange(n, start, start + 15))
            return true;
    }
    return false;
}

bool isConnector(DeviceClass deviceClass, int n)
{
    switch (deviceClass) {
    case DeviceClass::Inverter:
        return inRange(n, 3001, 3099) || inRange(n, 7001, 7099) || inRange(n, 6001, 6099);
    case DeviceClass::FeedbackRectifier:
    case DeviceClass::BasicRectifier:
        return inRange(n, 3001, 3028);
    case DeviceClass::ActiveRectifier:
        return inRange(n, 3001, 3028) || inRange(n, 7001, 7016);
    default:
        return false;
    }
}

bool isBinector(DeviceClass deviceClass, int n)
{
    switch (deviceClass) {
    case DeviceClass::Inverter:
        return inBlocksOf16(n, 3100, 9) || inBlocksOf16(n, 6100, 9) || inBlocksOf16(n, 7100, 8)
            || inRange(n, 7900, 7915);
    case DeviceClass::FeedbackRectifier:
    case DeviceClass::BasicRectifier:
        return inRange(n, 3100, 3115);
    case DeviceClass::ActiveRectifier:
        return inRange(n, 3100, 3115) || inRange(n, 7100, 7131);
    default:
        return false;
    }
}

QString readOnlyNumber(DeviceClass deviceClass, int n)
{
    if (inRange(n, 8000, 8999))
        return letterNumber(QLatin1Char('K'), n - 8000, 4);
    if (isConnector(deviceClass, n))
        return letterNumber(QLatin1Char('K'), n, 4);
    if (inRange(n, 9000, 9999))
        return letterNumber(QLatin1Char('B'), n - 9000, 4);
    if (isBinector(deviceClass, n))
        return letterNumber(QLatin1Char('B'), n, 4);
    if (inRange(n, 2000, 2999))
        return letterNumber(QLatin1Char('n'), n - 2000, 3);
    return letterNumber(QLatin1Char('r'), n, 4);
}

}  // namespace

QString displayNumber(DeviceClass deviceClass, const HeskParameterElement& element,
                      bool withSubIndex)
{
    if (deviceClass == DeviceClass::None || deviceClass == DeviceClass::TestBench)
        return {};
    const int n = element.number;
    QString text;
    // Every nonzero settable flag names a P parameter, as the key text does, so a
    // definition never shows r in one place and P in another.
    if (element.isSettable())
        text = inRange(n, 2000, 2999) ? letterNumber(QLatin1Char('U'), n - 2000, 3)
                                      : letterNumber(QLatin1Char('P'), n, 4);
    else
        text = readOnlyNumber(deviceClass, n);
    if (withSubIndex && element.hasSubIndex())
        text += QLatin1Char('.') + QStringLiteral("%1").arg(element.subIndex, 3, 10, QLatin1Char('0'));
    return text;
}

QString displayNumber(const HeskProject& project, const HeskParameterElement& element,
                      bool withSubIndex)
{
    return displayNumber(resolveCpuType(project.header.cpuType).deviceClass, element, withSubIndex);
}

}  // namespace hesk::model
