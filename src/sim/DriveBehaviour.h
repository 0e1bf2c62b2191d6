#pragma once
// How the simulated drive presents itself and how it misbehaves on demand. Set from the
// program's options and changed at run time through the control channel; the simulated
// drive reads it on every request, so a change takes effect at the next frame.

#include "SimTime.h"

#include <bitset>
#include <cstdint>
#include <optional>

namespace hesk::sim {

struct DriveBehaviour {
    // Line faults on what the drive sends.
    double noiseRate = 0.0;   // share of bytes corrupted on the line, 0..1
    double dropShare = 0.0;   // share of frames that are never sent, 0..1

    bool mute = false;        // the drive stops answering altogether
    SimTime silentUntil{0};   // slow boot: no answer before this time

    // Request codes the drive takes no notice of: such a request is neither answered nor
    // acted on (an ignored write is not stored, an ignored MDY_CONFIRM applies nothing),
    // as if it had been lost on its way to the drive.
    std::bitset<256> ignoredCodes;
    // Read answers (0x01, 0x06, 0x17) name the next address (wrapping at the end of the
    // table) and carry that address's value.
    bool misaddress = false;

    // Identity: the project's values unless overridden.
    std::optional<uint16_t> programId;   // reported by 0x0C
    std::optional<uint16_t> cpuType;     // reported by 0x0E

    // Flags reported by 0x2F (byte 5 download, byte 6 restore). A download that breaks
    // off sets the first (and restores the factory values, as a drive does).
    bool lastDownloadFailed = false;
    bool lastRestoreFailed = false;

    // Parameter download faults. The drive goes silent after it echoed this many blocks
    // (a drive that stops mid-download); it corrupts one byte of the echo of the block
    // with this number (counted from 1, repeats included), once; or of every block.
    std::optional<uint32_t> downloadStopAfterBlocks;
    std::optional<uint32_t> downloadBadEchoBlock;
    bool downloadBadEchoAlways = false;

    // Bytes 2 and 3 of the 0xF0 answer: the device variant flag (0: trigger data as
    // 0x36/0x37 exchange; 1: 16-byte data frames) and the device flag (1: a parallel group
    // whose slaves can be asked for fault data).
    uint8_t variantFlag = 1;
    uint8_t deviceFlag = 0;

    // Number of slaves of a parallel group (also the drive's P0089).
    uint16_t slaves = 0;

    // Heartbeat supervision (0x39 with byte 2 = 1): the drive stops the motor when no
    // request arrived for this long.
    SimTime heartbeatTimeout = seconds(3.0);

    bool answering(SimTime now) const { return !mute && now >= silentUntil; }
    bool ignores(uint8_t code) const { return ignoredCodes.test(code); }
};

}  // namespace hesk::sim
