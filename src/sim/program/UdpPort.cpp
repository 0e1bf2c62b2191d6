#include "UdpPort.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace hesk::sim {

std::unique_ptr<UdpPort> UdpPort::open(const QString& address, uint16_t port, QString* error)
{
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    if (::inet_pton(AF_INET, address.toLatin1().constData(), &local.sin_addr) != 1) {
        *error = QStringLiteral("not an IPv4 address: %1").arg(address);
        return nullptr;
    }
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        *error = QStringLiteral("socket: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return nullptr;
    }
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        *error = QStringLiteral("bind %1:%2: %3").arg(address).arg(port).arg(QString::fromLocal8Bit(std::strerror(errno)));
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<UdpPort>(new UdpPort(fd));
}

UdpPort::~UdpPort()
{
    ::close(m_fd);
}

long UdpPort::receive(std::span<uint8_t> buffer)
{
    sockaddr_in from{};
    socklen_t length = sizeof from;
    const ssize_t n = ::recvfrom(m_fd, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &length);
    if (n < 0)
        return errno == EAGAIN || errno == EINTR ? 0 : -1;
    m_peer = from;
    m_hasPeer = true;
    return n;
}

void UdpPort::send(std::span<const uint8_t> datagram)
{
    if (!m_hasPeer)
        return;
    ::sendto(m_fd, datagram.data(), datagram.size(), 0, reinterpret_cast<const sockaddr*>(&m_peer), sizeof m_peer);
}

}  // namespace hesk::sim
