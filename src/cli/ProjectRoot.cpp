#include "ProjectRoot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace hesk::cli {

ProjectRoot findProjectRoot(const std::optional<QString>& option)
{
    if (option && !option->isEmpty())
        return {QDir(*option).absolutePath(), QStringLiteral("option")};
    const QString environment = qEnvironmentVariable("HESK_PROJECTS_DIR");
    if (!environment.isEmpty())
        return {QDir(environment).absolutePath(), QStringLiteral("environment")};
    const QString installed =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/heskmonitor/projects"));
    if (QFileInfo(installed).isDir())
        return {installed, QStringLiteral("installation")};
    return {QDir::cleanPath(QStringLiteral(HESK_SOURCE_PROJECTS_DIR)), QStringLiteral("source tree")};
}

}  // namespace hesk::cli
