// The device search: the board check's decisions and texts, the worker (log suppression,
// settings, walk, stop), and how the dialog presents an outcome.

#include "ProjectTree.h"
#include "QtPrinters.h"
#include "ScriptedPrompt.h"

#include "online/BoardCheck.h"
#include "online/DeviceSearch.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

using namespace hesk::online;
using namespace hesk::online::testing;
using hesk::model::PromptAnswer;
using hesk::model::PromptButtons;
using hesk::model::UserMessage;
using hesk::testsupport::PromptQuestion;
using hesk::testsupport::ScriptedPrompt;
using Status = DeviceProbeResult::Status;

namespace {

ConnectionSettings serialSettings()
{
    ConnectionSettings settings;
    settings.mode = InterfaceMode::Serial;
    settings.portName = QStringLiteral("/dev/pts/9");
    settings.portPath = settings.portName;
    settings.baudRate = QStringLiteral("38400");
    return settings;
}

// Stands where the connection layer will: answers with a prepared result, or waits until
// the search is stopped. Records what it saw.
class FakeProbe final : public DeviceIdentityProbe {
public:
    explicit FakeProbe(DeviceProbeResult result, const std::atomic<bool>* logSuppressed = nullptr)
        : m_result(result)
        , m_logSuppressed(logSuppressed)
    {
    }

    DeviceProbeResult probe(const ConnectionSettings& settings, std::stop_token stop) override
    {
        ++calls;
        seenSettings = settings;
        logSuppressedDuringProbe = m_logSuppressed && m_logSuppressed->load();
        if (waitForStop) {
            std::mutex mutex;
            std::condition_variable_any stopped;
            std::unique_lock lock(mutex);
            stopped.wait(lock, stop, [] { return false; });
        }
        return m_result;
    }

    std::atomic<int> calls{0};
    ConnectionSettings seenSettings;
    bool logSuppressedDuringProbe = false;
    bool waitForStop = false;

private:
    const DeviceProbeResult m_result;
    const std::atomic<bool>* m_logSuppressed;
};

TEST(BoardCheck, resultTextsByWhatTheDeviceAnswered)
{
    struct Case {
        const char* name;
        DeviceProbeResult probe;
        QString text;
        std::optional<uint16_t> programId;
    };
    const Case cases[] = {
        {"port does not open", {Status::PortOpenFailed, 0, 0}, QStringLiteral("串口打开失败！"), std::nullopt},
        {"no identifier answer", {Status::ProgramIdTimeout, 0, 0}, QStringLiteral("请求设备程序ID超时。"),
         std::nullopt},
        {"boot protocol answer", {Status::ProgramIdRefused, 0, 0}, QString(), std::nullopt},
        {"no CPU type answer", {Status::CpuTypeTimeout, 0x1234, 0}, QStringLiteral("请求设备CPU类型超时。"), 0x1234},
        {"QB27 board", {Status::Identified, 0x1234, 0x71}, QStringLiteral("QB27板卡提示"), 0x1234},
        {"other board", {Status::Identified, 0x1234, 0x6500}, QString(), 0x1234},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeProbe probe(c.probe);
        const BoardCheckResult result = runBoardCheck(serialSettings(), probe);
        EXPECT_EQ(result.text, c.text);
        EXPECT_EQ(result.programId, c.programId);
        EXPECT_EQ(probe.calls, 1);
        EXPECT_EQ(probe.seenSettings, serialSettings());
    }
}

TEST(BoardCheck, onlyTheSerialModeAsksTheDevice)
{
    for (InterfaceMode mode : {InterfaceMode::NotSet, InterfaceMode::Ethernet}) {
        ConnectionSettings settings = serialSettings();
        settings.mode = mode;
        FakeProbe probe({Status::Identified, 1, 1});
        EXPECT_EQ(runBoardCheck(settings, probe).text, QStringLiteral("程序执行异常，请联系开发人员！"));
        EXPECT_EQ(probe.calls, 0);
    }
}

TEST(BoardCheck, qb27AdviceByProgramIdentifier)
{
    EXPECT_EQ(qb27AdviceText(0x7ADF),
              QStringLiteral("当前设备为QB27控制板，请安装V2.01.12 20171221版HESKMonitor软件，\n"
                             "并打开VRA1_QB27_V1.02.00版本的HESKMonitor工程，\n之后再进行设备连接等其它操作！"));
    EXPECT_EQ(qb27AdviceText(0xE2E2),
              QStringLiteral("当前设备为QB27控制板，请安装V2.01.12 20171221版HESKMonitor软件，\n"
                             "并打开VRA1_QB27_V2.00.00版本的HESKMonitor工程，\n之后再进行设备连接等其它操作！"));
    const QString generic = QStringLiteral("当前设备为QB27控制板，设备版本号为%1，\n"
                                           "请联系售后维护人员，打开对应版本的HESKMonitor工程，\n"
                                           "之后再进行设备连接等其它操作！");
    EXPECT_EQ(qb27AdviceText(0x1234), generic.arg("1234"));
    EXPECT_EQ(qb27AdviceText(0x00AB), generic.arg("00ab"));
    EXPECT_EQ(qb27AdviceText(0xFFFF), generic.arg("ffff"));
}

class DeviceSearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.writeProject("VRA1/VRA1V11418/VRA1V11418.tmprj", "VRA1", "V1.14.18", 0x1111);
        tree.writeProject("VRA1/VRA1V11517/VRA1V11517.tmprj", "VRA1", "V1.15.17", 0x2222);
        tree.writeProject("QB27/qb27.tmprj", "VRA1", "V1.02.00", 0x7ADF);
        tree.writeProject("zero/zero.tmprj", "VRA1", "V1.01.01", 0x0000);
    }

    DeviceSearchOptions options(std::optional<ConnectionSettings> settings = serialSettings())
    {
        DeviceSearchOptions o;
        o.projectRoot = tree.root();
        o.loadSettings = [settings] { return settings; };
        o.setLogSuppressed = [this](bool suppressed) {
            logSuppressed = suppressed;
            const std::lock_guard lock(switchesMutex);
            switches.push_back(suppressed);
        };
        return o;
    }

    ProjectTree tree;
    std::atomic<bool> logSuppressed{false};
    std::mutex switchesMutex;
    std::vector<bool> switches;
};

TEST_F(DeviceSearchTest, findsTheProjectOfTheReportedIdentifierWithTheLogSuppressedOnlyForTheCheck)
{
    FakeProbe probe({Status::Identified, 0x2222, 0x6500}, &logSuppressed);
    DeviceSearch search(options(), probe);
    ASSERT_TRUE(search.start());
    EXPECT_TRUE(search.isRunning());
    const std::optional<DeviceSearchOutcome> outcome = search.waitForOutcome();

    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->resultText, QString());
    EXPECT_EQ(outcome->programId, 0x2222);
    ASSERT_TRUE(outcome->match);
    EXPECT_EQ(*outcome->match, (FoundProject{tree.path("VRA1/VRA1V11517/VRA1V11517.tmprj"), "VRA1", "V1.15.17", 0x2222}));
    EXPECT_TRUE(probe.logSuppressedDuringProbe);
    EXPECT_EQ(switches, (std::vector<bool>{true, false}));
    EXPECT_FALSE(search.isRunning());
    EXPECT_EQ(search.takeOutcome(), std::nullopt);  // given once
}

TEST_F(DeviceSearchTest, outcomesThatEndBeforeOrWithoutTheWalk)
{
    struct Case {
        const char* name;
        std::optional<ConnectionSettings> settings;
        DeviceProbeResult probe;
        DeviceSearchOutcome expected;
        int probeCalls;
    };
    const Case cases[] = {
        {"settings fail", std::nullopt, {Status::Identified, 0x1111, 1}, {QStringLiteral("通信设置加载失败！"), {}, {}}, 0},
        {"port does not open", serialSettings(), {Status::PortOpenFailed, 0, 0}, {QStringLiteral("串口打开失败！"), {}, {}}, 1},
        // A QB27 board is not looked up even though a project carries its identifier.
        {"QB27 board", serialSettings(), {Status::Identified, 0x7ADF, 0x71}, {QStringLiteral("QB27板卡提示"), 0x7ADF, {}}, 1},
        // No identifier reported: nothing to compare, so the project with identifier 0 is
        // not offered.
        {"boot protocol answer", serialSettings(), {Status::ProgramIdRefused, 0, 0}, {QString(), {}, {}}, 1},
        {"no project carries it", serialSettings(), {Status::Identified, 0x4321, 0x6500}, {QString(), 0x4321, {}}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        switches.clear();
        FakeProbe probe(c.probe);
        DeviceSearch search(options(c.settings), probe);
        ASSERT_TRUE(search.start());
        EXPECT_EQ(search.waitForOutcome(), c.expected);
        EXPECT_EQ(probe.calls, c.probeCalls);
        EXPECT_EQ(switches, (std::vector<bool>{true, false}));
    }
}

TEST_F(DeviceSearchTest, stopEndsAWaitingProbeAndDiscardsTheOutcome)
{
    FakeProbe probe({Status::Identified, 0x1111, 0x6500});
    probe.waitForStop = true;
    DeviceSearch search(options(), probe);
    ASSERT_TRUE(search.start());
    EXPECT_FALSE(search.start());  // one search at a time
    search.stop();
    EXPECT_FALSE(search.isRunning());
    EXPECT_EQ(search.takeOutcome(), std::nullopt);
    EXPECT_EQ(switches, (std::vector<bool>{true, false}));  // the log is on again

    // The next search runs normally.
    probe.waitForStop = false;
    ASSERT_TRUE(search.start());
    const std::optional<DeviceSearchOutcome> outcome = search.waitForOutcome();
    ASSERT_TRUE(outcome && outcome->match);
    EXPECT_EQ(outcome->match->path, tree.path("VRA1/VRA1V11418/VRA1V11418.tmprj"));
}

TEST_F(DeviceSearchTest, destroyingARunningSearchStopsIt)
{
    FakeProbe probe({Status::Identified, 0x1111, 0x6500});
    probe.waitForStop = true;
    {
        DeviceSearch search(options(), probe);
        ASSERT_TRUE(search.start());
    }
    EXPECT_EQ(switches, (std::vector<bool>{true, false}));
}

TEST_F(DeviceSearchTest, applicationOptionsReadTheSettingsFileAtEachSearch)
{
    QTemporaryDir settingsFolder;
    ASSERT_TRUE(settingsFolder.isValid());
    const QString file = settingsFolder.filePath(QStringLiteral("interfacecfg.ini"));
    std::vector<bool> seen;
    const DeviceSearchOptions o =
        deviceSearchOptions(tree.root(), {file, {}}, [&seen](bool suppressed) { seen.push_back(suppressed); });
    EXPECT_EQ(o.projectRoot, tree.root());

    FakeProbe probe({Status::Identified, 0x2222, 0x6500});
    DeviceSearch search(o, probe);
    // No settings file yet: the search ends with the settings message and asks nothing.
    ASSERT_TRUE(search.start());
    EXPECT_EQ(search.waitForOutcome(), (DeviceSearchOutcome{QStringLiteral("通信设置加载失败！"), {}, {}}));
    EXPECT_EQ(probe.calls, 0);

    // Written between two searches, the file is read by the next one.
    InterfaceSettings settings({file, {}});
    ASSERT_TRUE(settings.setMode(InterfaceMode::Serial).ok());
    ASSERT_TRUE(settings.setSerialPort(QStringLiteral("/dev/pts/9"), QStringLiteral("38400")).ok());
    ASSERT_TRUE(search.start());
    const std::optional<DeviceSearchOutcome> outcome = search.waitForOutcome();
    ASSERT_TRUE(outcome && outcome->match);
    EXPECT_EQ(outcome->match->deviceVersion, QStringLiteral("V1.15.17"));
    EXPECT_EQ(probe.seenSettings, serialSettings());
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true, false}));
}

TEST(DeviceSearchPresentation, eachOutcomeAsTheDialogShowsIt)
{
    const FoundProject project{"/p/VRA1V11517.tmprj", "VRA1", "V1.15.17", 0x2222};
    const QString question = QStringLiteral("已搜索到设备，是否打开对应工程？\n设备类型，版本：VRA1，V1.15.17");

    {
        ScriptedPrompt prompt;
        prompt.answer(PromptAnswer::Ok);
        EXPECT_EQ(presentSearchOutcome({QString(), 0x2222, project}, prompt), project.path);
        EXPECT_EQ(prompt.questions(), (std::vector<PromptQuestion>{{"警告", question, PromptButtons::OkCancel}}));
        EXPECT_TRUE(prompt.messages().empty());
    }
    {
        ScriptedPrompt prompt;
        prompt.answer(PromptAnswer::Cancel);
        EXPECT_EQ(presentSearchOutcome({QString(), 0x2222, project}, prompt), std::nullopt);
    }

    struct Case {
        const char* name;
        DeviceSearchOutcome outcome;
        UserMessage shown;
    };
    const Case cases[] = {
        {"QB27", {QStringLiteral("QB27板卡提示"), 0x1234, {}}, UserMessage::information(qb27AdviceText(0x1234))},
        {"error", {QStringLiteral("请求设备CPU类型超时。"), 0x1234, {}},
         UserMessage::error(QStringLiteral("请求设备CPU类型超时。"))},
        {"nothing found", {QString(), 0x4321, {}}, searchTimeoutMessage()},
        {"no identifier", {QString(), {}, {}}, searchTimeoutMessage()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompt prompt;
        EXPECT_EQ(presentSearchOutcome(c.outcome, prompt), std::nullopt);
        EXPECT_EQ(prompt.messages(), std::vector<UserMessage>{c.shown});
    }
}

TEST(DeviceSearchPresentation, dialogTexts)
{
    EXPECT_EQ(searchResultLine({"/p", QStringLiteral("有源整流电源"), "V2.13.08", 1}),
              QStringLiteral("  已搜索到设备：有源整流电源，V2.13.08"));
    EXPECT_EQ(searchingStatusText(), QStringLiteral("正在搜索设备..."));
    EXPECT_EQ(idleStatusText(), QStringLiteral("请点击开始按钮，执行搜索设备操作。"));
    EXPECT_EQ(searchTimeoutMessage(), UserMessage::warning(QStringLiteral("搜素设备超时，请您重新尝试！")));
    EXPECT_EQ(closeDuringSearchMessage(), UserMessage::warning(QStringLiteral("正在搜索设备，请稍后再关闭对话框！")));
}

}  // namespace
