#include "ProjectFile.h"

#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "ProjectRecordCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace hesk::model {

namespace {

// Enough for the header of every real project; a longer header is read in full.
constexpr qint64 kHeaderProbeBytes = 4096;

// A rough size per definition so that the writer seldom has to grow its buffer.
constexpr qsizetype kTypicalElementBytes = 400;

bool isSorted(const std::vector<HeskParameterElement>& elements)
{
    return std::is_sorted(elements.begin(), elements.end(),
                          [](const HeskParameterElement& a, const HeskParameterElement& b) {
                              if (a.number != b.number)
                                  return a.number < b.number;
                              return subIndexSortKey(a.subIndex) < subIndexSortKey(b.subIndex);
                          });
}

UserMessage readError(const QString& path)
{
    return UserMessage::error(QStringLiteral("CPU项目文件%1错误，装载失败！").arg(path));
}

}  // namespace

std::optional<HeskProject> parseProject(QByteArrayView bytes)
{
    ArchiveReader reader(bytes);
    HeskProject project;
    readRecord(reader, project);
    if (reader.failed() || !reader.atEnd())
        return std::nullopt;
    return project;
}

std::optional<HeskProjectHeader> parseProjectHeader(QByteArrayView bytes)
{
    ArchiveReader reader(bytes);
    HeskProject project;
    project.header.cpuType = kHeaderOnlySentinel;
    readRecord(reader, project);
    if (reader.failed())
        return std::nullopt;
    project.header.cpuType.clear();
    return project.header;
}

std::optional<QByteArray> serializeProject(const HeskProject& project)
{
    ArchiveWriter writer(4096 + static_cast<qsizetype>(project.elements.size()) * kTypicalElementBytes);
    writeRecord(writer, project);
    if (writer.failed())
        return std::nullopt;
    return writer.takeData();
}

std::optional<UserMessage> loadProject(const QString& path, HeskProject& open)
{
    if (!QFileInfo::exists(path))
        return UserMessage::error(QStringLiteral("文件%1不存在，装载失败！").arg(path));

    // A file that exists but cannot be opened or read (a folder, no permission, an I/O
    // error) is reported as a damaged project; the open project stays as it was.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return readError(path);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return readError(path);
    file.close();

    std::optional<HeskProject> project = parseProject(bytes);
    if (!project)
        return readError(path);
    open = std::move(*project);
    // Files saved by this program are sorted already; moving 10,000 large records through
    // a stable sort would cost more than reading them.
    if (!isSorted(open.elements))
        open.sortElements();
    return std::nullopt;
}

std::optional<UserMessage> saveProject(const QString& path, const HeskProject& project)
{
    const UserMessage failure = UserMessage::error(QStringLiteral("文件保存失败！"));
    const std::optional<QByteArray> bytes = serializeProject(project);
    if (!bytes)
        return failure;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure;
    if (file.write(*bytes) != bytes->size()) {
        file.cancelWriting();
        return failure;
    }
    if (!file.commit())
        return failure;
    return std::nullopt;
}

std::optional<HeskProjectHeader> readProjectHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(kHeaderProbeBytes);
    if (std::optional<HeskProjectHeader> header = parseProjectHeader(bytes))
        return header;
    if (file.atEnd() || file.error() != QFileDevice::NoError)
        return std::nullopt;
    bytes += file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return parseProjectHeader(bytes);
}

}  // namespace hesk::model
