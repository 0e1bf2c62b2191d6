#include "PtyPort.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace hesk::sim {

std::unique_ptr<PtyPort> PtyPort::open(QString* error)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        *error = QStringLiteral("openpty: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return nullptr;
    }
    // Raw at once: no echo, no line editing, no CR/LF translation of protocol bytes.
    termios settings{};
    if (::tcgetattr(slave, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(slave, TCSANOW, &settings);
    }
    const int flags = ::fcntl(master, F_GETFL);
    ::fcntl(master, F_SETFL, flags | O_NONBLOCK);
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave, F_SETFD, FD_CLOEXEC);
    return std::unique_ptr<PtyPort>(new PtyPort(master, slave, QString::fromLocal8Bit(name)));
}

PtyPort::PtyPort(int master, int slave, QString devicePath)
    : m_master(master), m_slave(slave), m_devicePath(std::move(devicePath))
{
}

PtyPort::~PtyPort()
{
    ::close(m_master);
    ::close(m_slave);
}

long PtyPort::read(std::span<uint8_t> buffer)
{
    const ssize_t n = ::read(m_master, buffer.data(), buffer.size());
    if (n >= 0)
        return n;
    return errno == EAGAIN || errno == EINTR || errno == EIO ? 0 : -1;
}

long PtyPort::write(std::span<const uint8_t> bytes)
{
    const ssize_t n = ::write(m_master, bytes.data(), bytes.size());
    if (n >= 0)
        return n;
    return errno == EAGAIN || errno == EINTR ? 0 : -1;
}

}  // namespace hesk::sim
