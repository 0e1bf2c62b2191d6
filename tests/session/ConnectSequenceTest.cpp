// The connect sequence against the real simulated drive on a pseudo-terminal: the happy
// path with its log lines and panes, and every way it can fail (settings, port, no
// answer, CPU type known and unknown, program identifier, the last-transfer flags, the
// offline-values question, a project of an unknown CPU type).

#include "SessionFixture.h"

#include "model/ProjectFile.h"

#include <QFile>

namespace hesk::session::test {
namespace {

using model::MessageKind;
using model::UserMessage;

const QString kErrorTitle = QStringLiteral("错误");

TEST_F(SessionTest, connectGoesOnlineWithTheLogLinesAndPanes)
{
    startSerialSim();
    openSession();
    ASSERT_TRUE(connect());
    EXPECT_TRUE(session->isOnline());
    EXPECT_TRUE(session->isMonitoring());
    EXPECT_TRUE(session->monitoringTimersActive());
    EXPECT_EQ(session->link().readerThread(), link::ReaderThread::Monitoring);
    EXPECT_TRUE(prompt.messages().empty()) << messageTexts().join(u'|').toStdString();
    // "程序启动成功" is the 0x2F answer's own line, logged on the reader thread after it woke
    // the connect: it may come before or after "连接成功".
    QStringList lines = log.userLines();
    EXPECT_EQ(lines.removeAll(QStringLiteral("程序启动成功")), 1);
    EXPECT_EQ(lines, (QStringList{QStringLiteral("开始连接..."), QStringLiteral("已加载通信设置"),
                                  QStringLiteral("校验程序ID"), QStringLiteral("连接成功")}));
    EXPECT_EQ(session->connection().deviceCpuType.load(), sim::test::kCpuCode);
    EXPECT_EQ(hooks.recorderOnlineCalls, 1);

    const online::PaneState panes = session->paneState();
    EXPECT_EQ(online::connectionPane(panes, 1280).text, QStringLiteral("在线(%1 | 38400bps)").arg(sim.readyLine()));
    EXPECT_EQ(online::programStatePane(panes, 1280).text, QStringLiteral("程序状态:运行中"));
    // The system poll list brings the CPU load counts; the supervision shows them.
    ASSERT_TRUE(sim::test::pumpUntil([&] { return !session->paneState().cpuLoad.isEmpty(); }, 4s));
    EXPECT_TRUE(online::cpuLoadPane(session->paneState(), 1280).text.startsWith(QStringLiteral("CPU负荷:")));
    EXPECT_NE(online::cpuLoadPane(session->paneState(), 1280).text, QStringLiteral("CPU负荷:未知"));

    ASSERT_TRUE(session->disconnectDevice());
    EXPECT_FALSE(session->isOnline());
    EXPECT_EQ(session->link().mode(), link::LinkMode::Serial);  // the mode stays; the port is closed
    EXPECT_EQ(session->link().readerThread(), link::ReaderThread::None);
    EXPECT_FALSE(session->monitoringTimersActive());
    EXPECT_EQ(hooks.controlPagesReset, 1);
    EXPECT_EQ(hooks.recorderOfflineCalls, 1);
    const online::PaneState offline = session->paneState();
    EXPECT_EQ(online::connectionPane(offline, 1280).text,
              QStringLiteral("离线，串口已设置：(%1 | 38400bps)").arg(sim.readyLine()));
    EXPECT_EQ(online::programStatePane(offline, 1280).text, QStringLiteral("程序状态:未知"));
    EXPECT_EQ(online::cpuLoadPane(offline, 1280).text, QStringLiteral("CPU负荷:未知"));

    // A second connect on the same session works as the first.
    ASSERT_TRUE(connect());
    EXPECT_TRUE(session->isOnline());
}

TEST_F(SessionTest, noAnswerTimesOutWithTheAdviceAndClosesThePort)
{
    startSerialSim();
    sim.command(QStringLiteral("mute on"));
    openSession();
    EXPECT_FALSE(connect());
    EXPECT_EQ(log.userLines(),
              (QStringList{QStringLiteral("开始连接..."), QStringLiteral("已加载通信设置"), QStringLiteral("<错误>连接超时"),
                           QStringLiteral("断开连接"),
                           QStringLiteral("请确定串口线是否正确连接，端口号以及波特率是否设定正确，串口线是否没有损坏！"),
                           QStringLiteral("请确定下位机是否已经上电，上电后需等待20s,等待期间请不要尝试连接！")}));
    EXPECT_TRUE(log.contains(QStringLiteral("<错误>连接超时"), 3));
    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages()[0],
              (UserMessage{MessageKind::Error, kErrorTitle,
                           QStringLiteral("连接超时，详细原因请看日志！\n提示：如果您的设备刚刚上电，请您等待20s再重新连接。")}));
    EXPECT_FALSE(session->isOnline());
    EXPECT_EQ(session->link().readerThread(), link::ReaderThread::None);
    // The port was closed: after the drive answers again a connect starts afresh.
    sim.command(QStringLiteral("mute off"));
    EXPECT_TRUE(connect());
}

TEST_F(SessionTest, cpuTypeMismatchIsReportedAndTheLinkClosed)
{
    struct Case {
        const char* simCpuType;
        QString logLine;
        QString message;
    };
    const std::vector<Case> cases = {
        {"0x6504", QStringLiteral("<错误>设备的CPU类型是HESK6504，请重新打开CPU类型匹配的Monitor工程"),
         QStringLiteral("设备的CPU类型是HESK6504，与上位机的CPU类型HESK6500不匹配！\n请重新打开CPU类型匹配的Monitor工程\n连接操作被终止！")},
        {"0x1234", QStringLiteral("<ERROR>下位机CPU类型不在处理范围内。"),
         QStringLiteral("上位机CPU类型是HESK6500！下位机CPU类型不在处理范围内。\n连接操作被终止！")},
    };
    startSerialSim();
    openSession();
    for (const Case& c : cases) {
        sim.command(QStringLiteral("cpu-type %1").arg(QLatin1String(c.simCpuType)));
        const size_t before = prompt.messages().size();
        EXPECT_FALSE(connect()) << c.simCpuType;
        EXPECT_TRUE(log.contains(c.logLine, 3)) << c.simCpuType;
        ASSERT_EQ(prompt.messages().size(), before + 1) << c.simCpuType;
        EXPECT_EQ(prompt.messages().back(), (UserMessage{MessageKind::Error, kErrorTitle, c.message}));
        EXPECT_EQ(session->link().readerThread(), link::ReaderThread::None);
        EXPECT_FALSE(session->isOnline());
    }
}

TEST_F(SessionTest, programIdentifierOutcomes)
{
    struct Case {
        const char* simCommand;
        bool online;
        std::optional<UserMessage> message;
    };
    const QString info = QStringLiteral("提示");
    const std::vector<Case> cases = {
        {"program-id 0x1111", false,
         UserMessage{MessageKind::Error, kErrorTitle,
                     QStringLiteral("当前工程ID和下位机程序ID不符。\n请您关闭当前工程，重新打开与当前设备匹配的工程。\n"
                                    "或者关闭当前工程，直接点击搜索设备即可。")}},
        {"last-download failed", true,
         UserMessage{MessageKind::Information, info,
                     QStringLiteral("提示：您上次下载没有成功，设备已自动恢复出厂设置，请您重新下载！")}},
        {"last-restore failed", true,
         UserMessage{MessageKind::Information, info,
                     QStringLiteral("提示：您上次一键还原和下载都没有成功，请您重新进行一键还原操作，之后再重新下载！")}},
        {"last-download ok", true,
         UserMessage{MessageKind::Information, info, QStringLiteral("提示：您上次一键还原没有成功，请您重新进行一键还原操作！")}},
        {"last-restore ok", true, std::nullopt},
    };
    startSerialSim();
    openSession();
    for (const Case& c : cases) {
        sim.command(QLatin1String(c.simCommand));
        const size_t before = prompt.messages().size();
        EXPECT_EQ(connect(), c.online) << c.simCommand;
        EXPECT_EQ(session->isOnline(), c.online) << c.simCommand;
        if (c.message) {
            ASSERT_EQ(prompt.messages().size(), before + 1) << c.simCommand;
            EXPECT_EQ(prompt.messages().back(), *c.message) << c.simCommand;
        } else {
            EXPECT_EQ(prompt.messages().size(), before) << c.simCommand;
        }
        if (session->isOnline())
            ASSERT_TRUE(session->disconnectDevice());
        else
            EXPECT_EQ(session->link().readerThread(), link::ReaderThread::None) << c.simCommand;
        if (QLatin1String(c.simCommand).startsWith(QLatin1String("program-id")))
            sim.command(QStringLiteral("program-id project"));
    }
}

TEST_F(SessionTest, programIdentifierTimeout)
{
    // The drive answers the CPU type request but not 0x0C.
    startSerialSim();
    if (!sim.command(QStringLiteral("ignore 0x0C")).startsWith(QLatin1String("ok")))
        GTEST_SKIP() << "the simulator cannot ignore a request code";
    openSession();
    EXPECT_FALSE(connect());
    EXPECT_TRUE(log.contains(QStringLiteral("<错误>下位机程序ID回复超时"), 3));
    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages()[0], (UserMessage{MessageKind::Error, kErrorTitle, QStringLiteral("下位机程序ID回复超时!")}));
    EXPECT_EQ(session->link().readerThread(), link::ReaderThread::None);
}

TEST_F(SessionTest, settingsThatDoNotLoadStopTheConnect)
{
    struct Case {
        const char* name;
        QByteArray content;  // nothing: no file at all
        bool exists;
    };
    const std::vector<Case> cases = {
        {"no file", {}, false},
        {"empty file", {}, true},
        {"serial without baud rate", "[CURRENT MODE]\r\nMODE=232\r\n[232 MODE]\r\nPORTNAME=/dev/null\r\nBAUNDRATE=\r\n", true},
        {"half-written file", "[CURRENT MODE]\r\nMO", true},
        {"unknown mode", "[CURRENT MODE]\r\nMODE=CAN\r\n", true},
        {"binary junk", QByteArray("\xff\xfe\x00\x01\x02garbage\x00\x00", 13), true},
    };
    openSession();
    for (const Case& c : cases) {
        const QString path = settingsLocation().filePath;
        QFile::remove(path);
        if (c.exists) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.content);
        }
        const size_t before = prompt.messages().size();
        EXPECT_FALSE(connect()) << c.name;
        ASSERT_EQ(prompt.messages().size(), before + 1) << c.name;
        EXPECT_EQ(prompt.messages().back(),
                  (UserMessage{MessageKind::Warning, QStringLiteral("警告"), QStringLiteral("通信设置加载失败！")}))
            << c.name;
        EXPECT_EQ(online::connectionPane(session->paneState(), 1280).text, QStringLiteral("离线：端口没有设置！"))
            << c.name;
    }
    EXPECT_EQ(log.count(QStringLiteral("<错误>通信设置加载失败！")), static_cast<int>(cases.size()));
}

TEST_F(SessionTest, aPortThatDoesNotOpen)
{
    online::InterfaceSettings settings = settingsFile();
    settings.setMode(online::InterfaceMode::Serial);
    settings.setSerialPort(dir.filePath(QStringLiteral("no-such-port")), QStringLiteral("38400"));
    openSession();
    EXPECT_FALSE(connect());
    EXPECT_TRUE(log.contains(QStringLiteral("<错误>串口打开失败"), 3));
    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages()[0], (UserMessage{MessageKind::Error, kErrorTitle, QStringLiteral("串口打开失败！")}));
}

TEST_F(SessionTest, modifiedOfflineValuesAreOfferedForSavingFirst)
{
    startSerialSim();
    openSession();
    const testsupport::PromptQuestion question{QStringLiteral("提示"), QStringLiteral("您的离线信息有修改,是否要保存到dnl文件？"),
                                              model::PromptButtons::YesNo};

    // Saving fails: the connect stops before it starts.
    hooks.modified = true;
    hooks.saveSucceeds = false;
    prompt.answer(model::PromptAnswer::Yes);
    EXPECT_FALSE(connect());
    EXPECT_EQ(hooks.saves, 1);
    EXPECT_TRUE(hooks.modified);
    EXPECT_EQ(log.count(QStringLiteral("开始连接...")), 0);

    // No: nothing saved, the modifications are dropped, the connect runs.
    prompt.answer(model::PromptAnswer::No);
    EXPECT_TRUE(connect());
    EXPECT_EQ(hooks.saves, 1);
    EXPECT_FALSE(hooks.modified);
    ASSERT_EQ(prompt.questions().size(), 2u);
    EXPECT_EQ(prompt.questions()[0], question);
    EXPECT_EQ(prompt.questions()[1], question);
}

TEST_F(SessionTest, aProjectOfAnUnknownCpuTypeCannotConnect)
{
    model::HeskProject project = sim::test::simProject();
    project.header.cpuType = QStringLiteral("DSP9999");
    const QString path = dir.filePath(QStringLiteral("unknown.tmprj"));
    ASSERT_FALSE(model::saveProject(path, project).has_value());
    projectPath = path;
    openSession();
    EXPECT_FALSE(connect());
    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages()[0],
              (UserMessage{MessageKind::Error, kErrorTitle,
                           QStringLiteral("HESKMonitor软件暂时不支持此种cpu类型DSP9999，请联系开发人员。")}));
    EXPECT_TRUE(log.lines().empty());
}

}  // namespace
}  // namespace hesk::session::test
