#pragma once
// One trigger recording as the display, the data file and the record information see
// it: four channels (number, label, 16-bit sample words, trigger position) and the record
// information (time, condition, sampling, base time TA, reference values, channel labels).
//
// Sample k of a channel lies at (k - trigger position) x dt ms, dt = TA x period / 1000;
// an analog sample is the signed word / 163.84 in percent (16384 = 100 %), a bit sample
// bit b of the word.
//
// Contract: a plain value; any thread.

#include "TriggerSettings.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <cstdint>
#include <utility>
#include <vector>

namespace hesk::model {
class OpenedProject;
struct HeskParameterElement;
}

namespace hesk::recording {

struct RecordedChannel {
    int number = 0;      // 1..4
    QString label;       // the connector's text, or "通道%d无数据信号"
    std::vector<uint16_t> words;
    int triggerPosition = 0;
    bool hasData() const { return !words.empty(); }
    bool operator==(const RecordedChannel&) const = default;
};

// One reference value line of the record information ("P0350", "100.000", "16384").
struct ReferenceValue {
    QString name;    // parameter number text or "UDCn"
    QString value;   // converted with the parameter's conversion, cut to three decimals
    QString second;  // VRA1 only: the raw word the drive reported; empty otherwise
    bool operator==(const ReferenceValue&) const = default;
};

struct RecordInformation {
    QString time;       // "%Y-%m-%d  %H:%M:%S"
    QString condition;  // "K0021 > 50", "Fault Trigger", "Start Immediately"
    QString sampling;   // the period multiple, "%d"
    int baseTime = 0;   // TA in microseconds
    std::vector<ReferenceValue> references;
    bool operator==(const RecordInformation&) const = default;
};

struct TriggerRecording {
    QString deviceStyle;    // "VRA1", "SLM", "AIC", "BLM" or "UNKNOW"
    QString deviceVersion;
    std::array<RecordedChannel, kRecorderChannels> channels;
    RecordInformation information;
    bool operator==(const TriggerRecording&) const = default;

    static QString noSignalLabel(int number);
    // The sample interval in ms (TA x period / 1000).
    double sampleIntervalMs() const;
    double sampleTimeMs(const RecordedChannel& channel, size_t k) const;
    static double analogValue(uint16_t word) { return static_cast<int16_t>(word) / 163.84; }
    static int bitValue(uint16_t word, int bit) { return (word >> (bit & 15)) & 1; }
    // The earliest and the latest sample time of the channels with data (ms).
    std::pair<double, double> timeSpanMs() const;
    // The largest sample count of the channels.
    size_t rowCount() const;
    // The pre-trigger share shown: trigger position x 100 / sample count of the first
    // channel with data.
    int preTriggerPercent() const;

    // The rows of the "记录信息" view, caption and text, in order.
    std::vector<std::pair<QString, QString>> informationRows() const;
};

// The reference values of the project's device type, from the drive's last reported
// words converted as the pages convert them: VRA1 P0350..P0354 (with the raw word as the
// second value), AIC r0071, r0072 and UDCn, SLM and BLM r0350, r0351 and UDCn. `raw`
// gives the word the drive reported for a definition (nothing when it did not).
using RawLookup = std::function<std::optional<uint16_t>(const model::HeskParameterElement&)>;
std::vector<ReferenceValue> referenceValues(const model::OpenedProject& project, const RawLookup& raw);
// The definitions whose values referenceValues() takes (so a recorder can read them).
std::vector<const model::HeskParameterElement*> referenceDefinitions(const model::OpenedProject& project);

// A number text cut (not rounded) to three decimals: "3.14159" -> "3.141".
QString cutToThreeDecimals(double value);

}  // namespace hesk::recording
