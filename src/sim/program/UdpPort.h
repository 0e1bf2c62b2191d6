#pragma once
// The simulated drive's UDP endpoint: bound to its address and port (8001), it answers
// the sender of the last datagram (the tool's local endpoint).

#include <QString>

#include <cstdint>
#include <memory>
#include <span>

#include <netinet/in.h>

namespace hesk::sim {

class UdpPort {
public:
    static std::unique_ptr<UdpPort> open(const QString& address, uint16_t port, QString* error);
    ~UdpPort();

    int descriptor() const { return m_fd; }
    // One datagram (0 when none is waiting, -1 on an error); remembers its sender.
    long receive(std::span<uint8_t> buffer);
    // One datagram to the last sender; nothing before the first datagram arrived.
    void send(std::span<const uint8_t> datagram);

private:
    explicit UdpPort(int fd) : m_fd(fd) {}

    int m_fd;
    sockaddr_in m_peer{};
    bool m_hasPeer = false;
};

}  // namespace hesk::sim
