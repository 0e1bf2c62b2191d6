// The digital axis' bands: one tenth of the axis each, stacked around the centre in the
// order of addition, released on removal.
#include "recording/DigitalBands.h"

#include <gtest/gtest.h>

namespace hesk::recording::test {
namespace {

TEST(DigitalBands, bandsStackFromTheTopAroundTheCentreInOrderOfAddition)
{
    DigitalBands bands(0.0, 10.0);
    EXPECT_EQ(bands.add(7), 0);
    EXPECT_EQ(bands.add(3), 1);
    EXPECT_EQ(bands.add(5), 2);
    EXPECT_EQ(bands.add(3), 1);  // a trace keeps its band
    EXPECT_EQ(bands.count(), 3);

    struct Expected {
        int trace;
        double bottom, top, low, high;
    };
    // Three bands of height 1 centred on 5: 6.5..5.5, 5.5..4.5, 4.5..3.5.
    const Expected expected[] = {
        {7, 5.5, 6.5, 5.75, 6.25},
        {3, 4.5, 5.5, 4.75, 5.25},
        {5, 3.5, 4.5, 3.75, 4.25},
    };
    for (const Expected& e : expected) {
        const auto band = bands.band(e.trace);
        ASSERT_TRUE(band) << e.trace;
        EXPECT_DOUBLE_EQ(band->bottom, e.bottom) << e.trace;
        EXPECT_DOUBLE_EQ(band->top, e.top) << e.trace;
        EXPECT_EQ(bands.level(e.trace, 0.0), e.low) << e.trace;
        EXPECT_EQ(bands.level(e.trace, 1.0), e.high) << e.trace;
    }
    EXPECT_FALSE(bands.band(4));
    EXPECT_FALSE(bands.level(4, 1.0));
}

TEST(DigitalBands, heightIsATenthOfTheAxisWhereverItLies)
{
    DigitalBands bands(-50.0, 150.0);
    bands.add(1);
    const auto band = bands.band(1);
    ASSERT_TRUE(band);
    EXPECT_DOUBLE_EQ(bands.bandHeight(), 20.0);
    EXPECT_DOUBLE_EQ(band->bottom, 40.0);
    EXPECT_DOUBLE_EQ(band->top, 60.0);
    EXPECT_DOUBLE_EQ(band->centre(), 50.0);
}

TEST(DigitalBands, removingReleasesTheBandAndTheRestCloseUp)
{
    DigitalBands bands(0.0, 10.0);
    for (int trace : {1, 2, 3})
        bands.add(trace);
    EXPECT_TRUE(bands.remove(2));
    EXPECT_FALSE(bands.remove(2));
    EXPECT_EQ(bands.count(), 2);
    EXPECT_EQ(bands.traces(), (std::vector<int>{1, 3}));
    EXPECT_DOUBLE_EQ(bands.band(1)->top, 6.0);
    EXPECT_DOUBLE_EQ(bands.band(3)->top, 5.0);
    // A trace added again goes to the bottom of the stack.
    EXPECT_EQ(bands.add(2), 2);
    bands.clear();
    EXPECT_EQ(bands.count(), 0);
}

}  // namespace
}  // namespace hesk::recording::test
