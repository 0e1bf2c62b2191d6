#include "ProjectFolderSearch.h"

#include "model/ProjectFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <deque>

namespace hesk::online {

namespace {

const QString kProjectSuffix = QStringLiteral(".tmprj");

std::optional<FoundProject> findFirst(const QString& root, std::stop_token stop,
                                      const std::function<bool(const model::HeskProjectHeader&)>& matches)
{
    std::optional<FoundProject> found;
    walkProjectFiles(
        root,
        [&](const QString& path) {
            const std::optional<model::HeskProjectHeader> header = model::readProjectHeader(path);
            if (!header || !matches(*header))
                return false;
            found = FoundProject{path, header->deviceType, header->deviceVersion, header->programId};
            return true;
        },
        stop);
    return found;
}

}  // namespace

void walkProjectFiles(const QString& root, const std::function<bool(const QString& path)>& visit,
                      std::stop_token stop)
{
    std::deque<QString> folders{QDir(root).absolutePath()};
    QSet<QString> entered;
    while (!folders.empty()) {
        if (stop.stop_requested())
            return;
        const QString folder = folders.front();
        folders.pop_front();
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (canonical.isEmpty() || entered.contains(canonical))
            continue;
        entered.insert(canonical);

        const QFileInfoList entries =
            QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                       QDir::Name | QDir::IgnoreCase);
        for (const QFileInfo& entry : entries) {
            if (stop.stop_requested())
                return;
            if (entry.isDir()) {
                folders.push_back(entry.absoluteFilePath());
            } else if (entry.isFile() && entry.fileName().endsWith(kProjectSuffix, Qt::CaseInsensitive)) {
                // Regular files only (a link to one included): a pipe named like a
                // project would block the header read until some writer came, a device
                // node could block or never end.
                if (visit(entry.absoluteFilePath()))
                    return;
            }
        }
    }
}

std::optional<FoundProject> findProjectByProgramId(const QString& root, uint16_t programId, std::stop_token stop)
{
    return findFirst(root, stop,
                     [programId](const model::HeskProjectHeader& header) { return header.programId == programId; });
}

std::optional<FoundProject> findProjectByTypeAndVersion(const QString& root, const QString& deviceType,
                                                        const QString& version, std::stop_token stop)
{
    return findFirst(root, stop, [&](const model::HeskProjectHeader& header) {
        return header.deviceType == deviceType && header.deviceVersion == version;
    });
}

}  // namespace hesk::online
