#pragma once
// The menu commands whose windows are dialogs of their own: "端口设定" (interface and
// port settings), "搜索设备", "添加设备" and "创建工程(&N)". Each dialog runs modally
// over the main window; a project found or created is opened through the window.
//
// Thread: UI thread only.

#include "online/LinkDeviceProbe.h"
#include "shell/CommandRules.h"

#include <QObject>

namespace hesk::app {

class MainWindow;

class DialogCommands final : public QObject {
    Q_OBJECT

public:
    // Takes the window's commandRequested() for the four commands; the window must
    // outlive this object.
    explicit DialogCommands(MainWindow& window);

    // Runs the command's dialog; false for a command that is not one of the four.
    bool run(shell::Command command);

private:
    void portSettings();
    void searchDevice();
    void addDevice();
    void createProject();

    MainWindow& m_window;
    online::LinkDeviceProbe m_probe;
};

}  // namespace hesk::app
