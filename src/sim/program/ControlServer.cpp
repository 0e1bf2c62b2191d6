#include "ControlServer.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace hesk::sim {

namespace {

constexpr int kMaxLine = 4096;

bool isSocketFile(const QByteArray& path)
{
    struct stat info{};
    return ::lstat(path.constData(), &info) == 0 && S_ISSOCK(info.st_mode);
}

}  // namespace

ControlServer::~ControlServer()
{
    for (const Client& client : m_clients)
        ::close(client.fd);
    if (m_listener >= 0) {
        ::close(m_listener);
        QFile::remove(m_path);
    }
}

bool ControlServer::listen(const QString& path, QString* error)
{
    const QByteArray native = path.toLocal8Bit();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (static_cast<size_t>(native.size()) >= sizeof address.sun_path) {
        *error = QStringLiteral("control socket path too long: %1").arg(path);
        return false;
    }
    std::memcpy(address.sun_path, native.constData(), static_cast<size_t>(native.size()));
    if (isSocketFile(native))
        ::unlink(native.constData());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0
        || ::listen(fd, 4) != 0) {
        *error = QStringLiteral("control socket %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    m_listener = fd;
    m_path = path;
    return true;
}

void ControlServer::collect(std::vector<pollfd>& fds) const
{
    if (m_stdinOpen)
        fds.push_back({STDIN_FILENO, POLLIN, 0});
    if (m_listener >= 0)
        fds.push_back({m_listener, POLLIN, 0});
    for (const Client& client : m_clients)
        fds.push_back({client.fd, POLLIN, 0});
}

void ControlServer::writeLine(int fd, const QString& text)
{
    const QByteArray line = text.toUtf8() + '\n';
    qsizetype written = 0;
    while (written < line.size()) {
        const ssize_t n = ::write(fd, line.constData() + written, static_cast<size_t>(line.size() - written));
        if (n <= 0) {
            if (n < 0 && errno == EINTR)
                continue;
            break;  // a client that does not read loses its reply
        }
        written += n;
    }
}

void ControlServer::handleLines(QByteArray& pending, int replyFd)
{
    qsizetype end;
    while ((end = pending.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(pending.left(end)).trimmed();
        pending.remove(0, end + 1);
        if (!line.isEmpty())
            writeLine(replyFd, m_handler(line));
    }
    if (pending.size() > kMaxLine)
        pending.clear();  // no line that long is a command
}

void ControlServer::service(const std::vector<pollfd>& fds)
{
    char buffer[1024];
    for (const pollfd& p : fds) {
        if ((p.revents & (POLLIN | POLLHUP | POLLERR)) == 0)
            continue;
        if (p.fd == STDIN_FILENO && m_stdinOpen) {
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0) {
                if (n == 0 || (errno != EINTR && errno != EAGAIN))
                    m_stdinOpen = false;  // end of input: the drive runs on
                continue;
            }
            m_stdinPending.append(buffer, n);
            handleLines(m_stdinPending, STDOUT_FILENO);
        } else if (p.fd == m_listener) {
            const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0)
                m_clients.push_back({client, {}});
        } else {
            for (auto it = m_clients.begin(); it != m_clients.end(); ++it) {
                if (it->fd != p.fd)
                    continue;
                const ssize_t n = ::read(it->fd, buffer, sizeof buffer);
                if (n <= 0 && !(n < 0 && errno == EINTR)) {
                    ::close(it->fd);
                    m_clients.erase(it);
                } else if (n > 0) {
                    it->pending.append(buffer, n);
                    handleLines(it->pending, it->fd);
                }
                break;
            }
        }
    }
}

}  // namespace hesk::sim
