#include "FixedDefinitions.h"

#include <algorithm>

using namespace hesk::model;

namespace hesk::creation {

namespace {

constexpr uint16_t kNoAddress = 0xFFFF;
constexpr uint16_t kFixedWord5 = 400;
constexpr uint16_t kTypeI2 = 3;

HeskParameterElement fixedDefinition(uint16_t number, const char* rawMax, const char* rawMin)
{
    HeskParameterElement element;
    element.number = number;
    element.subIndex = kNoSubIndex;
    element.typeCode = kTypeI2;
    element.address = kNoAddress;
    element.word5 = kFixedWord5;
    element.settable = 0;
    element.word10 = 1;
    element.rawMaxText = QString::fromLatin1(rawMax);
    element.rawMinText = QString::fromLatin1(rawMin);
    element.sourceTexts7to11[4] = QStringLiteral("T1");
    return element;
}

}  // namespace

DeviceClass requiredDeviceClass(const QString& deviceType)
{
    const QString code = shortCodeForDeviceType(deviceType);
    if (code == QLatin1String("VRA1"))
        return DeviceClass::Inverter;
    if (code == QLatin1String("SLM"))
        return DeviceClass::FeedbackRectifier;
    if (code == QLatin1String("AIC"))
        return DeviceClass::ActiveRectifier;
    if (code == QLatin1String("BLM"))
        return DeviceClass::BasicRectifier;
    if (code == QLatin1String("PTB"))
        return DeviceClass::TestBench;
    return DeviceClass::None;
}

std::vector<HeskParameterElement> fixedDefinitions(DeviceClass deviceClass)
{
    switch (deviceClass) {
    case DeviceClass::Inverter:
        return {fixedDefinition(71, "2000", "0"), fixedDefinition(72, "10000.0", "0.0"),
                fixedDefinition(73, "10000.0", "0.0")};
    case DeviceClass::ActiveRectifier:
        return {fixedDefinition(71, "1320", "90"), fixedDefinition(72, "6540.0", "4.0")};
    case DeviceClass::None:
    case DeviceClass::FeedbackRectifier:
    case DeviceClass::BasicRectifier:
    case DeviceClass::TestBench:
        break;
    }
    return {};
}

int addFixedDefinitions(HeskProject& project, DeviceClass deviceClass)
{
    int added = 0;
    for (HeskParameterElement& element : fixedDefinitions(deviceClass)) {
        const bool present = std::any_of(project.elements.begin(), project.elements.end(),
                                         [&](const HeskParameterElement& e) {
                                             return e.number == element.number && e.subIndex == kNoSubIndex
                                                 && !e.isSettable();
                                         });
        if (present)
            continue;
        project.elements.push_back(std::move(element));
        ++added;
    }
    return added;
}

}  // namespace hesk::creation
