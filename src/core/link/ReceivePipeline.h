#pragma once
// The serial receive path of the link without its threads: the receive ring (raw bytes
// from the port), the frame ring (whole frames found in monitoring mode, waiting for the
// 10 ms dispatch) and the steps that move bytes between them. All buffers are allocated
// in the constructor; nothing is allocated per read or per frame.
//
// Threads:
//   putReceived            any reader thread; takes the lock
//   parseSerialFrames      serial connection thread; handlers run on it, outside the lock
//   extractFrames          UI thread (receive notification)
//   dispatchFrameRing      UI thread (timer 2); handlers run on it
//   clear*                 any thread while the other side is quiet (stopping a reader)
// The frame ring is touched only by the UI thread and has no lock.

#include "FrameScanner.h"
#include "RingBuffer.h"

#include <memory>
#include <mutex>

namespace hesk::link {

class ReceivePipeline {
public:
    static constexpr int32_t kReceiveRingSize = 10240;
    static constexpr int32_t kFrameRingSize = 5120;

    ReceivePipeline();

    // Puts bytes read from the port into the receive ring under the lock; bytes beyond a
    // full ring are dropped. Returns how many were stored.
    int32_t putReceived(std::span<const uint8_t> bytes);

    // Connection thread: cuts boot, long boot, block and command frames out of the
    // receive ring and hands each to the sink; returns the number of frames.
    int32_t parseSerialFrames(FrameSink& sink);

    // UI thread: copies the receive ring, cuts command, trace and block frames out of the
    // copy into the frame ring (a frame that does not fit whole is dropped whole) and
    // takes the scanned bytes from the receive ring. Returns the number of frames.
    int32_t extractFrames();

    // UI thread: hands every frame held in the frame ring to the sink in arrival order,
    // then empties what it walked. Returns the number of frames.
    int32_t dispatchFrameRing(FrameSink& sink);

    void clearReceived();
    void clearFrames();

    int32_t receivedCount() const;
    int32_t frameRingCount() const { return m_frames.count(); }
    // Frames dropped because the frame ring had no room for them.
    int64_t droppedFrames() const { return m_droppedFrames; }

private:
    // Copies the receive ring into `scratch` under the lock; returns the byte count.
    int32_t copyReceived(uint8_t* scratch);
    void takeReceived(int32_t n);

    mutable std::mutex m_lock;
    RingBuffer m_received;
    RingBuffer m_frames;
    std::unique_ptr<uint8_t[]> m_connectionScratch;
    std::unique_ptr<uint8_t[]> m_extractionScratch;
    int64_t m_droppedFrames = 0;
};

}  // namespace hesk::link
