#include "SerialTransport.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace hesk::link {

namespace {

// A write may take 50 ms per byte before it counts as failed (the write time-out of the
// port set-up), so a stalled line cannot block a sender for ever.
constexpr int kWriteMillisecondsPerByte = 50;

}  // namespace

std::optional<unsigned> SerialTransport::speedOf(int baudRate)
{
    switch (baudRate) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 500000: return B500000;
    case 576000: return B576000;
    case 921600: return B921600;
    case 1000000: return B1000000;
    case 1152000: return B1152000;
    case 1500000: return B1500000;
    case 2000000: return B2000000;
    case 2500000: return B2500000;
    case 3000000: return B3000000;
    case 3500000: return B3500000;
    case 4000000: return B4000000;
    default: return std::nullopt;
    }
}

std::unique_ptr<SerialTransport> SerialTransport::open(const QString& path, int baudRate, int* error)
{
    auto fail = [error](int code) {
        if (error != nullptr)
            *error = code;
        return nullptr;
    };
    const std::optional<unsigned> speed = speedOf(baudRate);
    if (!speed)
        return fail(EINVAL);
    const QByteArray nativePath = path.toLocal8Bit();
    const int fd = ::open(nativePath.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    // No sharing: nobody else may open the port while we hold it.
    ::ioctl(fd, TIOCEXCL);

    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) {
        const int code = errno;
        ::ioctl(fd, TIOCNXCL);
        ::close(fd);
        return fail(code);
    }
    // Raw bytes: a binary protocol must not meet line editing, echo or CR/LF mapping.
    ::cfmakeraw(&settings);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    ::cfsetispeed(&settings, *speed);
    ::cfsetospeed(&settings, *speed);
    if (::tcsetattr(fd, TCSANOW, &settings) != 0) {
        const int code = errno;
        ::ioctl(fd, TIOCNXCL);
        ::close(fd);
        return fail(code);
    }
    ::tcflush(fd, TCIOFLUSH);
    if (error != nullptr)
        *error = 0;
    return std::unique_ptr<SerialTransport>(new SerialTransport(fd, baudRate));
}

SerialTransport::SerialTransport(int fd, int baudRate)
    : m_fd(fd)
    , m_baudRate(baudRate)
{
}

SerialTransport::~SerialTransport()
{
    close();
}

int SerialTransport::send(std::span<const uint8_t> bytes)
{
    const std::lock_guard guard(m_writeLock);
    if (m_fd < 0)
        return EBADF;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteMillisecondsPerByte * static_cast<long>(bytes.size()));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (written > 0) {
            done += static_cast<size_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN)
            return errno;
        // The output queue is full: wait until it drains, within the write time-out.
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return ETIMEDOUT;
        pollfd fd{m_fd, POLLOUT, 0};
        if (::poll(&fd, 1, static_cast<int>(left)) < 0 && errno != EINTR)
            return errno;
    }
    return 0;
}

long SerialTransport::receive(std::span<uint8_t> buffer)
{
    const int fd = m_fd.load();
    if (fd < 0)
        return -EBADF;
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n >= 0)
            return static_cast<long>(n);
        if (errno != EINTR)
            return -errno;
    }
}

void SerialTransport::purgeReceive()
{
    if (const int fd = m_fd.load(); fd >= 0)
        ::tcflush(fd, TCIFLUSH);
}

void SerialTransport::close()
{
    const std::lock_guard guard(m_writeLock);
    const int fd = m_fd.exchange(-1);
    if (fd < 0)
        return;
    // Give up the exclusive hold first: a pseudo-terminal whose other end stays open
    // keeps the flag, and the next open of the same path would fail.
    ::ioctl(fd, TIOCNXCL);
    ::close(fd);
}

}  // namespace hesk::link
