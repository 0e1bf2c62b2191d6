// Reply handlers of the boot protocol: answers, statuses, boot-mode checks and the
// identifier replies.

#include "LinkFakes.h"

#include <gtest/gtest.h>

namespace hesk::link {
namespace {

using test::Bytes;
using test::DispatchFixture;
using Line = test::RecordingLog::Line;
using namespace std::chrono_literals;

template <size_t N>
Bytes bytes(const std::array<uint8_t, N>& frame)
{
    return Bytes(frame.begin(), frame.end());
}

void enterBootMode(DispatchFixture& f)
{
    f.link.connectionThreadRunning.store(true);
    f.link.connectInProgress.store(false);
}

TEST(BootReplies, answerSetStatusAndLog)
{
    struct Case {
        uint8_t code;
        ReplyStatus status;
        bool woke;
        Line line;
    };
    const std::vector<Case> cases = {
        {boot::StandBy, ReplyStatus::Success, true, {QStringLiteral("接收StandBy信号,回复"), 1}},
        {boot::NoProgram, ReplyStatus::NoProgram, true, {QStringLiteral("<错误>下位机中没有程序"), 3}},
        {boot::IdentifierCheckFailed, ReplyStatus::IdentifierCheckFailed, true, {QStringLiteral("<错误>程序ID校验失败"), 3}},
        {boot::ProgramStarted, ReplyStatus::Success, true, {QStringLiteral("程序启动成功"), 2}},
        {boot::HandShake, ReplyStatus::Pending, false, {QStringLiteral("接收HandShake信号,回复"), 1}},
    };
    for (const Case& c : cases) {
        DispatchFixture f;
        enterBootMode(f);
        EXPECT_TRUE(f.dispatchBoot(bootFrame(c.code)));
        ASSERT_EQ(f.sender.sent.size(), 1u) << std::hex << int(c.code);
        EXPECT_EQ(f.sender.sent[0], bytes(bootAnswer(c.code)));
        EXPECT_EQ(f.status(), c.status) << std::hex << int(c.code);
        EXPECT_EQ(f.woke(), c.woke) << std::hex << int(c.code);
        EXPECT_EQ(f.log.lines(), std::vector<Line>{c.line}) << std::hex << int(c.code);
    }
}

TEST(BootReplies, handShakeIsAnsweredOnlyInBootMode)
{
    DispatchFixture f;
    f.link.connectionThreadRunning.store(true);
    f.link.connectInProgress.store(true);  // a connect runs: not boot mode
    f.dispatchBoot(bootFrame(boot::HandShake));
    EXPECT_TRUE(f.sender.sent.empty());
    EXPECT_TRUE(f.log.lines().empty());
}

TEST(BootReplies, heartbeatKeepsAnOnlineLinkAliveOrAnswersInBootMode)
{
    {
        DispatchFixture f;
        f.link.online.store(true);
        f.dispatchBoot(bootFrame(boot::Heartbeat));
        EXPECT_TRUE(f.connection.linkAlive.load());
        EXPECT_EQ(f.status(), ReplyStatus::Pending);
    }
    {
        DispatchFixture f;
        enterBootMode(f);
        f.dispatchBoot(bootFrame(boot::Heartbeat));
        EXPECT_FALSE(f.connection.linkAlive.load());
        EXPECT_EQ(f.status(), ReplyStatus::Success);
        EXPECT_FALSE(f.woke());
    }
    {
        DispatchFixture f;  // neither online nor in boot mode
        f.dispatchBoot(bootFrame(boot::Heartbeat));
        EXPECT_FALSE(f.connection.linkAlive.load());
        EXPECT_EQ(f.status(), ReplyStatus::Pending);
    }
}

TEST(BootReplies, requireIdBootAnswersPausesThenSendsTheProjectIdentifier)
{
    DispatchFixture f;
    f.connection.projectProgramId.store(0x1234);
    f.dispatchBoot(bootFrame(boot::RequireIDBoot));
    ASSERT_EQ(f.sender.sent.size(), 2u);
    EXPECT_EQ(f.sender.sent[0], (Bytes{0x02, 0x06, 0xA7, 0x00, 0x00, 0xA3}));
    EXPECT_EQ(f.sender.sent[1], (Bytes{0x02, 0x06, 0xB7, 0x12, 0x34, 0x95}));
    EXPECT_EQ(f.pause.pauses, (std::vector<std::chrono::milliseconds>{100ms}));
    EXPECT_EQ(f.log.lines(), (std::vector<Line>{{QStringLiteral("接收RequireIDBoot,回复"), 1},
                                                {QStringLiteral("发送ReplyIDBoot"), 1}}));
}

TEST(BootReplies, requireIdDownloadSendsTheDownloadIdentifier)
{
    DispatchFixture f;
    f.connection.downloadProgramId.store(0xBEEF);
    f.dispatchBoot(bootFrame(boot::RequireIDDownload));
    ASSERT_EQ(f.sender.sent.size(), 2u);
    EXPECT_EQ(f.sender.sent[0], bytes(bootAnswer(boot::RequireIDDownload)));
    EXPECT_EQ(f.sender.sent[1], (Bytes{0x02, 0x06, 0xB0, 0xBE, 0xEF, 0xE5}));
    EXPECT_EQ(f.pause.pauses, (std::vector<std::chrono::milliseconds>{100ms}));
    EXPECT_EQ(f.log.lines(), (std::vector<Line>{{QStringLiteral("接收RequireIDDownload,回复"), 1},
                                                {QStringLiteral("发送ReplyIDDownload"), 1}}));
}

TEST(BootReplies, cpuTypeSignalStoresAndEchoesItsTwoBytes)
{
    DispatchFixture f;
    f.dispatchBoot(bootFrame(boot::CpuTypeSignal, 0x67, 0x03));
    EXPECT_EQ(f.connection.deviceCpuType.load(), 0x6703);
    ASSERT_EQ(f.sender.sent.size(), 1u);
    EXPECT_EQ(f.sender.sent[0], bytes(bootCpuTypeAnswer(0x67, 0x03)));
    EXPECT_TRUE(f.log.contains(QStringLiteral("接收Cpu类型信号,回复")));
}

TEST(BootReplies, downloadRequestIsAnsweredWhileTheWindowIsOpenAndWakesItOnce)
{
    DispatchFixture f;
    f.dispatchBoot(bootFrame(boot::DownloadRequest));
    f.dispatchBoot(bootFrame(boot::DownloadRequest));
    EXPECT_TRUE(f.programDownload.flagged);
    EXPECT_EQ(f.sender.sent, (std::vector<Bytes>(2, bytes(bootAnswer(boot::DownloadRequest)))));
    EXPECT_EQ(f.programDownload.wakes, (std::vector<std::chrono::milliseconds>{100ms}));

    DispatchFixture closed;
    closed.programDownload.open = false;
    closed.dispatchBoot(bootFrame(boot::DownloadRequest));
    EXPECT_TRUE(closed.sender.sent.empty());
    EXPECT_FALSE(closed.programDownload.flagged);
}

}  // namespace
}  // namespace hesk::link
