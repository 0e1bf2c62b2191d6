#include "HelpDocuments.h"

#include <QDir>
#include <QFileInfo>

namespace hesk::shell {

QString helpDocumentFileName(HelpDocument document)
{
    switch (document) {
    case HelpDocument::UserManual: return QStringLiteral("HESKMonitor用户手册.chm");
    case HelpDocument::ControllerDescription: return QStringLiteral("VRA1控制器说明V10601") + QStringLiteral(".pdf");
    }
    return {};
}

QStringList helpDocumentFolders(const QString& executableFolder)
{
    const QDir folder(executableFolder);
    return {folder.absolutePath(), folder.absoluteFilePath(QStringLiteral("docs")),
            QDir::cleanPath(folder.absoluteFilePath(QStringLiteral("../share/heskmonitor/docs")))};
}

std::optional<QString> findHelpDocument(HelpDocument document, const QStringList& folders)
{
    const QString name = helpDocumentFileName(document);
    for (const QString& folder : folders) {
        const QFileInfo file(QDir(folder).filePath(name));
        if (file.isFile())
            return file.absoluteFilePath();
    }
    return std::nullopt;
}

QString manualTopicLocation(const QString& manualPath, int topic)
{
    return QStringLiteral("%1::/_%2.htm").arg(manualPath).arg(topic);
}

HelpCommands::HelpCommands(QStringList folders, DocumentViewer& viewer, model::UserPrompt& prompt)
    : m_folders(std::move(folders)), m_viewer(viewer), m_prompt(prompt)
{
}

std::optional<QString> HelpCommands::find(HelpDocument document)
{
    std::optional<QString> path = findHelpDocument(document, m_folders);
    if (!path)
        m_prompt.show(model::MessageKind::Error, QStringLiteral("错误"), QStringLiteral("查看的文档暂不存在！"));
    return path;
}

bool HelpCommands::openHelpTopic(int topic)
{
    const std::optional<QString> path = find(HelpDocument::UserManual);
    return path && m_viewer.openManualTopic(*path, topic);
}

bool HelpCommands::openControllerDescription()
{
    const std::optional<QString> path = find(HelpDocument::ControllerDescription);
    return path && m_viewer.openDocument(*path);
}

}  // namespace hesk::shell
