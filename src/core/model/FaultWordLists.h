#pragma once
// The fault and alarm words a device type reports, split into the words whose set bits
// are faults and those whose set bits are alarms. The fault and alarm list reads them on
// every collection and decides its status from them (any bit in a fault word: fault; else
// any bit in an alarm word: alarm), whether or not the catalogue explains the bit.
//
//   inverter            faults r0943.0 .. .8, .19, .20   alarms r0943.9 .. .15
//   feedback, basic     faults r0943.0, .1               alarms r0943.7
//   active rectifier    faults r0943.0 .. .2             alarms r0943.8 .. .15
//   test bench          faults r0943.0 .. .2             no alarm word
//   no device class     none

#include "DeviceCatalogue.h"

#include <QStringList>

namespace hesk::model {

struct FaultWordLists {
    QStringList faults;  // key texts, by sub-index
    QStringList alarms;
    bool operator==(const FaultWordLists&) const = default;
    // Both lists, faults first.
    QStringList all() const { return faults + alarms; }
};

FaultWordLists faultWordLists(DeviceClass deviceClass);

}  // namespace hesk::model
