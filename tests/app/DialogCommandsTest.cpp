// The main window's dialog commands: each of "端口设定", "搜索设备", "添加设备" and
// "创建工程(&N)" opens its dialog modally over the window; other commands are left to
// their own windows.

#include "MainWindowFixture.h"

#include "DialogCommands.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace hesk::app::test {
namespace {

// Closes the next modal dialog that appears and remembers its caption.
QString captionOfNextDialog(const std::function<void()>& open)
{
    QString caption;
    QTimer closer;
    closer.setInterval(20);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            caption = dialog->windowTitle();
            dialog->reject();
        }
    });
    closer.start();
    open();
    return caption;
}

TEST_F(MainWindowTest, dialogCommandsOpenTheirDialogs)
{
    DialogCommands commands(*window);
    struct Case {
        shell::Command command;
        QString caption;
    };
    const std::vector<Case> cases = {
        {shell::Command::PortSettings, QStringLiteral("接口设置")},
        {shell::Command::SearchDevice, QStringLiteral("搜索设备")},
        {shell::Command::AddDevice, QStringLiteral("添加设备")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(captionOfNextDialog([&] { EXPECT_TRUE(commands.run(c.command)); }), c.caption)
            << static_cast<int>(c.command);
    }
    // The menu entry reaches the same dialog through the window's command signal.
    EXPECT_EQ(captionOfNextDialog([&] { window->runCommand(shell::Command::AddDevice); }), QStringLiteral("添加设备"));
    EXPECT_FALSE(commands.run(shell::Command::Connect));
    EXPECT_FALSE(window->lifecycle().projectOpen());
}

}  // namespace
}  // namespace hesk::app::test
