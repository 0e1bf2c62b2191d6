// Reply handlers of the bulk transfers: the parameter download signal, the parameter
// upload (length, 64-byte blocks, end) and the fault data of the fault waveform upload.

#include "ReplyHandlers.h"

namespace hesk::link::replies {

namespace {

UploadPort* openUpload(ReplyContext& context)
{
    UploadPort* upload = context.ports.upload;
    return upload != nullptr && upload->isOpen() ? upload : nullptr;
}

void echo(ReplyContext& context, Frame frame)
{
    CommandFrame copy = echoOf(frame.first<kCommandFrameSize>());
    send(context, copy);
}

}  // namespace

void downloadSignalAnswer(ReplyContext& context, Frame)
{
    DownloadWindowPort* window = context.ports.parameterDownload;
    if (window == nullptr || !window->isOpen())
        return;
    if (window->flagReply())
        window->wakeAfter(std::chrono::milliseconds(100));
}

void uploadConfirmed(ReplyContext& context, Frame)
{
    context.log.log(QStringLiteral("接收参数上传确认信号,回复"), 1);
}

void uploadLength(ReplyContext& context, Frame frame)
{
    UploadPort* upload = openUpload(context);
    if (upload == nullptr)
        return;
    // The one little-endian field of the protocol: byte 2 low, byte 3 high.
    upload->lengthReceived(static_cast<uint16_t>(frame[2] | (frame[3] << 8)));
    echo(context, frame);
    context.log.log(QStringLiteral("接收参数长度信号,回复"), 1);
}

void uploadBlock(ReplyContext& context, Frame frame)
{
    UploadPort* upload = openUpload(context);
    if (upload == nullptr)
        return;
    const size_t position = upload->bytesReceived();
    if (position >= UploadPort::kAcceptBelow || position + kBlockDataSize > UploadPort::kBufferSize)
        return;
    upload->storeBlock(frame.subspan<2, kBlockDataSize>());
}

void uploadEnd(ReplyContext& context, Frame frame)
{
    UploadPort* upload = openUpload(context);
    if (upload == nullptr)
        return;
    upload->endReceived();
    echo(context, frame);
    context.log.log(QStringLiteral("接收参数上传结束信号,回复"), 1);
}

void faultDataTriggerEcho(ReplyContext& context, Frame frame)
{
    if (!matchesWriteInProgress(context, frame))
        return;
    if (context.ports.faultTransfer != nullptr)
        context.ports.faultTransfer->clearDriveBoardFlag();
    context.ports.writes->echoMatched();
}

void faultDataHeader(ReplyContext& context, Frame frame)
{
    context.faultData.appendHeader(frame[2], frame[3], frame[4]);
}

void faultData(ReplyContext& context, Frame frame)
{
    context.faultData.appendData(frame.subspan<2, 4>());
}

void faultWaveformWords(ReplyContext& context, Frame frame)
{
    context.faultData.appendWords(wordAt(frame, 2), wordAt(frame, 4));
}

void faultDataComplete(ReplyContext& context, Frame)
{
    FaultTransferPort* fault = context.ports.faultTransfer;
    if (fault != nullptr && fault->dataComplete())
        context.log.log(QStringLiteral("故障数据接收完毕！"), 2);
}

void driveBoardWaveformAnswer(ReplyContext& context, Frame)
{
    FaultTransferPort* fault = context.ports.faultTransfer;
    WritePipelinePort* writes = context.ports.writes;
    if (fault == nullptr || writes == nullptr)
        return;
    if (fault->firstDriveBoardAnswer())
        writes->echoMatched();
}

}  // namespace hesk::link::replies
