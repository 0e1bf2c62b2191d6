// Reply handlers of the parameter protocol: values, write echoes and confirmations, CPU
// load, identification and the heartbeat command.

#include "ReplyHandlers.h"

#include <algorithm>

namespace hesk::link::replies {

namespace {

// Stores a value reply (address bytes 2..3, value bytes 4..5) and ends a single read
// that waits for this very address. A reply of any address keeps the link alive.
void storeValueReply(ReplyContext& context, Frame frame, ValueTable& table, uint16_t stored,
                     const char* badAddressLine)
{
    const uint16_t address = wordAt(frame, 2);
    if (table.store(address, stored)) {
        ConnectionState& connection = context.connection;
        if (connection.singleReadWaiting.load() && connection.awaitedAddress.load() == address) {
            connection.singleReadWaiting.store(false);
            context.link.wakeWaiter(ReplyStatus::Success);
        }
    } else {
        context.log.log(QString::fromUtf8(badAddressLine), 3);
    }
    context.connection.linkAlive.store(true);
}

}  // namespace

bool matchesWriteInProgress(const ReplyContext& context, Frame frame)
{
    const WritePipelinePort* writes = context.ports.writes;
    if (writes == nullptr)
        return false;
    const CommandFrame inProgress = writes->writeInProgress();
    return std::equal(inProgress.begin(), inProgress.begin() + 7, frame.begin());
}

void send(ReplyContext& context, std::span<uint8_t> frame)
{
    context.sender.SendFrame(frame);
}

void connectionValue(ReplyContext& context, Frame frame)
{
    storeValueReply(context, frame, context.values.connections, storedConnectionValue(wordAt(frame, 4)),
                    "<错误>请求连线值的回复帧中参数地址错误！");
}

void parameterValue(ReplyContext& context, Frame frame)
{
    storeValueReply(context, frame, context.values.parameters, wordAt(frame, 4),
                    "<错误>请求参数值的回复帧中参数地址错误！");
}

void readOnlyValue(ReplyContext& context, Frame frame)
{
    storeValueReply(context, frame, context.values.readOnly, wordAt(frame, 4),
                    "<错误>请求参数值的回复帧中参数地址错误！");
}

void writeEcho(ReplyContext& context, Frame frame)
{
    if (matchesWriteInProgress(context, frame))
        context.ports.writes->echoMatched();
}

void modifyConfirmAnswer(ReplyContext& context, Frame)
{
    if (context.ports.writes == nullptr || context.ports.writes->confirmAnswered())
        context.link.modifyConfirmed.set();
    FaultTransferPort* fault = context.ports.faultTransfer;
    if (fault != nullptr && fault->startDataFlowIfRequested())
        context.log.log(QStringLiteral("等待接收故障数据......"), 2);
}

void cpuLoadReference(ReplyContext& context, Frame frame)
{
    context.connection.cpuReferenceCount.store(longAt(frame, 2));
    context.connection.linkAlive.store(true);
}

void cpuIdle(ReplyContext& context, Frame frame)
{
    context.connection.cpuIdleCount.store(longAt(frame, 2));
    context.connection.linkAlive.store(true);
}

void cpuTypeAnswer(ReplyContext& context, Frame frame)
{
    context.connection.deviceVariantFlag.store(frame[2]);
    context.connection.deviceFlag.store(frame[3]);
    CommandFrame request = cpuTypeWordRequest();
    send(context, request);
    context.log.log(QStringLiteral("在线请求Cpu类型"), 1);
}

void programIdentifier(ReplyContext& context, Frame frame)
{
    const uint16_t identifier = wordAt(frame, 2);
    ConnectionState& connection = context.connection;
    connection.deviceProgramId.store(identifier);
    if (!connection.checkProgramId.load()) {
        context.link.wakeWaiter(ReplyStatus::Success);
        return;
    }
    if (identifier != connection.projectProgramId.load()) {
        context.link.wakeWaiter(ReplyStatus::IdentifierCheckFailed);
        context.log.log(QStringLiteral("<错误>程序校验失败"), 3);
        return;
    }
    CommandFrame request = lastTransferFlagsRequest();
    send(context, request);
    context.log.log(QStringLiteral("在线请求上次下载还原是否成功标志"), 1);
}

void cpuTypeWord(ReplyContext& context, Frame frame)
{
    context.connection.deviceCpuType.store(wordAt(frame, 4));
    // No wake-up: the waiter sees the status when its wait ends.
    context.link.replyStatus.store(ReplyStatus::Success);
    context.log.log(QStringLiteral("接收Cpu类型信号"), 1);
}

void lastTransferFlags(ReplyContext& context, Frame frame)
{
    const bool downloadFailed = frame[5] == 1;
    const bool restoreFailed = frame[6] == 1;
    ReplyStatus status = ReplyStatus::Success;
    if (downloadFailed && restoreFailed)
        status = ReplyStatus::DownloadAndRestoreFailed;
    else if (downloadFailed)
        status = ReplyStatus::LastDownloadFailed;
    else if (restoreFailed)
        status = ReplyStatus::LastRestoreFailed;
    context.link.wakeWaiter(status);
    context.log.log(QStringLiteral("程序启动成功"), 2);
}

void heartbeatSupervisionAnswer(ReplyContext& context, Frame)
{
    context.link.wakeWaiter(ReplyStatus::Success);
}

}  // namespace hesk::link::replies
