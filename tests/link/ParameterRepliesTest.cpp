// Reply handlers of the parameter protocol: value tables, address checks, single-read
// wake-up, write echoes and confirmation, CPU load and identification.

#include "LinkFakes.h"

#include <gtest/gtest.h>

namespace hesk::link {
namespace {

using test::Bytes;
using test::DispatchFixture;

template <size_t N>
Bytes bytes(const std::array<uint8_t, N>& frame)
{
    return Bytes(frame.begin(), frame.end());
}

TEST(ValueReplies, storeIntoTheirTables)
{
    struct Case {
        uint8_t code;
        uint16_t address;
        uint16_t received;
        ValueTable OnlineValueTables::*table;
        uint16_t stored;
    };
    const std::vector<Case> cases = {
        {0x01, 0x0010, 0x1234, &OnlineValueTables::parameters, 0x1234},
        {0x06, 0x1FFF, 0xFFFF, &OnlineValueTables::readOnly, 0xFFFF},
        {0x17, 0x0020, 0x0000, &OnlineValueTables::connections, 0x8000},  // 0 is stored as 0x8000
        {0x17, 0x0021, 0x0001, &OnlineValueTables::connections, 0xFFFF},  // 1 is stored as -1
        {0x17, 0x0022, 0x0005, &OnlineValueTables::connections, 0xFFFB},
    };
    for (const Case& c : cases) {
        DispatchFixture f;
        EXPECT_FALSE((f.values.*c.table).received(c.address));
        EXPECT_TRUE(f.dispatchCommand(addressFrame(c.code, c.address, c.received)));
        EXPECT_EQ((f.values.*c.table).value(c.address), c.stored) << std::hex << int(c.code);
        EXPECT_EQ((f.values.*c.table).receivedValue(c.address), c.stored) << std::hex << int(c.code);
        EXPECT_TRUE(f.connection.linkAlive.load());
        EXPECT_FALSE(f.woke());
        EXPECT_TRUE(f.log.lines().empty());
    }
}

TEST(ValueReplies, addressesOf8192OrMoreAreRejectedWithTheirLogLine)
{
    const QString parameterLine = QStringLiteral("<错误>请求参数值的回复帧中参数地址错误！");
    const QString connectionLine = QStringLiteral("<错误>请求连线值的回复帧中参数地址错误！");
    for (uint16_t address : {uint16_t(0x2000), uint16_t(0x2010), uint16_t(0xFFFF)}) {
        for (uint8_t code : {code::ReadParameter, code::ReadReadOnly, code::ReadConnection}) {
            DispatchFixture f;
            f.connection.singleReadWaiting.store(true);
            f.connection.awaitedAddress.store(address);
            EXPECT_TRUE(f.dispatchCommand(addressFrame(code, address, 0x4321)));
            const QString expected = code == code::ReadConnection ? connectionLine : parameterLine;
            EXPECT_EQ(f.log.lines(), (std::vector<test::RecordingLog::Line>{{expected, 3}}));
            // Nothing stored, not even wrapped into the table.
            EXPECT_EQ(f.values.parameters.value(address & 0x1FFF), 0);
            EXPECT_EQ(f.values.readOnly.value(address & 0x1FFF), 0);
            EXPECT_EQ(f.values.connections.value(address & 0x1FFF), 0);
            EXPECT_FALSE(f.values.parameters.received(address & 0x1FFF));
            EXPECT_FALSE(f.values.readOnly.received(address & 0x1FFF));
            EXPECT_FALSE(f.values.connections.received(address & 0x1FFF));
            EXPECT_FALSE(f.woke()) << "a rejected reply must not end a single read";
            EXPECT_TRUE(f.connection.linkAlive.load());
        }
    }
}

TEST(ValueTables, receivedMarksAreKeptPerAddressAndClearedOnRequest)
{
    OnlineValueTables tables;
    // Addresses at the edges of the mark words: a mark must not spill to a neighbour.
    for (uint32_t address : {0u, 63u, 64u, 8191u}) {
        tables.parameters.store(address, 0);
        EXPECT_EQ(tables.parameters.receivedValue(address), std::optional<uint16_t>(0)) << address;
    }
    for (uint32_t address : {1u, 62u, 65u, 127u, 8190u})
        EXPECT_FALSE(tables.parameters.received(address)) << address;
    EXPECT_FALSE(tables.readOnly.received(0));
    EXPECT_FALSE(tables.parameters.received(8192));
    EXPECT_EQ(tables.parameters.receivedValue(8192), std::nullopt);

    tables.parameters.store(64, 0x1234);
    tables.parameters.forget(63);
    EXPECT_FALSE(tables.parameters.received(63));
    EXPECT_TRUE(tables.parameters.received(64));

    tables.readOnly.store(5, 7);
    tables.connections.store(6, 0x8000);
    tables.forgetReceived();
    for (uint32_t address : {0u, 64u, 8191u})
        EXPECT_FALSE(tables.parameters.received(address)) << address;
    EXPECT_EQ(tables.readOnly.receivedValue(5), std::nullopt);
    EXPECT_EQ(tables.connections.receivedValue(6), std::nullopt);
    // The words stay: only the marks are forgotten.
    EXPECT_EQ(tables.parameters.value(64), 0x1234);

    tables.parameters.store(64, 1);
    tables.parameters.clear();
    EXPECT_FALSE(tables.parameters.received(64));
    EXPECT_EQ(tables.parameters.value(64), 0);
}

TEST(ValueReplies, singleReadEndsOnlyForTheAwaitedAddress)
{
    DispatchFixture f;
    f.connection.awaitedAddress.store(0x0100);
    f.connection.singleReadWaiting.store(true);

    f.dispatchCommand(addressFrame(code::ReadReadOnly, 0x0101, 7));
    EXPECT_EQ(f.values.readOnly.value(0x0101), 7);
    EXPECT_FALSE(f.woke());
    EXPECT_EQ(f.status(), ReplyStatus::Pending);

    f.dispatchCommand(addressFrame(code::ReadReadOnly, 0x0100, 9));
    EXPECT_TRUE(f.woke());
    EXPECT_EQ(f.status(), ReplyStatus::Success);
    EXPECT_FALSE(f.connection.singleReadWaiting.load());
}

TEST(WriteEchoes, matchOnlyTheWriteInProgressIgnoringTheCheckByte)
{
    for (uint8_t code : {code::WriteValue, code::WritePlainValue, code::WriteConnection, code::FactoryRestore}) {
        DispatchFixture f;
        f.writes.inProgress = addressFrame(code, 0x0040, 0x0102);
        CommandFrame echo = f.writes.inProgress;
        echo[7] ^= 0x5A;  // the check is not compared
        f.table.dispatch(code, echo);
        EXPECT_EQ(f.writes.echoes, 1) << std::hex << int(code);

        CommandFrame otherByte6 = f.writes.inProgress;
        otherByte6[6] = 1;
        f.table.dispatch(code, otherByte6);
        CommandFrame otherValue = addressFrame(code, 0x0040, 0x0103);
        f.table.dispatch(code, otherValue);
        EXPECT_EQ(f.writes.echoes, 1) << std::hex << int(code);
    }
}

TEST(WriteEchoes, noWriteInProgressMatchesNothing)
{
    DispatchFixture f;  // write in progress all zero
    f.dispatchCommand(writeValueRequest(0, 0));
    EXPECT_EQ(f.writes.echoes, 0);
}

TEST(ModifyConfirm, finishesTheWriteAndSignalsConfirmed)
{
    DispatchFixture f;
    f.dispatchCommand(modifyConfirmRequest());
    EXPECT_EQ(f.writes.confirms, 1);
    EXPECT_TRUE(f.link.modifyConfirmed.isSet());
    EXPECT_FALSE(f.link.modifyFailed.isSet());
    EXPECT_TRUE(f.log.lines().empty());
}

TEST(ModifyConfirm, startsARequestedFaultDataTransferOnce)
{
    DispatchFixture f;
    f.faultTransfer.requested = true;
    f.dispatchCommand(modifyConfirmRequest());
    EXPECT_TRUE(f.faultTransfer.running);
    EXPECT_EQ(f.log.lines(), (std::vector<test::RecordingLog::Line>{{QStringLiteral("等待接收故障数据......"), 2}}));
    f.dispatchCommand(modifyConfirmRequest());
    EXPECT_EQ(f.log.lines().size(), 1u);
}

TEST(CpuLoad, countsAre32BitsHighByteFirstAndKeepTheLinkAlive)
{
    DispatchFixture f;
    f.dispatchCommand(commandFrame(code::CpuLoadReference, 0x12, 0x34, 0x56, 0x78));
    EXPECT_EQ(f.connection.cpuReferenceCount.load(), 0x12345678u);
    EXPECT_TRUE(f.connection.linkAlive.load());
    f.connection.linkAlive.store(false);
    f.dispatchCommand(commandFrame(code::CpuIdle, 0xFF, 0xFF, 0xFF, 0xFE));
    EXPECT_EQ(f.connection.cpuIdleCount.load(), 0xFFFFFFFEu);
    EXPECT_TRUE(f.connection.linkAlive.load());
}

TEST(Identification, cpuTypeAnswerKeepsFlagsAndAsksForTheCpuTypeWord)
{
    DispatchFixture f;
    f.dispatchCommand(commandFrame(code::CpuType, 0x01, 0x01));
    EXPECT_EQ(f.connection.deviceVariantFlag.load(), 1);
    EXPECT_EQ(f.connection.deviceFlag.load(), 1);
    ASSERT_EQ(f.sender.sent.size(), 1u);
    EXPECT_EQ(f.sender.sent[0], (Bytes{0xF2, 0x0E, 0, 0, 0, 0, 0, 0xFC}));
    EXPECT_TRUE(f.log.contains(QStringLiteral("在线请求Cpu类型")));
    EXPECT_EQ(f.status(), ReplyStatus::Pending);
    EXPECT_FALSE(f.woke());
}

TEST(Identification, cpuTypeWordSetsSuccessWithoutWakingTheWaiter)
{
    DispatchFixture f;
    f.dispatchCommand(commandFrame(code::CpuTypeWord, 0, 0, 0x67, 0x01));
    EXPECT_EQ(f.connection.deviceCpuType.load(), 0x6701);
    EXPECT_EQ(f.status(), ReplyStatus::Success);
    EXPECT_FALSE(f.woke());
    EXPECT_TRUE(f.log.contains(QStringLiteral("接收Cpu类型信号")));
}

TEST(Identification, programIdentifierReadCheckedOrMismatched)
{
    {
        DispatchFixture f;  // read mode: store and wake
        f.dispatchCommand(commandFrame(code::ProgramIdentifier, 0x12, 0x34));
        EXPECT_EQ(f.connection.deviceProgramId.load(), 0x1234);
        EXPECT_EQ(f.status(), ReplyStatus::Success);
        EXPECT_TRUE(f.woke());
        EXPECT_TRUE(f.sender.sent.empty());
    }
    {
        DispatchFixture f;  // check mode, different identifier
        f.connection.checkProgramId.store(true);
        f.connection.projectProgramId.store(0x1235);
        f.dispatchCommand(commandFrame(code::ProgramIdentifier, 0x12, 0x34));
        EXPECT_EQ(f.status(), ReplyStatus::IdentifierCheckFailed);
        EXPECT_TRUE(f.woke());
        EXPECT_EQ(f.log.lines(), (std::vector<test::RecordingLog::Line>{{QStringLiteral("<错误>程序校验失败"), 3}}));
        EXPECT_EQ(f.connection.projectProgramId.load(), 0x1235);
    }
    {
        DispatchFixture f;  // check mode, equal: ask for the last-transfer flags
        f.connection.checkProgramId.store(true);
        f.connection.projectProgramId.store(0x1234);
        f.dispatchCommand(commandFrame(code::ProgramIdentifier, 0x12, 0x34));
        EXPECT_EQ(f.status(), ReplyStatus::Pending);
        EXPECT_FALSE(f.woke());
        ASSERT_EQ(f.sender.sent.size(), 1u);
        EXPECT_EQ(f.sender.sent[0], bytes(lastTransferFlagsRequest()));
        EXPECT_TRUE(f.log.contains(QStringLiteral("在线请求上次下载还原是否成功标志")));
    }
}

TEST(Identification, lastTransferFlagsGiveTheStatus)
{
    struct Case {
        uint8_t byte5;
        uint8_t byte6;
        ReplyStatus status;
    };
    const std::vector<Case> cases = {
        {1, 1, ReplyStatus::DownloadAndRestoreFailed},
        {1, 0, ReplyStatus::LastDownloadFailed},
        {0, 1, ReplyStatus::LastRestoreFailed},
        {0, 0, ReplyStatus::Success},
        {2, 0, ReplyStatus::Success},
        {0, 2, ReplyStatus::Success},
    };
    for (const Case& c : cases) {
        DispatchFixture f;
        f.dispatchCommand(commandFrame(code::LastTransferFlags, 0, 0, 0, c.byte5, c.byte6));
        EXPECT_EQ(f.status(), c.status) << int(c.byte5) << "," << int(c.byte6);
        EXPECT_TRUE(f.woke());
        EXPECT_EQ(f.log.lines(), (std::vector<test::RecordingLog::Line>{{QStringLiteral("程序启动成功"), 2}}));
    }
}

TEST(HeartbeatSupervision, answerWakesWithSuccess)
{
    DispatchFixture f;
    f.dispatchCommand(heartbeatSupervisionRequest(true));
    EXPECT_EQ(f.status(), ReplyStatus::Success);
    EXPECT_TRUE(f.woke());
}

}  // namespace
}  // namespace hesk::link
