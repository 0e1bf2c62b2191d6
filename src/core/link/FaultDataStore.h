#pragma once
// The fault-data ring (524288 bytes) and the fault word array of the link, filled by the
// fault-data replies (0x16 header, 0x15 data, 0xE1 word pairs) and read by the fault
// waveform upload, which also counts the received records to see that data still flow.
// Guarded by its own lock: handlers may run on a reader thread while the UI reads.

#include "RingBuffer.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

namespace hesk::link {

class FaultDataStore {
public:
    static constexpr int32_t kRingCapacity = 0x80000;
    // The word array grows as word pairs arrive, up to the ring's size in bytes; words
    // beyond are dropped, so a device that floods 0xE1 frames cannot exhaust memory.
    static constexpr size_t kMaxWords = kRingCapacity / 2;

    FaultDataStore();

    // Reply 0x16: the 7 bytes AA 00 00 00 b2 b3 b4.
    void appendHeader(uint8_t b2, uint8_t b3, uint8_t b4);
    // Reply 0x15: counts one record, appends its 4 data bytes.
    void appendData(std::span<const uint8_t, 4> bytes);
    // Reply 0xE1: counts one record, appends the two words (while below kMaxWords).
    void appendWords(uint16_t first, uint16_t second);

    // The ring's bytes from its read index, as many as it holds.
    std::vector<uint8_t> ringBytes() const;
    int32_t ringCount() const;
    std::vector<uint16_t> words() const;
    int64_t recordCount() const;

    // Empties the ring and the word array and resets the record count.
    void clear();

    // The previous record, kept before an upload and put back when it fails.
    struct Snapshot {
        std::vector<uint8_t> ring;
        std::vector<uint16_t> words;
    };
    Snapshot snapshot() const;
    void restore(const Snapshot& snapshot);

private:
    mutable std::mutex m_lock;
    RingBuffer m_ring;
    std::vector<uint16_t> m_words;
    int64_t m_records = 0;
};

}  // namespace hesk::link
