#pragma once
// A plain byte ring, the shape of every ring of the link (receive ring, frame ring,
// fault-data ring). The data block is allocated once, in the constructor; nothing is
// allocated afterwards.
//
// A put stores bytes at the write index and wraps at the capacity; once the ring holds
// `capacity` bytes the full flag is set and further bytes are dropped until some are
// taken. Taking n bytes advances the read index by min(n, count).
//
// Not thread-safe: the owner guards it (the link's lock guards the receive ring).

#include <cstdint>
#include <memory>
#include <span>

namespace hesk::link {

class RingBuffer {
public:
    explicit RingBuffer(int32_t capacity);

    RingBuffer(const RingBuffer&) = delete;
    RingBuffer& operator=(const RingBuffer&) = delete;

    // Stores one byte; false (byte dropped) when the ring is full.
    bool put(uint8_t byte);
    // Stores as many bytes as fit, in order; returns how many were stored.
    int32_t put(std::span<const uint8_t> bytes);
    // Stores all bytes or none (whole frames into the frame ring).
    bool putAll(std::span<const uint8_t> bytes);

    // Drops min(n, count) bytes from the read side; returns how many were dropped.
    // Negative n takes nothing.
    int32_t take(int32_t n);

    // Copies up to out.size() bytes starting `offset` bytes after the read index
    // (wrapping), without taking them; returns how many were copied.
    int32_t copyOut(std::span<uint8_t> out, int32_t offset = 0) const;
    // The byte `offset` bytes after the read index; 0 when offset is not below count().
    uint8_t at(int32_t offset) const;

    void clear();

    int32_t count() const { return m_count; }
    int32_t capacity() const { return m_capacity; }
    int32_t freeSpace() const { return m_capacity - m_count; }
    int32_t readIndex() const { return m_readIndex; }
    int32_t writeIndex() const { return m_writeIndex; }
    bool full() const { return m_full; }
    bool empty() const { return m_count == 0; }

private:
    int32_t m_readIndex = 0;
    int32_t m_writeIndex = 0;
    int32_t m_count = 0;
    int32_t m_capacity;
    std::unique_ptr<uint8_t[]> m_data;
    bool m_full = false;
};

}  // namespace hesk::link
