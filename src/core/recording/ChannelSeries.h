#pragma once
// Recorded samples turned into chart points.
//
// Sample k of a channel lies at (k - trigger position) x the sample interval: the trigger
// sample at 0 ms, samples before it at negative times. An analog value is the word read as
// signed 16-bit divided by 163.84, in percent (16384 = 100 %, 0x8000 = -200 %); a channel in
// bit mode shows bit b of each word as 0 or 1.

#include "SeriesPoints.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace hesk::recording {

// One channel as a waveform display receives it.
struct WaveformChannel {
    QString label;                // the channel's caption
    std::vector<uint16_t> words;  // the samples in recording order
    int triggerPosition = 0;      // index of the trigger sample in words
};

// The sample interval in milliseconds: the base time TA (microseconds) times the
// sampling period multiple, / 1000 (TA 400 us x 10 = 4 ms).
double sampleIntervalMs(int baseTimeUs, int samplingPeriod);

// A word as percent: signed 16-bit / 163.84.
double analogPercent(uint16_t word);

// Bit b (0..15) of a word as 0 or 1.
double bitLevel(uint16_t word, int bit);

// The points of a channel: analog without bit, else the levels of that bit. A bit outside
// 0..15 is treated as no bit (analog), so a stored bad setting cannot draw garbage.
SeriesPoints channelSeries(const WaveformChannel& channel, double intervalMs, std::optional<int> bit = std::nullopt);

}  // namespace hesk::recording
