#include "StopSignal.h"

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace hesk::link {

StopSignal::StopSignal()
    : m_fd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
}

StopSignal::~StopSignal()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void StopSignal::signal()
{
    const uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(m_fd, &one, sizeof one);
}

bool StopSignal::consume()
{
    uint64_t value = 0;
    return ::read(m_fd, &value, sizeof value) == static_cast<ssize_t>(sizeof value);
}

bool StopSignal::wait(int timeoutMs)
{
    pollfd fd{m_fd, POLLIN, 0};
    for (;;) {
        const int ready = ::poll(&fd, 1, timeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        return ready > 0 && consume();
    }
}

}  // namespace hesk::link
