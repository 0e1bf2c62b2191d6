#pragma once
// Named pipes for the tests of readers that must never open one, and a guard that keeps a
// reader that does open one from hanging the test program.

#include <QFile>
#include <QString>

#include <chrono>
#include <future>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hesk::testsupport {

inline bool makeNamedPipe(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

// Runs call on a thread of its own. Should it still run after the grace period (a reader
// blocked in opening or reading the pipe), the guard opens the pipe's writing end and
// closes it again until the call returns: a blocked open then returns and a blocked read
// sees the end of the data. Gives the call's result and whether it had to be unblocked.
template <typename Call>
auto runUnblockingPipe(const QString& pipe, Call call, std::chrono::milliseconds grace = std::chrono::seconds(5))
    -> std::pair<decltype(call()), bool>
{
    auto result = std::async(std::launch::async, std::move(call));
    if (result.wait_for(grace) == std::future_status::ready)
        return {result.get(), false};
    const QByteArray name = QFile::encodeName(pipe);
    while (result.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
        const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0)
            ::close(fd);
    }
    return {result.get(), true};
}

}  // namespace hesk::testsupport
