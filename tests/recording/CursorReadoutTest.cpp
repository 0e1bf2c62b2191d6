// The cursor readout: time texts, the distance in its unit and the values read from a
// series at each cursor.
#include "recording/ChannelSeries.h"
#include "recording/CursorReadout.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace hesk::recording::test {
namespace {

TEST(CursorSpanText, unitChangesAtOneMillisecondAndOneSecond)
{
    const std::pair<double, const char*> cases[] = {
        {0.5, "(500.0 us)"},
        {-0.5, "(-500.0 us)"},
        {0.0, "(0.0 us)"},
        {0.999, "(999.0 us)"},
        {1.0, "(1.0 ms)"},
        {-1.0, "(-1.0 ms)"},
        {4.0, "(4.0 ms)"},
        {1000.0, "(1000.0 ms)"},
        {-1000.0, "(-1000.0 ms)"},
        {1000.5, "(1.0 s)"},
        {1500.0, "(1.5 s)"},
        {-2500.0, "(-2.5 s)"},
        {32768.0, "(32.8 s)"},
    };
    for (const auto& [ms, text] : cases)
        EXPECT_EQ(cursorSpanText(ms), QString::fromUtf8(text)) << ms;
}

TEST(CursorValueText, percentWithThreeDecimals)
{
    EXPECT_EQ(cursorValueText(100.0), QStringLiteral("100.000 %"));
    EXPECT_EQ(cursorValueText(-200.0), QStringLiteral("-200.000 %"));
    EXPECT_EQ(cursorValueText(0.0004), QStringLiteral("0.000 %"));
    EXPECT_EQ(cursorValueText(std::nullopt), QString());
}

TEST(SeriesValueAt, nearestSampleAtOrBeforeTheCursor)
{
    const SeriesPoints points{{-8.0, -4.0, 0.0, 4.0}, {1.0, 2.0, 3.0, 4.0}};
    const std::pair<double, std::optional<double>> cases[] = {
        {-8.0, 1.0},           // on the first sample
        {-8.001, std::nullopt},  // left of every sample
        {-4.1, 1.0},
        {-4.0, 2.0},
        {-0.0, 3.0},
        {3.999, 3.0},          // closer to the next one, still the one before
        {4.0, 4.0},
        {1e9, 4.0},            // right of every sample: the last
    };
    for (const auto& [x, value] : cases)
        EXPECT_EQ(seriesValueAt(points, x), value) << x;
    EXPECT_EQ(seriesValueAt(SeriesPoints{}, 0.0), std::nullopt);
    EXPECT_EQ(seriesValueAt(points, std::nan("")), std::nullopt);
}

TEST(CursorReadout, allTextsFromARecordedChannel)
{
    // TA 400 us, sampling period 10: samples 4 ms apart, trigger at sample 2.
    const WaveformChannel channel{QStringLiteral("CH1"), {0x0000, 0x1000, 0x4000, 0xC000, 0x8000}, 2};
    const SeriesPoints points = channelSeries(channel, sampleIntervalMs(400, 10));

    const CursorReadoutTexts texts = cursorReadout(-4.0, 5.5, &points);
    EXPECT_EQ(texts.x1, QStringLiteral("-4.000"));
    EXPECT_EQ(texts.x2, QStringLiteral("5.500"));
    EXPECT_EQ(texts.dx, QStringLiteral("9.500"));
    EXPECT_EQ(texts.dxUnit, QStringLiteral("(9.5 ms)"));
    EXPECT_EQ(texts.y1, QStringLiteral("25.000 %"));
    EXPECT_EQ(texts.y2, QStringLiteral("-100.000 %"));
    EXPECT_EQ(texts.dy, QStringLiteral("-125.000 %"));

    // Half a millisecond apart, the first cursor left of the recording.
    const CursorReadoutTexts close = cursorReadout(-8.5, -8.0, &points);
    EXPECT_EQ(close.dx, QStringLiteral("0.500"));
    EXPECT_EQ(close.dxUnit, QStringLiteral("(500.0 us)"));
    EXPECT_EQ(close.y1, QString());
    EXPECT_EQ(close.y2, QStringLiteral("0.000 %"));
    EXPECT_EQ(close.dy, QString());

    const CursorReadoutTexts noSeries = cursorReadout(1.0, 2.0, nullptr);
    EXPECT_EQ(noSeries.x2, QStringLiteral("2.000"));
    EXPECT_TRUE(noSeries.y1.isEmpty() && noSeries.y2.isEmpty() && noSeries.dy.isEmpty());
}

}  // namespace
}  // namespace hesk::recording::test
