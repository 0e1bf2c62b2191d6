#pragma once
// The device types and firmware versions for which sample projects are generated, with
// the identity of their drive programs.

#include "model/DeviceCatalogue.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace hesk::samples {

struct SampleProfile {
    QString key;            // "VRA1V11418": project name and folder
    QString shortCode;      // "VRA1", "SLM", "AIC", "BLM", "PTB"
    QString deviceType;     // the project's deviceType text
    QString version;        // "V1.14.18"
    QString cpuType;        // CPU type text of the drive program
    model::DeviceClass deviceClass = model::DeviceClass::None;
    uint16_t programId = 0;
    uint16_t secondHeaderWord = 0;
    std::array<int32_t, 6> timeBases{};  // word 0: base sampling time TA in microseconds
    uint64_t seed = 0;
};

// Every profile, in a fixed order.
const std::vector<SampleProfile>& sampleProfiles();

}  // namespace hesk::samples
