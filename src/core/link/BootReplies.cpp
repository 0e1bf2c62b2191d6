// Reply handlers of the boot protocol (02 06 frames, routed by byte 2). The answers are
// boot frames with the same code; the handlers run on the serial connection thread.

#include "ReplyHandlers.h"

namespace hesk::link::replies {

namespace {

constexpr std::chrono::milliseconds kAnswerPause{100};

void answer(ReplyContext& context, uint8_t bootCode)
{
    BootFrame frame = bootAnswer(bootCode);
    send(context, frame);
}

}  // namespace

void bootHeartbeat(ReplyContext& context, Frame)
{
    if (context.link.online.load())
        context.connection.linkAlive.store(true);
    else if (context.link.bootMode())
        context.link.replyStatus.store(ReplyStatus::Success);  // no wake-up
}

void handShake(ReplyContext& context, Frame)
{
    if (!context.link.bootMode())
        return;
    answer(context, boot::HandShake);
    context.log.log(QStringLiteral("接收HandShake信号,回复"), 1);
}

void standBy(ReplyContext& context, Frame)
{
    answer(context, boot::StandBy);
    context.link.wakeWaiter(ReplyStatus::Success);
    context.log.log(QStringLiteral("接收StandBy信号,回复"), 1);
}

void noProgram(ReplyContext& context, Frame)
{
    answer(context, boot::NoProgram);
    context.link.wakeWaiter(ReplyStatus::NoProgram);
    context.log.log(QStringLiteral("<错误>下位机中没有程序"), 3);
}

void requireIdBoot(ReplyContext& context, Frame)
{
    answer(context, boot::RequireIDBoot);
    context.log.log(QStringLiteral("接收RequireIDBoot,回复"), 1);
    context.pause.pause(kAnswerPause);
    BootFrame reply = replyIdBoot(context.connection.projectProgramId.load());
    send(context, reply);
    context.log.log(QStringLiteral("发送ReplyIDBoot"), 1);
}

void identifierCheckFailed(ReplyContext& context, Frame)
{
    answer(context, boot::IdentifierCheckFailed);
    context.link.wakeWaiter(ReplyStatus::IdentifierCheckFailed);
    context.log.log(QStringLiteral("<错误>程序ID校验失败"), 3);
}

void programStarted(ReplyContext& context, Frame)
{
    answer(context, boot::ProgramStarted);
    context.link.wakeWaiter(ReplyStatus::Success);
    context.log.log(QStringLiteral("程序启动成功"), 2);
}

void bootCpuTypeSignal(ReplyContext& context, Frame frame)
{
    context.connection.deviceCpuType.store(wordAt(frame, 3));
    BootFrame reply = bootCpuTypeAnswer(frame[3], frame[4]);
    send(context, reply);
    context.log.log(QStringLiteral("接收Cpu类型信号,回复"), 1);
}

void downloadRequest(ReplyContext& context, Frame)
{
    DownloadWindowPort* window = context.ports.programDownload;
    if (window == nullptr || !window->isOpen())
        return;
    const bool first = window->flagReply();
    answer(context, boot::DownloadRequest);
    if (first)
        window->wakeAfter(kAnswerPause);
}

void requireIdDownload(ReplyContext& context, Frame)
{
    answer(context, boot::RequireIDDownload);
    context.log.log(QStringLiteral("接收RequireIDDownload,回复"), 1);
    context.pause.pause(kAnswerPause);
    BootFrame reply = replyIdDownload(context.connection.downloadProgramId.load());
    send(context, reply);
    context.log.log(QStringLiteral("发送ReplyIDDownload"), 1);
}

}  // namespace hesk::link::replies
