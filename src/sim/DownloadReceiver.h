#pragma once
// The drive's side of the parameter download after it answered the download signal
// (0x19): the line carries raw bytes, not frames. The tool sends the image in blocks of
// 256 bytes (the last one padded with 0xFF); the drive echoes each block whole, then the
// tool sends one control byte, which the drive echoes too:
//   0  the block was echoed correctly, the next block follows
//   1  repeat: the echo differed, the same block comes again (the drive drops it)
//   2  end: the last block was echoed correctly and the image is complete
// Silence of kIdleTimeout while a transfer runs breaks it off.
//
// The image (big-endian): number of value entries V, number of connection entries C,
// V entries (address, raw value), C entries (address, negated source or 0x8000).

#include "FrameStream.h"
#include "SimTime.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace hesk::sim {

struct DownloadEntry {
    uint16_t address = 0;
    uint16_t value = 0;
};

struct DownloadImage {
    std::vector<DownloadEntry> values;
    std::vector<DownloadEntry> connections;  // value = the wire (negated) source
};

// Reads the entries of an image (trailing padding ignored); nothing when the counts
// announce more entries than the bytes hold.
std::optional<DownloadImage> parseDownloadImage(std::span<const uint8_t> bytes);

// Misbehaviour on demand (DriveBehaviour's download faults).
struct DownloadFaults {
    std::optional<uint32_t> stopAfterBlocks;  // silent after echoing this many blocks
    std::optional<uint32_t> badEchoBlock;     // this block's echo (from 1) corrupted once
    bool badEchoAlways = false;               // every echo corrupted
};

class DownloadReceiver {
public:
    static constexpr size_t kBlockSize = 256;
    static constexpr SimTime kIdleTimeout = seconds(10.0);

    enum class Outcome { Running, Finished, BrokenOff };
    struct Progress {
        Outcome outcome = Outcome::Running;
        size_t consumed = 0;  // bytes taken; those after the end byte belong to frames
    };

    bool active() const { return m_active; }
    void begin(SimTime now, DownloadFaults faults = {});

    // Raw bytes from the line; echoes go to `out`. Finished once the end control byte
    // arrived (the image is then in image() and the receiver inactive).
    Progress receive(std::span<const uint8_t> bytes, SimTime now, FrameEmitter& out);
    // BrokenOff when a transfer in progress stayed silent too long; the receiver is then
    // inactive. Running otherwise.
    Outcome advance(SimTime now);

    const std::vector<uint8_t>& image() const { return m_image; }
    size_t blocksAccepted() const { return m_image.size() / kBlockSize; }

private:
    bool m_active = false;
    DownloadFaults m_faults;
    uint32_t m_blocksEchoed = 0;
    bool m_awaitingControl = false;
    SimTime m_lastByte{0};
    std::vector<uint8_t> m_block;
    std::vector<uint8_t> m_image;
};

}  // namespace hesk::sim
