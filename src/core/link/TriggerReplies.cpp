// Reply handlers of the trigger recorder (codes 0x31..0x38 and the 16-byte data frame).
// Each acts only in the recorder state its row names; in any other state, or without a
// recorder, the frame is dropped without a log line.

#include "ReplyHandlers.h"

#include <algorithm>

namespace hesk::link::replies {

namespace {

TriggerRecorderPort* recorderIn(ReplyContext& context, int state)
{
    TriggerRecorderPort* recorder = context.ports.recorder;
    if (recorder == nullptr || recorder->state() != state)
        return nullptr;
    return recorder;
}

void acknowledge(ReplyContext& context, int state, const char* line)
{
    if (recorderIn(context, state) == nullptr)
        return;
    context.link.wakeWaiter(ReplyStatus::Success);
    context.log.log(QString::fromUtf8(line), 0);
}

CommandFrame commandCopy(Frame frame)
{
    CommandFrame copy;
    std::copy_n(frame.begin(), copy.size(), copy.begin());
    return copy;
}

}  // namespace

void triggerChannelAck(ReplyContext& context, Frame)
{
    acknowledge(context, 1, "接收触发录波通道设置协议");
}

void triggerDataAck(ReplyContext& context, Frame)
{
    acknowledge(context, 2, "接收触发录波数据设置协议");
}

void triggerConditionAck(ReplyContext& context, Frame)
{
    acknowledge(context, 3, "接收触发录波条件设置协议");
}

void triggerStartAck(ReplyContext& context, Frame)
{
    TriggerRecorderPort* recorder = recorderIn(context, 4);
    if (recorder == nullptr)
        return;
    context.link.wakeWaiter(ReplyStatus::Success);
    context.log.log(QStringLiteral("接收触发录波启动协议"), 0);
    recorder->startAcknowledged();
}

void triggerSignal(ReplyContext& context, Frame frame)
{
    TriggerRecorderPort* recorder = recorderIn(context, 5);
    if (recorder == nullptr)
        return;
    recorder->triggerSignalled(wordAt(frame, 2));
    recorder->setState(6);
    context.log.log(QStringLiteral("接收到设备条件触发信号,回复"), 0);
}

void triggerDataInformation(ReplyContext& context, Frame frame)
{
    TriggerRecorderPort* recorder = recorderIn(context, 6);
    if (recorder == nullptr || context.connection.deviceVariantFlag.load() != 0)
        return;
    CommandFrame copy = commandCopy(frame);
    const auto outcome = recorder->dataInformation(frame[2], wordAt(frame, 3), wordAt(frame, 5), copy);
    if (outcome != TriggerRecorderPort::DataInformation::Echo)
        return;
    recorder->setState(7);
    send(context, copy);
    context.log.log(QStringLiteral("接收到设备触发录波数据信息,回复"), 0);
}

void triggerTraceRecord(ReplyContext& context, Frame frame)
{
    TriggerRecorderPort* recorder = recorderIn(context, 6);
    if (recorder == nullptr || context.connection.deviceVariantFlag.load() != 1)
        return;
    auto outcome = TriggerRecorderPort::Record::BadChannel;
    if (wholeFrameXorIsZero(frame.first(kTraceFrameSize))) {
        std::array<uint16_t, 6> words;
        for (size_t i = 0; i < words.size(); ++i)
            words[i] = wordAt(frame, 3 + 2 * i);
        outcome = recorder->traceRecord(frame[2], words);
    }
    switch (outcome) {
    case TriggerRecorderPort::Record::Stored:
        return;
    case TriggerRecorderPort::Record::Complete:
        context.log.log(QStringLiteral("触发录波数据接收完毕"), 0);
        return;
    case TriggerRecorderPort::Record::BadChannel:
        break;
    }
    recorder->traceRecordRejected();
    CommandFrame notice = triggerDataErrorNotice();
    send(context, notice);
    context.log.log(QStringLiteral("触发录波上传的数据有错！"), 0);
}

void triggerDataCheck(ReplyContext& context, Frame frame)
{
    TriggerRecorderPort* recorder = recorderIn(context, 7);
    if (recorder == nullptr)
        return;
    recorder->setState(6);
    const bool checkBytesRight = frame[2] == 0x0E && frame[3] == 0x0D && frame[4] == 0x0B && frame[5] == 0x07;
    if (checkBytesRight && recorder->appendDataInformation()) {
        context.log.log(QStringLiteral("触发录波数据接收完毕"), 0);
        return;
    }
    context.log.log(QStringLiteral("接收到设备触发录波数据校验信息"), 0);
}

void triggerStopAck(ReplyContext& context, Frame)
{
    acknowledge(context, 0, "接收触发录波停止命令");
}

}  // namespace hesk::link::replies
