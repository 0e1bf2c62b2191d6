#pragma once
// The real hesk-drive-sim program for integration tests: started with a project and
// options, its first output line (the pseudo-terminal's path or "udp ADDR:PORT") read,
// control commands sent on its standard input with their reply lines read back, and
// ended with SIGTERM when the object goes. A sanitizer report the program wrote on its
// error output fails the running test when the program ends.

#include "ChildProcess.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

namespace hesk::sim::test {

// The Qt application every test that runs the link needs (created once).
void ensureQtApplication();

// Runs the calling thread's Qt events until done() holds or the time-out passed.
bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

class SimProcess {
public:
    SimProcess() = default;
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Starts the program; false (with the program's error output in error()) when it
    // does not report ready within a few seconds.
    bool start(const QStringList& arguments);
    const QString& readyLine() const { return m_ready; }
    QString error() const { return m_error; }

    // Sends one control command and returns the reply line ("" on a time-out).
    QString command(const QString& line);

    // Ends the program with SIGTERM; its exit code (or -1 when it had to be killed or a
    // signal ended it; 0 when it never started).
    int stop();

private:
    QString readLine(std::chrono::milliseconds timeout);
    void checkErrorOutput();

    testsupport::ChildProcess m_process;
    QString m_ready;
    QString m_error;
    bool m_errorChecked = false;
};

}  // namespace hesk::sim::test
