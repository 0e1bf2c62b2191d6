#include "ProjectLifecycle.h"

#include <QCoreApplication>

#include "model/ProjectFile.h"

#include <QDir>
#include <QFileInfo>

namespace hesk::shell {

using model::MessageKind;
using model::PromptAnswer;
using model::PromptButtons;

namespace {

const QString kProjectSuffix = QStringLiteral("tmprj");

}  // namespace

ProjectLifecycle::ProjectLifecycle(MonitorSession& session, Log& log, model::UserPrompt& prompt)
    : m_session(session), m_log(log), m_prompt(prompt)
{
}

void ProjectLifecycle::setHooks(LifecycleHooks* hooks) { m_hooks = hooks; }

LifecycleHooks& ProjectLifecycle::hooks() { return m_hooks ? *m_hooks : m_noHooks; }

bool ProjectLifecycle::projectOpen() const { return m_session.project().isOpen(); }

model::FileDialogSpec ProjectLifecycle::openDialogSpec()
{
    model::FileDialogSpec spec;
    spec.title = QCoreApplication::translate("ProjectLifecycle", "打开");
    spec.fileName = QStringLiteral("Monitor.tmprj");
    spec.filter = QCoreApplication::translate("ProjectLifecycle", "项目文件(*.tmprj)");
    spec.defaultSuffix = kProjectSuffix;
    return spec;
}

bool ProjectLifecycle::openCommand()
{
    if (projectOpen()) {
        m_prompt.show(MessageKind::Error, QCoreApplication::translate("ProjectLifecycle", "错误"), QCoreApplication::translate("ProjectLifecycle", "已经有项目打开，请先退出当前项目！"));
        return false;
    }
    const std::optional<QString> path = m_prompt.openFile(openDialogSpec());
    if (!path)
        return false;
    return openFile(*path);
}

bool ProjectLifecycle::openFile(const QString& path)
{
    // Replacing an open project here would drop its unsaved changes without a question.
    if (projectOpen()) {
        m_prompt.show(MessageKind::Error, QCoreApplication::translate("ProjectLifecycle", "错误"), QCoreApplication::translate("ProjectLifecycle", "已经有项目打开，请先退出当前项目！"));
        return false;
    }
    if (QFileInfo(path).suffix().compare(kProjectSuffix, Qt::CaseInsensitive) != 0) {
        m_prompt.show(MessageKind::Error, QCoreApplication::translate("ProjectLifecycle", "错误"), QCoreApplication::translate("ProjectLifecycle", "项目文件%1错误，打开失败！").arg(path));
        return false;
    }
    model::OpenedProject& project = m_session.project();
    if (const std::optional<model::UserMessage> failure = project.open(path)) {
        m_prompt.showMessage(*failure);
        return false;
    }
    if (project.cpu().code == 0) {
        project.close();
        m_prompt.show(MessageKind::Warning, QCoreApplication::translate("ProjectLifecycle", "警告"),
                      QCoreApplication::translate("ProjectLifecycle", "程序无法识别文件中的设备类型，请您重新选择其他工程文件！"));
        return false;
    }
    m_projectModified = false;
    hooks().discardOfflineValues();
    m_log.openLogFile(project.folder());
    m_log.log(QString::fromUtf8(kLogStartedText), 2);
    // A sample or read-only project logs under the user's data folder: say where.
    const QString logFolder = m_log.logFolder();
    if (!logFolder.isEmpty() && QDir::cleanPath(logFolder) != QDir::cleanPath(QDir(project.folder()).filePath(QStringLiteral("logs"))))
        m_log.log(QStringLiteral("项目文件夹不可写或为安装的示例项目，日志写入%1").arg(QDir::toNativeSeparators(logFolder)), 2);
    return true;
}

bool ProjectLifecycle::saveProjectFile()
{
    const model::OpenedProject& project = m_session.project();
    const QString path = QDir(project.folder()).filePath(project.name() + QLatin1Char('.') + kProjectSuffix);
    if (const std::optional<model::UserMessage> failure = model::saveProject(path, project.project())) {
        m_prompt.showMessage(*failure);
        return false;
    }
    m_projectModified = false;
    return true;
}

bool ProjectLifecycle::save()
{
    if (!projectOpen())
        return true;
    if (m_projectModified && !saveProjectFile())
        return false;
    LifecycleHooks& h = hooks();
    if (h.offlineModified()) {
        if (!h.saveOfflineValues())
            return false;
        h.clearOfflineModifications();
    }
    return true;
}

bool ProjectLifecycle::askToSaveEverything()
{
    const auto ask = [this](const char* text) {
        return m_prompt.ask(QCoreApplication::translate("ProjectLifecycle", "提示"), QCoreApplication::translate("ProjectLifecycle", text), PromptButtons::YesNoCancel);
    };
    if (m_projectModified) {
        const PromptAnswer answer = ask(QT_TRANSLATE_NOOP("ProjectLifecycle", "内容有修改,是否保存到工程文件？"));
        if (answer == PromptAnswer::Cancel)
            return false;
        if (answer == PromptAnswer::Yes && !saveProjectFile())
            return false;
    }
    LifecycleHooks& h = hooks();
    if (h.offlineModified()) {
        const PromptAnswer answer = ask(QT_TRANSLATE_NOOP("ProjectLifecycle", "您的离线信息有修改,是否要保存到dnl文件？"));
        if (answer == PromptAnswer::Cancel)
            return false;
        if (answer == PromptAnswer::Yes && !h.saveOfflineValues())
            return false;
        h.clearOfflineModifications();
    }
    if (h.triggerDataUnsaved()) {
        const PromptAnswer answer = ask(QT_TRANSLATE_NOOP("ProjectLifecycle", "当前触发录波的数据是否保存？"));
        if (answer == PromptAnswer::Cancel)
            return false;
        if (answer == PromptAnswer::Yes && !h.saveTriggerData())
            return false;
    }
    return true;
}

bool ProjectLifecycle::closeProject()
{
    if (!projectOpen() || m_session.isOnline())
        return false;
    if (!askToSaveEverything())
        return false;
    m_session.installPagePollList(nullptr);  // the page windows and their lists go
    m_session.link().faultData().clear();
    m_log.clearPane();
    // After the pane was cleared, so that a failure to write the last lines shows there.
    m_log.closeLogFile();
    m_session.project().close();
    m_projectModified = false;
    LifecycleHooks& h = hooks();
    h.clearOfflineModifications();
    h.clearOfflineFileName();
    h.discardOfflineValues();
    return true;
}

bool ProjectLifecycle::confirmExit()
{
    if (m_session.isOnline()) {
        m_prompt.show(MessageKind::Warning, QCoreApplication::translate("ProjectLifecycle", "警告"), QCoreApplication::translate("ProjectLifecycle", "程序在线，请先断开连接，再关闭程序！"));
        return false;
    }
    return askToSaveEverything();
}

}  // namespace hesk::shell
