// The request frame list: deduplication with reference counts, the cursor and its index,
// insertion and removal around the cursor.

#include "online/FrameList.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace hesk::online {
namespace {

using link::CommandFrame;

CommandFrame request(uint16_t address, uint8_t byte6 = 0, uint8_t check = 0)
{
    CommandFrame frame = link::readParameterRequest(address);
    frame[6] = byte6;
    frame[7] = check;
    return frame;
}

// Addresses of the listed frames, in list order.
std::vector<uint16_t> addresses(const FrameList& list)
{
    std::vector<uint16_t> result;
    for (size_t i = 0; i < list.size(); ++i)
        result.push_back(link::wordAt(list.at(i), 2));
    return result;
}

FrameList listOf(std::initializer_list<uint16_t> addressList)
{
    FrameList list;
    for (uint16_t address : addressList)
        list.push(request(address));
    return list;
}

void moveCursorTo(FrameList& list, int index)
{
    while (list.cursorIndex() != index)
        list.advance();
}

TEST(FrameList, anEmptyListCountsOnlyItsHead)
{
    FrameList list;
    EXPECT_EQ(list.count(), 1);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.cursorIndex(), -1);
    EXPECT_FALSE(list.frameAtCursor().has_value());
    list.advance();  // nothing to move to
    EXPECT_EQ(list.cursorIndex(), -1);
    EXPECT_FALSE(list.removeAt(0));
    EXPECT_EQ(list.count(), 1);
}

struct PushCase {
    const char* name;
    std::vector<CommandFrame> frames;
    std::vector<bool> appended;
    std::vector<int> references;  // per listed frame, in order
};

void PrintTo(const PushCase& c, std::ostream* os) { *os << c.name; }

class FrameListPush : public ::testing::TestWithParam<PushCase> {};

TEST_P(FrameListPush, deduplicatesOnBytesZeroToSix)
{
    const PushCase& c = GetParam();
    FrameList list;
    std::vector<bool> appended;
    for (const CommandFrame& frame : c.frames)
        appended.push_back(list.push(frame));
    EXPECT_EQ(appended, c.appended);
    ASSERT_EQ(list.size(), c.references.size());
    EXPECT_EQ(list.count(), static_cast<int>(c.references.size()) + 1);
    for (size_t i = 0; i < c.references.size(); ++i)
        EXPECT_EQ(list.referenceCount(i), c.references[i]) << "frame " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FrameListPush,
    ::testing::Values(
        PushCase{"distinctFrames", {request(1), request(2), request(3)}, {true, true, true}, {1, 1, 1}},
        PushCase{"sameFrameTwice", {request(1), request(1)}, {true, false}, {2}},
        PushCase{"onlyTheCheckByteDiffers", {request(1, 0, 0x00), request(1, 0, 0x5A)}, {true, false}, {2}},
        PushCase{"byteSixDiffers", {request(1, 0), request(1, 1)}, {true, true}, {1, 1}},
        PushCase{"codeDiffers", {link::readParameterRequest(7), link::readReadOnlyRequest(7)}, {true, true}, {1, 1}},
        PushCase{"repeatAmongOthers", {request(1), request(2), request(1), request(1), request(2)},
                 {true, true, false, false, false}, {3, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FrameList, theFirstPushedCopyIsKeptWhenADuplicateArrives)
{
    FrameList list;
    list.push(request(1, 0, 0x11));
    list.push(request(1, 0, 0x22));
    EXPECT_EQ(list.at(0)[7], 0x11);
}

TEST(FrameList, advanceWalksTheFramesAndWrapsToTheFirst)
{
    FrameList list = listOf({10, 20, 30});
    std::vector<int> indices;
    std::vector<uint16_t> sent;
    for (int i = 0; i < 7; ++i) {
        list.advance();
        indices.push_back(list.cursorIndex());
        sent.push_back(link::wordAt(*list.frameAtCursor(), 2));
    }
    EXPECT_EQ(indices, (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
    EXPECT_EQ(sent, (std::vector<uint16_t>{10, 20, 30, 10, 20, 30, 10}));
}

TEST(FrameList, clearEmptiesTheListAndPutsTheCursorOnTheHead)
{
    FrameList list = listOf({10, 20, 30});
    moveCursorTo(list, 1);
    list.clear();
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.cursorIndex(), -1);
    EXPECT_FALSE(list.frameAtCursor().has_value());
    EXPECT_TRUE(list.push(request(10))) << "no reference count survives a clear";
    list.advance();
    EXPECT_EQ(list.cursorIndex(), 0);
}

struct RemoveCase {
    const char* name;
    int cursor;       // cursor index before the removal (-1: head)
    int removeIndex;
    bool removed;
    std::vector<uint16_t> left;
    int cursorAfter;
    int nextSent;     // address sent by the next advance
};

void PrintTo(const RemoveCase& c, std::ostream* os) { *os << c.name; }

class FrameListRemove : public ::testing::TestWithParam<RemoveCase> {};

TEST_P(FrameListRemove, keepsTheCursorOnItsFrameOrStepsBack)
{
    const RemoveCase& c = GetParam();
    FrameList list = listOf({10, 20, 30, 40});
    moveCursorTo(list, c.cursor);
    EXPECT_EQ(list.removeAt(c.removeIndex), c.removed);
    EXPECT_EQ(addresses(list), c.left);
    EXPECT_EQ(list.count(), static_cast<int>(c.left.size()) + 1);
    EXPECT_EQ(list.cursorIndex(), c.cursorAfter);
    list.advance();
    EXPECT_EQ(link::wordAt(*list.frameAtCursor(), 2), c.nextSent);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FrameListRemove,
    ::testing::Values(
        RemoveCase{"theCursorFrame", 1, 1, true, {10, 30, 40}, 0, 30},
        RemoveCase{"theFirstFrameUnderTheCursor", 0, 0, true, {20, 30, 40}, -1, 20},
        RemoveCase{"aFrameBeforeTheCursor", 2, 0, true, {20, 30, 40}, 1, 40},
        RemoveCase{"aFrameAfterTheCursor", 1, 3, true, {10, 20, 30}, 1, 30},
        RemoveCase{"theLastFrameUnderTheCursor", 3, 3, true, {10, 20, 30}, 2, 10},
        RemoveCase{"withTheCursorOnTheHead", -1, 2, true, {10, 20, 40}, -1, 10},
        RemoveCase{"outOfRange", 1, 4, false, {10, 20, 30, 40}, 1, 30},
        RemoveCase{"negativeIndex", 1, -1, false, {10, 20, 30, 40}, 1, 30}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FrameList, aFrameStaysUntilEveryReferenceIsRemoved)
{
    FrameList list;
    list.push(request(10));
    list.push(request(10));
    list.push(request(10));
    EXPECT_FALSE(list.removeAt(0));
    EXPECT_FALSE(list.removeAt(0));
    EXPECT_EQ(list.referenceCount(0), 1);
    EXPECT_EQ(list.count(), 2);
    EXPECT_TRUE(list.removeAt(0));
    EXPECT_EQ(list.count(), 1);
}

TEST(FrameList, sendingAndRemovingEachFrameEmptiesTheListInOrder)
{
    // The send list's use: advance, send the frame at the cursor, remove it.
    FrameList list = listOf({10, 20, 30});
    std::vector<uint16_t> sent;
    while (!list.empty()) {
        list.advance();
        sent.push_back(link::wordAt(*list.frameAtCursor(), 2));
        list.removeAt(list.cursorIndex());
    }
    EXPECT_EQ(sent, (std::vector<uint16_t>{10, 20, 30}));
    EXPECT_EQ(list.cursorIndex(), -1);
}

struct InsertCase {
    const char* name;
    int cursor;
    int position;
    std::vector<uint16_t> order;
    int cursorAfter;
};

void PrintTo(const InsertCase& c, std::ostream* os) { *os << c.name; }

class FrameListInsert : public ::testing::TestWithParam<InsertCase> {};

TEST_P(FrameListInsert, placesTheFrameAfterThePositionAndKeepsTheCursorFrame)
{
    const InsertCase& c = GetParam();
    FrameList list = listOf({10, 20, 30});
    moveCursorTo(list, c.cursor);
    const auto cursorFrame = list.frameAtCursor();
    EXPECT_TRUE(list.insertAt(c.position, request(99)));
    EXPECT_EQ(addresses(list), c.order);
    EXPECT_EQ(list.cursorIndex(), c.cursorAfter);
    EXPECT_EQ(list.frameAtCursor(), cursorFrame);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FrameListInsert,
    ::testing::Values(InsertCase{"atTheFrontBeforeTheCursor", 1, -1, {99, 10, 20, 30}, 2},
                      InsertCase{"justBeforeTheCursor", 1, 0, {10, 99, 20, 30}, 2},
                      InsertCase{"rightAfterTheCursor", 1, 1, {10, 20, 99, 30}, 1},
                      InsertCase{"atTheEnd", 1, 2, {10, 20, 30, 99}, 1},
                      InsertCase{"pastTheEndAppends", 0, 17, {10, 20, 30, 99}, 0},
                      InsertCase{"cursorOnTheHead", -1, -1, {99, 10, 20, 30}, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FrameList, insertingAListedFrameRaisesItsCountInPlace)
{
    FrameList list = listOf({10, 20, 30});
    moveCursorTo(list, 2);
    EXPECT_FALSE(list.insertAt(-1, request(30, 0, 0x77)));
    EXPECT_EQ(addresses(list), (std::vector<uint16_t>{10, 20, 30}));
    EXPECT_EQ(list.referenceCount(2), 2);
    EXPECT_EQ(list.cursorIndex(), 2);
}

TEST(FrameList, theCycleEndsWhenTheCursorIndexReachesCountMinusTwo)
{
    // The poll slots test for the last frame this way.
    FrameList list = listOf({10, 20, 30});
    int ends = 0;
    for (int i = 0; i < 6; ++i) {
        list.advance();
        if (list.cursorIndex() == list.count() - 2)
            ++ends;
    }
    EXPECT_EQ(ends, 2);
}

}  // namespace
}  // namespace hesk::online
