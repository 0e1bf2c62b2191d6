// Resident memory of the whole application (main window, pages, dialogs' commands)
// offscreen with the largest sample project open, online with the simulated drive on a
// pseudo-terminal, and the page "所有参数" on show and polled for two seconds.
// Goal: under 150 MB resident ("residentMB"). Also reports the time to connect.

#include "ApplicationWindows.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

const QString kSample = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

void pumpFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void MainWindowOnline(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("VRA1V11418.tmprj"));
    QFile::copy(kSample, project);
    QProcess sim;
    sim.start(QStringLiteral(HESK_SIM_PATH), {QStringLiteral("--project"), project, QStringLiteral("--pty"),
                                              QStringLiteral("--baud"), QStringLiteral("38400")});
    if (!sim.waitForReadyRead(10000)) {
        state.SkipWithError("the simulated drive did not start");
        return;
    }
    const QString pty = QString::fromLocal8Bit(sim.readLine()).trimmed();
    const QString ini = dir.filePath(QStringLiteral("interfacecfg.ini"));
    QFile settings(ini);
    settings.open(QIODevice::WriteOnly);
    settings.write(QStringLiteral("[CURRENT MODE]\r\nMODE=232\r\n[232 MODE]\r\nPORTNAME=%1\r\nBAUNDRATE=38400\r\n")
                       .arg(pty)
                       .toUtf8());
    settings.close();

    double resident = 0;
    double connectMs = 0;
    for (auto _ : state) {
        hesk::app::MainWindowSetup setup;
        setup.interfaceSettings = {ini, {}};
        setup.layoutSettingsFile = dir.filePath(QStringLiteral("layout.ini"));
        hesk::app::ApplicationWindows application(setup);
        hesk::app::MainWindow& window = application.window();
        window.resize(1280, 800);
        window.show();
        if (!window.openProjectFile(project)) {
            state.SkipWithError("the project did not open");
            break;
        }
        QElapsedTimer clock;
        clock.start();
        window.runCommand(hesk::shell::Command::Connect);
        connectMs = clock.elapsed();
        if (!window.session().isOnline()) {
            state.SkipWithError("the drive did not come online");
            break;
        }
        window.openPage(QStringLiteral("所有参数"));
        pumpFor(2000);
        resident = residentMegabytes();
        window.runCommand(hesk::shell::Command::Disconnect);
    }
    state.counters["residentMB"] = resident;
    state.counters["connectMs"] = connectMs;
    sim.terminate();
    sim.waitForFinished(3000);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("MainWindowOnline", MainWindowOnline)->Iterations(1)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
