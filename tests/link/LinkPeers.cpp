#include "LinkPeers.h"

#include "link/FrameScanner.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace hesk::link::test {

namespace {

// Every link test runs with a Qt application (timers, queued calls, event loops).
class QtApplicationEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_link";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QCoreApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QCoreApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace

bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer check;
    check.setInterval(2);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    check.start();
    loop.exec();
    return done();
}

// ---- serial -------------------------------------------------------------------------

SerialPeer::SerialPeer()
{
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    // Raw at once, before the link opens the slave: no byte may be changed on its way.
    termios settings{};
    ::tcgetattr(m_slave, &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(m_slave, TCSANOW, &settings);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_slavePath = name;
}

SerialPeer::~SerialPeer()
{
    stop();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
}

void SerialPeer::start(Responder responder)
{
    m_responder = std::move(responder);
    m_thread = std::thread([this] { run(); });
}

void SerialPeer::stop()
{
    if (!m_thread.joinable())
        return;
    m_stop.signal();
    m_thread.join();
}

void SerialPeer::write(std::span<const uint8_t> bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n < 0 && errno == EAGAIN) {
            pollfd fd{m_master, POLLOUT, 0};
            ::poll(&fd, 1, 100);
        } else if (n < 0 && errno != EINTR) {
            return;
        }
    }
}

std::vector<PeerBytes> SerialPeer::received() const
{
    const std::lock_guard guard(m_lock);
    return m_received;
}

void SerialPeer::hangUp()
{
    stop();
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

void SerialPeer::run()
{
    pollfd fds[2] = {{m_stop.descriptor(), POLLIN, 0}, {m_master, POLLIN, 0}};
    uint8_t buffer[4096];
    for (;;) {
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            return;
        if (fds[0].revents & POLLIN) {
            m_stop.consume();
            return;
        }
        if (!(fds[1].revents & POLLIN))
            continue;
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            continue;
        m_pending.insert(m_pending.end(), buffer, buffer + n);
        std::vector<PeerBytes> answers;
        const size_t used = scanSerialFrames(m_pending, [&](uint8_t code, std::span<const uint8_t> frame) {
            {
                const std::lock_guard guard(m_lock);
                m_received.emplace_back(frame.begin(), frame.end());
            }
            if (m_responder)
                for (PeerBytes& answer : m_responder(code, frame))
                    answers.push_back(std::move(answer));
        });
        m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<long>(used));
        for (const PeerBytes& answer : answers)
            write(answer);
    }
}

// ---- UDP ----------------------------------------------------------------------------

UdpPeer::UdpPeer(const char* address)
{
    m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (m_fd < 0)
        return;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = 0;
    ::inet_pton(AF_INET, address, &local.sin_addr);
    socklen_t length = sizeof local;
    if (::bind(m_fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0
        || ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_port = ntohs(local.sin_port);
}

UdpPeer::~UdpPeer()
{
    stop();
    if (m_fd >= 0)
        ::close(m_fd);
}

void UdpPeer::start(Responder responder)
{
    m_responder = std::move(responder);
    m_thread = std::thread([this] { run(); });
}

void UdpPeer::stop()
{
    if (!m_thread.joinable())
        return;
    m_stop.signal();
    m_thread.join();
}

std::vector<PeerBytes> UdpPeer::received() const
{
    const std::lock_guard guard(m_lock);
    return m_received;
}

void UdpPeer::sendToLink(std::span<const uint8_t> datagram)
{
    std::vector<uint8_t> address;
    {
        const std::lock_guard guard(m_lock);
        address = m_linkAddress;
    }
    if (address.empty())
        return;
    ::sendto(m_fd, datagram.data(), datagram.size(), 0, reinterpret_cast<const sockaddr*>(address.data()),
             static_cast<socklen_t>(address.size()));
}

void UdpPeer::run()
{
    pollfd fds[2] = {{m_stop.descriptor(), POLLIN, 0}, {m_fd, POLLIN, 0}};
    std::vector<uint8_t> buffer(65536);
    for (;;) {
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            return;
        if (fds[0].revents & POLLIN) {
            m_stop.consume();
            return;
        }
        if (!(fds[1].revents & POLLIN))
            continue;
        sockaddr_in source{};
        socklen_t sourceLength = sizeof source;
        const ssize_t n = ::recvfrom(m_fd, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&source),
                                     &sourceLength);
        if (n < 0)
            continue;
        const PeerBytes datagram(buffer.begin(), buffer.begin() + n);
        {
            const std::lock_guard guard(m_lock);
            m_received.push_back(datagram);
            const auto* raw = reinterpret_cast<const uint8_t*>(&source);
            m_linkAddress.assign(raw, raw + sourceLength);
        }
        if (!m_responder || datagram.size() < 2)
            continue;
        // The tool sends 8-byte command frames (and the F5 connect request) as datagrams.
        const uint8_t routing = datagram[0] == kDatagramStart && datagram.size() > 3 ? datagram[3] : datagram[1];
        for (const PeerBytes& answer : m_responder(routing, datagram))
            ::sendto(m_fd, answer.data(), answer.size(), 0, reinterpret_cast<const sockaddr*>(&source), sourceLength);
    }
}

}  // namespace hesk::link::test
