#include "LogFolder.h"

#include "online/InstalledProjects.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace hesk::shell {

namespace {

QString canonicalOrClean(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QDir(path).absolutePath()) : canonical;
}

bool isInside(const QString& path, const QString& root)
{
    if (root.isEmpty())
        return false;
    const QString folder = canonicalOrClean(path);
    const QString base = canonicalOrClean(root);
    return folder == base || folder.startsWith(base + QLatin1Char('/'));
}

bool writable(const QString& projectFolder)
{
    const QFileInfo folder(projectFolder);
    if (!folder.isDir() || !folder.isWritable())
        return false;
    // An existing logs folder must be writable too (a plain file named "logs" is the log
    // file's own failure to report).
    const QFileInfo logs(QDir(projectFolder).filePath(QStringLiteral("logs")));
    return !logs.isDir() || logs.isWritable();
}

}  // namespace

QString projectLogFolder(const QString& projectFolder, const QString& installedRoot, const QString& userDataFolder)
{
    if (!isInside(projectFolder, installedRoot) && writable(projectFolder))
        return QDir(projectFolder).filePath(QStringLiteral("logs"));
    const QString key = QFileInfo(QDir::cleanPath(projectFolder)).fileName();
    return QDir(userDataFolder).filePath(QStringLiteral("logs/") + key);
}

QString projectLogFolder(const QString& projectFolder)
{
    return projectLogFolder(projectFolder, online::applicationProjectRoot().folder,
                            QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
}

}  // namespace hesk::shell
