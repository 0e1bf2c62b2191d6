#pragma once
// A program run by a test: started with posix_spawn (nothing of the test program runs in
// the child between the start and the exec, so the thread sanitizer and multi-threaded
// test programs are safe), its standard input and output on pipes and its error output
// kept whole in an anonymous file, so a child that writes much there never blocks.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>
#include <sys/types.h>

namespace hesk::testsupport {

class ChildProcess {
public:
    ChildProcess() = default;
    // A child still running is killed.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts the program; false with the reason in startError() when it cannot run.
    // A child of an earlier start must have ended first.
    bool start(const QString& program, const QStringList& arguments);
    const QString& startError() const { return m_startError; }
    bool started() const { return m_pid > 0; }
    // True until the child's end has been collected.
    bool running();

    // One line of the child's output without its line end; nullopt when no whole line came
    // within the time-out or the output ended.
    std::optional<QByteArray> readLine(std::chrono::milliseconds timeout);
    // Everything the child still writes, up to the end of its output or the time-out.
    QByteArray readRest(std::chrono::milliseconds timeout);
    // Writes to the child's input; false when the child no longer reads it.
    bool write(const QByteArray& bytes);
    // Ends the child's input (it reads end of file).
    void closeInput();

    // Sends a signal to a child still running.
    void signal(int number);
    // Waits for the child to end: its exit code, -1 when a signal ended it, nullopt when
    // it still ran at the time-out.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    // The exit code collected by running() or waitForExit().
    std::optional<int> exitCode() const { return m_exitCode; }

    // What the child wrote to its error output so far.
    QByteArray errorOutput() const;

private:
    void closeDescriptors();

    pid_t m_pid = -1;
    int m_input = -1;
    int m_output = -1;
    int m_errors = -1;
    QByteArray m_pending;
    bool m_outputEnded = false;
    std::optional<int> m_exitCode;
    QString m_startError;
};

// A program run to its end: its exit code (-1 when a signal ended it or it had to be
// killed at the time-out) and what it wrote.
struct ProcessRun {
    int exitCode = -1;
    bool finished = false;
    QByteArray out;
    QByteArray err;
};

ProcessRun runProcess(const QString& program, const QStringList& arguments,
                      std::chrono::milliseconds timeout = std::chrono::seconds(60));

}  // namespace hesk::testsupport
