#include "ParameterUpload.h"

#include "DnlFileWrite.h"
#include "DnlFormat.h"

#include "link/FrameCodec.h"
#include "model/ParameterTypes.h"
#include "pages/PageValueText.h"
#include "pages/ParameterPage.h"
#include "shell/MonitorSession.h"

#include <QCoreApplication>
#include <QDateTime>

namespace hesk::files {

namespace {

constexpr int kErrorLevel = 3;
constexpr uint16_t kRunningState = 9;  // r0001 above this: the drive runs
constexpr std::size_t kHeaderBytes = 12;

uint16_t wordAt(const QByteArray& bytes, std::size_t offset)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[static_cast<qsizetype>(offset)]) |
                                 (static_cast<uint8_t>(bytes[static_cast<qsizetype>(offset + 1)]) << 8));
}

const model::HeskParameterElement* special(shell::MonitorSession& session, const char* key)
{
    return session.project().specials().element(session.project().project(), QString::fromLatin1(key));
}

}  // namespace

std::optional<QString> uploadBlockProblem(const QByteArray& buffer, uint16_t announcedLength, std::size_t inputCount,
                                          std::size_t outputCount)
{
    const std::size_t length = announcedLength;
    if (length < kHeaderBytes || length % 2 != 0 || static_cast<std::size_t>(buffer.size()) < length)
        return QCoreApplication::translate("ParameterUpload", "上传参数错误，参数上传操作被终止！");
    const std::size_t a = wordAt(buffer, 2);
    const std::size_t b = wordAt(buffer, 6);
    const std::size_t c = wordAt(buffer, 10);
    if (a + b + c + kHeaderBytes != length)
        return QCoreApplication::translate("ParameterUpload", "下位机参数长度错误，参数上传操作被终止！");
    if (a != 2 * inputCount)
        return QCoreApplication::translate("ParameterUpload", "上下位机输入参数个数不匹配，参数上传操作被终止！");
    if (b != 2 * outputCount)
        return QCoreApplication::translate("ParameterUpload", "上下位机输出参数个数不匹配，参数上传操作被终止！");
    if (c != a)
        return QCoreApplication::translate("ParameterUpload",
                                           "下位机输入参数表与连接参数表长度不匹配，参数上传操作被终止！");
    if (a > 16384 || b > 16384)
        return QCoreApplication::translate("ParameterUpload", "下位机参数表长度超出范围，参数上传操作被终止！");
    if (inputCount > 8192 || outputCount > 8192)
        return QCoreApplication::translate("ParameterUpload", "上位机参数表长度超出范围，参数上传操作被终止！");
    return std::nullopt;
}

ParameterUpload::ParameterUpload(shell::MonitorSession& session, model::UserPrompt& prompt, QObject* parent)
    : QObject(parent), m_session(session), m_prompt(prompt)
{
    qRegisterMetaType<UploadOutcome>();
    m_tick.setInterval(kTick);
    connect(&m_tick, &QTimer::timeout, this, &ParameterUpload::tick);
    connect(&m_session, &shell::MonitorSession::connectionChanged, this, &ParameterUpload::linkChanged);
    m_session.ports().upload = this;
}

ParameterUpload::~ParameterUpload()
{
    m_open.store(false);
    if (m_session.ports().upload == this)
        m_session.ports().upload = nullptr;
    if (m_lineHeld) {
        m_session.scheduler().setLineHeld(false);
        m_session.scheduler().setPollingPaused(false);
    }
}

bool ParameterUpload::start(const UploadOptions& options)
{
    if (running())
        return false;
    model::OpenedProject& project = m_session.project();
    if (m_session.link().stoppingReader() || !m_session.isOnline())
        return false;
    if (project.deviceClass() == model::DeviceClass::TestBench) {
        m_prompt.show(model::MessageKind::Warning, tr("警告"), tr("该设备不支持参数上传功能！"));
        return false;
    }
    const int recorder = options.recorderState ? options.recorderState() : m_session.triggerRecordingState();
    if (recorder >= 5) {
        m_prompt.show(model::MessageKind::Information, tr("信息"), tr("正在进行触发录波，不允许参数上传！"));
        return false;
    }
    if (const model::HeskParameterElement* state = special(m_session, "r0001")) {
        if (m_session.onlineRaw(*state).value_or(0) > kRunningState) {
            m_prompt.show(model::MessageKind::Warning, tr("警告"), tr("在装置运行状态下，不允许执行上传参数操作！"));
            return false;
        }
    }
    if (project.deviceClass() == model::DeviceClass::None)
        return false;
    if (project.deviceClass() == model::DeviceClass::Inverter && m_session.motorControlHeld()) {
        m_prompt.show(model::MessageKind::Warning, tr("警告"), tr("请先释放控制权，再进行参数上传！"));
        return false;
    }
    m_onlyNumbers.clear();
    if (options.customOnly) {
        m_onlyNumbers = options.customNumbers;
    } else if (!options.customNumbers.empty()) {
        const model::PromptAnswer answer = m_prompt.ask(
            tr("导出项选择"), tr("请选择导出项：\n是：自定义参数\n否：全部参数"), model::PromptButtons::YesNoCancel);
        if (answer == model::PromptAnswer::Cancel)
            return false;
        if (answer == model::PromptAnswer::Yes)
            m_onlyNumbers = options.customNumbers;
    }
    const model::HeskProjectHeader& header = project.project().header;
    m_style = dnlStyleName(header.deviceType);
    m_quietSuccess = options.quietSuccess;
    if (options.path) {
        m_path = *options.path;
    } else {
        model::FileDialogSpec spec;
        spec.fileName = defaultDnlFileName(m_style, header.deviceVersion, QDateTime::currentDateTime());
        spec.filter = QString::fromLatin1(kDnlFileFilter);
        spec.defaultSuffix = QString::fromLatin1(kDnlSuffix);
        const std::optional<QString> chosen = m_prompt.saveFile(spec);
        if (!chosen) {
            m_prompt.showMessage(model::UserMessage::error(tr("请选择导出dnl文件路径，参数上传任务失败！")));
            return false;
        }
        m_path = *chosen;
    }

    {
        const std::lock_guard lock(m_lock);
        m_buffer.clear();
        m_buffer.reserve(static_cast<qsizetype>(kBufferSize));
        m_length = 0;
        m_lengthKnown = m_lengthNew = m_endReceived = false;
        m_frames = 0;
    }
    m_framesSeen = 0;
    m_session.log().log(QStringLiteral("参数上传开始"), 1);
    m_session.scheduler().setLineHeld(true);
    m_session.scheduler().setPollingPaused(true);
    m_lineHeld = true;
    m_open.store(true);
    m_state = State::Receiving;
    link::CommandFrame request = link::uploadStartRequest();
    const int error = m_session.link().SendFrame(request);
    if (error != 0) {
        const QString text = tr("通讯错误代码%1").arg(error);
        m_prompt.showMessage(model::UserMessage::error(text));
        end({false, text, {}, 0});
        return true;
    }
    m_lastProgress = std::chrono::steady_clock::now();
    m_tick.start();
    return true;
}

void ParameterUpload::cancel()
{
    if (running())
        end({false, tr("参数上传已取消"), {}, 0});
}

void ParameterUpload::lengthReceived(uint16_t totalLength)
{
    const std::lock_guard lock(m_lock);
    m_length = totalLength;
    m_lengthKnown = true;
    m_lengthNew = true;
    ++m_frames;
}

size_t ParameterUpload::bytesReceived() const
{
    const std::lock_guard lock(m_lock);
    return static_cast<size_t>(m_buffer.size());
}

void ParameterUpload::storeBlock(std::span<const uint8_t, link::kBlockDataSize> data)
{
    const std::lock_guard lock(m_lock);
    if (static_cast<size_t>(m_buffer.size()) + data.size() > kBufferSize)
        return;
    m_buffer.append(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
    ++m_frames;
}

void ParameterUpload::endReceived()
{
    const std::lock_guard lock(m_lock);
    m_endReceived = true;
    ++m_frames;
}

void ParameterUpload::tick()
{
    if (!running())
        return;
    bool lengthNew = false;
    bool ended = false;
    qint64 received = 0;
    qint64 length = 0;
    uint64_t frames = 0;
    {
        const std::lock_guard lock(m_lock);
        lengthNew = m_lengthNew;
        m_lengthNew = false;
        ended = m_endReceived;
        received = m_buffer.size();
        length = m_length;
        frames = m_frames;
    }
    const auto now = std::chrono::steady_clock::now();
    if (frames != m_framesSeen) {
        m_framesSeen = frames;
        m_lastProgress = now;
    }
    if (lengthNew)
        Q_EMIT statusText(tr("正在上传参数..."));
    if (!ended) {
        Q_EMIT progress(std::min(received, length), length);
        if (now - m_lastProgress >= kSilence) {
            m_session.log().log(QStringLiteral("上传参数超时，退出参数上传！"), kErrorLevel);
            const QString text = tr("上传参数超时,请重新尝试！");
            m_prompt.showMessage(model::UserMessage::error(text));
            end({false, text, {}, 0});
        }
        return;
    }
    m_tick.stop();
    Q_EMIT progress(length, length);
    validateAndWrite();
}

void ParameterUpload::validateAndWrite()
{
    QByteArray block;
    uint16_t length = 0;
    {
        const std::lock_guard lock(m_lock);
        block = m_buffer;
        length = m_length;
    }
    m_open.store(false);  // nothing more goes into the buffer
    const model::HeskProject& project = m_session.project().project();
    if (const std::optional<QString> problem =
            uploadBlockProblem(block, length, project.wordTableB.size(), project.wordTableA.size())) {
        m_prompt.showMessage(model::UserMessage::error(*problem));
        m_session.log().log(QStringLiteral("上传的参数不正确，退出参数上传！"), kErrorLevel);
        end({false, *problem, {}, 0});
        return;
    }
    // A valid block replaces what the drive reported: settable values, read-only values
    // and the connection sources (a source word 0 names address 0, as 0x8000 does).
    const std::size_t a = wordAt(block, 2);
    const std::size_t b = wordAt(block, 6);
    link::OnlineValueTables& tables = m_session.values();
    for (std::size_t i = 0; i < project.wordTableB.size(); ++i) {
        tables.parameters.store(static_cast<uint32_t>(i), wordAt(block, kHeaderBytes + 2 * i));
        const uint16_t source = wordAt(block, kHeaderBytes + a + b + 2 * i);
        tables.connections.store(static_cast<uint32_t>(i), source == 0 ? 0x8000 : source);
    }
    for (std::size_t i = 0; i < project.wordTableA.size(); ++i)
        tables.readOnly.store(static_cast<uint32_t>(i), wordAt(block, kHeaderBytes + a + 2 * i));

    Q_EMIT statusText(tr("正在导出dnl文件..."));
    QString failure;
    if (!writeFile(failure)) {
        static const char kCannotWrite[] = QT_TR_NOOP("建立输出文件失败，请您重新尝试！");
        const QString text = tr(kCannotWrite);
        if (!failure.isEmpty())
            m_session.log().log(QString::fromUtf8(kCannotWrite) + QLatin1Char(' ') + failure, kErrorLevel);
        m_prompt.showMessage(model::UserMessage::error(text));
        end({false, text, {}, 0});
        return;
    }
    const int rows = m_rowsWritten;
    const QString text = tr("导出dnl文件成功，文件路径：\n") + m_path;
    if (!m_quietSuccess)
        m_prompt.show(model::MessageKind::Information, tr("信息"), text);
    m_session.log().log(QStringLiteral("参数上传完成！"), 1);
    end({true, text, m_path, rows});
}

bool ParameterUpload::writeFile(QString& failure)
{
    model::OpenedProject& opened = m_session.project();
    const model::HeskProject& project = opened.project();
    const pages::ConnectionSources sources(project, opened.deviceClass());
    QByteArray bytes = dnlHeaderBytes(QDateTime::currentDateTime(), m_style, project.header.deviceVersion);
    const qint64 total = static_cast<qint64>(project.elements.size());
    m_rowsWritten = 0;
    qint64 done = 0;
    for (const model::HeskParameterElement& e : project.elements) {
        Q_EMIT progress(++done, total);
        if (!m_onlyNumbers.empty() && !m_onlyNumbers.contains(e.number))
            continue;
        QString value;
        if (e.word10 != 0) {
            // The fixed definitions r0071 to r0073: what the formulas computed for them.
            value = opened.formulas().computedValue(model::keyText(e)).value_or(QString());
        } else {
            value = dnlFileValue(e, pages::onlineValueText(e, m_session.values(), sources, project.timeBases,
                                                           &opened.formulas()));
        }
        bytes += dnlRowBytes(e.referenceKey, value);
        ++m_rowsWritten;
    }
    const DnlFileWrite written = writeDnlFile(m_path, bytes);
    failure = written.error;
    return written.ok;
}

void ParameterUpload::linkChanged()
{
    if (!running() || m_session.isOnline())
        return;
    static const char kLinkLost[] = QT_TR_NOOP("通讯已断开，参数上传中止");
    m_session.log().log(QString::fromUtf8(kLinkLost), kErrorLevel);
    end({false, tr(kLinkLost), {}, 0});
}

void ParameterUpload::end(UploadOutcome outcome)
{
    m_tick.stop();
    m_open.store(false);
    m_state = State::Done;
    if (m_lineHeld) {
        m_lineHeld = false;
        m_session.scheduler().setLineHeld(false);
        m_session.scheduler().setPollingPaused(false);
    }
    Q_EMIT finished(outcome);
}

}  // namespace hesk::files
