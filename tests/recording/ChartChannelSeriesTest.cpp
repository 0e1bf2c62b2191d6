// Recorded words turned into chart points: times around the trigger, percent values and
// bit levels.
#include "recording/ChannelSeries.h"

#include <gtest/gtest.h>

namespace hesk::recording::test {
namespace {

TEST(ChannelSeriesValues, signedWordOverSixteenThousandThreeHundredEightyFourIsPercent)
{
    const std::pair<uint16_t, double> cases[] = {
        {0x0000, 0.0}, {0x4000, 100.0}, {0x8000, -200.0}, {0x7FFF, 32767 / 163.84},
        {0xC000, -100.0}, {0xFFFF, -1 / 163.84}, {0x2000, 50.0},
    };
    for (const auto& [word, percent] : cases)
        EXPECT_DOUBLE_EQ(analogPercent(word), percent) << word;
}

TEST(ChannelSeriesTimes, triggerSampleAtZeroAndPreTriggerNegative)
{
    EXPECT_DOUBLE_EQ(sampleIntervalMs(400, 10), 4.0);
    EXPECT_DOUBLE_EQ(sampleIntervalMs(125, 1), 0.125);

    const WaveformChannel channel{QStringLiteral("CH1"), {0x4000, 0x8000, 0x0000, 0x2000}, 1};
    const SeriesPoints points = channelSeries(channel, 4.0);
    EXPECT_EQ(points.x, (QList<double>{-4.0, 0.0, 4.0, 8.0}));
    EXPECT_EQ(points.y, (QList<double>{100.0, -200.0, 0.0, 50.0}));
}

TEST(ChannelSeriesTimes, longRecordingEndsExactlyWhereItsIndexSays)
{
    // 8192 samples 0.125 ms apart, trigger at 2048: adding the interval up would drift.
    WaveformChannel channel{QStringLiteral("CH1"), std::vector<uint16_t>(8192, 0), 2048};
    const SeriesPoints points = channelSeries(channel, sampleIntervalMs(125, 1) * 3.3);
    ASSERT_EQ(points.size(), 8192);
    EXPECT_DOUBLE_EQ(points.x.front(), -2048 * 0.4125);
    EXPECT_DOUBLE_EQ(points.x[2048], 0.0);
    EXPECT_DOUBLE_EQ(points.x.back(), 6143 * 0.4125);
}

TEST(ChannelSeriesBits, bitModeGivesZeroOrOneOfThatBit)
{
    const WaveformChannel channel{QStringLiteral("CH2"), {0x0000, 0x8000, 0x0008, 0xFFF7}, 0};
    const std::pair<int, QList<double>> cases[] = {
        {15, {0, 1, 0, 1}},
        {3, {0, 0, 1, 0}},
        {0, {0, 0, 0, 1}},
    };
    for (const auto& [bit, levels] : cases)
        EXPECT_EQ(channelSeries(channel, 1.0, bit).y, levels) << bit;
    // A bit outside the word is no bit: the analog values.
    EXPECT_EQ(channelSeries(channel, 1.0, 16).y, channelSeries(channel, 1.0).y);
    EXPECT_EQ(channelSeries(channel, 1.0, -1).y, channelSeries(channel, 1.0).y);
}

TEST(ChannelSeriesTimes, emptyChannelAndTriggerOutsideTheSamples)
{
    EXPECT_TRUE(channelSeries(WaveformChannel{}, 4.0).empty());
    const WaveformChannel late{QStringLiteral("CH3"), {1, 2}, 10};
    EXPECT_EQ(channelSeries(late, 2.0).x, (QList<double>{-20.0, -18.0}));
}

}  // namespace
}  // namespace hesk::recording::test
