#pragma once
// What the connection sequence and supervision keep about the device, as far as reply
// handlers write or read it. Owned by the session (one per link); every field is atomic
// because handlers run on a reader thread or the UI thread while the UI thread reads.

#include <atomic>
#include <cstdint>

namespace hesk::link {

struct ConnectionState {
    // Set by every value reply (0x01, 0x06, 0x17, 0x09, 0x0A, and 0xAA while online);
    // cleared by the supervision once a second.
    std::atomic<bool> linkAlive{false};

    // CPU type reported by the device (reply 0x0E, boot signal 0xB8).
    std::atomic<uint16_t> deviceCpuType{0};
    // Bytes 2 and 3 of reply 0xF0: the device variant flag (control panel, trigger
    // recorder) and the device flag (fault waveform stations).
    std::atomic<uint8_t> deviceVariantFlag{0};
    std::atomic<uint8_t> deviceFlag{0};

    // The open project's program identifier: compared in check mode, sent in
    // ReplyIDBoot (0xB7).
    std::atomic<uint16_t> projectProgramId{0};
    // When set, reply 0x0C checks the device's identifier against projectProgramId;
    // otherwise it only reads it.
    std::atomic<bool> checkProgramId{false};
    // The identifier the device reported last (reply 0x0C).
    std::atomic<uint16_t> deviceProgramId{0};
    // The identifier sent in ReplyIDDownload (0xB0) during a program download.
    std::atomic<uint16_t> downloadProgramId{0};

    // CPU load counts (replies 0x09 and 0x0A), unsigned 32 bits.
    std::atomic<uint32_t> cpuReferenceCount{0};
    std::atomic<uint32_t> cpuIdleCount{0};

    // Single read: the address whose answer ends the wait, valid while waiting is set.
    // The reader writes both before it sends; the handler clears waiting.
    std::atomic<uint32_t> awaitedAddress{0};
    std::atomic<bool> singleReadWaiting{false};
};

}  // namespace hesk::link
