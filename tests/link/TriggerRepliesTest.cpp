// Reply handlers of the trigger recorder: each acts only in its state (and device
// variant), hands decoded values to the recorder and answers as its row says.

#include "LinkFakes.h"

#include <gtest/gtest.h>

namespace hesk::link {
namespace {

using test::Bytes;
using test::DispatchFixture;
using Line = test::RecordingLog::Line;

template <size_t N>
Bytes bytes(const std::array<uint8_t, N>& frame)
{
    return Bytes(frame.begin(), frame.end());
}

TEST(TriggerReplies, acknowledgementsActOnlyInTheirState)
{
    struct Case {
        uint8_t code;
        int state;
        const char* line;
    };
    const std::vector<Case> cases = {
        {0x31, 1, "接收触发录波通道设置协议"},
        {0x32, 2, "接收触发录波数据设置协议"},
        {0x33, 3, "接收触发录波条件设置协议"},
        {0x34, 4, "接收触发录波启动协议"},
        {0x38, 0, "接收触发录波停止命令"},
    };
    for (const Case& c : cases) {
        for (int state = 0; state <= 7; ++state) {
            DispatchFixture f;
            f.recorder.currentState = state;
            f.dispatchCommand(commandFrame(c.code));
            const bool acts = state == c.state;
            EXPECT_EQ(f.woke(), acts) << std::hex << int(c.code) << " in state " << state;
            EXPECT_EQ(f.status(), acts ? ReplyStatus::Success : ReplyStatus::Pending);
            const std::vector<Line> expected = acts ? std::vector<Line>{{QString::fromUtf8(c.line), 0}} : std::vector<Line>{};
            EXPECT_EQ(f.log.lines(), expected);
            EXPECT_EQ(f.recorder.starts, acts && c.code == 0x34 ? 1 : 0);
        }
    }
}

TEST(TriggerReplies, withoutARecorderEverythingIsDropped)
{
    DispatchFixture f;
    f.table.ports().recorder = nullptr;
    for (uint8_t code : {0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38})
        f.dispatchCommand(commandFrame(code));
    EXPECT_FALSE(f.woke());
    EXPECT_TRUE(f.log.lines().empty());
}

TEST(TriggerReplies, triggerSignalInState5GivesThePositionAndState6)
{
    DispatchFixture f;
    f.recorder.currentState = 5;
    f.dispatchCommand(commandFrame(code::TriggerSignal, 0x0C, 0x80));
    EXPECT_EQ(f.recorder.triggerPosition, 0x0C80);
    EXPECT_EQ(f.recorder.currentState, 6);
    EXPECT_EQ(f.log.lines(), (std::vector<Line>{{QStringLiteral("接收到设备条件触发信号,回复"), 0}}));

    DispatchFixture armedNot;
    armedNot.recorder.currentState = 4;
    armedNot.dispatchCommand(commandFrame(code::TriggerSignal, 0x0C, 0x80));
    EXPECT_FALSE(armedNot.recorder.triggerPosition.has_value());
    EXPECT_EQ(armedNot.recorder.currentState, 4);
}

TEST(TriggerReplies, dataInformationIsEchoedAndMovesToState7)
{
    DispatchFixture f;
    f.recorder.currentState = 6;
    const CommandFrame info = commandFrame(code::TriggerDataInformation, 2, 0x12, 0x34, 0x56, 0x78);
    f.dispatchCommand(info);
    EXPECT_EQ(f.recorder.informations, (std::vector<test::FakeRecorder::Information>{{2, 0x1234, 0x5678}}));
    EXPECT_EQ(f.recorder.currentState, 7);
    ASSERT_EQ(f.sender.sent.size(), 1u);
    EXPECT_EQ(f.sender.sent[0], bytes(info));
    EXPECT_EQ(f.log.lines(), (std::vector<Line>{{QStringLiteral("接收到设备触发录波数据信息,回复"), 0}}));
}

TEST(TriggerReplies, dataInformationDeferredOrIgnoredOrOfTheOtherVariantIsNotEchoed)
{
    for (auto outcome : {TriggerRecorderPort::DataInformation::Deferred, TriggerRecorderPort::DataInformation::Ignored}) {
        DispatchFixture f;
        f.recorder.currentState = 6;
        f.recorder.informationOutcome = outcome;
        f.dispatchCommand(commandFrame(code::TriggerDataInformation, 1, 0, 1, 0, 2));
        EXPECT_EQ(f.recorder.informations.size(), 1u);
        EXPECT_EQ(f.recorder.currentState, 6);
        EXPECT_TRUE(f.sender.sent.empty());
    }
    DispatchFixture variant1;
    variant1.recorder.currentState = 6;
    variant1.connection.deviceVariantFlag.store(1);
    variant1.dispatchCommand(commandFrame(code::TriggerDataInformation, 1, 0, 1, 0, 2));
    EXPECT_TRUE(variant1.recorder.informations.empty());
}

TEST(TriggerReplies, dataCheckAppendsOnlyWithItsFourCheckBytes)
{
    struct Case {
        std::array<uint8_t, 4> checkBytes;
        bool completes;
        int appends;
        const char* line;
    };
    const std::vector<Case> cases = {
        {{0x0E, 0x0D, 0x0B, 0x07}, true, 1, "触发录波数据接收完毕"},
        {{0x0E, 0x0D, 0x0B, 0x07}, false, 1, "接收到设备触发录波数据校验信息"},
        {{0x0E, 0x0D, 0x0B, 0x06}, true, 0, "接收到设备触发录波数据校验信息"},
    };
    for (const Case& c : cases) {
        DispatchFixture f;
        f.recorder.currentState = 7;
        f.recorder.appendCompletes = c.completes;
        const auto& b = c.checkBytes;
        f.dispatchCommand(commandFrame(code::TriggerDataCheck, b[0], b[1], b[2], b[3]));
        EXPECT_EQ(f.recorder.currentState, 6);
        EXPECT_EQ(f.recorder.appends, c.appends);
        EXPECT_EQ(f.log.lines(), (std::vector<Line>{{QString::fromUtf8(c.line), 0}}));
    }
}

class TraceRecordTest : public ::testing::Test {
protected:
    TraceRecordTest()
    {
        f.recorder.currentState = 6;
        f.connection.deviceVariantFlag.store(1);
    }
    static TraceFrame record(uint8_t channel)
    {
        return traceFrame(channel, {1, 2, 3, 4, 5, 0x8006});
    }
    DispatchFixture f;
};

TEST_F(TraceRecordTest, goodRecordGivesChannelAndSixWords)
{
    EXPECT_TRUE(f.table.dispatch(code::TraceRecord, record(3)));
    ASSERT_EQ(f.recorder.records.size(), 1u);
    EXPECT_EQ(f.recorder.records[0].channel, 3);
    EXPECT_EQ(f.recorder.records[0].words, (std::array<uint16_t, 6>{1, 2, 3, 4, 5, 0x8006}));
    EXPECT_TRUE(f.sender.sent.empty());
    EXPECT_TRUE(f.log.lines().empty());
}

TEST_F(TraceRecordTest, lastRecordLogsCompletion)
{
    f.recorder.recordOutcome = TriggerRecorderPort::Record::Complete;
    f.table.dispatch(code::TraceRecord, record(1));
    EXPECT_EQ(f.log.lines(), (std::vector<Line>{{QStringLiteral("触发录波数据接收完毕"), 0}}));
}

TEST_F(TraceRecordTest, badCheckOrChannelSendsTheErrorNotice)
{
    TraceFrame bad = record(1);
    bad[15] ^= 0x01;
    f.table.dispatch(code::TraceRecord, bad);
    EXPECT_TRUE(f.recorder.records.empty()) << "a record with a bad check is not stored";
    f.recorder.recordOutcome = TriggerRecorderPort::Record::BadChannel;
    f.table.dispatch(code::TraceRecord, record(9));
    EXPECT_EQ(f.recorder.rejections, 2);
    EXPECT_EQ(f.sender.sent, (std::vector<Bytes>(2, Bytes{0xF2, 0x3E, 0, 0, 0, 0, 0, 0xCC})));
    EXPECT_EQ(f.log.lines(), (std::vector<Line>(2, Line{QStringLiteral("触发录波上传的数据有错！"), 0})));
}

TEST_F(TraceRecordTest, otherVariantOrStateDropsTheRecord)
{
    f.connection.deviceVariantFlag.store(0);
    f.table.dispatch(code::TraceRecord, record(1));
    f.connection.deviceVariantFlag.store(1);
    f.recorder.currentState = 7;
    f.table.dispatch(code::TraceRecord, record(1));
    EXPECT_TRUE(f.recorder.records.empty());
    EXPECT_EQ(f.recorder.rejections, 0);
    EXPECT_TRUE(f.sender.sent.empty());
}

}  // namespace
}  // namespace hesk::link
