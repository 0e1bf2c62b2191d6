#include "DialogCommands.h"

#include "MainWindow.h"
#include "dialogs/AddDeviceDialog.h"
#include "dialogs/ProjectCreationDialog.h"
#include "dialogs/DeviceSearchDialog.h"
#include "dialogs/InterfaceSettingsDialog.h"
#include "online/DeviceSearch.h"
#include "online/InstalledProjects.h"

namespace hesk::app {

DialogCommands::DialogCommands(MainWindow& window) : QObject(&window), m_window(window), m_probe(window.log())
{
    connect(&window, &MainWindow::commandRequested, this, [this](shell::Command command) { run(command); });
}

bool DialogCommands::run(shell::Command command)
{
    switch (command) {
    case shell::Command::PortSettings:
        portSettings();
        return true;
    case shell::Command::SearchDevice:
        searchDevice();
        return true;
    case shell::Command::AddDevice:
        addDevice();
        return true;
    case shell::Command::CreateProject:
        createProject();
        return true;
    default:
        break;
    }
    return false;
}

void DialogCommands::portSettings()
{
    InterfaceSettingsDialog dialog(online::InterfaceSettings(m_window.interfaceSettings().location()), m_window.prompt(),
                             online::systemPortListSource(), &m_window);
    dialog.exec();
    m_window.refreshStatus();  // pane 1 shows the settings just chosen
}

void DialogCommands::searchDevice()
{
    shell::Log& log = m_window.log();
    DeviceSearchDialog dialog(online::deviceSearchOptions(online::applicationProjectRoot().folder,
                                                     m_window.interfaceSettings().location(),
                                                     [&log](bool suppressed) { log.setSuppressed(suppressed); }),
                         m_probe, m_window.prompt(), &m_window);
    if (dialog.exec() == QDialog::Accepted && dialog.chosenProjectPath())
        m_window.openProjectFile(*dialog.chosenProjectPath());
}

void DialogCommands::addDevice()
{
    AddDeviceDialog dialog(online::applicationProjectRoot().folder, m_window.prompt(), &m_window);
    if (dialog.exec() == QDialog::Accepted && dialog.chosenProjectPath())
        m_window.openProjectFile(*dialog.chosenProjectPath());
}

void DialogCommands::createProject()
{
    ProjectCreationDialog dialog(m_window.prompt(), &m_window);
    if (dialog.exec() == QDialog::Accepted && dialog.createdProjectPath())
        m_window.openProjectFile(*dialog.createdProjectPath());
}

}  // namespace hesk::app
