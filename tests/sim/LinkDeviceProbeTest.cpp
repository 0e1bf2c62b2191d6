// The board check over the real link against the real hesk-drive-sim on a
// pseudo-terminal: what the probe reports for an answering drive, a QB27 board, a silent
// drive, a drive that leaves the CPU type unanswered and a port that does not exist; how
// many requests reach the drive; the link closed on every path; a stop ending the wait;
// and the whole device search on its worker thread without a Qt warning.

#include "SimProcess.h"
#include "SimProjectFixture.h"

#include "OpenDescriptors.h"
#include "QtPrinters.h"
#include "ScriptedPrompt.h"

#include "model/LogSink.h"
#include "online/BoardCheck.h"
#include "online/DeviceSearch.h"
#include "online/LinkDeviceProbe.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

namespace hesk::sim::test {
namespace {

using namespace std::chrono_literals;
using online::DeviceProbeResult;
using Status = online::DeviceProbeResult::Status;

// Every Qt warning (and worse) of the test program while a test runs.
class QtWarningRecorder {
public:
    QtWarningRecorder() { s_previous = qInstallMessageHandler(&QtWarningRecorder::handle); }
    ~QtWarningRecorder() { qInstallMessageHandler(s_previous); }
    QtWarningRecorder(const QtWarningRecorder&) = delete;
    QtWarningRecorder& operator=(const QtWarningRecorder&) = delete;

    static QStringList take()
    {
        const std::lock_guard lock(s_mutex);
        return std::exchange(s_warnings, {});
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type != QtDebugMsg && type != QtInfoMsg) {
            const std::lock_guard lock(s_mutex);
            s_warnings << text;
        }
        if (s_previous)
            s_previous(type, context, text);
    }

    static inline std::mutex s_mutex;
    static inline QStringList s_warnings;
    static inline QtMessageHandler s_previous = nullptr;
};

class LinkDeviceProbeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureQtApplication();
        QtWarningRecorder::take();
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("projects")));
        project = writeSimProject(dir.filePath(QStringLiteral("projects")));
        ASSERT_TRUE(sim.start({QStringLiteral("--project"), project, QStringLiteral("--pty")})) << sim.error().toStdString();
        ASSERT_TRUE(sim.readyLine().startsWith(QStringLiteral("/dev/"))) << sim.readyLine().toStdString();
    }
    void TearDown() override { EXPECT_EQ(QtWarningRecorder::take(), QStringList()); }

    online::ConnectionSettings settings(const QString& path = {}) const
    {
        online::ConnectionSettings s;
        s.mode = online::InterfaceMode::Serial;
        s.portName = path.isEmpty() ? sim.readyLine() : path;
        s.portPath = s.portName;
        s.baudRate = QStringLiteral("38400");
        return s;
    }

    // The probe on a thread of its own, as the search worker runs it.
    DeviceProbeResult probeOnWorker(const online::ConnectionSettings& s)
    {
        DeviceProbeResult result;
        std::jthread worker([&](std::stop_token stop) { result = probe.probe(s, stop); });
        worker.join();
        return result;
    }

    // Frames the drive has taken from the tool so far ("requests=N" of its status).
    int requestsSeen()
    {
        const QString status = sim.command(QStringLiteral("status"));
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("requests=(\\d+)")).match(status);
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }

    void command(const QString& line) { ASSERT_EQ(sim.command(line), QStringLiteral("ok")) << line.toStdString(); }

    QtWarningRecorder warnings;
    QTemporaryDir dir;
    QString project;
    SimProcess sim;
    model::NullLogSink log;
    online::LinkDeviceProbe probe{log};
};

TEST_F(LinkDeviceProbeTest, answeringDriveReportsIdentifierAndCpuTypeWithOneRequestEach)
{
    const int before = requestsSeen();
    const DeviceProbeResult result = probeOnWorker(settings());
    EXPECT_EQ(result.status, Status::Identified);
    EXPECT_EQ(result.programId, kProgramId);
    EXPECT_EQ(result.cpuType, kCpuCode);
    EXPECT_EQ(requestsSeen() - before, 2);  // 0x0C and 0x0E, each answered at once

    const online::BoardCheckResult check = online::runBoardCheck(settings(), probe);
    EXPECT_EQ(check.text, QString());
    EXPECT_EQ(check.programId, kProgramId);
}

TEST_F(LinkDeviceProbeTest, portIsClosedAfterEveryOutcome)
{
    using testsupport::openDescriptorsOn;
    const QString port = sim.readyLine();
    command(QStringLiteral("mute on"));
    EXPECT_EQ(probeOnWorker(settings()).status, Status::ProgramIdTimeout);
    EXPECT_EQ(openDescriptorsOn(port), 0);
    command(QStringLiteral("mute off"));
    EXPECT_EQ(probeOnWorker(settings()).status, Status::Identified);
    EXPECT_EQ(openDescriptorsOn(port), 0);
    // Opened exclusively: a probe that kept the port would make the next one fail (for
    // a process without the privilege to break the exclusion).
    EXPECT_EQ(probeOnWorker(settings()).status, Status::Identified);
    EXPECT_EQ(openDescriptorsOn(port), 0);
}

TEST_F(LinkDeviceProbeTest, qb27BoardGivesTheAdviceForTheReportedIdentifier)
{
    command(QStringLiteral("cpu-type 0x71"));
    online::BoardCheckResult check = online::runBoardCheck(settings(), probe);
    EXPECT_EQ(check.text, online::qb27ResultText());
    EXPECT_EQ(check.programId, kProgramId);

    command(QStringLiteral("program-id 0x1234"));
    check = online::runBoardCheck(settings(), probe);
    EXPECT_EQ(check.text, QStringLiteral("QB27板卡提示"));
    ASSERT_EQ(check.programId, 0x1234);
    EXPECT_EQ(online::qb27AdviceText(*check.programId),
              QStringLiteral("当前设备为QB27控制板，设备版本号为1234，\n请联系售后维护人员，打开对应版本的HESKMonitor工程，\n"
                             "之后再进行设备连接等其它操作！"));
}

TEST_F(LinkDeviceProbeTest, silentDriveTimesOutOnTheIdentifierAfterTwoAttempts)
{
    command(QStringLiteral("mute on"));
    const int before = requestsSeen();
    const DeviceProbeResult result = probeOnWorker(settings());
    EXPECT_EQ(result.status, Status::ProgramIdTimeout);
    EXPECT_EQ(requestsSeen() - before, 2);  // two 0x0C attempts, no 0x0E
    EXPECT_EQ(online::runBoardCheck(settings(), probe).text, QStringLiteral("请求设备程序ID超时。"));
}

TEST_F(LinkDeviceProbeTest, driveThatLeavesTheCpuTypeUnansweredKeepsItsIdentifier)
{
    const QString reply = sim.command(QStringLiteral("ignore 0x0E"));
    if (reply.startsWith(QStringLiteral("error")))
        GTEST_SKIP() << "the simulated drive has no 'ignore' command yet: " << reply.toStdString();
    ASSERT_TRUE(reply.startsWith(QStringLiteral("ok"))) << reply.toStdString();

    const int before = requestsSeen();
    const DeviceProbeResult result = probeOnWorker(settings());
    EXPECT_EQ(result.status, Status::CpuTypeTimeout);
    EXPECT_EQ(result.programId, kProgramId);
    EXPECT_EQ(requestsSeen() - before, 1 + 4);  // one answered 0x0C, four 0x0E attempts

    const online::BoardCheckResult check = online::runBoardCheck(settings(), probe);
    EXPECT_EQ(check.text, QStringLiteral("请求设备CPU类型超时。"));
    EXPECT_EQ(check.programId, kProgramId);
}

TEST_F(LinkDeviceProbeTest, portThatDoesNotExistFailsToOpen)
{
    const int before = requestsSeen();
    const QString missing = dir.filePath(QStringLiteral("no-such-port"));
    EXPECT_EQ(probeOnWorker(settings(missing)).status, Status::PortOpenFailed);
    EXPECT_EQ(online::runBoardCheck(settings(missing), probe).text, QStringLiteral("串口打开失败！"));
    EXPECT_EQ(requestsSeen(), before);
}

TEST_F(LinkDeviceProbeTest, stopEndsTheWaitBeforeTheSecondAttempt)
{
    command(QStringLiteral("mute on"));
    const int before = requestsSeen();
    DeviceProbeResult result{Status::Identified, 1, 1};
    std::jthread worker([&](std::stop_token stop) { result = probe.probe(settings(), stop); });
    // The first identifier request has reached the drive; the second would follow 1 s
    // after it.
    ASSERT_TRUE(pumpUntil([&] { return requestsSeen() - before == 1; }, 900ms));
    worker.request_stop();
    worker.join();
    EXPECT_NE(result.status, Status::Identified);
    EXPECT_EQ(requestsSeen() - before, 1);
    EXPECT_EQ(testsupport::openDescriptorsOn(sim.readyLine()), 0);

    // The port was closed: the next probe works.
    command(QStringLiteral("mute off"));
    EXPECT_EQ(probeOnWorker(settings()).status, Status::Identified);
}

TEST_F(LinkDeviceProbeTest, searchWorkerFindsTheDrivesProject)
{
    online::DeviceSearchOptions options;
    options.projectRoot = dir.filePath(QStringLiteral("projects"));
    options.loadSettings = [s = settings()] { return std::optional<online::ConnectionSettings>(s); };
    online::DeviceSearch search(options, probe);
    ASSERT_TRUE(search.start());
    const std::optional<online::DeviceSearchOutcome> outcome = search.waitForOutcome();
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->resultText, QString());
    EXPECT_EQ(outcome->programId, kProgramId);
    ASSERT_TRUE(outcome->match);
    EXPECT_EQ(*outcome->match, (online::FoundProject{project, QStringLiteral("VRA1"), QStringLiteral("V1.14.18"), kProgramId}));
    EXPECT_EQ(online::searchResultLine(*outcome->match), QStringLiteral("  已搜索到设备：VRA1，V1.14.18"));
}

TEST_F(LinkDeviceProbeTest, searchWorkerPresentsAQb27BoardWithTheGenericAdvice)
{
    command(QStringLiteral("cpu-type 0x71"));
    command(QStringLiteral("program-id 0x1234"));
    online::DeviceSearchOptions options;
    options.projectRoot = dir.filePath(QStringLiteral("projects"));
    options.loadSettings = [s = settings()] { return std::optional<online::ConnectionSettings>(s); };
    online::DeviceSearch search(options, probe);
    ASSERT_TRUE(search.start());
    const std::optional<online::DeviceSearchOutcome> outcome = search.waitForOutcome();
    ASSERT_TRUE(outcome);

    testsupport::ScriptedPrompt prompt;
    EXPECT_EQ(online::presentSearchOutcome(*outcome, prompt), std::nullopt);
    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages()[0], model::UserMessage::information(online::qb27AdviceText(0x1234)));
    EXPECT_TRUE(prompt.messages()[0].text.contains(QStringLiteral("设备版本号为1234，")));
}

}  // namespace
}  // namespace hesk::sim::test
