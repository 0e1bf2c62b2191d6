#include "DnlOpen.h"

#include "MigrationReport.h"

#include "DnlFormat.h"
#include "DnlProjectCheck.h"

#include "model/ProjectLocator.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace hesk::files {

QString installedProjectForDnl(const QString& projectRoot, const QString& style, const QString& version)
{
    const QString code = style.isEmpty() ? QStringLiteral("VRA1") : style;
    const model::ProjectLocateResult located = model::ProjectLocator(projectRoot).locate(code, version);
    return located.found() ? located.path : QString();
}

std::optional<DnlImportRequest> prepareDnlImport(DnlOpenEnvironment& environment, const std::optional<QString>& path)
{
    model::UserPrompt& prompt = environment.prompt;
    QString chosen;
    if (path) {
        chosen = *path;
    } else {
        model::FileDialogSpec spec;
        spec.title = QCoreApplication::translate("DnlOpen", "打开DNL文件");
        spec.filter = QString::fromLatin1(kDnlFileFilter);
        const std::optional<QString> picked = prompt.openFile(spec);
        if (!picked || picked->isEmpty())
            return std::nullopt;
        chosen = *picked;
    }
    const std::optional<DnlHeader> header = readDnlHeader(chosen);
    if (!header) {
        prompt.show(model::MessageKind::Error, QCoreApplication::translate("DnlOpen", "错误"),
                    QCoreApplication::translate("DnlOpen", "文件打开失败！"));
        return std::nullopt;
    }
    const bool projectOpen = environment.project.isOpen();
    const DnlProjectCheck check =
        checkDnlAgainstProject(*header, projectOpen ? &environment.project.project().header : nullptr, prompt);
    if (!check.accepted)
        return std::nullopt;
    if (!projectOpen) {
        const QString projectPath = installedProjectForDnl(environment.projectRoot, header->style, header->version);
        const bool opened = !projectPath.isEmpty() && environment.openProject && environment.openProject(projectPath)
                            && environment.project.isOpen();
        if (!opened) {
            prompt.show(model::MessageKind::Warning, QCoreApplication::translate("DnlOpen", "警告"),
                        QCoreApplication::translate("DnlOpen", "根据dnl文件中的设备类型和版本打开对应工程失败！"));
            return std::nullopt;
        }
    }
    std::optional<QStringList> rows = readDnlRowsForImport(chosen, prompt);
    if (!rows)
        return std::nullopt;
    // A file of another version: what the import will do with each row, before it runs.
    if (versionsDiffer(*header, environment.project.project())
        && !confirmMigration(importMigrationReport(environment.project, *header, *rows), prompt, environment.log))
        return std::nullopt;
    return DnlImportRequest{chosen, std::move(*rows)};
}

void finishDnlImport(DnlOpenEnvironment& environment, const DnlImportRequest& request,
                     const DnlImportSummary& summary)
{
    // The part after the last separator, whichever way the path was written.
    QString name = request.path;
    name = name.mid(std::max(name.lastIndexOf(QLatin1Char('\\')), name.lastIndexOf(QLatin1Char('/'))) + 1);
    environment.offline.setFileName(name);
    environment.log.log(QStringLiteral("导入dnl文件%1：共%2个参数，成功导入%3个参数")
                            .arg(request.path)
                            .arg(summary.rows)
                            .arg(summary.imported),
                        kImportInfoLevel);
    environment.prompt.show(model::MessageKind::Information, QCoreApplication::translate("DnlOpen", "提示"),
                            dnlImportEndText(summary));
}

}  // namespace hesk::files
