#pragma once
// The serial transport: a POSIX terminal device (/dev/ttyUSB0, /dev/ttyS0, or a
// pseudo-terminal such as /dev/pts/3) driven through termios, 8 data bits, no parity,
// one stop bit, raw bytes, no flow control, at the configured baud rate.
//
// termios rather than QSerialPort: the link's reader thread must wait for received bytes
// and for its stop signal at once (poll on two descriptors), while handlers on that
// thread and the UI thread write to the same port. A QSerialPort belongs to one thread
// and cannot be shared that way; a descriptor can. A pseudo-terminal needs no modem
// lines, so nothing here touches DTR or RTS.

#include "LinkTransport.h"

#include <QString>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

namespace hesk::link {

class SerialTransport final : public LinkTransport {
public:
    // Opens the port exclusively and sets it up; nullptr on failure with the errno value
    // in *error (EINVAL for a baud rate the terminal layer does not know).
    static std::unique_ptr<SerialTransport> open(const QString& path, int baudRate, int* error = nullptr);
    ~SerialTransport() override;

    int send(std::span<const uint8_t> bytes) override;
    long receive(std::span<uint8_t> buffer) override;
    void purgeReceive() override;
    int descriptor() const override { return m_fd.load(); }
    bool isOpen() const override { return m_fd.load() >= 0; }
    void close() override;

    int baudRate() const { return m_baudRate; }

    // The termios speed constant of a baud rate, nullopt when there is none.
    static std::optional<unsigned> speedOf(int baudRate);

private:
    SerialTransport(int fd, int baudRate);

    std::atomic<int> m_fd;  // closed (-1) on the owning thread while a reader may look
    int m_baudRate;
    std::mutex m_writeLock;
};

}  // namespace hesk::link
