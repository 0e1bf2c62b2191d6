// The drive board's fault-waveform upload against the real simulated drive on a
// pseudo-terminal: the project opened by itself, the board's record with its channels,
// fault numbers and information texts, a silent board, and the failures before the
// exchange, each ending with the port closed and the session offline.
#include "SessionFixture.h"

#include "recording/DriveBoardFaultUpload.h"
#include "recording/FaultDataFile.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>

#include <set>

namespace hesk::recording {
namespace {

using namespace std::chrono_literals;
using model::UserMessage;

// How many of this process's file descriptors are open on `path`.
int openDescriptors(const QString& path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    int count = 0;
    for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System | QDir::Files)) {
        if (fd.symLinkTarget() == target)
            ++count;
    }
    return count;
}

QString installedProjects() { return QStringLiteral(HESK_SOURCE_DIR "/data/projects"); }

class DriveBoardUploadTest : public session::test::SessionTest {
protected:
    // A session without a project, on the simulator's pseudo-terminal.
    void openEmptySession()
    {
        session = std::make_unique<shell::MonitorSession>(faultTables, log, prompt, settingsFile());
        session->setHooks(&hooks);
    }

    void makeWorkflow(const QString& root = installedProjects())
    {
        board.reset();
        upload = std::make_unique<FaultDataUpload>(*session, prompt);
        board = std::make_unique<DriveBoardFaultUpload>(DriveBoardFaultUpload::Environment{
            *session, prompt, *upload, model::ProjectLocator(root),
            [this](const QString& path) {
                opened << path;
                return !session->project().open(path).has_value();
            },
            [this] {
                ++viewShown;
                return viewShows;
            }});
    }

    std::optional<FaultUploadOutcome> run()
    {
        std::optional<FaultUploadOutcome> outcome;
        QEventLoop loop;
        QObject::connect(board.get(), &DriveBoardFaultUpload::finished, &loop, [&](const FaultUploadOutcome& o) {
            outcome = o;
            loop.quit();
        });
        const bool started = board->start();
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        if (started && board->running())
            loop.exec();
        return outcome;
    }

    void expectClosedAndOffline()
    {
        EXPECT_FALSE(board->running());
        EXPECT_FALSE(session->isOnline());
        EXPECT_FALSE(session->isListening());
        EXPECT_FALSE(session->isMonitoring());
        EXPECT_EQ(openDescriptors(sim.readyLine()), 0);
        EXPECT_EQ(session->link().readerThread(), link::ReaderThread::None);
        EXPECT_FALSE(session->schedulerRunning());
        EXPECT_FALSE(session->recordingActive());
        EXPECT_FALSE(session->scheduler().faultDataMode());
    }

    // The workflows go before the session they were lent.
    void TearDown() override
    {
        board.reset();
        upload.reset();
        SessionTest::TearDown();
    }

    std::unique_ptr<FaultDataUpload> upload;
    std::unique_ptr<DriveBoardFaultUpload> board;
    QStringList opened;
    int viewShown = 0;
    bool viewShows = true;
};

TEST_F(DriveBoardUploadTest, opensTheProjectAndUploadsTheBoardRecord)
{
    startSerialSim();
    openEmptySession();
    ASSERT_TRUE(sim.command(QStringLiteral("fault set 0.6")).startsWith(QLatin1String("ok")));
    makeWorkflow();
    const std::optional<FaultUploadOutcome> outcome = run();
    ASSERT_TRUE(outcome.has_value());
    ASSERT_TRUE(outcome->success) << outcome->message.toStdString();
    EXPECT_EQ(prompt.messages(),
              std::vector<UserMessage>{UserMessage::information(QStringLiteral("所有故障数据上传完毕！"))});

    // V1.14.17 is not installed: the locator's nearest VRA1 project, said in the log.
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].endsWith(QLatin1String("VRA1/VRA1V11418/VRA1V11418.tmprj"))) << opened[0].toStdString();
    EXPECT_TRUE(session->project().isOpen());
    EXPECT_TRUE(log.contains(QStringLiteral("未安装VRA1V11417工程，打开最接近的已安装工程：") + opened[0]));
    EXPECT_EQ(viewShown, 1);

    const FaultRecord& record = upload->record();
    EXPECT_EQ(outcome->record, record);
    EXPECT_TRUE(record.driveBoard);
    ASSERT_EQ(record.faults.size(), 2u);  // the fault from before power-up and the trip
    const std::set<QString> digitalNames = {QStringLiteral("下管门级脉冲"), QStringLiteral("下管推挽脉冲"),
                                            QStringLiteral("下管电源"),     QStringLiteral("上管门级脉冲"),
                                            QStringLiteral("上管推挽脉冲"), QStringLiteral("上管电源")};
    for (size_t i = 0; i < record.faults.size(); ++i) {
        const FaultEntry& fault = record.faults[i];
        EXPECT_EQ(fault.number, static_cast<int>(i) + 1);
        EXPECT_TRUE(fault.faultWords.empty());
        ASSERT_EQ(fault.channels.size(), 8u);
        std::set<QString> names;
        for (const FaultChannel& c : fault.channels) {
            EXPECT_EQ(c.samples.size(), 128u) << c.number;
            if (c.digital) {
                names.insert(c.name);
                for (double v : c.samples)
                    EXPECT_TRUE(v == 0.0 || v == 1.0) << c.number;
            }
        }
        EXPECT_EQ(names, digitalNames);
        // Channel 3 (lower supply) is up throughout; channel 4 (DC link) stands near 100 %.
        EXPECT_EQ(fault.channels[2].samples, std::vector<double>(128, 1.0));
        EXPECT_NEAR(fault.channels[3].samples.front(), 100.0, 3.0);
    }
    EXPECT_EQ(record.faults.back().listText(true), QStringLiteral("第2次故障(最近的故障)"));
    const QStringList info = record.informationTexts();
    ASSERT_EQ(info.size(), 3);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^已运行0天0小时0分钟\\d+秒$")).match(info[0]).hasMatch())
        << info[0].toStdString();
    EXPECT_EQ(info[1], QStringLiteral("共发生2次故障"));
    EXPECT_EQ(info[2], QStringLiteral("共上电1次"));

    // The steps in order, and the board's file header.
    QStringList steps;
    for (const auto& line : log.lines())
        steps << line.text;
    const QStringList expected = {QStringLiteral("开始与驱动板建立连接..."), QStringLiteral("与驱动板连接成功"),
                                  QStringLiteral("发送故障数据触发命令"), QStringLiteral("等待接收故障数据......"),
                                  QStringLiteral("故障数据接收完毕！")};
    qsizetype at = -1;
    for (const QString& step : expected) {
        const qsizetype next = steps.indexOf(step, at + 1);
        EXPECT_GT(next, at) << step.toStdString();
        at = std::max(at, next);
    }
    const FaultFileHeader header = faultFileHeader(record, session->project().deviceClass(),
                                                   session->project().project().header.deviceVersion,
                                                   QDateTime::currentDateTime());
    EXPECT_EQ(header.deviceStyle, QStringLiteral("DriverBoard"));
    expectClosedAndOffline();

    // The port is free again: the drive can be connected as usual afterwards.
    board.reset();
    upload.reset();
    session.reset();
    openSession();
    EXPECT_TRUE(connect());
}

TEST_F(DriveBoardUploadTest, aSilentBoardEndsInTheTriggerTimeOutAndKeepsThePreviousRecord)
{
    startSerialSim();
    openSession();
    makeWorkflow();
    std::optional<FaultUploadOutcome> outcome = run();
    ASSERT_TRUE(outcome && outcome->success);
    EXPECT_TRUE(opened.isEmpty());  // a project was open: it serves
    const FaultRecord previous = upload->record();
    const std::vector<uint8_t> previousRing = session->link().faultData().ringBytes();
    ASSERT_EQ(previous.faults.size(), 1u);

    ASSERT_TRUE(sim.command(QStringLiteral("mute on")).startsWith(QLatin1String("ok")));
    outcome = run();
    ASSERT_TRUE(outcome.has_value());
    EXPECT_FALSE(outcome->success);
    EXPECT_EQ(prompt.messages().back(), UserMessage::error(QStringLiteral("故障数据触发超时，请您重新尝试！")));
    EXPECT_EQ(log.count(QStringLiteral("<错误>故障数据触发超时,重试")), 2);
    EXPECT_EQ(log.count(QStringLiteral("<错误>故障数据触发失败")), 1);
    EXPECT_EQ(upload->record(), previous);
    EXPECT_EQ(outcome->record, previous);
    EXPECT_EQ(session->link().faultData().ringBytes(), previousRing);
    expectClosedAndOffline();
}

TEST_F(DriveBoardUploadTest, failuresBeforeTheExchangeLeaveNothingOpen)
{
    struct Case {
        const char* name;
        std::function<void()> arrange;
        UserMessage message;
        const char* logLine;
    };
    const UserMessage portFailed = UserMessage::error(QStringLiteral("驱动板串口打开失败！"));
    const std::vector<Case> cases = {
        {"no such port",
         [this] {
             ASSERT_EQ(settingsFile().setSerialPort(dir.filePath(QStringLiteral("no-such-port")), QStringLiteral("38400")).status,
                       online::IniWriteStatus::Written);
         },
         portFailed, "<错误>驱动板串口打开失败"},
        {"baud rate not a number",
         [this] {
             ASSERT_EQ(settingsFile().setSerialPort(sim.readyLine(), QStringLiteral("fast")).status,
                       online::IniWriteStatus::Written);
         },
         portFailed, "<错误>驱动板串口打开失败"},
        {"no installed project", [this] { makeWorkflow(dir.filePath(QStringLiteral("empty"))); },
         UserMessage::error(QStringLiteral("自动打开工程失败！")), nullptr},
        {"the view cannot be shown", [this] { viewShows = false; },
         UserMessage::error(QStringLiteral("发生未知错误，请重试！")), nullptr},
    };
    startSerialSim();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t before = prompt.messages().size();
        log.clear();
        opened.clear();
        viewShows = true;
        ASSERT_EQ(settingsFile().setSerialPort(sim.readyLine(), QStringLiteral("38400")).status,
                  online::IniWriteStatus::Written);
        openEmptySession();
        makeWorkflow();
        c.arrange();
        const std::optional<FaultUploadOutcome> outcome = run();
        ASSERT_TRUE(outcome.has_value());
        EXPECT_FALSE(outcome->success);
        EXPECT_EQ(std::vector<UserMessage>(prompt.messages().begin() + static_cast<std::ptrdiff_t>(before),
                                           prompt.messages().end()),
                  std::vector<UserMessage>{c.message});
        if (c.logLine != nullptr) {
            EXPECT_TRUE(log.contains(QString::fromUtf8(c.logLine), 3));
        }
        EXPECT_FALSE(log.contains(QStringLiteral("发送故障数据触发命令")));
        EXPECT_TRUE(upload->record().empty());
        expectClosedAndOffline();
        board.reset();
        upload.reset();
        session.reset();
    }
}

TEST_F(DriveBoardUploadTest, refusedWhileConnectedToTheDrive)
{
    startSerialSim();
    openSession();
    ASSERT_TRUE(connect());
    makeWorkflow();
    const std::optional<FaultUploadOutcome> outcome = run();
    ASSERT_TRUE(outcome && !outcome->success);
    EXPECT_EQ(prompt.messages().back(), UserMessage::error(QStringLiteral("发生未知错误，请重试！")));
    // The drive's link stays as it was.
    EXPECT_TRUE(session->isOnline());
    EXPECT_TRUE(session->isMonitoring());
    EXPECT_FALSE(session->isListening());
    EXPECT_FALSE(log.contains(QStringLiteral("开始与驱动板建立连接...")));
}

}  // namespace
}  // namespace hesk::recording
