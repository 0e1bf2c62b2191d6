#include "DriveBoardFaultUpload.h"

#include "shell/MonitorSession.h"

#include <QCoreApplication>

namespace hesk::recording {

namespace {

constexpr int kInfo = 2;
constexpr int kError = 3;

}  // namespace

DriveBoardFaultUpload::DriveBoardFaultUpload(Environment environment, QObject* parent)
    : QObject(parent), m_env(std::move(environment))
{
    connect(&m_env.upload, &FaultDataUpload::finished, this, &DriveBoardFaultUpload::uploadFinished);
}

DriveBoardFaultUpload::~DriveBoardFaultUpload()
{
    if (m_running)
        m_env.session.closeListening();
}

bool DriveBoardFaultUpload::start()
{
    shell::MonitorSession& session = m_env.session;
    if (m_running || m_env.upload.running())
        return false;
    // The board has its own port; a connected drive would lose its link to it.
    if (session.isOnline() || session.linkChanging()) {
        session.log().log(QStringLiteral("<错误>连接中不能上传驱动板故障录波"), kError);
        return failBeforeExchange(model::UserMessage::error(QCoreApplication::translate("DriveBoardFaultUpload", "发生未知错误，请重试！")));
    }
    if (!openProjectIfNone())
        return failBeforeExchange(model::UserMessage::error(QCoreApplication::translate("DriveBoardFaultUpload", "自动打开工程失败！")));
    if (m_env.showView && !m_env.showView())
        return failBeforeExchange(model::UserMessage::error(QCoreApplication::translate("DriveBoardFaultUpload", "发生未知错误，请重试！")));

    session.log().log(QStringLiteral("开始与驱动板建立连接..."), kInfo);
    const std::optional<online::ConnectionSettings> settings = session.connectionSettings();
    if (!settings || !session.openListening(*settings)) {
        session.closeListening();
        session.log().log(QStringLiteral("<错误>驱动板串口打开失败"), kError);
        return failBeforeExchange(model::UserMessage::error(QCoreApplication::translate("DriveBoardFaultUpload", "驱动板串口打开失败！")));
    }
    session.log().log(QStringLiteral("与驱动板连接成功"), kInfo);
    m_running = true;
    if (!m_env.upload.startDriveBoard()) {
        m_running = false;
        session.closeListening();
        return failBeforeExchange(model::UserMessage::error(QCoreApplication::translate("DriveBoardFaultUpload", "发生未知错误，请重试！")));
    }
    return true;
}

bool DriveBoardFaultUpload::openProjectIfNone()
{
    if (m_env.session.project().isOpen())
        return true;
    const model::ProjectLocateResult located = m_env.installed.locate(projectCode(), projectVersion());
    if (!located.found() || !m_env.openProject)
        return false;
    if (located.status == model::ProjectLocateStatus::FoundFallback)
        m_env.session.log().log(QStringLiteral("未安装%1工程，打开最接近的已安装工程：%2")
                                    .arg(model::ProjectLocator::projectKey(projectCode(), projectVersion()),
                                         located.path),
                                kInfo);
    return m_env.openProject(located.path) && m_env.session.project().isOpen();
}

bool DriveBoardFaultUpload::failBeforeExchange(const model::UserMessage& message)
{
    m_env.prompt.showMessage(message);
    Q_EMIT finished({false, message.text, m_env.upload.record()});
    return false;
}

void DriveBoardFaultUpload::uploadFinished(const FaultUploadOutcome& outcome)
{
    if (!m_running)
        return;  // the drive's own upload
    m_running = false;
    m_env.session.closeListening();
    Q_EMIT finished(outcome);
}

}  // namespace hesk::recording
