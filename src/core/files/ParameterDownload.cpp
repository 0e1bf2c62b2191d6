#include "ParameterDownload.h"

#include "MigrationReport.h"

#include "DnlProjectCheck.h"

#include "link/FrameCodec.h"
#include "shell/MonitorSession.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <cerrno>

namespace hesk::files {

namespace {

constexpr int kErrorLevel = 3;
constexpr uint8_t kDownloadStartCode = 0x19;
constexpr uint16_t kDownloadMenuLevel = 5;
constexpr uint16_t kRunningState = 10;

const model::HeskParameterElement* special(shell::MonitorSession& session, const char* key)
{
    return session.project().specials().element(session.project().project(), QString::fromLatin1(key));
}

// The log keeps the untranslated text; the window shows the translation.
enum class TextFor { Log, Person };

QString sendErrorText(int error, TextFor use)
{
    static const char kPortClosed[] = QT_TRANSLATE_NOOP("ParameterDownload", "串口尚未打开或者已被占用！");
    static const char kErrorCode[] = QT_TRANSLATE_NOOP("ParameterDownload", "通讯错误代码%1");
    if (error == EBADF || error == ENODEV || error == ENXIO)
        return use == TextFor::Log ? QString::fromUtf8(kPortClosed)
                                   : QCoreApplication::translate("ParameterDownload", kPortClosed);
    return (use == TextFor::Log ? QString::fromUtf8(kErrorCode)
                                : QCoreApplication::translate("ParameterDownload", kErrorCode))
        .arg(error);
}

}  // namespace

ParameterDownload::ParameterDownload(shell::MonitorSession& session, model::UserPrompt& prompt, QObject* parent)
    : QObject(parent), m_session(session), m_prompt(prompt)
{
    qRegisterMetaType<DownloadOutcome>();
    m_replyTimer.setSingleShot(true);
    m_replyTimer.setInterval(kReplyTimeout);
    connect(&m_replyTimer, &QTimer::timeout, this, &ParameterDownload::replyTimedOut);
    m_tickTimer.setInterval(kTick);
    connect(&m_tickTimer, &QTimer::timeout, this, &ParameterDownload::tick);
    connect(&m_session, &shell::MonitorSession::connectionChanged, this, &ParameterDownload::linkChanged);
    m_session.ports().parameterDownload = this;
}

ParameterDownload::~ParameterDownload()
{
    m_thread.stop();
    m_open.store(false);
    if (m_session.ports().parameterDownload == this)
        m_session.ports().parameterDownload = nullptr;
    releaseLine();
}

QString ParameterDownload::ethernetRefusal() { return tr("参数下载只能通过串口进行，以太网连接不支持参数下载！"); }

bool ParameterDownload::start(const DownloadOptions& options)
{
    if (running())
        return false;
    m_options = options;
    model::OpenedProject& project = m_session.project();
    // Reconnecting after a fault, or no device type: nothing to do.
    if (m_session.link().stoppingReader() || project.deviceClass() == model::DeviceClass::None
        || !m_session.isOnline())
        return false;
    m_inverter = project.deviceClass() == model::DeviceClass::Inverter;
    const int recorder = options.recorderState ? options.recorderState() : m_session.triggerRecordingState();
    if (recorder > 4) {
        m_prompt.show(model::MessageKind::Information, tr("信息"), tr("正在进行触发录波，不允许参数下载！"));
        return false;
    }
    if (m_inverter && m_session.motorControlHeld()) {
        m_prompt.show(model::MessageKind::Warning, tr("警告"), tr("请先释放控制权，再进行参数下载！"));
        return false;
    }
    // The blocks travel as raw bytes on the serial line only: over Ethernet the drive would
    // answer the start request and then wait for blocks that never come.
    if (m_session.link().mode() != link::LinkMode::Serial) {
        m_prompt.showMessage(model::UserMessage::error(ethernetRefusal()));
        return false;
    }
    if (options.path) {
        m_path = *options.path;
    } else {
        const std::optional<QString> chosen = m_prompt.openFile(
            {tr("打开DNL文件"), {}, QStringLiteral("*.dnl"), QString::fromLatin1(kDnlFileFilter), {}});
        if (!chosen) {
            m_prompt.showMessage(model::UserMessage::error(tr("请您选择要下载的dnl文件，下载操作被终止！")));
            return false;
        }
        m_path = *chosen;
    }
    const std::optional<DnlHeader> header = readDnlHeader(m_path);
    if (!header) {
        m_prompt.showMessage(model::UserMessage::error(tr("文件打开失败！")));
        return false;
    }
    if (!checkDnlAgainstProject(*header, &project.project().header, m_prompt).accepted)
        return false;
    // A file of another version: what the download will do with each row, before anything
    // is changed on the drive.
    if (versionsDiffer(*header, project.project())) {
        const DnlRowsRead rows = readDnlRows(m_path);
        if (rows.ok() && !confirmMigration(downloadMigrationReport(project, *header, rows.rows), m_prompt, m_session.log()))
            return false;
    }
    if (const model::HeskParameterElement* state = special(m_session, "r0001")) {
        if (m_session.values().parameters.valueOr0(state->address) >= kRunningState
            || m_session.onlineRaw(*state).value_or(0) >= kRunningState) {
            m_prompt.showMessage(model::UserMessage::error(tr("设备正在运行状态，请将设备调整到待机状态再重新尝试！")));
            return false;
        }
    }
    m_menuLevel.reset();
    const model::HeskParameterElement* level = special(m_session, "P0060");
    if (level) {
        m_menuLevel = m_session.onlineRaw(*level);
        if (!m_menuLevel) {  // not polled since the connect: ask the drive
            const model::HeskParameterElement* list[] = {level};
            if (m_session.readValues(list, true))
                m_menuLevel = m_session.onlineRaw(*level);
        }
    }
    if (m_inverter && level) {
        m_prompt.show(model::MessageKind::Hint, tr("提示"), tr("进行参数下载前，上位机会先将P60改为5！"));
        if (!m_session.write(link::writeValueRequest(level->address, kDownloadMenuLevel))) {
            m_prompt.showMessage(model::UserMessage::warning(tr("修改P60=5失败，退出参数下载")));
            return false;
        }
    }
    m_build = {};
    m_image.clear();
    m_repeats = 0;
    m_replied.store(false);
    m_state = State::Parsing;
    Q_EMIT statusText(tr("正在解析dnl文件..."));
    QTimer::singleShot(0, this, &ParameterDownload::parse);
    return true;
}

void ParameterDownload::parse()
{
    if (m_state != State::Parsing)
        return;
    model::LogSink& log = m_session.log();
    const DnlRowsRead rows = readDnlRows(m_path);
    bool ok = rows.ok();
    if (!ok)
        m_prompt.showMessage(model::UserMessage::error(tr("文件打开失败！")));
    if (ok && m_inverter && !rows.rows.isEmpty()) {
        // The dependents of the serial number come from the drive's current base values.
        if (!m_session.readValues(m_session.formulaInputs(), true)) {
            m_prompt.showMessage(model::UserMessage::error(tr("请求数据超时，请您重新尝试！")));
            ok = false;
        } else {
            m_session.refreshFormulas();
        }
    }
    if (ok) {
        m_build = buildDownloadImage(m_session.project(), rows.rows, m_prompt, log, m_options.serialNumber);
        ok = m_build.ok();
    }
    if (m_state != State::Parsing)
        return;  // the link closed while the drive was read
    if (!ok) {
        log.log(QStringLiteral("读取dnl文件失败，结束参数下载"), kErrorLevel);
        end({false, false, m_build.failure ? m_build.failure->text : tr("读取dnl文件失败，结束参数下载"), {}, 0});
        return;
    }
    m_image = m_build.image();
    m_session.scheduler().setLineHeld(true);
    m_session.scheduler().setPollingPaused(true);
    m_lineHeld = true;
    m_open.store(true);
    m_state = State::AwaitingReply;
    link::CommandFrame request = link::commandFrame(kDownloadStartCode);
    const int error = m_session.link().SendFrame(request);
    if (error != 0) {
        const QString text = sendErrorText(error, TextFor::Person);
        m_prompt.showMessage(model::UserMessage::error(text));
        end({false, true, text, {}, 0});
        return;
    }
    m_replyTimer.start();
}

void ParameterDownload::wakeAfter(std::chrono::milliseconds delay)
{
    // Called on the thread that dispatched the answer.
    report({ThreadReport::Kind::Replied, delay});
}

void ParameterDownload::report(ThreadReport threadReport)
{
    const std::lock_guard guard(m_reportsLock);
    m_reports.push_back(threadReport);
    if (m_reportsPosted)
        return;
    m_reportsPosted = true;
    QMetaObject::invokeMethod(this, "takeReports", Qt::QueuedConnection);
}

void ParameterDownload::takeReports()
{
    std::deque<ThreadReport> reports;
    {
        const std::lock_guard guard(m_reportsLock);
        reports.swap(m_reports);
        m_reportsPosted = false;
    }
    for (const ThreadReport& r : reports) {
        switch (r.kind) {
        case ThreadReport::Kind::Replied:
            QTimer::singleShot(r.delay, this, &ParameterDownload::startReplied);
            break;
        case ThreadReport::Kind::Progress:
            threadProgress(static_cast<qint64>(r.position), static_cast<qint64>(r.total));
            break;
        case ThreadReport::Kind::Repeated:
            threadRepeated();
            break;
        case ThreadReport::Kind::Finished:
            threadFinished();
            break;
        case ThreadReport::Kind::Failed:
            threadFailed(r.error);
            break;
        }
    }
}

void ParameterDownload::replyTimedOut()
{
    if (m_state != State::AwaitingReply || m_replied.load())
        return;
    m_session.log().log(QStringLiteral("未收到下位机回复，退出参数下载！"), kErrorLevel);
    const QString text = tr("等待下位机下载回复超时,请重新尝试！");
    m_prompt.showMessage(model::UserMessage::error(text));
    end({false, false, text, {}, 0});
}

void ParameterDownload::startReplied()
{
    if (m_state != State::AwaitingReply)
        return;
    m_replyTimer.stop();
    m_state = State::Transferring;
    Q_EMIT statusText(tr("正在下载参数..."));
    Q_EMIT progress(0, m_image.size());
    link::CDeviceLink& link = m_session.link();
    if (link.readerThread() != link::ReaderThread::None) {
        if (!link.stopReaderThread()) {
            const QString text = tr("参数下载超时,为确保程序正确请您重新尝试下载！");
            m_prompt.showMessage(model::UserMessage::error(text));
            end({false, false, text, {}, 0});
            return;
        }
        m_readerStopped = true;
    }
    if (m_state != State::Transferring)
        return;  // the link closed inside the stop
    m_session.log().log(QStringLiteral("开启下载参数线程"), 1);
    // The thread ends before this object does (it is the last member).
    DownloadThreadEvents events;
    events.progress = [this](std::size_t position, std::size_t total) {
        report({ThreadReport::Kind::Progress, {}, position, total});
    };
    events.repeated = [this] { report({ThreadReport::Kind::Repeated}); };
    events.finished = [this] { report({ThreadReport::Kind::Finished}); };
    events.failed = [this](int error) { report({ThreadReport::Kind::Failed, {}, 0, 0, error}); };
    m_silentTicks = 0;
    m_tickTimer.start();
    if (!m_thread.start(link.rawTransport(), m_image, std::move(events)))
        threadFailed(EBADF);
}

void ParameterDownload::tick()
{
    if (m_state != State::Transferring)
        return;
    if (++m_silentTicks < kSilentTicks)
        return;
    m_thread.stop();
    static const char kTimedOut[] = QT_TR_NOOP("参数下载超时,为确保程序正确请您重新尝试下载！");
    m_session.log().log(QStringLiteral("<错误>") + QString::fromUtf8(kTimedOut), kErrorLevel);
    const QString text = tr(kTimedOut);
    m_prompt.showMessage(model::UserMessage::error(text));
    end({false, false, text, {}, m_repeats});
}

void ParameterDownload::threadProgress(qint64 position, qint64 total)
{
    if (m_state != State::Transferring)
        return;
    // Ten seconds without an acknowledged block end the transfer; an image that takes
    // longer on a slow line is not cut off while blocks keep being acknowledged.
    m_silentTicks = 0;
    Q_EMIT progress(position, total);
}

void ParameterDownload::threadRepeated()
{
    if (m_state != State::Transferring)
        return;
    ++m_repeats;
    m_session.log().log(QStringLiteral("<错误>传输校验错误,重发"), kErrorLevel);
}

void ParameterDownload::threadFinished()
{
    if (m_state != State::Transferring)
        return;
    m_thread.stop();
    m_session.log().log(QStringLiteral("结束下载参数线程"), 1);
    m_session.log().log(QStringLiteral("参数下载结束"), 1);
    const DownloadCounts counts = countDownloadResult(m_session.project().project(), m_build, m_session.log());
    const QString text = downloadResultText(counts);
    Q_EMIT progress(m_image.size(), m_image.size());
    m_prompt.show(model::MessageKind::Information, tr("信息"), text);
    end({true, false, text, counts, m_repeats});
}

void ParameterDownload::threadFailed(int error)
{
    if (m_state != State::Transferring)
        return;
    m_thread.stop();
    const QString text = sendErrorText(error, TextFor::Person);
    m_session.log().log(QStringLiteral("<错误>") + sendErrorText(error, TextFor::Log), kErrorLevel);
    m_prompt.showMessage(model::UserMessage::error(text));
    end({false, true, text, {}, m_repeats});
}

void ParameterDownload::cancel()
{
    if (!running())
        return;
    m_thread.stop();
    end({false, false, tr("参数下载被取消"), {}, m_repeats});
}

void ParameterDownload::linkChanged()
{
    if (!running() || m_session.isOnline())
        return;
    m_thread.stop();
    m_readerStopped = false;  // the link has no reader to give back
    end({false, true, tr("通讯已断开，参数下载中止"), {}, m_repeats});
}

void ParameterDownload::releaseLine()
{
    if (!m_lineHeld)
        return;
    m_lineHeld = false;
    m_session.scheduler().setLineHeld(false);
    m_session.scheduler().setPollingPaused(false);
}

void ParameterDownload::end(DownloadOutcome outcome)
{
    m_replyTimer.stop();
    m_tickTimer.stop();
    m_open.store(false);
    m_state = State::Done;
    if (m_readerStopped) {
        m_readerStopped = false;
        if (m_session.isOnline() && !m_session.link().startMonitoringThread())
            m_session.log().log(QStringLiteral("<错误>跟踪监听线程未能恢复"), kErrorLevel);
    }
    releaseLine();
    const model::HeskParameterElement* level = special(m_session, "P0060");
    if (m_inverter && level && m_menuLevel && !outcome.communicationFailure && m_session.isOnline()) {
        if (!m_session.write(link::writeValueRequest(level->address, *m_menuLevel)))
            m_prompt.showMessage(
                model::UserMessage::warning(tr("下载完成后恢复P60=%1失败，请手动恢复！").arg(*m_menuLevel)));
    }
    if (outcome.success)
        m_session.requestReferenceValues();
    Q_EMIT finished(outcome);
}

}  // namespace hesk::files
