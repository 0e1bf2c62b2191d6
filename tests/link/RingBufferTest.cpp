#include "link/RingBuffer.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace hesk::link {
namespace {

std::vector<uint8_t> contents(const RingBuffer& ring)
{
    std::vector<uint8_t> out(static_cast<size_t>(ring.count()));
    ring.copyOut(out);
    return out;
}

TEST(RingBuffer, putAdvancesWriteIndexAndCount)
{
    RingBuffer ring(4);
    EXPECT_TRUE(ring.put(0x11));
    EXPECT_TRUE(ring.put(0x22));
    EXPECT_EQ(ring.count(), 2);
    EXPECT_EQ(ring.writeIndex(), 2);
    EXPECT_EQ(ring.readIndex(), 0);
    EXPECT_FALSE(ring.full());
    EXPECT_EQ(contents(ring), (std::vector<uint8_t>{0x11, 0x22}));
}

TEST(RingBuffer, fullRingSetsFlagAndDropsFurtherBytes)
{
    RingBuffer ring(3);
    const std::vector<uint8_t> bytes{1, 2, 3, 4, 5};
    EXPECT_EQ(ring.put(bytes), 3);
    EXPECT_TRUE(ring.full());
    EXPECT_EQ(ring.writeIndex(), ring.readIndex());
    EXPECT_FALSE(ring.put(9));
    EXPECT_EQ(contents(ring), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(RingBuffer, takeClearsFullFlagAndWrapsReadIndex)
{
    RingBuffer ring(4);
    ring.put(std::vector<uint8_t>{1, 2, 3, 4});
    EXPECT_EQ(ring.take(3), 3);
    EXPECT_FALSE(ring.full());
    EXPECT_EQ(ring.readIndex(), 3);
    ring.put(std::vector<uint8_t>{5, 6, 7});  // write index wraps to 3 = read index
    EXPECT_TRUE(ring.full());
    EXPECT_EQ(contents(ring), (std::vector<uint8_t>{4, 5, 6, 7}));
    EXPECT_EQ(ring.take(2), 2);
    EXPECT_EQ(ring.readIndex(), 1);
    EXPECT_EQ(contents(ring), (std::vector<uint8_t>{6, 7}));
}

TEST(RingBuffer, takeNeverTakesMoreThanHeld)
{
    RingBuffer ring(8);
    ring.put(std::vector<uint8_t>{1, 2, 3});
    EXPECT_EQ(ring.take(10), 3);
    EXPECT_EQ(ring.count(), 0);
    EXPECT_EQ(ring.readIndex(), 3);
    EXPECT_EQ(ring.take(-1), 0);
}

// Taking nothing from a full ring must not clear the full state: the next put would
// overwrite the oldest byte that nobody has read yet.
TEST(RingBuffer, takingNothingKeepsFullRingFromOverwriting)
{
    RingBuffer ring(3);
    ring.put(std::vector<uint8_t>{1, 2, 3});
    EXPECT_EQ(ring.take(0), 0);
    EXPECT_TRUE(ring.full());
    EXPECT_FALSE(ring.put(4));
    EXPECT_EQ(contents(ring), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(RingBuffer, copyOutWrapsAndHonoursOffset)
{
    RingBuffer ring(5);
    ring.put(std::vector<uint8_t>{1, 2, 3, 4});
    ring.take(3);
    ring.put(std::vector<uint8_t>{5, 6, 7});  // held: 4 5 6 7, across the wrap
    std::vector<uint8_t> out(3);
    EXPECT_EQ(ring.copyOut(out, 1), 3);
    EXPECT_EQ(out, (std::vector<uint8_t>{5, 6, 7}));
    EXPECT_EQ(ring.at(0), 4);
    EXPECT_EQ(ring.at(3), 7);
    EXPECT_EQ(ring.at(4), 0);  // beyond what is held
    EXPECT_EQ(ring.copyOut(out, 4), 0);
    EXPECT_EQ(ring.count(), 4);  // copying takes nothing
}

TEST(RingBuffer, putAllStoresWholeRunOrNothing)
{
    RingBuffer ring(10);
    const std::vector<uint8_t> frame(8, 0xF2);
    EXPECT_TRUE(ring.putAll(frame));
    EXPECT_FALSE(ring.putAll(frame));
    EXPECT_EQ(ring.count(), 8);
    EXPECT_TRUE(ring.putAll(std::vector<uint8_t>{1, 2}));
    EXPECT_TRUE(ring.full());
}

TEST(RingBuffer, manyWrapsKeepOrder)
{
    RingBuffer ring(7);
    std::vector<uint8_t> expected;
    uint8_t next = 0;
    for (int round = 0; round < 50; ++round) {
        std::vector<uint8_t> chunk(static_cast<size_t>(round % 5 + 1));
        std::iota(chunk.begin(), chunk.end(), next);
        next = static_cast<uint8_t>(next + chunk.size());
        const int32_t stored = ring.put(chunk);
        expected.insert(expected.end(), chunk.begin(), chunk.begin() + stored);
        const int32_t taken = ring.take(round % 4 + 1);
        expected.erase(expected.begin(), expected.begin() + taken);
        ASSERT_EQ(contents(ring), expected) << "round " << round;
    }
}

TEST(RingBuffer, clearEmptiesAndResetsIndices)
{
    RingBuffer ring(4);
    ring.put(std::vector<uint8_t>{1, 2, 3, 4});
    ring.clear();
    EXPECT_EQ(ring.count(), 0);
    EXPECT_FALSE(ring.full());
    EXPECT_EQ(ring.readIndex(), 0);
    EXPECT_EQ(ring.writeIndex(), 0);
}

}  // namespace
}  // namespace hesk::link
