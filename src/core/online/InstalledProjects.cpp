#include "InstalledProjects.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace hesk::online {

ProjectRoot chooseProjectRoot(const ProjectRootInputs& inputs)
{
    if (inputs.option && !inputs.option->isEmpty())
        return {QDir(*inputs.option).absolutePath(), QStringLiteral("option")};
    if (!inputs.environment.isEmpty())
        return {QDir(inputs.environment).absolutePath(), QStringLiteral("environment")};
    if (!inputs.executableFolder.isEmpty()) {
        const QString installed =
            QDir::cleanPath(inputs.executableFolder + QStringLiteral("/../share/heskmonitor/projects"));
        if (QFileInfo(installed).isDir())
            return {installed, QStringLiteral("installation")};
    }
    return {QDir::cleanPath(inputs.sourceTreeFolder), QStringLiteral("source tree")};
}

ProjectRoot applicationProjectRoot(const std::optional<QString>& option)
{
    return chooseProjectRoot({option, qEnvironmentVariable(kProjectsEnvironmentVariable),
                              QCoreApplication::applicationDirPath(), QStringLiteral(HESK_SOURCE_PROJECTS_DIR)});
}

}  // namespace hesk::online
