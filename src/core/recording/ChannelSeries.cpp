#include "ChannelSeries.h"

namespace hesk::recording {

double sampleIntervalMs(int baseTimeUs, int samplingPeriod)
{
    return static_cast<double>(baseTimeUs) * static_cast<double>(samplingPeriod) / 1000.0;
}

double analogPercent(uint16_t word)
{
    return static_cast<double>(static_cast<int16_t>(word)) / 163.84;
}

double bitLevel(uint16_t word, int bit)
{
    return ((word >> bit) & 1u) ? 1.0 : 0.0;
}

SeriesPoints channelSeries(const WaveformChannel& channel, double intervalMs, std::optional<int> bit)
{
    // -1: analog.
    const int bitNumber = bit && *bit >= 0 && *bit <= 15 ? *bit : -1;
    SeriesPoints points;
    const auto count = static_cast<qsizetype>(channel.words.size());
    points.x.resize(count);
    points.y.resize(count);
    double* xs = points.x.data();
    double* ys = points.y.data();
    for (qsizetype k = 0; k < count; ++k) {
        // Computed from the index each time, so a long recording gathers no rounding drift.
        xs[k] = static_cast<double>(k - channel.triggerPosition) * intervalMs;
        const uint16_t word = channel.words[static_cast<size_t>(k)];
        ys[k] = bitNumber >= 0 ? bitLevel(word, bitNumber) : analogPercent(word);
    }
    return points;
}

}  // namespace hesk::recording
