#include "SimProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

namespace hesk::sim::test {

void ensureQtApplication()
{
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "test_sim";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv);  // lives as long as the test program
    }
}

bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer check;
    check.setInterval(5);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done() || clock.elapsed() >= timeout.count())
            loop.quit();
    });
    if (done())
        return true;
    check.start();
    loop.exec();
    return done();
}

SimProcess::~SimProcess()
{
    stop();
}

bool SimProcess::start(const QStringList& arguments)
{
    stop();
    m_ready.clear();
    m_error.clear();
    m_errorChecked = false;
    if (!m_process.start(QStringLiteral(HESK_SIM_PATH), arguments)) {
        m_error = m_process.startError();
        return false;
    }
    m_ready = readLine(std::chrono::seconds(10));
    if (m_ready.isEmpty()) {
        if (!m_process.waitForExit(std::chrono::seconds(1)))
            stop();
        m_error = QString::fromLocal8Bit(m_process.errorOutput());
        return false;
    }
    return true;
}

QString SimProcess::readLine(std::chrono::milliseconds timeout)
{
    const std::optional<QByteArray> line = m_process.readLine(timeout);
    return line ? QString::fromLocal8Bit(*line).trimmed() : QString();
}

QString SimProcess::command(const QString& line)
{
    if (!m_process.write((line + QLatin1Char('\n')).toLocal8Bit()))
        return {};
    return readLine(std::chrono::seconds(5));
}

int SimProcess::stop()
{
    if (!m_process.started())
        return 0;
    if (!m_process.running()) {
        checkErrorOutput();
        return m_process.exitCode().value_or(-1);
    }
    m_process.signal(SIGTERM);
    int code = -1;
    if (const std::optional<int> exitCode = m_process.waitForExit(std::chrono::seconds(5))) {
        code = *exitCode;
    } else {
        m_process.signal(SIGKILL);
        m_process.waitForExit(std::chrono::seconds(2));
    }
    checkErrorOutput();
    return code;
}

void SimProcess::checkErrorOutput()
{
    // Each run is reported once, even when stop() is called again.
    if (m_errorChecked)
        return;
    m_errorChecked = true;
    const QByteArray errors = m_process.errorOutput();
    if (errors.contains("Sanitizer"))
        ADD_FAILURE() << "hesk-drive-sim reported:\n" << errors.toStdString();
}

}  // namespace hesk::sim::test
