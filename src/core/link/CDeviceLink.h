#pragma once
// The one communication object of a session: it opens the serial port or the UDP socket,
// sends frames with their check byte, runs exactly one reader thread at a time, keeps
// the received bytes in its rings, cuts them into frames and hands each frame to the
// dispatch table. It carries the reply event and ReplyStatus through which a sender
// waits for an answer. It knows nothing of parameters.
//
// Threads:
//   owning thread (the UI thread): construction, open, close, thread start and stop,
//     extractFrames (posted by the monitoring thread), dispatchFrameRing (10 ms timer);
//     stopping a reader thread keeps this thread's events other than user input flowing
//     while it waits. A queued call that runs inside that wait and asks to open, close,
//     start or stop is refused (a "<错误>" log line and a false result): nothing is ever
//     half done, and a thread is never started over one that has not ended
//   connection thread (serial, while connecting, identifying and serving single
//     requests): reads, parses boot/block/command frames, dispatches on itself
//   monitoring thread (serial, online): reads into the receive ring, posts extraction
//     to the owning thread, parses nothing
//   UDP receive thread (Ethernet): receives datagrams, scans and dispatches on itself
//   SendFrame and SendAndWait may be called from any thread.
//
// Lifetime: the dispatch table is set once after construction and must outlive the
// link's reader threads; the link stops its reader thread in close() and on destruction.

#include "FaultDataStore.h"
#include "FrameDispatchTable.h"
#include "FrameSender.h"
#include "LinkState.h"
#include "LinkTransport.h"
#include "ReceivePipeline.h"
#include "StopSignal.h"
#include "UdpTransport.h"
#include "model/LogSink.h"

#include <QObject>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace hesk::link {

enum class LinkMode : int32_t { NotOpened = 0, Serial = 1, Udp = 2 };

enum class ReaderThread { None, Connection, Monitoring, UdpReceive };

class CDeviceLink final : public QObject, public FrameSender {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kDispatchInterval{10};

    explicit CDeviceLink(model::LogSink& log, UdpEndpoints endpoints = {}, QObject* parent = nullptr);
    ~CDeviceLink() override;

    // Set once, before any reader thread runs.
    void setDispatchTable(FrameDispatchTable* table) { m_table = table; }

    // Opens the serial port (a device path such as /dev/ttyUSB0 or a pseudo-terminal
    // path) at the baud rate given as decimal text, 8N1. A serial port already open is
    // closed first (its reader thread is left to the caller). On failure ReplyStatus 3.
    // Refused while a reader thread is being stopped.
    bool openSerial(const QString& portPath, const QString& baudText);
    // Creates the UDP socket bound to the local endpoint. Fails with ReplyStatus 3 when
    // a socket is already open or the socket cannot be made or bound. Refused while a
    // reader thread is being stopped.
    bool openUdp();
    // Stops the reader thread, closes the port or socket, clears the online, thread and
    // connect flags and empties the receive and frame rings. The link stays usable.
    // False, with nothing changed, when refused because a reader thread is being stopped.
    bool close();

    // Writes the XOR of bytes 0..size-2 into the last byte and sends the frame by the open
    // mode. Returns 0, or an errno value; 0 without sending when the mode is neither
    // serial nor UDP. A frame of fewer than 2 bytes is refused with EINVAL.
    int SendFrame(std::span<uint8_t> frame) override;

    // Sets ReplyStatus to 1, then up to `attempts` times: seal, reset the reply event,
    // call `arm` (when given), send (a send error is not reported), wait for the reply
    // event up to `timeout`; stops once ReplyStatus is no longer 1. The wait blocks the
    // calling thread (no pumping): the answer must be dispatched by a reader thread. Read
    // replyStatus() afterwards.
    // `arm` tells the reply handlers what answer to wake on (a single read's awaited
    // address). It runs after the reset, in every attempt: an answer that arrives as soon
    // as it is armed wakes this wait and is never wiped out by the reset, and an answer
    // that disarmed it late in one attempt does not leave the next attempts blind.
    void SendAndWait(std::span<uint8_t, kCommandFrameSize> frame, int attempts, std::chrono::milliseconds timeout,
                     const std::function<void()>& arm = {});

    // Reader threads. Starting one stops a reader thread still running (exactly one runs at
    // a time) and returns once the new thread has purged the port and listens, so an
    // answer to a request sent right after the start is never purged. The stop operations
    // clear their flags, signal the thread, wait for it while keeping the owning thread's
    // events other than user input flowing, and empty the rings they name.
    // Every one of them returns false, with a "<错误>" log line and nothing changed, when
    // called while a reader thread is being stopped (from a queued call that runs inside
    // that wait). A start also fails when the stop signal could not be created: a thread
    // that could never be stopped is not started.
    bool startConnectionThread();
    bool startMonitoringThread();
    bool startUdpReceiveThread();
    bool stopConnectionThread();    // empties the receive ring
    bool stopMonitoringThread();    // empties the receive ring and the frame ring
    bool stopReaderThread();        // whichever runs, with the matching stop operation
    ReaderThread readerThread() const { return m_readerKind; }
    // True while a stop operation waits for its reader thread to end.
    bool stoppingReader() const { return m_stoppingReader; }

    // Monitoring mode, owning thread: move frames from the receive ring into the frame
    // ring (on the monitoring thread's notification) and dispatch the frame ring (timer
    // 2, every 10 ms, while the dispatch timer runs).
    void extractFrames();
    int dispatchFrameRing();
    // While set (a trigger recording exchanges frame by frame with the drive), frames the
    // monitoring thread posts are dispatched as soon as they are cut out, not at the next
    // 10 ms tick: each data-information echo then leaves at once. Any thread.
    void setImmediateDispatch(bool on) { m_immediateDispatch.store(on); }
    bool immediateDispatch() const { return m_immediateDispatch.load(); }
    void startDispatchTimer();
    void stopDispatchTimer();
    bool dispatchTimerActive() const { return m_dispatchTimer.isActive(); }

    // Routes one frame through the dispatch table; true if a handler ran.
    bool dispatch(uint8_t routingCode, std::span<const uint8_t> frame);

    LinkState& state() { return m_state; }
    ReplyStatus replyStatus() const { return m_state.replyStatus.load(); }
    LinkMode mode() const { return m_mode.load(); }
    void setMode(LinkMode mode) { m_mode.store(mode); }
    FaultDataStore& faultData() { return m_faultData; }
    ReceivePipeline& receivePipeline() { return m_pipeline; }
    const UdpEndpoints& endpoints() const { return m_endpoints; }
    // The endpoints of the next openUdp (the settings are read again at every connect).
    void setEndpoints(UdpEndpoints endpoints) { m_endpoints = std::move(endpoints); }
    // The local UDP port actually bound (differs from the configured one only for 0).
    quint16 boundUdpPort() const;

    // The open transport, for a bulk transfer that owns the line while no reader thread
    // runs (the parameter download's block transfer reads its echoes itself); nullptr
    // when closed. The caller must stop its own use before the link is closed.
    std::shared_ptr<LinkTransport> rawTransport() const { return transport(); }

private:
    class DispatchSink final : public FrameSink {
    public:
        explicit DispatchSink(CDeviceLink& link) : m_link(link) {}
        void frameFound(uint8_t routingCode, std::span<const uint8_t> frame) override
        {
            m_link.dispatch(routingCode, frame);
        }

    private:
        CDeviceLink& m_link;
    };

    std::shared_ptr<LinkTransport> transport() const;
    void setTransport(std::shared_ptr<LinkTransport> transport);
    void closeTransport();

    bool startReader(ReaderThread kind);
    void joinReader(bool pumping);
    // Logs the refusal and returns true while a reader thread is being stopped.
    bool refusedWhileStopping(const char* request);
    void runConnectionThread(std::shared_ptr<LinkTransport> transport);
    void runMonitoringThread(std::shared_ptr<LinkTransport> transport);
    void runUdpReceiveThread(std::shared_ptr<LinkTransport> transport);
    // Waits for data or the stop signal; false when the thread must end.
    bool waitForData(const LinkTransport& transport);
    void postExtraction();
    // The owning thread's side of postExtraction. It is posted by name, not as a functor:
    // a posted functor is freed by whichever thread drops it last, counted inside Qt where
    // the thread sanitizer cannot see the order, so every such call would read as a race.
    Q_INVOKABLE void extractPostedFrames();

    model::LogSink& m_log;
    UdpEndpoints m_endpoints;
    LinkState m_state;
    std::atomic<LinkMode> m_mode{LinkMode::NotOpened};
    FrameDispatchTable* m_table = nullptr;
    DispatchSink m_sink{*this};

    mutable std::mutex m_transportLock;
    std::shared_ptr<LinkTransport> m_transport;

    ReceivePipeline m_pipeline;
    FaultDataStore m_faultData;
    QTimer m_dispatchTimer;

    std::thread m_reader;
    ReaderThread m_readerKind = ReaderThread::None;
    bool m_stoppingReader = false;
    StopSignal m_stop;
    ManualResetEvent m_readerReady;
    ManualResetEvent m_readerEnded;
    std::atomic<bool> m_extractionPosted{false};
    std::atomic<bool> m_immediateDispatch{false};
};

}  // namespace hesk::link
