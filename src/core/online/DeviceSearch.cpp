#include "DeviceSearch.h"

#include <QCoreApplication>

#include <utility>

namespace hesk::online {

namespace {

// Keeps the log suppressed for its lifetime.
class LogSuppression {
public:
    explicit LogSuppression(const std::function<void(bool)>& setSuppressed)
        : m_setSuppressed(setSuppressed)
    {
        if (m_setSuppressed)
            m_setSuppressed(true);
    }
    ~LogSuppression()
    {
        if (m_setSuppressed)
            m_setSuppressed(false);
    }
    LogSuppression(const LogSuppression&) = delete;
    LogSuppression& operator=(const LogSuppression&) = delete;

private:
    const std::function<void(bool)>& m_setSuppressed;
};

QString typeAndVersion(const FoundProject& project)
{
    return QCoreApplication::translate("DeviceSearch", "%1，%2").arg(project.deviceType, project.deviceVersion);
}

}  // namespace

DeviceSearchOptions deviceSearchOptions(const QString& projectRoot, const SettingsLocation& settingsLocation,
                                        std::function<void(bool suppressed)> setLogSuppressed)
{
    DeviceSearchOptions options;
    options.projectRoot = projectRoot;
    options.loadSettings = [settingsLocation] { return InterfaceSettings(settingsLocation).loadConnectionSettings(); };
    options.setLogSuppressed = std::move(setLogSuppressed);
    return options;
}

DeviceSearch::DeviceSearch(DeviceSearchOptions options, DeviceIdentityProbe& probe)
    : m_options(std::move(options))
    , m_probe(probe)
{
}

DeviceSearch::~DeviceSearch()
{
    stop();
}

bool DeviceSearch::start()
{
    if (isRunning())
        return false;
    join();
    {
        const std::lock_guard lock(m_outcomeMutex);
        m_outcome.reset();
    }
    m_finished = false;
    m_worker = std::jthread([this](std::stop_token stop) { work(stop); });
    return true;
}

bool DeviceSearch::isRunning() const
{
    return m_worker.joinable();
}

std::optional<DeviceSearchOutcome> DeviceSearch::takeOutcome()
{
    if (!isRunning() || !m_finished)
        return std::nullopt;
    join();
    const std::lock_guard lock(m_outcomeMutex);
    return std::exchange(m_outcome, std::nullopt);
}

std::optional<DeviceSearchOutcome> DeviceSearch::waitForOutcome()
{
    if (!isRunning())
        return std::nullopt;
    join();
    const std::lock_guard lock(m_outcomeMutex);
    return std::exchange(m_outcome, std::nullopt);
}

void DeviceSearch::stop()
{
    if (m_worker.joinable())
        m_worker.request_stop();
    join();
    const std::lock_guard lock(m_outcomeMutex);
    m_outcome.reset();
}

void DeviceSearch::join()
{
    if (m_worker.joinable())
        m_worker.join();
}

void DeviceSearch::work(std::stop_token stop)
{
    DeviceSearchOutcome outcome;
    {
        const LogSuppression suppression(m_options.setLogSuppressed);
        const std::optional<ConnectionSettings> settings =
            m_options.loadSettings ? m_options.loadSettings() : std::nullopt;
        if (!settings) {
            outcome.resultText = QString::fromUtf8(QT_TRANSLATE_NOOP("DeviceSearch", "通信设置加载失败！"));
        } else {
            BoardCheckResult check = runBoardCheck(*settings, m_probe, stop);
            outcome.resultText = std::move(check.text);
            outcome.programId = check.programId;
        }
    }
    if (outcome.resultText.isEmpty() && outcome.programId && !stop.stop_requested())
        outcome.match = findProjectByProgramId(m_options.projectRoot, *outcome.programId, stop);
    {
        const std::lock_guard lock(m_outcomeMutex);
        m_outcome = std::move(outcome);
    }
    m_finished = true;
}

QString searchingStatusText()
{
    return QCoreApplication::translate("DeviceSearch", "正在搜索设备...");
}

QString idleStatusText()
{
    return QCoreApplication::translate("DeviceSearch", "请点击开始按钮，执行搜索设备操作。");
}

QString searchEndedStatusText()
{
    return QCoreApplication::translate("DeviceSearch", "搜索已结束，点击开始按钮可重新搜索。");
}

QString searchResultLine(const FoundProject& project)
{
    return QCoreApplication::translate("DeviceSearch", "  已搜索到设备：%1").arg(typeAndVersion(project));
}

model::UserMessage searchTimeoutMessage()
{
    return model::UserMessage::warning(QCoreApplication::translate("DeviceSearch", "搜素设备超时，请您重新尝试！"));
}

model::UserMessage closeDuringSearchMessage()
{
    return model::UserMessage::warning(QCoreApplication::translate("DeviceSearch", "正在搜索设备，请稍后再关闭对话框！"));
}

std::optional<QString> presentSearchOutcome(const DeviceSearchOutcome& outcome, model::UserPrompt& prompt)
{
    if (outcome.resultText == qb27ResultText()) {
        prompt.showMessage(model::UserMessage::information(qb27AdviceText(outcome.programId.value_or(0))));
        return std::nullopt;
    }
    if (!outcome.resultText.isEmpty()) {
        prompt.showMessage(model::UserMessage::error(
            QCoreApplication::translate("DeviceSearch", outcome.resultText.toUtf8().constData())));
        return std::nullopt;
    }
    if (!outcome.match) {
        prompt.showMessage(searchTimeoutMessage());
        return std::nullopt;
    }
    const QString question =
        QCoreApplication::translate("DeviceSearch", "已搜索到设备，是否打开对应工程？\n设备类型，版本：%1")
            .arg(typeAndVersion(*outcome.match));
    const QString title = QCoreApplication::translate("DeviceSearch", "警告");
    if (prompt.ask(title, question, model::PromptButtons::OkCancel) != model::PromptAnswer::Ok)
        return std::nullopt;
    return outcome.match->path;
}

}  // namespace hesk::online
