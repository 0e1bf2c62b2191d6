// The fault-data upload against the real simulated drive: a trip uploaded with its
// waveforms (pseudo-terminal and UDP), the refusals, the station question, a drive that
// echoes the trigger but never confirms, and a transfer that stalls mid-way.
#include "SessionFixture.h"

#include <QEventLoop>
#include <QTimer>

#include "recording/FaultDataFile.h"
#include "recording/FaultDataUpload.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

namespace hesk::recording {
namespace {

using namespace std::chrono_literals;
using model::UserMessage;

class FaultUploadTest : public session::test::SessionTest {
protected:
    void connectSerial(const QStringList& extra = {})
    {
        startSerialSim(extra);
        openSession();
        ASSERT_TRUE(connect());
        // The system poll has brought r0001 and P0089.
        ASSERT_TRUE(sim::test::pumpUntil([&] { return session->onlineRaw(element("P0089")).has_value(); }, 4s));
    }

    std::optional<FaultUploadOutcome> run(FaultDataUpload& upload, const std::function<void()>& onData = {})
    {
        std::optional<FaultUploadOutcome> outcome;
        QEventLoop loop;
        QObject::connect(&upload, &FaultDataUpload::finished, &loop, [&](const FaultUploadOutcome& o) {
            outcome = o;
            loop.quit();
        });
        QMetaObject::Connection data;
        if (onData)
            data = QObject::connect(&upload, &FaultDataUpload::dataFlowing, &loop, onData);
        if (!upload.start())
            return std::nullopt;
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        if (upload.running())
            loop.exec();
        QObject::disconnect(data);
        return outcome;
    }

    void trip(const char* bit)
    {
        ASSERT_TRUE(sim.command(QStringLiteral("fault set %1").arg(QLatin1String(bit))).startsWith(QLatin1String("ok")));
        // The record waits for the samples after the trip.
        QEventLoop loop;
        QTimer::singleShot(400ms, &loop, &QEventLoop::quit);
        loop.exec();
    }

    static void expectTripRecord(const FaultRecord& record, uint16_t newestWord0)
    {
        // The fault from before power-up and the trip, each with four channels of 256 samples.
        ASSERT_EQ(record.faults.size(), 2u);
        for (const FaultEntry& f : record.faults) {
            ASSERT_EQ(f.channels.size(), 4u);
            for (const FaultChannel& c : f.channels)
                EXPECT_EQ(c.samples.size(), 256u);
            ASSERT_EQ(f.faultWords.size(), 12u);
        }
        EXPECT_EQ(record.faults[0].faultWords[0], 0x0008);
        EXPECT_EQ(record.faults[1].faultWords[0], newestWord0);
        // The DC link stands near 100 % in standby.
        EXPECT_NEAR(record.faults[1].channels[2].samples.front(), 100.0, 3.0);
        EXPECT_EQ(record.words.size(), 24u);
    }
};

TEST_F(FaultUploadTest, uploadsATripWithItsWaveformsAndWritesTheFile)
{
    connectSerial();
    trip("0.6");
    FaultDataUpload upload(*session, prompt);
    const std::optional<FaultUploadOutcome> outcome = run(upload);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_TRUE(outcome->success) << outcome->message.toStdString();
    EXPECT_EQ(prompt.messages().back(), UserMessage::information(QStringLiteral("所有故障数据上传完毕！")));
    expectTripRecord(upload.record(), 0x0040);
    EXPECT_EQ(upload.record().stationText(), QStringLiteral("主站故障"));
    for (const char* line : {"发送故障数据触发命令", "等待接收故障数据......", "故障数据接收完毕！"})
        EXPECT_TRUE(log.contains(QString::fromUtf8(line))) << line;
    EXPECT_FALSE(session->recordingActive());
    EXPECT_FALSE(session->scheduler().faultDataMode());

    const QString path = dir.filePath(faultFileProposedName());
    const FaultFileHeader header = faultFileHeader(upload.record(), session->project().deviceClass(),
                                                   session->project().project().header.deviceVersion,
                                                   QDateTime::currentDateTime());
    ASSERT_FALSE(writeFaultDataFile(path, upload.record(), header).has_value());
    const FaultFileRead read = readFaultDataFile(path);
    ASSERT_TRUE(read.contents.has_value());
    EXPECT_EQ(read.contents->record.faults.size(), 2u);
    EXPECT_EQ(read.contents->record.words, upload.record().words);
    EXPECT_FALSE(faultWordMismatch(read.contents->record, session->project().faults()).has_value());
}

TEST_F(FaultUploadTest, uploadsOverUdp)
{
    bool started = false;
    QString address;
    uint16_t port = 0;
    for (int attempt = 0; attempt < 5 && !started; ++attempt) {
        address = QStringLiteral("127.0.0.%1").arg(2 + QRandomGenerator::global()->bounded(250));
        port = static_cast<uint16_t>(20000 + QRandomGenerator::global()->bounded(40000));
        started = sim.start({QStringLiteral("--project"), projectPath, QStringLiteral("--udp"),
                             QStringLiteral("%1:%2").arg(address).arg(port)});
    }
    ASSERT_TRUE(started) << sim.error().toStdString();
    openSession();
    online::ConnectionSettings settings;
    settings.mode = online::InterfaceMode::Ethernet;
    settings.udp = {QStringLiteral("127.0.0.1"), 0, address, port};
    session->overrideConnectionSettings(settings);
    ASSERT_TRUE(connect());
    trip("1.2");
    FaultDataUpload upload(*session, prompt);
    const std::optional<FaultUploadOutcome> outcome = run(upload);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_TRUE(outcome->success) << outcome->message.toStdString();
    expectTripRecord(upload.record(), 0);
    EXPECT_EQ(upload.record().faults[1].faultWords[1], 0x0004);
}

TEST_F(FaultUploadTest, refusalsInOrder)
{
    startSerialSim();
    openSession();
    FaultDataUpload upload(*session, prompt);
    int recorder = 5;
    bool held = true;
    upload.setRecorderState([&] { return recorder; });
    upload.setControlHeld([&] { return held; });
    EXPECT_FALSE(upload.start());
    ASSERT_TRUE(connect());
    EXPECT_FALSE(upload.start());
    recorder = 4;
    EXPECT_FALSE(upload.start());
    held = false;
    // The drive runs: r0001 above 9.
    session->values().readOnly.store(sim::test::kR0001, 14);
    EXPECT_FALSE(upload.start());
    EXPECT_EQ(prompt.messages(),
              (std::vector<UserMessage>{
                  UserMessage::warning(QStringLiteral("您当前没有连接设备，请连接设备后重新尝试！")),
                  UserMessage::information(QStringLiteral("正在进行触发录波，不允许上传故障数据！")),
                  UserMessage::warning(QStringLiteral("请先释放控制权，再上传故障数据！")),
                  UserMessage::warning(QStringLiteral("设备正在运行状态，请将设备调整到待机状态再重新尝试！"))}));
    EXPECT_FALSE(log.contains(QStringLiteral("发送故障数据触发命令")));
}

TEST(StationCheck, emptyOutOfRangeAndAccepted)
{
    struct Case {
        const char* text;
        int slaves;
        std::variant<int, UserMessage> result;
    };
    const UserMessage empty = UserMessage::warning(QStringLiteral("站号不能为空！"));
    const UserMessage range = UserMessage::warning(QStringLiteral("设置的从站号超出范围！"));
    const std::vector<Case> cases = {{"", 2, empty},   {"  ", 2, empty}, {"0", 2, 0},     {"2", 2, 2},
                                     {" 1 ", 2, 1},    {"3", 2, range},  {"-1", 2, range}, {"x", 2, range},
                                     {"99999999999", 2, range}};
    for (const Case& c : cases)
        EXPECT_EQ(checkStation(QString::fromLatin1(c.text), c.slaves), c.result) << c.text;
}

TEST_F(FaultUploadTest, theStationQuestionOfAParallelGroup)
{
    // No slaves: the master, without a question.
    connectSerial({QStringLiteral("--device-flag"), QStringLiteral("1")});
    FaultDataUpload upload(*session, prompt);
    int asked = 0;
    QString answer;
    bool cancel = false;
    upload.setStationChoice([&](int slaves) -> std::optional<QString> {
        ++asked;
        EXPECT_EQ(slaves, 2);
        if (cancel)
            return std::nullopt;
        return answer;
    });
    std::optional<FaultUploadOutcome> outcome = run(upload);
    ASSERT_TRUE(outcome && outcome->success);
    EXPECT_EQ(asked, 0);

    ASSERT_TRUE(sim.command(QStringLiteral("slaves 2")).startsWith(QLatin1String("ok")));
    ASSERT_TRUE(sim::test::pumpUntil([&] { return session->onlineRaw(element("P0089")) == 2; }, 5s));
    const size_t before = prompt.messages().size();
    answer = QStringLiteral("3");  // one more than the slaves
    EXPECT_FALSE(upload.start());
    answer = QString();
    EXPECT_FALSE(upload.start());
    cancel = true;
    EXPECT_FALSE(upload.start());
    EXPECT_EQ(std::vector<UserMessage>(prompt.messages().begin() + static_cast<std::ptrdiff_t>(before),
                                       prompt.messages().end()),
              (std::vector<UserMessage>{UserMessage::warning(QStringLiteral("设置的从站号超出范围！")),
                                        UserMessage::warning(QStringLiteral("站号不能为空！"))}));
    cancel = false;
    answer = QStringLiteral("2");  // equal to the slaves: the last slave
    outcome = run(upload);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_TRUE(outcome->success) << outcome->message.toStdString();
    EXPECT_EQ(upload.record().station, 2);
    EXPECT_EQ(upload.record().stationCount, 3);
    EXPECT_EQ(upload.record().stationText(), QStringLiteral("从站 2 故障"));
    EXPECT_EQ(asked, 4);
}

TEST_F(FaultUploadTest, aDriveThatNeverConfirmsEndsInTheTriggerTimeOut)
{
    connectSerial();
    ASSERT_TRUE(sim.command(QStringLiteral("ignore 0x08")).startsWith(QLatin1String("ok")));
    FaultDataUpload upload(*session, prompt);
    QElapsedTimer elapsed;
    elapsed.start();
    const std::optional<FaultUploadOutcome> outcome = run(upload);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_FALSE(outcome->success);
    EXPECT_GE(elapsed.elapsed(), 1400);
    EXPECT_EQ(prompt.messages().back(), UserMessage::error(QStringLiteral("故障数据触发超时，请您重新尝试！")));
    // The trigger was echoed once; its confirm went out three times.
    EXPECT_EQ(log.count(QStringLiteral("<错误>故障数据确认回复超时,重试")), 2);
    EXPECT_EQ(log.count(QStringLiteral("<错误>故障数据触发超时,重试")), 0);
    EXPECT_EQ(log.count(QStringLiteral("<错误>故障数据触发失败")), 1);
    EXPECT_TRUE(sim.command(QStringLiteral("status")).contains(QStringLiteral("ignored=3")));
    EXPECT_FALSE(session->recordingActive());
    EXPECT_TRUE(upload.record().empty());
}

TEST_F(FaultUploadTest, aTransferThatStallsKeepsThePreviousRecord)
{
    // Paced like a real line, so that the transfer is still running when the drive falls
    // silent.
    connectSerial({QStringLiteral("--baud"), QStringLiteral("38400")});
    FaultDataUpload upload(*session, prompt);
    std::optional<FaultUploadOutcome> outcome = run(upload);
    ASSERT_TRUE(outcome && outcome->success);
    const FaultRecord previous = upload.record();
    const std::vector<uint8_t> previousRing = session->link().faultData().ringBytes();
    ASSERT_EQ(previous.faults.size(), 1u);

    trip("0.3");
    QElapsedTimer elapsed;
    outcome = run(upload, [&] {
        QTimer::singleShot(300ms, [&] {
            sim.command(QStringLiteral("mute on"));
            elapsed.start();
        });
    });
    ASSERT_TRUE(outcome.has_value());
    EXPECT_FALSE(outcome->success);
    EXPECT_EQ(prompt.messages().back(), UserMessage::error(QStringLiteral("故障数据上传超时，请您重新尝试！")));
    EXPECT_GE(elapsed.elapsed(), 4000);
    EXPECT_LE(elapsed.elapsed(), 11000);
    EXPECT_EQ(upload.record(), previous);
    EXPECT_EQ(outcome->record, previous);
    EXPECT_EQ(session->link().faultData().ringBytes(), previousRing);
    EXPECT_FALSE(session->recordingActive());
    sim.command(QStringLiteral("mute off"));
}

}  // namespace
}  // namespace hesk::recording
