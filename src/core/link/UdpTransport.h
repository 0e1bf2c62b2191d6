#pragma once
// The UDP transport of Ethernet mode: a datagram socket bound to the local endpoint,
// sending every frame to the remote endpoint, with a 4 MiB receive buffer so that bursts
// of recording data are not lost. Plain BSD sockets: the receive thread waits on the
// socket and its stop signal together, and any thread may send.
//
// Only datagrams whose source is the remote endpoint (address and port) are received;
// any other sender's datagrams are dropped and counted. The socket is not connected, so
// an unreachable device never turns into receive errors.

#include "LinkTransport.h"

#include <QHostAddress>

#include <atomic>
#include <memory>

namespace hesk::link {

// Both endpoints of Ethernet mode. The defaults serve loopback testing against the
// simulated drive; a real installation sets the PC's adapter and the device's address.
struct UdpEndpoints {
    static constexpr quint16 kPort = 8001;
    QHostAddress localAddress{QStringLiteral("127.0.0.1")};
    quint16 localPort = kPort;
    QHostAddress remoteAddress{QStringLiteral("127.0.0.2")};
    quint16 remotePort = kPort;
};

class UdpTransport final : public LinkTransport {
public:
    static constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;

    // Creates and binds the socket; nullptr on failure with the errno value in *error.
    static std::unique_ptr<UdpTransport> open(const UdpEndpoints& endpoints, int* error = nullptr);
    ~UdpTransport() override;

    int send(std::span<const uint8_t> bytes) override;
    long receive(std::span<uint8_t> buffer) override;
    void purgeReceive() override {}
    int descriptor() const override { return m_fd.load(); }
    bool isOpen() const override { return m_fd.load() >= 0; }
    void close() override;

    // The port the socket is bound to (useful when the local port was 0).
    quint16 boundPort() const;
    // Datagrams dropped because they did not come from the remote endpoint.
    quint64 foreignDatagrams() const { return m_foreignDatagrams.load(); }

private:
    UdpTransport(int fd, const UdpEndpoints& endpoints);

    std::atomic<int> m_fd;  // closed (-1) on the owning thread while a reader may look
    UdpEndpoints m_endpoints;
    std::atomic<quint64> m_foreignDatagrams{0};
};

}  // namespace hesk::link
