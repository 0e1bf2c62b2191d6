// The parameter download against the real simulated drive on a pseudo-terminal: the
// values downloaded are the drive's afterwards (read back singly), the menu level is set
// back, a wrong echo is repeated, a drive that stops mid-transfer and one that never
// answers the start end with their messages, and Ethernet is refused before anything goes.
#include "SessionFixture.h"

#include "files/DnlFormat.h"
#include "files/ParameterDownload.h"
#include "model/ParameterTypes.h"
#include "model/ProjectFile.h"

#include <QDateTime>
#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>
#include <QTimer>

#include <map>

namespace hesk::session::test {
namespace {

class ParameterDownloadTest : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        // The simulator's project with row labels, as a created project has them.
        model::HeskProject project = sim::test::simProject();
        for (model::HeskParameterElement& e : project.elements) {
            e.referenceKey = QStringLiteral("%1|%2|00|")
                                 .arg(e.number, 4, 10, QLatin1Char('0'))
                                 .arg(e.hasSubIndex() ? e.subIndex : 0, 3, 10, QLatin1Char('0'));
            e.auxFlag = e.hasSubIndex() ? QStringLiteral("1") : QStringLiteral("0");
            // Limits as a created project has them: in the type's radix and word range.
            if (model::radixOfType(e.typeCode) == model::Radix::Hexadecimal) {
                e.minText = e.rawMinText = QStringLiteral("0x0000");
                e.maxText = e.rawMaxText = QStringLiteral("0xFFFF");
            } else {
                e.maxText = e.rawMaxText = QStringLiteral("32767");
            }
        }
        projectPath = dir.filePath(QStringLiteral("labelled.tmprj"));
        ASSERT_FALSE(model::saveProject(projectPath, project).has_value());
    }

    // Every settable parameter with its factory value, but for the overrides.
    QString writeDnl(const std::map<QString, QString>& overrides)
    {
        const QString path = dir.filePath(QStringLiteral("set.dnl"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(files::dnlHeaderBytes(QDateTime::currentDateTime(), QStringLiteral("VRA1"),
                                         session->project().project().header.deviceVersion));
        for (const model::HeskParameterElement& e : session->project().project().elements) {
            if (!e.isSettable())
                continue;
            const QString key = files::downloadDisplayKey(e);
            const auto it = overrides.find(key);
            file.write(files::dnlRowBytes(e.referenceKey,
                                          it != overrides.end() ? it->second : files::dnlFileValue(e, e.factoryValue)));
        }
        return path;
    }

    std::optional<files::DownloadOutcome> run(files::ParameterDownload& download, const files::DownloadOptions& options)
    {
        std::optional<files::DownloadOutcome> outcome;
        QEventLoop loop;
        QObject::connect(&download, &files::ParameterDownload::finished, &loop, [&](const files::DownloadOutcome& o) {
            outcome = o;
            loop.quit();
        });
        if (!download.start(options))
            return std::nullopt;
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        loop.exec();
        return outcome;
    }

    uint16_t readBack(const char* key)
    {
        const model::HeskParameterElement& e = element(key);
        const model::HeskParameterElement* list[] = {&e};
        EXPECT_TRUE(session->readValues(list, true)) << key;
        return session->values().parameters.valueOr0(e.address);
    }

    files::DownloadOptions options(const QString& path)
    {
        files::DownloadOptions o;
        o.path = path;
        o.serialNumber = files::SerialNumberAnswer::No;
        return o;
    }

    const QString hint = QStringLiteral("进行参数下载前，上位机会先将P60改为5！");
};

TEST_F(ParameterDownloadTest, downloadedValuesAreTheDrivesAndTheMenuLevelIsSetBack)
{
    startSerialSim({QStringLiteral("--baud"), QStringLiteral("38400")});
    openSession();
    ASSERT_TRUE(connect());
    files::ParameterDownload download(*session, prompt);
    const QString path = writeDnl({{QStringLiteral("P7030"), QStringLiteral("25.00")},
                                   {QStringLiteral("P0089"), QStringLiteral("2")},
                                   {QStringLiteral("P7000.4"), QStringLiteral("1")}});
    const auto outcome = run(download, options(path));
    ASSERT_TRUE(outcome.has_value());
    EXPECT_TRUE(outcome->success) << outcome->message.toStdString();
    ASSERT_TRUE(outcome->counts.has_value());
    const files::DownloadCounts& counts = *outcome->counts;
    EXPECT_EQ(counts.downloadable, counts.succeeded + counts.failed + counts.missing);
    EXPECT_EQ(counts.missing, 0);
    // P0100's factory 25 is not among its allowed values; P0554's factory source K0002
    // names no connector of this project.
    EXPECT_EQ(counts.failedKeys, (QStringList{QStringLiteral("P0100"), QStringLiteral("P0554")})) << log.userLines().join('\n').toStdString();
    EXPECT_EQ(outcome->repeats, 0);
    ASSERT_GE(prompt.messages().size(), 2u);
    EXPECT_EQ(prompt.messages().front().text, hint);
    EXPECT_EQ(prompt.messages().back().text, files::downloadResultText(counts));
    EXPECT_TRUE(log.contains(QStringLiteral("开启下载参数线程")));
    EXPECT_TRUE(log.contains(QStringLiteral("参数下载结束")));

    EXPECT_EQ(readBack("P7030"), 8192);  // 25 Hz through the forward formula
    EXPECT_EQ(readBack("P0089"), 2);
    EXPECT_EQ(readBack("P7000.4"), 1);
    EXPECT_EQ(readBack("P0060"), 1);  // back to the level before the download
    EXPECT_FALSE(session->scheduler().lineHeld());
    EXPECT_EQ(session->link().readerThread(), link::ReaderThread::Monitoring);
}

TEST_F(ParameterDownloadTest, wrongEchoIsRepeatedAndTheDownloadStillSucceeds)
{
    startSerialSim({QStringLiteral("--download-bad-echo"), QStringLiteral("1")});
    openSession();
    ASSERT_TRUE(connect());
    files::ParameterDownload download(*session, prompt);
    const auto outcome = run(download, options(writeDnl({{QStringLiteral("P0089"), QStringLiteral("2")}})));
    ASSERT_TRUE(outcome.has_value());
    EXPECT_TRUE(outcome->success) << outcome->message.toStdString();
    EXPECT_EQ(outcome->repeats, 1);
    EXPECT_TRUE(log.contains(QStringLiteral("<错误>传输校验错误,重发")));
    EXPECT_EQ(readBack("P0089"), 2);
}

TEST_F(ParameterDownloadTest, driveThatStopsMidTransferEndsInTheTimeOut)
{
    startSerialSim({QStringLiteral("--download-stop-after"), QStringLiteral("0")});
    openSession();
    ASSERT_TRUE(connect());
    files::ParameterDownload download(*session, prompt);
    const auto outcome = run(download, options(writeDnl({})));
    ASSERT_TRUE(outcome.has_value());
    EXPECT_FALSE(outcome->success);
    const QString timeOut = QStringLiteral("参数下载超时,为确保程序正确请您重新尝试下载！");
    EXPECT_EQ(outcome->message, timeOut);
    EXPECT_TRUE(messageTexts().contains(timeOut));
    EXPECT_FALSE(session->scheduler().lineHeld());
    EXPECT_EQ(session->link().readerThread(), link::ReaderThread::Monitoring);
}

TEST_F(ParameterDownloadTest, echoThatIsNeverRightEndsInTheTimeOut)
{
    startSerialSim({QStringLiteral("--download-bad-echo"), QStringLiteral("always")});
    openSession();
    ASSERT_TRUE(connect());
    files::ParameterDownload download(*session, prompt);
    const auto outcome = run(download, options(writeDnl({})));
    ASSERT_TRUE(outcome.has_value());
    EXPECT_FALSE(outcome->success);
    EXPECT_EQ(outcome->message, QStringLiteral("参数下载超时,为确保程序正确请您重新尝试下载！"));
    EXPECT_GT(outcome->repeats, 10);
    EXPECT_FALSE(session->scheduler().lineHeld());
}

TEST_F(ParameterDownloadTest, unansweredStartRequestTimesOutAndTheMenuLevelIsSetBack)
{
    startSerialSim({QStringLiteral("--ignore"), QStringLiteral("0x19")});
    openSession();
    ASSERT_TRUE(connect());
    files::ParameterDownload download(*session, prompt);
    const auto outcome = run(download, options(writeDnl({{QStringLiteral("P0089"), QStringLiteral("2")}})));
    ASSERT_TRUE(outcome.has_value());
    EXPECT_FALSE(outcome->success);
    EXPECT_EQ(outcome->message, QStringLiteral("等待下位机下载回复超时,请重新尝试！"));
    EXPECT_TRUE(log.contains(QStringLiteral("未收到下位机回复，退出参数下载！")));
    EXPECT_EQ(readBack("P0060"), 1);
    EXPECT_EQ(readBack("P0089"), 0);  // nothing was downloaded
    EXPECT_FALSE(session->scheduler().lineHeld());
}

TEST_F(ParameterDownloadTest, entryChecksRefuseInTheirOrder)
{
    startSerialSim();
    openSession();
    ASSERT_TRUE(connect());
    files::ParameterDownload download(*session, prompt);
    const QString path = writeDnl({});
    hooks.recorderState = 5;
    hooks.controlHeld = true;  // the recorder is asked first
    EXPECT_FALSE(download.start(options(path)));
    hooks.recorderState = 4;
    EXPECT_FALSE(download.start(options(path)));
    hooks.controlHeld = false;
    files::DownloadOptions noFile = options(path);
    noFile.path.reset();
    prompt.chooseFile(std::nullopt);
    EXPECT_FALSE(download.start(noFile));
    EXPECT_EQ(messageTexts(), (QStringList{QStringLiteral("正在进行触发录波，不允许参数下载！"),
                                           QStringLiteral("请先释放控制权，再进行参数下载！"),
                                           QStringLiteral("请您选择要下载的dnl文件，下载操作被终止！")}));
    EXPECT_EQ(readBack("P0060"), 1);  // nothing was written
}

class EthernetDownload : public ParameterDownloadTest {};

TEST_F(EthernetDownload, isRefusedBeforeAnythingIsSent)
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
    files::ParameterDownload download(*session, prompt);
    EXPECT_FALSE(download.start(options(writeDnl({}))));
    EXPECT_EQ(messageTexts(), QStringList{files::ParameterDownload::ethernetRefusal()});
    EXPECT_FALSE(session->scheduler().lineHeld());
    EXPECT_FALSE(download.isOpen());
}

}  // namespace
}  // namespace hesk::session::test
