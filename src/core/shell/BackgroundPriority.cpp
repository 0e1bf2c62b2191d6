#include "BackgroundPriority.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#elif defined(_WIN32)
#include <windows.h>
#endif

namespace hesk::shell {

bool lowerCurrentThreadPriority()
{
#if defined(__linux__)
    // On Linux the nice value belongs to the thread (the kernel task), so this leaves the
    // rest of the process alone. Raising it needs no privilege.
    constexpr int belowNormalStep = 5;
    constexpr int lowestNice = 19;
    const auto threadId = static_cast<id_t>(::syscall(SYS_gettid));
    errno = 0;
    const int current = ::getpriority(PRIO_PROCESS, threadId);
    if (current == -1 && errno != 0)
        return false;
    return ::setpriority(PRIO_PROCESS, threadId, std::min(current + belowNormalStep, lowestNice)) == 0;
#elif defined(_WIN32)
    return ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL) != 0;
#else
    return false;
#endif
}

}  // namespace hesk::shell
