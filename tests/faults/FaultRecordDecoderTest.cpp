// The fault-data ring decoded into blocks and records: headers, empty blocks, garbage,
// sample bytes that look like a header, the drive board's channel split, and any byte
// stream without a crash.
#include "link/FaultDataStore.h"
#include "recording/FaultRecordDecoder.h"

#include <gtest/gtest.h>

#include <random>

namespace hesk::recording {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes header(uint8_t h0, uint8_t h1, uint8_t h2) { return {0xAA, 0, 0, 0, h0, h1, h2}; }

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct BlockCase {
    const char* name;
    Bytes ring;
    std::vector<FaultBlock> blocks;
};

TEST(FaultBlocks, splitTheRingAtHeaders)
{
    const std::vector<BlockCase> cases = {
        {"nothing", {}, {}},
        {"no header at all", {1, 2, 3, 4, 5, 6, 7, 8}, {}},
        {"one block", header(0, 0, 0) + Bytes{0x12, 0x34, 0xAB, 0xCD}, {{0, 0, 0, {0x1234, 0xABCD}}}},
        {"garbage before the first header is dropped", Bytes{9, 9, 0xAA, 0} + header(1, 2, 3) + Bytes{0, 1, 0, 2},
         {{1, 2, 3, {1, 2}}}},
        {"an empty block before the next", header(0, 0, 0) + header(1, 0, 0) + Bytes{0, 5, 0, 6},
         {{0, 0, 0, {}}, {1, 0, 0, {5, 6}}}},
        {"an empty block at the end", header(0, 0, 0) + Bytes{0, 7, 0, 8} + header(1, 0, 0),
         {{0, 0, 0, {7, 8}}, {1, 0, 0, {}}}},
        {"a header cut off at the end is data of the block before",
         header(0, 0, 0) + Bytes{0, 1, 0, 2} + Bytes{0xAA, 0, 0, 0, 1},
         {{0, 0, 0, {1, 2, 0xAA00, 0x0000}}}},
        {"an odd trailing byte is dropped", header(2, 0, 1) + Bytes{0, 3, 0, 4, 0x55}, {{2, 0, 1, {3, 4}}}},
        // Samples 0x00AA, 0x0000, 0x0000 carry the bytes AA 00 00 00 across a word boundary:
        // they are samples, not a header.
        {"header bytes between samples do not split a channel",
         header(3, 0, 0) + Bytes{0x00, 0xAA, 0x00, 0x00, 0x00, 0x00, 0x00, 0x07},
         {{3, 0, 0, {0x00AA, 0x0000, 0x0000, 0x0007}}}},
        {"a header where a data frame starts does", header(0, 0, 0) + Bytes{0, 1, 0, 2} + header(0, 0, 1) + Bytes{0, 3, 0, 4},
         {{0, 0, 0, {1, 2}}, {0, 0, 1, {3, 4}}}},
    };
    for (const BlockCase& c : cases)
        EXPECT_EQ(faultBlocks(c.ring), c.blocks) << c.name;
}

// The store filled as the link's 0x16, 0x15 and 0xE1 handlers fill it: one frame at a time.
struct StoreFeed {
    link::FaultDataStore store;
    void block(uint8_t h0, uint8_t h1, uint8_t h2, const std::vector<uint16_t>& samples)
    {
        store.appendHeader(h0, h1, h2);
        for (size_t i = 0; i < samples.size(); i += 2) {
            const uint16_t b = i + 1 < samples.size() ? samples[i + 1] : 0;
            const std::array<uint8_t, 4> bytes{static_cast<uint8_t>(samples[i] >> 8), static_cast<uint8_t>(samples[i]),
                                               static_cast<uint8_t>(b >> 8), static_cast<uint8_t>(b)};
            store.appendData(bytes);
        }
    }
    FaultRecord decode(FaultRecordSource source = {}) const
    {
        const auto ring = store.ringBytes();
        const auto words = store.words();
        return decodeFaultRecord(ring, words, source);
    }
};

TEST(FaultRecordDecoder, controllerBlocksBecomeChannelsOfTheirFault)
{
    StoreFeed feed;
    // Two faults, the second with its channels out of order; 16384 = 100 %.
    feed.block(0, 1, 0, {16384, 8192});
    feed.block(1, 1, 0, {0xF000, 0});  // -25 %
    feed.block(1, 1, 1, {4096, 4096});
    feed.block(0, 1, 1, {0x8000, 0x7FFF});
    std::vector<uint16_t> words;
    for (uint16_t w = 1; w <= 24; ++w)
        words.push_back(w);
    words.push_back(999);  // a word after the fault words
    for (size_t i = 0; i < words.size(); i += 2)
        feed.store.appendWords(words[i], i + 1 < words.size() ? words[i + 1] : 0);

    const FaultRecord record = feed.decode({false, 1, 3});
    ASSERT_EQ(record.faults.size(), 2u);
    EXPECT_EQ(record.station, 1);
    EXPECT_EQ(record.stationText(), QStringLiteral("从站 1 故障"));
    const FaultEntry& first = record.faults[0];
    EXPECT_EQ(first.number, 1);
    ASSERT_EQ(first.channels.size(), 2u);
    EXPECT_EQ(first.channels[0].number, 1);
    EXPECT_EQ(first.channels[0].samples, (std::vector<double>{100.0, 50.0}));
    EXPECT_EQ(first.channels[1].samples, (std::vector<double>{-25.0, 0.0}));
    const FaultEntry& second = record.faults[1];
    EXPECT_EQ(second.number, 2);
    EXPECT_EQ(second.channels[0].number, 1);
    EXPECT_EQ(second.channels[0].samples[0], -200.0);
    EXPECT_NEAR(second.channels[0].samples[1], 199.994, 0.001);
    EXPECT_EQ(second.channels[1].number, 2);
    // Twelve fault words per fault in order; the word after them stays in the list only.
    EXPECT_EQ(first.faultWords, (std::vector<uint16_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(second.faultWords.front(), 13);
    EXPECT_EQ(second.faultWords.back(), 24);
    EXPECT_EQ(record.words.size(), 26u);  // 25 and the pair's filler
    EXPECT_EQ(record.faultWordCount(), 24u);
    EXPECT_EQ(first.listText(false), QStringLiteral("第1次故障"));
    EXPECT_EQ(second.listText(true), QStringLiteral("第2次故障(最近的故障)"));
}

TEST(FaultRecordDecoder, fewerWordsThanFaultsLeaveTheLaterFaultsWithout)
{
    StoreFeed feed;
    feed.block(0, 0, 0, {1, 2});
    feed.block(0, 0, 1, {3, 4});
    feed.store.appendWords(0x0008, 0);
    const FaultRecord record = feed.decode();
    ASSERT_EQ(record.faults.size(), 2u);
    EXPECT_EQ(record.faults[0].faultWords, (std::vector<uint16_t>{8, 0}));
    EXPECT_TRUE(record.faults[1].faultWords.empty());
    EXPECT_EQ(record.stationText(), QStringLiteral("主站故障"));
}

TEST(FaultRecordDecoder, driveBoardBlocksSplitIntoAnalogAndDigitalChannels)
{
    StoreFeed feed;
    feed.block(0, 0, 0, {0x8000 | 3072, 1024});   // +100 %, gate on; -100 %, gate off
    feed.block(1, 0, 0, {0x0101, 0x0001});
    feed.block(2, 0, 0, {2048, 0x8000 | 1024});    // 100 %, 50 % with the upper gate
    feed.block(3, 0, 0, {0x0100, 0x0000});
    feed.block(7, 0, 0, {1, 2});                   // not a type the board sends
    feed.store.appendWords(1, 2);
    feed.store.appendWords(3, 4);
    feed.store.appendWords(5, 6);
    const FaultRecord record = feed.decode({true, 0, 1});
    ASSERT_EQ(record.faults.size(), 1u);
    const std::vector<FaultChannel>& ch = record.faults[0].channels;
    ASSERT_EQ(ch.size(), 8u);
    const std::vector<std::vector<double>> samples = {{100.0, -100.0}, {1, 0}, {1, 1}, {100.0, 50.0},
                                                      {1, 0},          {0, 0}, {1, 0}, {0, 1}};
    for (size_t i = 0; i < ch.size(); ++i) {
        EXPECT_EQ(ch[i].number, static_cast<int>(i) + 1);
        EXPECT_EQ(ch[i].samples, samples[i]) << "channel " << i + 1;
        EXPECT_EQ(ch[i].digital, i != 0 && i != 3) << "channel " << i + 1;
    }
    EXPECT_EQ(ch[6].name, QStringLiteral("下管门级脉冲"));
    EXPECT_EQ(ch[7].name, QStringLiteral("上管门级脉冲"));
    EXPECT_TRUE(record.faults[0].faultWords.empty());
    EXPECT_EQ(record.faultWordCount(), 0u);
    EXPECT_EQ(record.informationTexts(),
              (QStringList{QStringLiteral("已运行1天2小时3分钟4秒"), QStringLiteral("共发生5次故障"),
                           QStringLiteral("共上电6次")}));
}

TEST(FaultRecordDecoder, anyByteStreamDecodesWithinItsLength)
{
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        Bytes ring(random() % 400);
        for (uint8_t& b : ring)
            b = (random() % 3 == 0) ? 0 : (random() % 4 == 0 ? 0xAA : static_cast<uint8_t>(random()));
        std::vector<uint16_t> words(random() % 40, 0x1234);
        for (const bool board : {false, true}) {
            const FaultRecord record = decodeFaultRecord(ring, words, {board, 0, 1});
            size_t samples = 0;
            for (const FaultEntry& f : record.faults)
                for (const FaultChannel& c : f.channels)
                    samples += c.samples.size();
            EXPECT_LE(samples, ring.size()) << round;  // at most one value per byte (the board's split)
            EXPECT_LE(record.faults.size(), ring.size() / 7);
        }
    }
}

}  // namespace
}  // namespace hesk::recording
