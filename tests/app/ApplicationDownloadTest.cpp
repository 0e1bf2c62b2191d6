// "参数下载" in the window against the real simulated drive: enabled online, the file
// dialog, the progress dialog with the commands disabled while it runs, the result
// message, and the value on the drive afterwards.

#include "MainWindowFixture.h"
#include "SimProcess.h"
#include "SimProjectFixture.h"

#include "ApplicationWindows.h"
#include "files/DnlFormat.h"
#include "files/DownloadImage.h"
#include "model/ProjectFile.h"

#include <QDateTime>
#include <QFile>

namespace hesk::app::test {
namespace {

using shell::Command;
using namespace std::chrono_literals;

class ApplicationDownloadTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        window.reset();  // the application brings its own window
        model::HeskProject project = sim::test::simProject();
        for (model::HeskParameterElement& e : project.elements) {
            e.referenceKey = QStringLiteral("%1|%2|00|")
                                 .arg(e.number, 4, 10, QLatin1Char('0'))
                                 .arg(e.hasSubIndex() ? e.subIndex : 0, 3, 10, QLatin1Char('0'));
            e.auxFlag = e.hasSubIndex() ? QStringLiteral("1") : QStringLiteral("0");
        }
        projectPath = dir.filePath(QStringLiteral("labelled.tmprj"));
        ASSERT_FALSE(model::saveProject(projectPath, project).has_value());
        ASSERT_TRUE(sim.start({QStringLiteral("--project"), projectPath, QStringLiteral("--pty"), QStringLiteral("--baud"),
                               QStringLiteral("9600")}))
            << sim.error().toStdString();
        online::InterfaceSettings settings({iniPath(), {}});
        ASSERT_TRUE(settings.setMode(online::InterfaceMode::Serial).ok());
        ASSERT_TRUE(settings.setSerialPort(sim.readyLine(), QStringLiteral("38400")).ok());
        application = std::make_unique<ApplicationWindows>(setup());
        application->window().show();
        ASSERT_TRUE(application->window().openProjectFile(projectPath));
    }
    void TearDown() override
    {
        if (application && application->window().session().isOnline())
            application->window().runCommand(Command::Disconnect);
        application.reset();
        sim.stop();
        MainWindowTest::TearDown();
    }
    QString writeDnl()
    {
        const QString path = dir.filePath(QStringLiteral("set.dnl"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(files::dnlHeaderBytes(QDateTime::currentDateTime(), QStringLiteral("VRA1"), QStringLiteral("V1.14.18")));
        const model::HeskProject& project = application->window().session().project().project();
        for (const model::HeskParameterElement& e : project.elements)
            if (e.number == 89)
                file.write(files::dnlRowBytes(e.referenceKey, QStringLiteral("3")));
        return path;
    }
    bool commandEnabled(Command command) { return application->window().action(command)->isEnabled(); }

    QString projectPath;
    sim::test::SimProcess sim;
    std::unique_ptr<ApplicationWindows> application;
};

TEST_F(ApplicationDownloadTest, downloadRunsWithItsProgressDialogAndCommandsDisabled)
{
    MainWindow& w = application->window();
    w.refreshCommands();
    EXPECT_FALSE(commandEnabled(Command::Download));  // offline
    w.runCommand(Command::Connect);
    ASSERT_TRUE(w.session().isOnline()) << messageTexts().join(QLatin1Char('|')).toStdString();
    w.refreshCommands();
    ASSERT_TRUE(commandEnabled(Command::Download));
    EXPECT_NE(w.action(Command::Download)->toolTip(), QStringLiteral("该功能尚未提供。"));

    prompt.chooseFile(writeDnl());
    w.runCommand(Command::Download);
    QProgressDialog* dialog = application->download().progressDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(application->download().workflow().running());
    // The dialog keeps the window's menus from input; the workflows that exclude each
    // other are disabled outright.
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    EXPECT_FALSE(commandEnabled(Command::Download));
    EXPECT_FALSE(commandEnabled(Command::Upload));
    EXPECT_FALSE(commandEnabled(Command::FactoryRestore));

    ASSERT_TRUE(sim::test::pumpUntil([&] { return !application->download().workflow().running(); }, 20s));
    ASSERT_TRUE(sim::test::pumpUntil([&] { return application->download().progressDialog() == nullptr; }, 2s));
    EXPECT_TRUE(commandEnabled(Command::Download));
    ASSERT_FALSE(prompt.messages().empty());
    EXPECT_TRUE(prompt.messages().back().text.startsWith(QStringLiteral("参数下载完成！"))) << messageTexts().join('|').toStdString();
    EXPECT_EQ(prompt.fileDialogs().size(), 1u);
    EXPECT_EQ(prompt.fileDialogs()[0].spec.title, QStringLiteral("打开DNL文件"));
    EXPECT_EQ(sim.command(QStringLiteral("get P0089")), QStringLiteral("ok P0089=3"));
}

TEST_F(ApplicationDownloadTest, cancelledFileDialogStopsBeforeAnythingRuns)
{
    MainWindow& w = application->window();
    w.runCommand(Command::Connect);
    ASSERT_TRUE(w.session().isOnline());
    prompt.chooseFile(std::nullopt);
    w.runCommand(Command::Download);
    EXPECT_EQ(application->download().progressDialog(), nullptr);
    EXPECT_EQ(messageTexts().back(), QStringLiteral("请您选择要下载的dnl文件，下载操作被终止！"));
    EXPECT_TRUE(commandEnabled(Command::Download));
}

// "参数上传": the save dialog with the default name, the progress dialog with the
// commands disabled while it runs, the file with the drive's value, the success message.
TEST_F(ApplicationDownloadTest, uploadWritesTheDrivesValuesWithItsProgressDialog)
{
    MainWindow& w = application->window();
    w.refreshCommands();
    EXPECT_FALSE(commandEnabled(Command::Upload));  // offline
    w.runCommand(Command::Connect);
    ASSERT_TRUE(w.session().isOnline()) << messageTexts().join(QLatin1Char('|')).toStdString();
    w.refreshCommands();
    ASSERT_TRUE(commandEnabled(Command::Upload));
    ASSERT_EQ(sim.command(QStringLiteral("set P0089 4")), QStringLiteral("ok P0089=4"));

    const QString path = dir.filePath(QStringLiteral("backup.dnl"));
    prompt.chooseFile(path);
    w.runCommand(Command::Upload);
    QProgressDialog* dialog = application->upload().progressDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    EXPECT_FALSE(commandEnabled(Command::Upload));
    EXPECT_FALSE(commandEnabled(Command::Download));
    ASSERT_TRUE(sim::test::pumpUntil([&] { return !application->upload().workflow().running(); }, 20s));
    ASSERT_TRUE(sim::test::pumpUntil([&] { return application->upload().progressDialog() == nullptr; }, 2s));
    EXPECT_TRUE(commandEnabled(Command::Upload));
    ASSERT_EQ(prompt.fileDialogs().size(), 1u);
    EXPECT_TRUE(prompt.fileDialogs()[0].save);
    EXPECT_TRUE(prompt.fileDialogs()[0].spec.fileName.startsWith(QStringLiteral("VRA1_"))) << prompt.fileDialogs()[0].spec.fileName.toStdString();
    EXPECT_EQ(messageTexts().back(), QStringLiteral("导出dnl文件成功，文件路径：\n") + path);
    QString value;
    for (const QString& row : files::readDnlRows(path).rows)
        if (row.startsWith(QLatin1String("0089|")))
            value = files::splitDnlRow(row).value;
    EXPECT_EQ(value, QStringLiteral("4"));
}

}  // namespace
}  // namespace hesk::app::test
