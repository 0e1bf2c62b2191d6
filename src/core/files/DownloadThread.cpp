#include "DownloadThread.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>

namespace hesk::files {

bool DownloadThread::start(std::shared_ptr<link::LinkTransport> transport, QByteArray image,
                           DownloadThreadEvents events)
{
    stop();
    if (!m_stop.valid() || !transport || !transport->isOpen())
        return false;
    m_stop.consume();
    m_thread = std::thread([this, transport = std::move(transport), image = std::move(image),
                            events = std::move(events)]() mutable { run(std::move(transport), std::move(image), std::move(events)); });
    return true;
}

void DownloadThread::stop()
{
    if (!m_thread.joinable())
        return;
    m_stop.signal();
    m_thread.join();
    m_stop.consume();
}

void DownloadThread::run(std::shared_ptr<link::LinkTransport> transport, QByteArray image, DownloadThreadEvents events)
{
    DownloadTransfer transfer(std::move(image));
    auto sendAll = [&](const QByteArray& bytes) {
        if (bytes.isEmpty())
            return 0;
        return transport->send({reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())});
    };
    transport->purgeReceive();  // nothing before the first block belongs to the transfer
    if (const int error = sendAll(transfer.start()); error != 0) {
        events.failed(error);
        return;
    }
    uint8_t buffer[512];
    pollfd fds[2] = {{m_stop.descriptor(), POLLIN, 0}, {transport->descriptor(), POLLIN, 0}};
    std::size_t reported = 0;
    int repeats = 0;
    for (;;) {
        const int ready = ::poll(fds, 2, -1);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || (fds[0].revents & POLLIN) != 0)
            return;  // stopped
        if ((fds[1].revents & POLLIN) == 0) {
            if ((fds[1].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
                events.failed(EIO);
                m_stop.wait(-1);
                return;
            }
            continue;
        }
        const long n = transport->receive(buffer);
        if (n < 0 && n != -EAGAIN) {
            events.failed(static_cast<int>(-n));
            m_stop.wait(-1);
            return;
        }
        if (n <= 0)
            continue;
        const QByteArray reply = transfer.received({buffer, static_cast<std::size_t>(n)});
        if (transfer.repeats() != repeats) {
            repeats = transfer.repeats();
            events.repeated();
        }
        if (const int error = sendAll(reply); error != 0) {
            events.failed(error);
            return;
        }
        // Progress is what the drive acknowledged: a repeated block moves nothing, so a
        // drive that never echoes right runs into the silence time-out.
        const std::size_t acknowledged =
            std::min(static_cast<std::size_t>(transfer.blocksAcknowledged()) * DownloadTransfer::kBlockSize,
                     transfer.imageSize());
        if (acknowledged != reported) {
            reported = acknowledged;
            events.progress(reported, transfer.imageSize());
        }
        if (transfer.finished()) {
            events.finished();
            return;
        }
    }
}

}  // namespace hesk::files
