// "搜索设备" (DeviceSearchDialog) against the real hesk-drive-sim on a pseudo-terminal, with
// the settings file and project root of a temporary folder: texts and controls, a found
// project opened or declined, the QB27 advice, a silent drive, settings that do not
// load, "停止", the time-out, the moving progress bar and the refused close.

#include "DialogTestSupport.h"
#include "QtPrinters.h"
#include "ScriptedPrompt.h"
#include "SimProcess.h"
#include "SimProjectFixture.h"

#include "dialogs/DeviceSearchDialog.h"
#include "model/LogSink.h"
#include "online/IniFile.h"
#include "online/LinkDeviceProbe.h"

#include <QDir>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <mutex>

namespace hesk::apptest {
namespace {

using namespace std::chrono_literals;
using app::DeviceSearchDialog;
using app::SearchTimers;
using model::PromptAnswer;
using model::PromptButtons;
using model::UserMessage;
using sim::test::kProgramId;
using testsupport::PromptQuestion;
using testsupport::ScriptedPrompt;

const QString kIdleText = QStringLiteral("请点击开始按钮，执行搜索设备操作。");
const QString kSearchingText = QStringLiteral("正在搜索设备...");
const QString kEndedText = QStringLiteral("搜索已结束，点击开始按钮可重新搜索。");

class SearchDeviceDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.filePath(QStringLiteral("projects"));
        ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/VRA1")));
        project = sim::test::writeSimProject(root + QStringLiteral("/VRA1"));
        ASSERT_TRUE(sim.start({QStringLiteral("--project"), project, QStringLiteral("--pty")})) << sim.error().toStdString();
        ASSERT_TRUE(sim.readyLine().startsWith(QStringLiteral("/dev/"))) << sim.readyLine().toStdString();
        // The settings as "接口设置" and "端口设定" leave them.
        for (const auto& [section, key, value] : {std::tuple{"CURRENT MODE", "MODE", QStringLiteral("232")},
                                                 std::tuple{"232 MODE", "PORTNAME", sim.readyLine()},
                                                 std::tuple{"232 MODE", "BAUNDRATE", QStringLiteral("38400")}})
            ASSERT_TRUE(online::writeProfileString(iniPath(), QLatin1String(section), QLatin1String(key), value).ok());
    }

    QString iniPath() const { return dir.filePath(QStringLiteral("interfacecfg.ini")); }

    std::unique_ptr<DeviceSearchDialog> dialog(SearchTimers timers = {})
    {
        auto options = online::deviceSearchOptions(root, {iniPath(), {}}, [this](bool suppressed) {
            const std::lock_guard lock(switchesMutex);
            logSwitches.push_back(suppressed);
        });
        auto d = std::make_unique<DeviceSearchDialog>(std::move(options), probe, prompt, nullptr, timers);
        d->show();
        return d;
    }

    void command(const QString& line) { ASSERT_EQ(sim.command(line), QStringLiteral("ok")) << line.toStdString(); }

    // Waits until the search has ended and what it had to say was said.
    static bool searchEnds(const DeviceSearchDialog& d) { return pumpUntil([&] { return !d.isSearching(); }, 15s); }

    static void expectEnded(const DeviceSearchDialog& d)
    {
        EXPECT_FALSE(d.isSearching());
        EXPECT_EQ(child<QLabel>(d, "statusText")->text(), kEndedText);
        EXPECT_TRUE(child<QPushButton>(d, "startButton")->isEnabled());
        EXPECT_FALSE(child<QPushButton>(d, "stopButton")->isEnabled());
        EXPECT_EQ(child<QProgressBar>(d, "progressBar")->value(), 0);
    }

    QTemporaryDir dir;
    QString root;
    QString project;
    sim::test::SimProcess sim;
    model::NullLogSink log;
    online::LinkDeviceProbe probe{log};
    ScriptedPrompt prompt;
    std::mutex switchesMutex;
    std::vector<bool> logSwitches;
};

TEST_F(SearchDeviceDialogTest, opensWithItsTextsAndOnlyStartEnabled)
{
    auto d = dialog();
    EXPECT_EQ(d->windowTitle(), QStringLiteral("搜索设备"));
    EXPECT_EQ(child<QLabel>(*d, "statusText")->text(), kIdleText);  // the start hint before the first search
    EXPECT_EQ(child<QGroupBox>(*d, "knownDevices")->title(), QStringLiteral("已知设备"));
    EXPECT_EQ(child<QLabel>(*d, "resultText")->text(), QString());
    EXPECT_EQ(child<QPushButton>(*d, "startButton")->text(), QStringLiteral("开始"));
    EXPECT_EQ(child<QPushButton>(*d, "stopButton")->text(), QStringLiteral("停止"));
    EXPECT_TRUE(child<QPushButton>(*d, "startButton")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(*d, "stopButton")->isEnabled());
    EXPECT_EQ(child<QProgressBar>(*d, "progressBar")->value(), 0);
    EXPECT_FALSE(d->isSearching());
}

TEST_F(SearchDeviceDialogTest, foundProjectIsOfferedAndReportedWhenThePersonAgrees)
{
    prompt.answer(PromptAnswer::Ok);
    auto d = dialog();
    QSignalSpy chosen(d.get(), &DeviceSearchDialog::projectChosen);
    click(child<QPushButton>(*d, "startButton"));
    EXPECT_TRUE(d->isSearching());
    EXPECT_EQ(child<QLabel>(*d, "statusText")->text(), kSearchingText);
    EXPECT_FALSE(child<QPushButton>(*d, "startButton")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(*d, "stopButton")->isEnabled());

    ASSERT_TRUE(pumpUntil([&] { return !d->isVisible(); }, 15s));
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->chosenProjectPath(), project);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toString(), project);
    EXPECT_EQ(prompt.questions(),
              (std::vector<PromptQuestion>{{QStringLiteral("警告"),
                                            QStringLiteral("已搜索到设备，是否打开对应工程？\n设备类型，版本：VRA1，V1.14.18"),
                                            PromptButtons::OkCancel}}));
    EXPECT_TRUE(prompt.messages().empty());
    EXPECT_EQ(child<QLabel>(*d, "resultText")->text(), QStringLiteral("  已搜索到设备：VRA1，V1.14.18"));
    expectEnded(*d);
    const std::lock_guard lock(switchesMutex);
    EXPECT_EQ(logSwitches, (std::vector<bool>{true, false}));  // the log was off only for the check
}

TEST_F(SearchDeviceDialogTest, declinedProjectLeavesTheDialogOpenWithTheResultShown)
{
    prompt.answer(PromptAnswer::Cancel);
    auto d = dialog();
    click(child<QPushButton>(*d, "startButton"));
    ASSERT_TRUE(pumpUntil([&] { return !prompt.questions().empty(); }, 15s));
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->chosenProjectPath(), std::nullopt);
    EXPECT_EQ(child<QLabel>(*d, "resultText")->text(), QStringLiteral("  已搜索到设备：VRA1，V1.14.18"));
    expectEnded(*d);

    // A second search starts with the result cleared.
    prompt.answer(PromptAnswer::Cancel);
    click(child<QPushButton>(*d, "startButton"));
    EXPECT_EQ(child<QLabel>(*d, "resultText")->text(), QString());
    ASSERT_TRUE(pumpUntil([&] { return prompt.questions().size() == 2; }, 15s));
    EXPECT_TRUE(d->isVisible());
}

TEST_F(SearchDeviceDialogTest, endingsWithAMessage)
{
    struct Case {
        const char* name;
        QStringList commands;  // to the simulated drive first
        bool removeSettings;
        UserMessage shown;
    };
    const QString generic = QStringLiteral("当前设备为QB27控制板，设备版本号为1234，\n请联系售后维护人员，打开对应版本的"
                                           "HESKMonitor工程，\n之后再进行设备连接等其它操作！");
    const Case cases[] = {
        {"QB27 board", {"cpu-type 0x71", "program-id 0x1234"}, false, UserMessage::information(generic)},
        {"QB27 board of a named project", {"cpu-type 0x71", "program-id 0x7ADF"}, false,
         UserMessage::information(online::qb27AdviceText(0x7ADF))},
        {"no project carries the identifier", {"cpu-type 0x6500", "program-id 0x1234"}, false,
         UserMessage::warning(QStringLiteral("搜素设备超时，请您重新尝试！"))},
        {"silent drive", {"mute on"}, false, UserMessage::error(QStringLiteral("请求设备程序ID超时。"))},
        {"settings gone", {"mute off"}, true, UserMessage::error(QStringLiteral("通信设置加载失败！"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& line : c.commands)
            command(line);
        if (c.removeSettings) {
            ASSERT_TRUE(QFile::remove(iniPath()));
        }
        ScriptedPrompt casePrompt;
        auto options = online::deviceSearchOptions(root, {iniPath(), {}});
        DeviceSearchDialog d(std::move(options), probe, casePrompt);
        d.show();
        click(child<QPushButton>(d, "startButton"));
        ASSERT_TRUE(pumpUntil([&] { return !casePrompt.messages().empty(); }, 15s));
        EXPECT_EQ(casePrompt.messages(), std::vector<UserMessage>{c.shown});
        EXPECT_TRUE(casePrompt.questions().empty());
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.chosenProjectPath(), std::nullopt);
        EXPECT_EQ(child<QLabel>(d, "resultText")->text(), QString());
        expectEnded(d);
    }
}

TEST_F(SearchDeviceDialogTest, stopEndsTheSearchWithoutAMessageAndTheNextOneWorks)
{
    command(QStringLiteral("mute on"));
    auto d = dialog();
    click(child<QPushButton>(*d, "startButton"));
    pumpUntil([] { return false; }, 200ms);  // the first request is on the line
    ASSERT_TRUE(d->isSearching());
    click(child<QPushButton>(*d, "stopButton"));
    expectEnded(*d);
    // Nothing follows from the stopped search.
    pumpUntil([] { return false; }, 300ms);
    EXPECT_TRUE(prompt.messages().empty());
    EXPECT_TRUE(prompt.questions().empty());

    command(QStringLiteral("mute off"));
    prompt.answer(PromptAnswer::Cancel);
    click(child<QPushButton>(*d, "startButton"));
    ASSERT_TRUE(pumpUntil([&] { return !prompt.questions().empty(); }, 15s));
    EXPECT_EQ(child<QLabel>(*d, "resultText")->text(), QStringLiteral("  已搜索到设备：VRA1，V1.14.18"));
}

TEST_F(SearchDeviceDialogTest, closingIsRefusedWhileTheSearchRuns)
{
    command(QStringLiteral("mute on"));
    auto d = dialog();
    click(child<QPushButton>(*d, "startButton"));
    d->close();
    EXPECT_TRUE(d->isVisible());
    QTest::keyClick(d.get(), Qt::Key_Escape);
    EXPECT_TRUE(d->isVisible());
    const UserMessage refused = UserMessage::warning(QStringLiteral("正在搜索设备，请稍后再关闭对话框！"));
    EXPECT_EQ(prompt.messages(), (std::vector<UserMessage>{refused, refused}));
    EXPECT_TRUE(d->isSearching());

    click(child<QPushButton>(*d, "stopButton"));
    d->close();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_EQ(prompt.messages().size(), 2u);
}

TEST_F(SearchDeviceDialogTest, searchWithoutOutcomeTimesOutWithItsMessage)
{
    command(QStringLiteral("mute on"));
    // The silent drive's check takes two seconds; the time-out comes first.
    auto d = dialog({100ms, 400ms, 50ms});
    click(child<QPushButton>(*d, "startButton"));
    ASSERT_TRUE(pumpUntil([&] { return !prompt.messages().empty(); }, 10s));
    EXPECT_EQ(prompt.messages(), std::vector<UserMessage>{UserMessage::warning(QStringLiteral("搜素设备超时，请您重新尝试！"))});
    expectEnded(*d);
    pumpUntil([] { return false; }, 300ms);
    EXPECT_EQ(prompt.messages().size(), 1u);  // the stopped check reports nothing
}

TEST_F(SearchDeviceDialogTest, progressBarMovesWhileSearchingAndWindowStaysResponsive)
{
    command(QStringLiteral("mute on"));
    auto d = dialog({100ms, 30s, 50ms});
    auto* bar = child<QProgressBar>(*d, "progressBar");
    EXPECT_EQ(bar->maximum(), 600);  // full at the time-out
    click(child<QPushButton>(*d, "startButton"));
    // Ticks arrive while the worker waits for the silent drive: the UI thread is free.
    EXPECT_TRUE(pumpUntil([&] { return bar->value() >= 4; }, 5s));
    EXPECT_TRUE(d->isSearching());
    click(child<QPushButton>(*d, "stopButton"));
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(SearchDeviceDialogTest, destroyingTheDialogDuringASearchEndsIt)
{
    command(QStringLiteral("mute on"));
    auto d = dialog();
    click(child<QPushButton>(*d, "startButton"));
    ASSERT_TRUE(d->isSearching());
    d.reset();
    // The port is free again: a new search reaches the drive.
    command(QStringLiteral("mute off"));
    prompt.answer(PromptAnswer::Cancel);
    auto next = dialog();
    click(child<QPushButton>(*next, "startButton"));
    EXPECT_TRUE(pumpUntil([&] { return !prompt.questions().empty(); }, 15s));
    EXPECT_TRUE(prompt.messages().empty());
}

}  // namespace
}  // namespace hesk::apptest
