#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"

#include "ByteBuilder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include <limits>

using hesk::model::ArchiveReader;
using hesk::model::ArchiveWriter;
using hesk::testsupport::ByteBuilder;

namespace {

TEST(ArchiveReader, readsLittleEndianPrimitivesInOrder)
{
    const QByteArray bytes = QByteArray::fromHex("7f 3412 78563412 feffffff 0100000002000000");
    ArchiveReader reader(bytes);
    EXPECT_EQ(reader.readByte(), 0x7F);
    EXPECT_EQ(reader.readUInt16(), 0x1234);
    EXPECT_EQ(reader.readUInt32(), 0x12345678u);
    EXPECT_EQ(reader.readInt32(), -2);
    EXPECT_EQ(reader.readUInt64(), 0x0000000200000001ull);
    EXPECT_TRUE(reader.ok());
    EXPECT_TRUE(reader.atEnd());
}

TEST(ArchiveReader, readPastEndFailsStickyWithoutMovingOrReadingFurther)
{
    const QByteArray bytes = QByteArray::fromHex("0102 03");
    ArchiveReader reader(bytes);
    EXPECT_EQ(reader.readUInt16(), 0x0201);
    EXPECT_EQ(reader.readUInt16(), 0);  // only one byte left
    EXPECT_TRUE(reader.failed());
    EXPECT_EQ(reader.failureOffset(), 2);
    EXPECT_EQ(reader.position(), 2);
    // The byte that is there is not handed out after a failure either.
    EXPECT_EQ(reader.readByte(), 0);
    EXPECT_TRUE(reader.readBytes(1).isEmpty());
    EXPECT_TRUE(reader.readText().isEmpty());
    EXPECT_EQ(reader.failureOffset(), 2);
}

TEST(ArchiveReader, readBytesReturnsViewOnlyWhenAllFit)
{
    const QByteArray bytes("abcdef");
    ArchiveReader reader(bytes);
    EXPECT_EQ(reader.readBytes(4), QByteArrayView("abcd"));
    EXPECT_TRUE(reader.readBytes(3).isEmpty());
    EXPECT_TRUE(reader.failed());
}

struct CountCase {
    const char* label;
    int32_t count;
    qsizetype bytesAfterCount;
    qsizetype minElementBytes;
    qsizetype expected;
    bool fails;
};

void PrintTo(const CountCase& c, std::ostream* os) { *os << c.label; }

class ArchiveReaderCount : public testing::TestWithParam<CountCase> {};

TEST_P(ArchiveReaderCount, boundsCountByRemainingData)
{
    const CountCase& c = GetParam();
    const QByteArray bytes = ByteBuilder().count(c.count).raw(QByteArray(c.bytesAfterCount, '\0'));
    ArchiveReader reader(bytes);
    EXPECT_EQ(reader.readCount(c.minElementBytes), c.expected);
    EXPECT_EQ(reader.failed(), c.fails);
    if (c.fails) {
        EXPECT_EQ(reader.failureOffset(), 0);  // the count is the faulty field
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArchiveReaderCount,
    testing::Values(CountCase{"zeroIsEmpty", 0, 0, 4, 0, false},
                    CountCase{"negativeIsEmpty", -1, 0, 4, 0, false},
                    CountCase{"mostNegativeIsEmpty", std::numeric_limits<int32_t>::min(), 0, 4, 0, false},
                    CountCase{"exactFit", 3, 12, 4, 3, false},
                    CountCase{"oneTooMany", 4, 12, 4, 0, true},
                    CountCase{"hugeCountLittleData", 0x7FFFFFFF, 10, 1, 0, true},
                    CountCase{"hugeCountOfLargeRecords", 0x7FFFFFFF, 4096, 59, 0, true}),
    [](const testing::TestParamInfo<CountCase>& info) { return std::string(info.param.label); });

TEST(ArchiveReader, readArrayReservesNothingForACountTheDataCannotHold)
{
    const QByteArray bytes = ByteBuilder().count(0x7FFFFFFF).raw("some bytes");
    ArchiveReader reader(bytes);
    std::vector<uint32_t> values;
    bool elementRead = false;
    reader.readArray(values, 4, [&](ArchiveReader&, uint32_t&) { elementRead = true; });
    EXPECT_TRUE(reader.failed());
    EXPECT_FALSE(elementRead);
    EXPECT_TRUE(values.empty());
    EXPECT_EQ(values.capacity(), 0u);
}

TEST(ArchiveReader, reservationForACountThatFitsNeverTakesMoreMemoryThanTheBytesLeft)
{
    // A record of many fields whose smallest form in the file is a single byte: a count
    // that passes the size check could otherwise reserve kilobytes per byte of the file.
    struct LargeRecord {
        char fields[1024];
    };
    const qsizetype count = 4000;
    const QByteArray bytes = ByteBuilder().count(count).raw(QByteArray(count, '\x01'));
    ArchiveReader reader(bytes);
    std::vector<LargeRecord> records;
    std::size_t capacityAtFirstElement = 0;
    reader.readArray(records, 1, [&](ArchiveReader& r, LargeRecord&) {
        capacityAtFirstElement = records.capacity();
        r.fail();  // the first record turns out damaged
    });
    EXPECT_TRUE(reader.failed());
    EXPECT_LE(capacityAtFirstElement * sizeof(LargeRecord), static_cast<std::size_t>(count));
    EXPECT_GE(capacityAtFirstElement, 1u);

    struct Case {
        qsizetype count;
        std::size_t elementBytes;
        qsizetype remaining;
        qsizetype expected;
    };
    const Case cases[] = {
        {10, 2, 100, 10},        // small elements: the count itself
        {100, 2, 100, 50},       // bounded by the bytes left
        {4000, 1024, 4000, 3},   // large records: what the bytes would hold
        {5, 1024, 100, 0},       // not even one: the vector grows as records arrive
        {0, 4, 100, 0},
        {7, 0, 100, 7},          // a zero size counts as one byte
    };
    for (const Case& c : cases) {
        const QByteArray data(c.remaining, '\0');
        const ArchiveReader r(data);
        EXPECT_EQ(r.boundedReservation(c.count, c.elementBytes), c.expected)
            << c.count << " x " << c.elementBytes << " in " << c.remaining;
    }
}

TEST(ArchiveReader, readArrayStopsAtFirstFailedElement)
{
    // Count 3 fits the 2-byte minimum, but the third element is cut off.
    const QByteArray bytes = ByteBuilder().count(3).u16(10).u16(20).u8(0x30).raw(QByteArray(1, '\0'));
    ArchiveReader reader(bytes);
    std::vector<uint16_t> words;
    int reads = 0;
    reader.readArray(words, 1, [&](ArchiveReader& r, uint16_t& w) {
        ++reads;
        w = r.readUInt16();
        r.readUInt16();
    });
    EXPECT_TRUE(reader.failed());
    EXPECT_EQ(reads, 2);
}

TEST(ArchiveWriter, writesLittleEndianPrimitivesAndCounts)
{
    ArchiveWriter writer;
    writer.writeByte(0x7F);
    writer.writeUInt16(0x1234);
    writer.writeUInt32(0x12345678u);
    writer.writeInt32(-2);
    writer.writeUInt64(0x0000000200000001ull);
    writer.writeCount(3);
    writer.writeBytes("ab");
    EXPECT_FALSE(writer.failed());
    EXPECT_EQ(writer.data(), QByteArray::fromHex("7f 3412 78563412 feffffff 0100000002000000 03000000 6162"));
}

TEST(ArchiveWriter, countBeyondInt32FailsTheWriter)
{
    ArchiveWriter writer;
    writer.writeCount(std::size_t{0x80000000u});
    EXPECT_TRUE(writer.failed());
}

}  // namespace
