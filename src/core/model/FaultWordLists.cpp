#include "FaultWordLists.h"

#include <initializer_list>

namespace hesk::model {

namespace {

QStringList words(std::initializer_list<int> subIndices)
{
    QStringList list;
    for (int s : subIndices)
        list << QStringLiteral("r0943.%1").arg(s);
    return list;
}

}  // namespace

FaultWordLists faultWordLists(DeviceClass deviceClass)
{
    switch (deviceClass) {
    case DeviceClass::Inverter:
        return {words({0, 1, 2, 3, 4, 5, 6, 7, 8, 19, 20}), words({9, 10, 11, 12, 13, 14, 15})};
    case DeviceClass::FeedbackRectifier:
    case DeviceClass::BasicRectifier:
        return {words({0, 1}), words({7})};
    case DeviceClass::ActiveRectifier:
        return {words({0, 1, 2}), words({8, 9, 10, 11, 12, 13, 14, 15})};
    case DeviceClass::TestBench:
        return {words({0, 1, 2}), {}};
    case DeviceClass::None:
        break;
    }
    return {};
}

}  // namespace hesk::model
