#pragma once
// The whole application on a copy of the installed inverter sample, with the simulated
// drive on a pseudo-terminal running the same project and the settings pointing at it:
// the fixture of the window tests that need the sample's real parameters (file labels,
// connectors, fault words).

#include "MainWindowFixture.h"
#include "SimProcess.h"
#include "SimProjectFixture.h"

#include "ApplicationWindows.h"

#include <QFile>

namespace hesk::app::test {

class SampleApplicationTest : public MainWindowTest {
protected:
    // simOptions: further options of the simulated drive ("--variant 1").
    void startWith(const QStringList& simOptions = {})
    {
        window.reset();  // the application brings its own window
        project = QDir(dir.path()).filePath(QStringLiteral("VRA1V11418.tmprj"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj"), project));
        ASSERT_TRUE(sim.start(QStringList{QStringLiteral("--project"), project, QStringLiteral("--pty")} + simOptions))
            << sim.error().toStdString();
        online::InterfaceSettings settings({iniPath(), {}});
        ASSERT_TRUE(settings.setMode(online::InterfaceMode::Serial).ok());
        ASSERT_TRUE(settings.setSerialPort(sim.readyLine(), QStringLiteral("38400")).ok());
        application = std::make_unique<ApplicationWindows>(setup());
        application->window().show();
        ASSERT_TRUE(application->window().openProjectFile(project));
    }
    void TearDown() override
    {
        if (application && application->window().session().isOnline()) {
            sim.command(QStringLiteral("set P7000.5 0"));  // a motor left running stops
            application->window().runCommand(shell::Command::Disconnect);
        }
        application.reset();
        sim.stop();
        MainWindowTest::TearDown();
    }

    QString project;
    sim::test::SimProcess sim;
    std::unique_ptr<ApplicationWindows> application;
};

}  // namespace hesk::app::test
