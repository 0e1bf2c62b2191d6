#pragma once
// The three frame scanners of the link. Each takes a contiguous run of received bytes,
// calls onFrame(routingCode, frameBytes) for every whole frame whose check holds (in
// order, on the calling thread), and returns how many bytes it scanned; the caller drops
// those and keeps the rest for the next run. A frame handed out is a view into `bytes`,
// valid during the call only. No allocation, no I/O.
//
//   scanSerialFrames      serial connection thread: boot, long boot, block and command
//                         frames; scans while at least 6 bytes are left
//   scanMonitoringFrames  serial monitoring mode (UI thread): command, trace and block
//                         frames
//   scanDatagram          one UDP datagram: datagram frames (F5, length, CRC-16/MODBUS)
//
// A frame whose check fails is skipped by one byte, so the next start byte, even one
// inside the bad frame, is found. A frame that is cut off at the end of the bytes stops
// the scan; it is scanned again once more bytes arrived.
//
// The drive side can use scanSerialFrames too: the tool's requests are command and boot
// frames.

#include "FrameCodec.h"

#include <cstring>

namespace hesk::link {

// Receives the frames found by a scanner or the frame ring (for callers that prefer an
// interface over a callable).
class FrameSink {
public:
    virtual ~FrameSink() = default;
    virtual void frameFound(uint8_t routingCode, std::span<const uint8_t> frame) = 0;
};

namespace scanner_detail {

inline uint8_t xorRun(const uint8_t* bytes, size_t n)
{
    uint8_t x = 0;
    for (size_t i = 0; i < n; ++i)
        x ^= bytes[i];
    return x;
}

}  // namespace scanner_detail

template <class OnFrame>
size_t scanSerialFrames(std::span<const uint8_t> bytes, OnFrame&& onFrame)
{
    using scanner_detail::xorRun;
    const uint8_t* b = bytes.data();
    const size_t n = bytes.size();
    size_t p = 0;
    while (n - p >= kBootFrameSize) {
        const uint8_t first = b[p];
        const uint8_t second = b[p + 1];
        if (first == kBootStart) {
            if (second == kBootLengthByte) {
                if (xorRun(b + p, 5) == b[p + 5]) {
                    onFrame(b[p + 2], bytes.subspan(p, kBootFrameSize));
                    p += kBootFrameSize;
                } else {
                    ++p;
                }
            } else if (second == kLongBootLengthByte) {
                if (n - p < kLongBootFrameSize)
                    break;
                if (xorRun(b + p, kLongBootFrameSize) == 0) {
                    onFrame(b[p + 2], bytes.subspan(p, kLongBootFrameSize));
                    p += kLongBootFrameSize;
                } else {
                    ++p;
                }
            } else {
                ++p;
            }
        } else if (first == kCommandStart) {
            if (second == code::UploadBlock) {
                if (n - p < kBlockFrameSize)
                    break;
                if (xorRun(b + p, kBlockFrameSize) == 0) {
                    onFrame(code::UploadBlock, bytes.subspan(p, kBlockFrameSize));
                    p += kBlockFrameSize;
                } else {
                    ++p;
                }
            } else {
                if (n - p < kCommandFrameSize)
                    break;
                if (xorRun(b + p, 7) == b[p + 7]) {
                    onFrame(second, bytes.subspan(p, kCommandFrameSize));
                    p += kCommandFrameSize;
                } else {
                    ++p;
                }
            }
        } else {
            ++p;
        }
    }
    return p;
}

template <class OnFrame>
size_t scanMonitoringFrames(std::span<const uint8_t> bytes, OnFrame&& onFrame)
{
    using scanner_detail::xorRun;
    const uint8_t* b = bytes.data();
    const size_t n = bytes.size();
    size_t p = 0;
    while (p < n) {
        if (b[p] != kCommandStart) {
            const void* next = std::memchr(b + p, kCommandStart, n - p);
            p = next ? static_cast<size_t>(static_cast<const uint8_t*>(next) - b) : n;
            continue;
        }
        if (n - p < 2)
            break;  // the second byte has not arrived yet
        const uint8_t second = b[p + 1];
        if (second == code::TraceRecord) {
            if (n - p < kTraceFrameSize)
                break;
            onFrame(code::TraceRecord, bytes.subspan(p, kTraceFrameSize));  // no check on receipt
            p += kTraceFrameSize;
        } else if (second == code::UploadBlock) {
            if (n - p < kBlockFrameSize)
                break;
            if (xorRun(b + p, kBlockFrameSize) == 0) {
                onFrame(code::UploadBlock, bytes.subspan(p, kBlockFrameSize));
                p += kBlockFrameSize;
            } else {
                ++p;
            }
        } else {
            if (n - p < kCommandFrameSize)
                break;
            if (xorRun(b + p, kCommandFrameSize) == 0) {
                onFrame(second, bytes.subspan(p, kCommandFrameSize));
                p += kCommandFrameSize;
            } else {
                ++p;
            }
        }
    }
    return p;
}

// Scans one whole datagram; returns the number of frames found (a datagram is never
// continued by the next one).
template <class OnFrame>
size_t scanDatagram(std::span<const uint8_t> datagram, OnFrame&& onFrame)
{
    const uint8_t* b = datagram.data();
    const size_t n = datagram.size();
    size_t p = 0;
    size_t frames = 0;
    while (n - p >= 2) {
        if (b[p] == kDatagramStart) {
            const size_t length = b[p + 1];
            if (length >= kMinDatagramFrameSize && length <= n - p) {
                const auto frame = datagram.subspan(p, length);
                const uint8_t routing = b[p + 3];
                if (routing == code::UncheckedDatagram || datagramCrcOk(frame)) {
                    onFrame(routing, frame);
                    p += length;
                    ++frames;
                    continue;
                }
            }
        }
        ++p;
    }
    return frames;
}

}  // namespace hesk::link
