#include "UdpTransport.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace hesk::link {

namespace {

sockaddr_in socketAddress(const QHostAddress& address, quint16 port)
{
    sockaddr_in result{};
    result.sin_family = AF_INET;
    result.sin_port = htons(port);
    result.sin_addr.s_addr = htonl(address.toIPv4Address());
    return result;
}

}  // namespace

std::unique_ptr<UdpTransport> UdpTransport::open(const UdpEndpoints& endpoints, int* error)
{
    auto fail = [error](int code) {
        if (error != nullptr)
            *error = code;
        return nullptr;
    };
    if (endpoints.localAddress.protocol() != QAbstractSocket::IPv4Protocol
        || endpoints.remoteAddress.protocol() != QAbstractSocket::IPv4Protocol)
        return fail(EAFNOSUPPORT);
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return fail(errno);
    const sockaddr_in local = socketAddress(endpoints.localAddress, endpoints.localPort);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        const int code = errno;
        ::close(fd);
        return fail(code);
    }
    const int bufferBytes = kReceiveBufferBytes;
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &bufferBytes, sizeof bufferBytes);
    if (error != nullptr)
        *error = 0;
    return std::unique_ptr<UdpTransport>(new UdpTransport(fd, endpoints));
}

UdpTransport::UdpTransport(int fd, const UdpEndpoints& endpoints)
    : m_fd(fd)
    , m_endpoints(endpoints)
{
}

UdpTransport::~UdpTransport()
{
    close();
}

int UdpTransport::send(std::span<const uint8_t> bytes)
{
    const int fd = m_fd.load();
    if (fd < 0)
        return EBADF;
    const sockaddr_in remote = socketAddress(m_endpoints.remoteAddress, m_endpoints.remotePort);
    for (;;) {
        const ssize_t sent = ::sendto(fd, bytes.data(), bytes.size(), 0,
                                      reinterpret_cast<const sockaddr*>(&remote), sizeof remote);
        if (sent >= 0)
            return 0;
        if (errno != EINTR)
            return errno;
    }
}

long UdpTransport::receive(std::span<uint8_t> buffer)
{
    const int fd = m_fd.load();
    if (fd < 0)
        return -EBADF;
    const sockaddr_in remote = socketAddress(m_endpoints.remoteAddress, m_endpoints.remotePort);
    for (;;) {
        sockaddr_in source{};
        socklen_t sourceLength = sizeof source;
        const ssize_t n = ::recvfrom(fd, buffer.data(), buffer.size(), MSG_DONTWAIT,
                                     reinterpret_cast<sockaddr*>(&source), &sourceLength);
        if (n < 0) {
            if (errno != EINTR)
                return -errno;
            continue;
        }
        // Only the device may answer: a datagram from any other address or port (another
        // host on the network, another program on this machine) could otherwise inject
        // values or confirm a write that the device never saw. It is dropped unread and
        // the next datagram taken; an empty queue ends the call with EAGAIN as usual.
        if (sourceLength < static_cast<socklen_t>(sizeof source) || source.sin_family != AF_INET
            || source.sin_addr.s_addr != remote.sin_addr.s_addr || source.sin_port != remote.sin_port) {
            m_foreignDatagrams.fetch_add(1);
            continue;
        }
        return static_cast<long>(n);
    }
}

void UdpTransport::close()
{
    const int fd = m_fd.exchange(-1);
    if (fd >= 0)
        ::close(fd);
}

quint16 UdpTransport::boundPort() const
{
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    if (m_fd < 0 || ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&bound), &length) != 0)
        return 0;
    return ntohs(bound.sin_port);
}

}  // namespace hesk::link
