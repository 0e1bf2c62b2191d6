#include "ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace hesk::testsupport {

namespace {

using Clock = std::chrono::steady_clock;

void closeDescriptor(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

int millisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// posix_spawn's file actions and attributes, released on every path.
class SpawnSetup {
public:
    SpawnSetup()
    {
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup()
    {
        ::posix_spawn_file_actions_destroy(&actions);
        ::posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
};

}  // namespace

ChildProcess::~ChildProcess()
{
    if (running()) {
        ::kill(m_pid, SIGKILL);
        int status = 0;
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    closeDescriptors();
}

void ChildProcess::closeDescriptors()
{
    closeDescriptor(m_input);
    closeDescriptor(m_output);
    closeDescriptor(m_errors);
}

bool ChildProcess::start(const QString& program, const QStringList& arguments)
{
    if (running()) {
        m_startError = QStringLiteral("the previous child still runs");
        return false;
    }
    closeDescriptors();
    m_pid = -1;
    m_pending.clear();
    m_outputEnded = false;
    m_exitCode.reset();
    m_startError.clear();

    int input[2] = {-1, -1};
    int output[2] = {-1, -1};
    m_errors = ::memfd_create("child-errors", MFD_CLOEXEC);
    if (::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(output, O_CLOEXEC) != 0 || m_errors < 0) {
        m_startError = QString::fromLocal8Bit(std::strerror(errno));
        for (int* fd : {&input[0], &input[1], &output[0], &output[1]})
            closeDescriptor(*fd);
        closeDescriptor(m_errors);
        return false;
    }

    SpawnSetup setup;
    ::posix_spawn_file_actions_adddup2(&setup.actions, input[0], STDIN_FILENO);
    ::posix_spawn_file_actions_adddup2(&setup.actions, output[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_adddup2(&setup.actions, m_errors, STDERR_FILENO);
    // The child starts with no blocked signal and SIGPIPE at its default, whatever the
    // test program did with them.
    sigset_t none;
    ::sigemptyset(&none);
    ::posix_spawnattr_setsigmask(&setup.attributes, &none);
    sigset_t defaults;
    ::sigemptyset(&defaults);
    ::sigaddset(&defaults, SIGPIPE);
    ::posix_spawnattr_setsigdefault(&setup.attributes, &defaults);
    ::posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<QByteArray> encoded{program.toLocal8Bit()};
    for (const QString& argument : arguments)
        encoded.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& text : encoded)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    pid_t pid = -1;
    const int failure = ::posix_spawnp(&pid, argv[0], &setup.actions, &setup.attributes, argv.data(), environ);
    closeDescriptor(input[0]);
    closeDescriptor(output[1]);
    if (failure != 0) {
        m_startError = QStringLiteral("%1: %2").arg(program, QString::fromLocal8Bit(std::strerror(failure)));
        closeDescriptor(input[1]);
        closeDescriptor(output[0]);
        closeDescriptor(m_errors);
        return false;
    }
    m_pid = pid;
    m_input = input[1];
    m_output = output[0];
    return true;
}

bool ChildProcess::running()
{
    if (m_pid <= 0 || m_exitCode)
        return false;
    int status = 0;
    const pid_t ended = ::waitpid(m_pid, &status, WNOHANG);
    if (ended == m_pid) {
        m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return false;
    }
    return ended == 0;
}

std::optional<QByteArray> ChildProcess::readLine(std::chrono::milliseconds timeout)
{
    const Clock::time_point deadline = Clock::now() + timeout;
    for (;;) {
        const qsizetype end = m_pending.indexOf('\n');
        if (end >= 0) {
            QByteArray line = m_pending.left(end);
            m_pending.remove(0, end + 1);
            return line;
        }
        if (m_output < 0 || m_outputEnded)
            return std::nullopt;
        pollfd fd{m_output, POLLIN, 0};
        const int ready = ::poll(&fd, 1, millisecondsLeft(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return std::nullopt;
        char buffer[4096];
        const ssize_t n = ::read(m_output, buffer, sizeof buffer);
        if (n > 0)
            m_pending.append(buffer, n);
        else if (n == 0 || errno != EINTR)
            m_outputEnded = true;
    }
}

QByteArray ChildProcess::readRest(std::chrono::milliseconds timeout)
{
    const Clock::time_point deadline = Clock::now() + timeout;
    while (m_output >= 0 && !m_outputEnded) {
        pollfd fd{m_output, POLLIN, 0};
        const int ready = ::poll(&fd, 1, millisecondsLeft(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char buffer[4096];
        const ssize_t n = ::read(m_output, buffer, sizeof buffer);
        if (n > 0)
            m_pending.append(buffer, n);
        else if (n == 0 || errno != EINTR)
            m_outputEnded = true;
    }
    QByteArray rest;
    rest.swap(m_pending);
    return rest;
}

bool ChildProcess::write(const QByteArray& bytes)
{
    if (m_input < 0)
        return false;
    // A child that no longer reads makes the write fail with EPIPE; the SIGPIPE it also
    // raises is blocked here and taken back, so it never ends the test program.
    sigset_t pipeSignal;
    ::sigemptyset(&pipeSignal);
    ::sigaddset(&pipeSignal, SIGPIPE);
    sigset_t previous;
    ::pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    qsizetype written = 0;
    int failure = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(m_input, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            failure = errno;
            break;
        }
        written += n;
    }
    if (failure == EPIPE) {
        const timespec now{0, 0};
        ::sigtimedwait(&pipeSignal, nullptr, &now);
    }
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return failure == 0;
}

void ChildProcess::closeInput()
{
    closeDescriptor(m_input);
}

void ChildProcess::signal(int number)
{
    if (running())
        ::kill(m_pid, number);
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout)
{
    const Clock::time_point deadline = Clock::now() + timeout;
    while (running()) {
        if (Clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return m_exitCode;
}

QByteArray ChildProcess::errorOutput() const
{
    QByteArray text;
    struct stat info {};
    if (m_errors < 0 || ::fstat(m_errors, &info) != 0 || info.st_size <= 0)
        return text;
    text.resize(static_cast<qsizetype>(info.st_size));
    const ssize_t n = ::pread(m_errors, text.data(), static_cast<size_t>(text.size()), 0);
    text.resize(n > 0 ? static_cast<qsizetype>(n) : 0);
    return text;
}

ProcessRun runProcess(const QString& program, const QStringList& arguments, std::chrono::milliseconds timeout)
{
    const Clock::time_point deadline = Clock::now() + timeout;
    ProcessRun run;
    ChildProcess child;
    if (!child.start(program, arguments)) {
        run.err = child.startError().toLocal8Bit();
        return run;
    }
    child.closeInput();  // the program reads an empty input, never a pipe left open
    run.out = child.readRest(std::chrono::milliseconds(millisecondsLeft(deadline)));
    const std::optional<int> exitCode = child.waitForExit(std::chrono::milliseconds(millisecondsLeft(deadline)));
    if (exitCode) {
        run.finished = true;
        run.exitCode = *exitCode;
    } else {
        child.signal(SIGKILL);
        child.waitForExit(std::chrono::seconds(5));
    }
    run.err = child.errorOutput();
    return run;
}

}  // namespace hesk::testsupport
