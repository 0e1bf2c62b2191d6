#include "SimProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

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
    m_process.setProgram(QStringLiteral(HESK_SIM_PATH));
    m_process.setArguments(arguments);
    m_process.start();
    if (!m_process.waitForStarted(5000)) {
        m_error = m_process.errorString();
        return false;
    }
    m_ready = readLine(std::chrono::seconds(10));
    if (m_ready.isEmpty()) {
        m_process.waitForFinished(1000);
        m_error = QString::fromLocal8Bit(m_process.readAllStandardError());
        return false;
    }
    return true;
}

QString SimProcess::readLine(std::chrono::milliseconds timeout)
{
    QElapsedTimer clock;
    clock.start();
    while (!m_process.canReadLine()) {
        const qint64 left = timeout.count() - clock.elapsed();
        if (left <= 0 || m_process.state() == QProcess::NotRunning)
            return {};
        m_process.waitForReadyRead(static_cast<int>(left));
    }
    return QString::fromLocal8Bit(m_process.readLine()).trimmed();
}

QString SimProcess::command(const QString& line)
{
    m_process.write((line + QLatin1Char('\n')).toLocal8Bit());
    m_process.waitForBytesWritten(2000);
    return readLine(std::chrono::seconds(5));
}

int SimProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return m_process.exitCode();
    m_process.terminate();
    if (m_process.waitForFinished(5000))
        return m_process.exitCode();
    m_process.kill();
    m_process.waitForFinished(2000);
    return -1;
}

}  // namespace hesk::sim::test
