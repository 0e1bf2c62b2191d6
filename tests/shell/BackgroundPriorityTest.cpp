// The writer's thread priority helper lowers only the calling thread.

#include "shell/BackgroundPriority.h"

#include <gtest/gtest.h>

#include <thread>

#if defined(__linux__)
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

int niceOfThisThread()
{
    return ::getpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)));
}

TEST(BackgroundPriority, raisesTheNiceValueOfTheCallingThreadOnly)
{
    const int callerBefore = niceOfThisThread();
    int before = 0;
    int after = 0;
    bool lowered = false;
    std::thread worker([&] {
        before = niceOfThisThread();
        lowered = hesk::shell::lowerCurrentThreadPriority();
        after = niceOfThisThread();
    });
    worker.join();

    EXPECT_TRUE(lowered);
    if (before < 19) {
        EXPECT_GT(after, before);
    }
    EXPECT_EQ(niceOfThisThread(), callerBefore);
}

}  // namespace
#endif
