#pragma once
// One entry of the fault and alarm catalogue: which bit of which fault word it explains,
// and the texts shown for it in the fault list and the fault-waveform views.

#include <QString>

#include <cstdint>

namespace hesk::model {

struct FaultAlarm {
    QString word;         // key text of the fault word, "r0943.0" to "r0943.15"
    int32_t bit = 0;      // bit within the word, 0 to 15
    QString code;         // "F025", "A011", ...; empty in the test-bench table
    QString name;         // short name, "A相驱动故障"
    QString description;  // cause; a protection class in the test-bench table
    QString remedy;       // what to check, possibly several numbered steps

    bool operator==(const FaultAlarm&) const = default;
};

}  // namespace hesk::model
