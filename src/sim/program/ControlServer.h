#pragma once
// The control channel of the program: command lines from standard input (replies on
// standard output) and, when a path is given, from clients of a Unix socket (replies to
// the client). Each complete line is handed to the callback, whose reply goes back as
// one line.

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include <poll.h>

namespace hesk::sim {

class ControlServer {
public:
    using Handler = std::function<QString(const QString& line)>;

    explicit ControlServer(Handler handler) : m_handler(std::move(handler)) {}
    ~ControlServer();

    // Listens on a Unix socket at path (a stale socket file there is replaced).
    bool listen(const QString& path, QString* error);

    // The descriptors to poll (stdin while open, the listener, the clients).
    void collect(std::vector<pollfd>& fds) const;
    // Handles whatever the polled descriptors have ready.
    void service(const std::vector<pollfd>& fds);

private:
    struct Client {
        int fd;
        QByteArray pending;
    };
    void handleLines(QByteArray& pending, int replyFd);
    static void writeLine(int fd, const QString& text);

    Handler m_handler;
    bool m_stdinOpen = true;
    QByteArray m_stdinPending;
    int m_listener = -1;
    QString m_path;
    std::vector<Client> m_clients;
};

}  // namespace hesk::sim
