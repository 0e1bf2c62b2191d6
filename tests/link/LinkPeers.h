#pragma once
// The far end of the line for transport tests: a pseudo-terminal pair whose master side
// plays the drive, and a UDP socket on 127.0.0.2. Each peer runs one thread that reads
// what the link sends, keeps it, and answers through a responder built on the frame
// codec. Also: the Qt application every link test needs and an event-driven wait.

#include "link/FrameCodec.h"
#include "link/StopSignal.h"

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace hesk::link::test {

using PeerBytes = std::vector<uint8_t>;

// Runs the calling thread's Qt events until done() holds or the time-out passed; returns
// done(). The check runs on a short timer, so the thread sleeps in its event loop.
bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// Answers one frame the link sent (routing code and bytes) with the bytes to write back.
using Responder = std::function<std::vector<PeerBytes>(uint8_t routingCode, std::span<const uint8_t> frame)>;

class SerialPeer {
public:
    SerialPeer();  // opens the pair; the slave stays open for the peer's lifetime
    ~SerialPeer();
    bool valid() const { return m_master >= 0; }
    const std::string& slavePath() const { return m_slavePath; }

    void start(Responder responder);
    void stop();
    // Writes bytes to the link as they are, in one write.
    void write(std::span<const uint8_t> bytes);
    // The frames received so far (scanned as command and boot frames).
    std::vector<PeerBytes> received() const;
    // Closes the master side: the link's end of the line hangs up.
    void hangUp();

private:
    void run();

    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
    StopSignal m_stop;
    std::thread m_thread;
    Responder m_responder;
    mutable std::mutex m_lock;
    std::vector<PeerBytes> m_received;
    PeerBytes m_pending;
};

class UdpPeer {
public:
    explicit UdpPeer(const char* address = "127.0.0.2");  // binds address:0
    ~UdpPeer();
    bool valid() const { return m_fd >= 0; }
    uint16_t port() const { return m_port; }

    // Each datagram the link sends is kept and handed to the responder whole; every
    // answer goes back as one datagram to the sender's address.
    void start(Responder responder);
    void stop();
    std::vector<PeerBytes> received() const;
    // Sends a datagram to the last address the link sent from.
    void sendToLink(std::span<const uint8_t> datagram);

private:
    void run();

    int m_fd = -1;
    uint16_t m_port = 0;
    StopSignal m_stop;
    std::thread m_thread;
    Responder m_responder;
    mutable std::mutex m_lock;
    std::vector<PeerBytes> m_received;
    std::vector<uint8_t> m_linkAddress;  // sockaddr_in of the link, once known
};

}  // namespace hesk::link::test
