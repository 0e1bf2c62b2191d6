#pragma once
// The thread of a parameter download's block transfer on the serial line: it sends the
// blocks and control bytes and does the blocking reads of their echoes while the link's
// own reader thread is stopped. It owns the transfer's position; it reports through the
// callbacks, which run on this thread and must only post to their owner's thread.
//
// stop() may be called at any time from the owning thread; it returns once the thread
// ended. Destruction stops it.

#include "DownloadTransfer.h"

#include "link/LinkTransport.h"
#include "link/StopSignal.h"

#include <QByteArray>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace hesk::files {

struct DownloadThreadEvents {
    // Bytes of the image the drive acknowledged so far (blocks echoed right and confirmed).
    std::function<void(std::size_t position, std::size_t total)> progress;
    std::function<void()> repeated;          // an echo differed: the block goes again
    std::function<void()> finished;          // the end byte came back
    std::function<void(int error)> failed;   // a send or read failed (errno)
};

class DownloadThread {
public:
    DownloadThread() = default;
    ~DownloadThread() { stop(); }
    DownloadThread(const DownloadThread&) = delete;
    DownloadThread& operator=(const DownloadThread&) = delete;

    // False when the stop signal could not be made or the transport is not open.
    bool start(std::shared_ptr<link::LinkTransport> transport, QByteArray image, DownloadThreadEvents events);
    void stop();
    bool running() const { return m_thread.joinable(); }

private:
    void run(std::shared_ptr<link::LinkTransport> transport, QByteArray image, DownloadThreadEvents events);

    link::StopSignal m_stop;
    std::thread m_thread;
};

}  // namespace hesk::files
