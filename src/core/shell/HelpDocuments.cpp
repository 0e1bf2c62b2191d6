#include "HelpDocuments.h"

#include <QCoreApplication>

#include <QDir>
#include <QFileInfo>

namespace hesk::shell {

namespace {

QString errorTitle() { return QCoreApplication::translate("HelpDocuments", "错误"); }

}  // namespace

QString helpDocumentFileName(HelpDocument document)
{
    switch (document) {
    case HelpDocument::UserManual: return QStringLiteral("HESKMonitor用户手册.chm");
    case HelpDocument::ControllerDescription: return QStringLiteral("VRA1控制器说明V10601") + QStringLiteral(".pdf");
    }
    return {};
}

QString htmlManualRelativePath()
{
    return QStringLiteral("manual/index.html");
}

QStringList helpDocumentFolders(const QString& executableFolder)
{
    const QDir folder(executableFolder);
    return {folder.absolutePath(), folder.absoluteFilePath(QStringLiteral("docs")),
            QDir::cleanPath(folder.absoluteFilePath(QStringLiteral("../share/heskmonitor/docs")))};
}

QStringList helpDocumentFolders(const QString& executableFolder, const QString& buildFolder,
                                const QString& sourceDocsFolder)
{
    QStringList folders = helpDocumentFolders(executableFolder);
    const QString executable = QFileInfo(executableFolder).canonicalFilePath();
    if (!executable.isEmpty() && executable == QFileInfo(buildFolder).canonicalFilePath())
        folders << QDir::cleanPath(QDir(sourceDocsFolder).absolutePath());
    return folders;
}

std::optional<QString> findHelpFile(const QString& relativePath, const QStringList& folders)
{
    for (const QString& folder : folders) {
        const QFileInfo file(QDir(folder).filePath(relativePath));
        if (file.isFile())
            return file.absoluteFilePath();
    }
    return std::nullopt;
}

std::optional<QString> findHelpDocument(HelpDocument document, const QStringList& folders)
{
    return findHelpFile(helpDocumentFileName(document), folders);
}

QString missingHelpDocumentText(const QStringList& files, const QStringList& folders)
{
    QStringList lines{QCoreApplication::translate("HelpDocuments", "查看的文档暂不存在！"), QString()};
    QStringList shownFiles;
    for (const QString& file : files)
        shownFiles << QDir::toNativeSeparators(file);
    lines << QCoreApplication::translate("HelpDocuments", "查找的文件：") + shownFiles.join(QCoreApplication::translate("HelpDocuments", "、"));
    lines << QCoreApplication::translate("HelpDocuments", "查找的文件夹：");
    for (const QString& folder : folders)
        lines << QStringLiteral("    ") + QDir::toNativeSeparators(folder);
    return lines.join(QLatin1Char('\n'));
}

QString manualTopicLocation(const QString& manualPath, int topic)
{
    return QStringLiteral("%1::/_%2.htm").arg(manualPath).arg(topic);
}

HelpCommands::HelpCommands(QStringList folders, DocumentViewer& viewer, model::UserPrompt& prompt)
    : m_folders(std::move(folders)), m_viewer(viewer), m_prompt(prompt)
{
}

void HelpCommands::reportMissing(const QStringList& files)
{
    m_prompt.show(model::MessageKind::Error, errorTitle(), missingHelpDocumentText(files, m_folders));
}

bool HelpCommands::started(bool ok, const QString& path)
{
    if (!ok)
        m_prompt.show(model::MessageKind::Error, errorTitle(),
                      QCoreApplication::translate("HelpDocuments", "文档无法打开：\n") + QDir::toNativeSeparators(path));
    return ok;
}

bool HelpCommands::openHelpTopic(int topic)
{
    if (const std::optional<QString> compiled = findHelpDocument(HelpDocument::UserManual, m_folders))
        return started(m_viewer.openManualTopic(*compiled, topic), *compiled);
    if (const std::optional<QString> html = findHelpFile(htmlManualRelativePath(), m_folders))
        return started(m_viewer.openDocument(*html), *html);
    reportMissing({helpDocumentFileName(HelpDocument::UserManual), htmlManualRelativePath()});
    return false;
}

bool HelpCommands::openControllerDescription()
{
    const std::optional<QString> pdf = findHelpDocument(HelpDocument::ControllerDescription, m_folders);
    if (!pdf) {
        reportMissing({helpDocumentFileName(HelpDocument::ControllerDescription)});
        return false;
    }
    return started(m_viewer.openDocument(*pdf), *pdf);
}

}  // namespace hesk::shell
