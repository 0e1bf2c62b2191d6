#include "SampleProfile.h"

namespace hesk::samples {

const std::vector<SampleProfile>& sampleProfiles()
{
    using model::DeviceClass;
    // Time bases: word 0 is TA in microseconds, the others multiples of it; word 2 x
    // word 0 is 1000, so a "T2" value counts milliseconds.
    static const std::vector<SampleProfile> profiles = {
        {QStringLiteral("VRA1V11418"), QStringLiteral("VRA1"), QStringLiteral("VRA1"), QStringLiteral("V1.14.18"),
         QStringLiteral("HESK6700"), DeviceClass::Inverter, 0x5A31, 2, {125, 1, 8, 16, 64, 128}, 0x11418},
        {QStringLiteral("VRA1V11517"), QStringLiteral("VRA1"), QStringLiteral("VRA1"), QStringLiteral("V1.15.17"),
         QStringLiteral("HESK6700"), DeviceClass::Inverter, 0x5B07, 2, {125, 1, 8, 16, 64, 128}, 0x11517},
        {QStringLiteral("SLMV20111"), QStringLiteral("SLM"), QStringLiteral("整流回馈电源"), QStringLiteral("V2.01.11"),
         QStringLiteral("HESK6701"), DeviceClass::FeedbackRectifier, 0x2111, 1, {100, 1, 10, 20, 50, 100}, 0x20111},
        {QStringLiteral("AICV20207"), QStringLiteral("AIC"), QStringLiteral("有源整流电源"), QStringLiteral("V2.02.07"),
         QStringLiteral("HESK6502"), DeviceClass::ActiveRectifier, 0x2207, 1, {100, 1, 10, 20, 50, 100}, 0x20207},
        {QStringLiteral("AICV21308"), QStringLiteral("AIC"), QStringLiteral("有源整流电源"), QStringLiteral("V2.13.08"),
         QStringLiteral("HESK6703"), DeviceClass::ActiveRectifier, 0x2308, 3, {100, 1, 10, 20, 50, 100}, 0x21308},
        {QStringLiteral("BLMV20001"), QStringLiteral("BLM"), QStringLiteral("基本型整流电源"), QStringLiteral("V2.00.01"),
         QStringLiteral("HESK6704"), DeviceClass::BasicRectifier, 0x2001, 1, {100, 1, 10, 20, 50, 100}, 0x20001},
        {QStringLiteral("PTBV10000"), QStringLiteral("PTB"), QStringLiteral("标准产品测试台"), QStringLiteral("V1.00.00"),
         QStringLiteral("HESK6505"), DeviceClass::TestBench, 0x1000, 1, {200, 1, 5, 10, 50, 100}, 0x10000},
    };
    return profiles;
}

}  // namespace hesk::samples
