#pragma once
// The connection's check of the CPU type that the drive reports against the CPU type of
// the open project. A failure stops the connection; its log line and its message box
// (caption "HESKMonitorCpuStyle", error icon) travel back as data.

#include "UserMessage.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace hesk::model {

enum class CpuCheckOutcome {
    Match,     // the reported code names the project's CPU type
    Mismatch,  // a known CPU type, but not the project's
    Unknown,   // the reported code is not in the CPU-type table
};

struct CpuTypeCheckResult {
    CpuCheckOutcome outcome = CpuCheckOutcome::Unknown;
    QString driveCpuName;             // empty when the code is unknown
    QString logText;                  // empty on a match
    std::optional<UserMessage> message;  // set on every failure

    bool passed() const { return outcome == CpuCheckOutcome::Match; }
};

inline constexpr const char16_t* kCpuCheckCaption = u"HESKMonitorCpuStyle";

// projectCpuName is the CPU name resolved from the project ("HESK6504", or "Unknown").
CpuTypeCheckResult checkDriveCpuType(uint16_t reportedCode, const QString& projectCpuName);

}  // namespace hesk::model
