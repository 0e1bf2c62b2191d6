#include "FaultRecordDecoder.h"

#include <algorithm>
#include <map>

namespace hesk::recording {

namespace {

constexpr size_t kHeaderSize = 7;
constexpr size_t kDataStep = 4;  // the bytes of one 0x15 frame

bool headerAt(std::span<const uint8_t> bytes, size_t i)
{
    return i + kHeaderSize <= bytes.size() && bytes[i] == 0xAA && bytes[i + 1] == 0 && bytes[i + 2] == 0
           && bytes[i + 3] == 0;
}

double controllerPercent(uint16_t word)
{
    return static_cast<int16_t>(word) * 100.0 / 16384.0;
}

// The channels of one fault while they are filled, by channel number.
using ChannelMap = std::map<int, FaultChannel>;

FaultChannel& channel(ChannelMap& channels, int number, bool digital)
{
    FaultChannel& c = channels[number];
    c.number = number;
    c.digital = digital;
    if (digital)
        c.name = driveBoardChannelName(number);
    return c;
}

void addDriveBoardBlock(ChannelMap& channels, const FaultBlock& block)
{
    switch (block.h0) {
    case 0:
    case 2: {
        const bool current = block.h0 == 0;
        FaultChannel& analog = channel(channels, current ? 1 : 4, false);
        FaultChannel& gate = channel(channels, current ? 7 : 8, true);
        for (uint16_t w : block.words) {
            const int raw = w & 0x0FFF;
            analog.samples.push_back(current ? (raw - 2048) * 100.0 / 1024.0 : raw * 100.0 / 2048.0);
            gate.samples.push_back((w & 0x8000) != 0 ? 1.0 : 0.0);
        }
        break;
    }
    case 1:
    case 3: {
        const bool lower = block.h0 == 1;
        FaultChannel& high = channel(channels, lower ? 2 : 5, true);
        FaultChannel& low = channel(channels, lower ? 3 : 6, true);
        for (uint16_t w : block.words) {
            high.samples.push_back(w >> 8);
            low.samples.push_back(w & 0xFF);
        }
        break;
    }
    default:
        break;  // a block type the board does not send
    }
}

}  // namespace

std::vector<FaultBlock> faultBlocks(std::span<const uint8_t> ring)
{
    std::vector<FaultBlock> blocks;
    size_t i = 0;
    while (i < ring.size() && !headerAt(ring, i))
        ++i;
    while (headerAt(ring, i)) {
        FaultBlock block{ring[i + 4], ring[i + 5], ring[i + 6], {}};
        size_t data = i + kHeaderSize;
        size_t next = data;
        while (next < ring.size() && !headerAt(ring, next))
            next += kDataStep;
        next = std::min(next, ring.size());
        block.words.reserve((next - data) / 2);
        for (size_t p = data; p + 1 < next; p += 2)
            block.words.push_back(static_cast<uint16_t>(ring[p] << 8 | ring[p + 1]));
        blocks.push_back(std::move(block));
        i = next;
    }
    return blocks;
}

FaultRecord decodeFaultRecord(std::span<const uint8_t> ring, std::span<const uint16_t> words,
                              const FaultRecordSource& source)
{
    FaultRecord record;
    record.driveBoard = source.driveBoard;
    record.station = source.station;
    record.stationCount = source.stationCount;
    record.words.assign(words.begin(), words.end());

    std::map<int, ChannelMap> faults;  // by fault number
    for (const FaultBlock& block : faultBlocks(ring)) {
        ChannelMap& channels = faults[block.h2 + 1];
        if (source.driveBoard) {
            addDriveBoardBlock(channels, block);
            continue;
        }
        FaultChannel& c = channel(channels, block.h0 + 1, false);
        for (uint16_t w : block.words)
            c.samples.push_back(controllerPercent(w));
    }

    const size_t perFault = static_cast<size_t>(faultWordKeys().size());
    size_t index = 0;
    for (auto& [number, channels] : faults) {
        FaultEntry entry;
        entry.number = number;
        for (auto& [n, c] : channels)
            entry.channels.push_back(std::move(c));
        if (!source.driveBoard) {
            const size_t first = index * perFault;
            if (first < words.size()) {
                const size_t count = std::min(perFault, words.size() - first);
                entry.faultWords.assign(words.begin() + static_cast<std::ptrdiff_t>(first),
                                        words.begin() + static_cast<std::ptrdiff_t>(first + count));
            }
        }
        record.faults.push_back(std::move(entry));
        ++index;
    }
    return record;
}

}  // namespace hesk::recording
