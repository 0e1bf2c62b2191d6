#pragma once
// The trigger recorder's settings: the record the settings dialog edits and the settings
// file stores (field order is the file's order), the checks of the dialog's OK, and the
// arithmetic and frames that turn the record into requests for the drive:
//   F2 31 p aH aL 00 00   channel at position p (1..N) samples the connector address a
//   F2 32 s nH nL 00 00   sampling period s x TA, n pre-trigger samples per channel
//   F2 33 aH aL op vH vL  the trigger condition
//   F2 34 ..              start, F2 38 stop
//
// Contract: plain values and pure functions; any thread.

#include "link/FrameCodec.h"
#include "model/UserMessage.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace hesk::model {
class OpenedProject;
struct HeskProject;
}

namespace hesk::recording {

// One channel's setting (the record's own name).
struct TRSETCHANEL {
    int32_t address = 0;  // the connector's parameter address as sent; 0: channel not active
    QString name;         // the connector as chosen, "K0002"
    uint16_t slot = 0;    // the connector parameter's value slot
    QString text;         // its display text
    int32_t value1 = 0;   // carried and stored unchanged
    int32_t value2 = 0;
    bool operator==(const TRSETCHANEL&) const = default;
};

inline constexpr int kRecorderChannels = 4;
inline constexpr int kRecorderSamples = 8192;

// Start modes of the record's text.
inline QString singleTriggerText() { return QStringLiteral("单次触发"); }
inline QString continuousTriggerText() { return QStringLiteral("连续触发"); }

// The comparison of condition 1, in the order of its radio buttons.
enum class TriggerOperator : int32_t { Less = 0, Greater = 1, Equal = 2, NotEqual = 3 };

struct TriggerSettings {
    QString headText;
    std::vector<TRSETCHANEL> channels = std::vector<TRSETCHANEL>(kRecorderChannels);
    int32_t samplingPeriod = 1;  // x TA, 1..99
    int32_t preTrigger = 0;      // percent, 0..100
    int32_t condition1On = 0;
    QString condition1Parameter;
    uint16_t condition1Address = 0;
    int32_t bitMode = 0;
    int32_t bitNumber = 0;
    int32_t conditionOperator = 0;  // TriggerOperator
    QString value;                  // percent, or 0/1 in bit mode
    int32_t condition2On = 0;
    QString condition2Parameter;
    uint16_t condition2Address = 0;
    int32_t condition2Value = 0;
    QString condition2ValueText;
    int32_t faultTriggerOn = 0;
    QString startMode = singleTriggerText();
    int32_t deviceCode = 0;  // 1 VRA1, 2 SLM, 3 AIC, 4 BLM
    QString savePath;
    QString lastText;
    bool operator==(const TriggerSettings&) const = default;

    bool continuous() const { return startMode != singleTriggerText(); }
    // Indices (0..3) of the channels whose address is not 0, in channel order.
    std::vector<int> activeChannels() const;
};

// The record's device code of a project (1 VRA1, 2 SLM, 3 AIC, 4 BLM); 0 for a device
// without one (the test bench).
int32_t recorderDeviceCode(const model::OpenedProject& project);
// "VRA1", "SLM", "AIC", "BLM"; empty for code 0.
QString deviceCodeName(int32_t deviceCode);

// The channel setting of a connector ("K0002" or a key text): its address, slot and
// text from the project; nothing when the project has no such parameter.
std::optional<TRSETCHANEL> channelFor(const model::OpenedProject& project, const QString& connector);

// Without a settings file: channels 1 to 4 on K0000..K0003 (parameters 8000 to 8003,
// each only where the project has it), single trigger, the project's device code.
TriggerSettings defaultTriggerSettings(const model::OpenedProject& project);

// What the settings dialog holds when OK is pressed (texts as typed, choices made).
struct TriggerSettingsForm {
    std::array<bool, kRecorderChannels> channelTicked{};
    QString samplingPeriod;
    QString preTrigger;
    bool condition1 = false;
    bool condition2 = false;
    bool faultTrigger = false;
    QString condition1Parameter;
    bool bitMode = false;
    QString bitNumber;
    std::optional<TriggerOperator> conditionOperator;
    QString value;
    QString condition2Parameter;
    std::optional<int> condition2Value;  // 0 for "=0", 1 for "=1"
};

// The first check of the dialog's OK that fails (a warning that keeps the dialog open),
// in the dialog's order; nothing when the form may be taken. Beyond the dialog's own
// checks a value the drive cannot be sent is refused too: a period or pre-trigger that
// is not a number, a bit number outside 0..15, a bit value other than 0 or 1, a percent
// value outside -200..199.996.
std::optional<model::UserMessage> validateTriggerSettings(const TriggerSettingsForm& form);

// Condition 2's address: the four characters after the first of the parameter text as a
// number (below 1000: + 9000), the address of the project's parameter with that number
// (any letter); `current` when the project has none.
uint16_t condition2Address(const QString& parameterText, const model::HeskProject& project, uint16_t current);

// n = trunc(pre-trigger x 81.92 / N), the pre-trigger samples per channel.
uint16_t preTriggerSamples(int preTriggerPercent, int activeChannels);

// The condition word of a percent value: value x 163.84 rounded half away from zero
// (100 % = 16384, -200 % = 0x8000, 199.996 % = 0x7FFF); nothing outside -200..199.996.
std::optional<uint16_t> conditionWord(double percent);

// The frames of a start, in order; a refusal when the record cannot be sent.
struct StartFrames {
    std::vector<link::CommandFrame> channels;  // F2 31, positions 1..N
    link::CommandFrame data{};                 // F2 32
    std::optional<link::CommandFrame> condition;  // F2 33, triggered start only
    link::CommandFrame start{};                // F2 34
};
std::variant<StartFrames, model::UserMessage> immediateStartFrames(const TriggerSettings& settings);
std::variant<StartFrames, model::UserMessage> triggeredStartFrames(const TriggerSettings& settings,
                                                                   const model::HeskProject& project);
// The F2 33 frame alone (condition 1, condition 2 or the fault trigger on parameter 9106).
std::variant<link::CommandFrame, model::UserMessage> conditionFrame(const TriggerSettings& settings,
                                                                    const model::HeskProject& project);

// The condition text of the record information ("K0021 > 50", "r0550[3] = 1",
// "Fault Trigger"); "Start Immediately" for an immediate start.
QString conditionText(const TriggerSettings& settings, bool immediate);

}  // namespace hesk::recording
