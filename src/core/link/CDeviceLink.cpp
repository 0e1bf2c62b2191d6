#include "CDeviceLink.h"

#include "PumpedWait.h"
#include "SerialTransport.h"

#include <cerrno>
#include <poll.h>

namespace hesk::link {

namespace {

constexpr size_t kConnectionReadBufferSize = 5120;
constexpr size_t kMonitoringReadChunk = 4096;
constexpr size_t kDatagramBufferSize = 1024 * 1024;
constexpr int kUdpErrorPauseMs = 500;
constexpr int kErrorLevel = 3;

}  // namespace

CDeviceLink::CDeviceLink(model::LogSink& log, UdpEndpoints endpoints, QObject* parent)
    : QObject(parent)
    , m_log(log)
    , m_endpoints(std::move(endpoints))
{
    m_dispatchTimer.setInterval(kDispatchInterval);
    connect(&m_dispatchTimer, &QTimer::timeout, this, [this] { dispatchFrameRing(); });
}

CDeviceLink::~CDeviceLink()
{
    m_dispatchTimer.stop();
    m_state.udpRunning.store(false);
    joinReader(false);  // no event processing inside the destructor
    closeTransport();
}

bool CDeviceLink::refusedWhileStopping(const char* request)
{
    if (!m_stoppingReader)
        return false;
    m_log.log(QStringLiteral("<错误>接收线程正在停止，不能%1").arg(QString::fromUtf8(request)), kErrorLevel);
    return true;
}

std::shared_ptr<LinkTransport> CDeviceLink::transport() const
{
    const std::lock_guard guard(m_transportLock);
    return m_transport;
}

void CDeviceLink::setTransport(std::shared_ptr<LinkTransport> transport)
{
    const std::lock_guard guard(m_transportLock);
    m_transport = std::move(transport);
}

void CDeviceLink::closeTransport()
{
    std::shared_ptr<LinkTransport> closing;
    {
        const std::lock_guard guard(m_transportLock);
        closing = std::move(m_transport);
    }
    if (closing)
        closing->close();
}

bool CDeviceLink::openSerial(const QString& portPath, const QString& baudText)
{
    // The thread being stopped may still wait on the descriptor that would be replaced.
    if (refusedWhileStopping("打开端口"))
        return false;
    if (mode() == LinkMode::Serial)
        closeTransport();
    bool numeric = false;
    const int baud = baudText.trimmed().toInt(&numeric);
    std::unique_ptr<SerialTransport> serial;
    if (numeric)
        serial = SerialTransport::open(portPath, baud);
    if (!serial) {
        m_state.replyStatus.store(ReplyStatus::LinkNotOpened);
        return false;
    }
    setTransport(std::move(serial));
    m_mode.store(LinkMode::Serial);
    m_state.replyStatus.store(ReplyStatus::Success);
    return true;
}

bool CDeviceLink::openUdp()
{
    if (refusedWhileStopping("打开端口"))
        return false;
    if (mode() == LinkMode::Udp && transport()) {
        m_state.replyStatus.store(ReplyStatus::LinkNotOpened);
        return false;
    }
    if (transport())
        close();  // a serial port still open: leave serial mode cleanly first
    std::unique_ptr<UdpTransport> udp = UdpTransport::open(m_endpoints);
    if (!udp) {
        m_state.replyStatus.store(ReplyStatus::LinkNotOpened);
        return false;
    }
    setTransport(std::move(udp));
    m_mode.store(LinkMode::Udp);
    m_state.replyStatus.store(ReplyStatus::Success);
    return true;
}

bool CDeviceLink::close()
{
    if (refusedWhileStopping("关闭端口"))
        return false;
    m_dispatchTimer.stop();
    m_state.udpRunning.store(false);
    stopReaderThread();
    m_state.online.store(false);
    m_state.monitoringThreadRunning.store(false);
    m_state.connectionThreadRunning.store(false);
    m_state.connectInProgress.store(false);
    // The thread has ended before the descriptor goes: no thread ever waits on a closed
    // (or reused) descriptor.
    closeTransport();
    m_pipeline.clearReceived();
    m_pipeline.clearFrames();
    return true;
}

int CDeviceLink::SendFrame(std::span<uint8_t> frame)
{
    if (frame.size() < 2)
        return EINVAL;
    sealFrame(frame);
    const LinkMode current = mode();
    if (current != LinkMode::Serial && current != LinkMode::Udp)
        return 0;
    const std::shared_ptr<LinkTransport> open = transport();
    if (!open)
        return EBADF;
    return open->send(frame);
}

void CDeviceLink::SendAndWait(std::span<uint8_t, kCommandFrameSize> frame, int attempts,
                              std::chrono::milliseconds timeout, const std::function<void()>& arm)
{
    m_state.replyStatus.store(ReplyStatus::Pending);
    for (int attempt = 0; attempt < attempts; ++attempt) {
        m_state.replyEvent.reset();
        if (arm)
            arm();
        SendFrame(frame);
        m_state.replyEvent.waitFor(timeout);
        if (m_state.replyStatus.load() != ReplyStatus::Pending)
            break;
    }
}

// ---- reader threads ----------------------------------------------------------------

bool CDeviceLink::startConnectionThread()
{
    return startReader(ReaderThread::Connection);
}

bool CDeviceLink::startMonitoringThread()
{
    return startReader(ReaderThread::Monitoring);
}

bool CDeviceLink::startUdpReceiveThread()
{
    return startReader(ReaderThread::UdpReceive);
}

bool CDeviceLink::startReader(ReaderThread kind)
{
    if (!m_stop.valid()) {
        // Without its stop signal a reader thread could never be told to end, and every
        // stop would wait for it for ever.
        m_log.log(QStringLiteral("<错误>停止信号创建失败，不能启动接收线程"), kErrorLevel);
        return false;
    }
    if (refusedWhileStopping("启动接收线程"))
        return false;
    if (m_reader.joinable() && (!stopReaderThread() || m_reader.joinable())) {
        m_log.log(QStringLiteral("<错误>接收线程未能停止，不能启动接收线程"), kErrorLevel);
        return false;
    }
    m_stop.consume();  // a stale stop signal must not end the new thread at once
    m_readerEnded.reset();
    m_readerReady.reset();
    std::shared_ptr<LinkTransport> open = transport();
    m_readerKind = kind;
    switch (kind) {
    case ReaderThread::Connection:
        m_state.connectionThreadRunning.store(true);
        m_reader = std::thread([this, open] { runConnectionThread(open); });
        break;
    case ReaderThread::Monitoring:
        m_state.monitoringThreadRunning.store(true);
        m_reader = std::thread([this, open] { runMonitoringThread(open); });
        break;
    case ReaderThread::UdpReceive:
        m_state.udpRunning.store(true);
        m_reader = std::thread([this, open] { runUdpReceiveThread(open); });
        break;
    case ReaderThread::None:
        return true;
    }
    m_readerReady.wait();
    return true;
}

void CDeviceLink::joinReader(bool pumping)
{
    // The public operations refuse to come here while a stop runs; the destructor comes
    // here regardless, and must not leave a joinable thread behind.
    if (!m_reader.joinable())
        return;
    m_stoppingReader = true;
    m_stop.signal();
    // Events the ending thread posted (frame extraction) and the owning thread's timers
    // are still handled; user input waits until the stop is over.
    if (pumping)
        waitPumping(m_readerEnded);
    m_reader.join();
    m_readerKind = ReaderThread::None;
    m_stoppingReader = false;
}

bool CDeviceLink::stopConnectionThread()
{
    if (refusedWhileStopping("停止接收线程"))
        return false;
    m_state.connectionThreadRunning.store(false);
    m_state.connectInProgress.store(false);
    joinReader(true);
    m_pipeline.clearReceived();
    return true;
}

bool CDeviceLink::stopMonitoringThread()
{
    if (refusedWhileStopping("停止接收线程"))
        return false;
    m_state.monitoringThreadRunning.store(false);
    joinReader(true);
    m_pipeline.clearReceived();
    m_pipeline.clearFrames();
    return true;
}

bool CDeviceLink::stopReaderThread()
{
    if (refusedWhileStopping("停止接收线程"))
        return false;
    switch (m_readerKind) {
    case ReaderThread::Connection:
        return stopConnectionThread();
    case ReaderThread::Monitoring:
        return stopMonitoringThread();
    case ReaderThread::UdpReceive:
        m_state.udpRunning.store(false);
        joinReader(true);
        return true;
    case ReaderThread::None:
        break;
    }
    return true;
}

bool CDeviceLink::waitForData(const LinkTransport& transport)
{
    pollfd fds[2] = {{m_stop.descriptor(), POLLIN, 0}, {transport.descriptor(), POLLIN, 0}};
    for (;;) {
        const int ready = ::poll(fds, 2, -1);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || (fds[0].revents & POLLIN) != 0) {
            m_stop.consume();
            return false;
        }
        if ((fds[1].revents & POLLIN) != 0)
            return true;
        if ((fds[1].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            // The port failed (a pseudo-terminal whose other end went away): nothing more
            // will come; wait for the stop signal instead of spinning.
            m_stop.wait(-1);
            return false;
        }
    }
}

void CDeviceLink::runConnectionThread(std::shared_ptr<LinkTransport> open)
{
    m_log.log(QStringLiteral("开启连接线程"), 1);
    if (open && open->isOpen()) {
        open->purgeReceive();
        std::unique_ptr<uint8_t[]> buffer(new uint8_t[kConnectionReadBufferSize]);
        m_readerReady.set();
        while (waitForData(*open)) {
            const long n = open->receive({buffer.get(), kConnectionReadBufferSize});
            if (n > 0) {
                m_pipeline.putReceived({buffer.get(), static_cast<size_t>(n)});
                m_pipeline.parseSerialFrames(m_sink);
            } else if (n != -EAGAIN) {
                // Read error, or end of file after a readable wake-up (the other end of a
                // pseudo-terminal went away): wait to be stopped; the port is reopened.
                m_stop.wait(-1);
                break;
            }
        }
    } else {
        m_readerReady.set();
        m_stop.wait(-1);
    }
    m_log.log(QStringLiteral("结束连接线程"), 1);
    m_readerEnded.set();
}

void CDeviceLink::runMonitoringThread(std::shared_ptr<LinkTransport> open)
{
    m_log.log(QStringLiteral("开启跟踪监听线程"), 1);
    if (open && open->isOpen()) {
        open->purgeReceive();
        std::unique_ptr<uint8_t[]> buffer(new uint8_t[kMonitoringReadChunk]);
        m_readerReady.set();
        bool failed = false;
        while (!failed && waitForData(*open)) {
            bool received = false;
            for (;;) {  // everything queued, at most 4096 bytes per read
                const long n = open->receive({buffer.get(), kMonitoringReadChunk});
                if (n <= 0) {
                    // An error, or end of file right after a readable wake-up.
                    failed = n < 0 ? n != -EAGAIN : !received;
                    break;
                }
                m_pipeline.putReceived({buffer.get(), static_cast<size_t>(n)});
                received = true;
            }
            if (received)
                postExtraction();
        }
        if (failed)
            m_stop.wait(-1);
    } else {
        m_readerReady.set();
        m_stop.wait(-1);
    }
    m_log.log(QStringLiteral("结束跟踪监听线程"), 1);
    m_readerEnded.set();
}

void CDeviceLink::runUdpReceiveThread(std::shared_ptr<LinkTransport> open)
{
    m_log.log(QStringLiteral("开启连接线程"), 1);
    if (open && open->isOpen()) {
        std::unique_ptr<uint8_t[]> buffer(new uint8_t[kDatagramBufferSize]);
        m_readerReady.set();
        while (m_state.udpRunning.load() && waitForData(*open)) {
            for (;;) {
                const long n = open->receive({buffer.get(), kDatagramBufferSize});
                if (n == -EAGAIN)
                    break;
                if (n < 0) {
                    // A receive error: pause half a second, or less if stopped meanwhile.
                    if (m_stop.wait(kUdpErrorPauseMs))
                        m_state.udpRunning.store(false);
                    break;
                }
                scanDatagram({buffer.get(), static_cast<size_t>(n)},
                             [this](uint8_t routing, std::span<const uint8_t> frame) {
                                 dispatch(routing, datagramDispatchBytes(frame));
                             });
            }
        }
    } else {
        m_readerReady.set();
        m_stop.wait(-1);
    }
    m_log.log(QStringLiteral("结束连接线程"), 1);
    m_readerEnded.set();
}

void CDeviceLink::postExtraction()
{
    // One notification at a time: the extraction takes everything held when it runs.
    if (m_extractionPosted.exchange(true))
        return;
    QMetaObject::invokeMethod(this, "extractPostedFrames", Qt::QueuedConnection);
}

void CDeviceLink::extractPostedFrames()
{
    m_extractionPosted.store(false);
    extractFrames();
    if (m_immediateDispatch.load())
        dispatchFrameRing();
}

// ---- monitoring mode on the owning thread --------------------------------------------

void CDeviceLink::extractFrames()
{
    m_pipeline.extractFrames();
}

int CDeviceLink::dispatchFrameRing()
{
    return m_pipeline.dispatchFrameRing(m_sink);
}

void CDeviceLink::startDispatchTimer()
{
    m_dispatchTimer.start();
}

void CDeviceLink::stopDispatchTimer()
{
    m_dispatchTimer.stop();
}

bool CDeviceLink::dispatch(uint8_t routingCode, std::span<const uint8_t> frame)
{
    return m_table != nullptr && m_table->dispatch(routingCode, frame);
}

quint16 CDeviceLink::boundUdpPort() const
{
    const std::shared_ptr<LinkTransport> open = transport();
    const auto* udp = dynamic_cast<const UdpTransport*>(open.get());
    return udp != nullptr ? udp->boundPort() : 0;
}

}  // namespace hesk::link
