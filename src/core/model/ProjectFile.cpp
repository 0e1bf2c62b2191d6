#include "ProjectFile.h"

#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "ProjectRecordCodec.h"
#include "RegularFile.h"

#include <QCoreApplication>
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
    return UserMessage::error(QCoreApplication::translate("ProjectFile", "CPU项目文件%1错误，装载失败！").arg(path));
}

UserMessage tooLargeError(const QString& path)
{
    return UserMessage::error(QCoreApplication::translate("ProjectFile", "CPU项目文件%1过大（超过%2 MB），不是有效的工程文件，装载失败！")
                                  .arg(path)
                                  .arg(capInMegabytes(kMaxProjectFileBytes)));
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
    // Only a regular file is read: a pipe or device node named like a project would block
    // the caller. A file that exists but cannot be read (a folder, no permission, an I/O
    // error) is reported as a damaged project; the open project stays as it was.
    const FileRead file = readRegularFile(path, kMaxProjectFileBytes);
    switch (file.status) {
    case FileReadStatus::Read:
        break;
    case FileReadStatus::Missing:
        return UserMessage::error(QCoreApplication::translate("ProjectFile", "文件%1不存在，装载失败！").arg(path));
    case FileReadStatus::TooLarge:
        return tooLargeError(path);
    case FileReadStatus::NotAFile:
    case FileReadStatus::Unreadable:
        return readError(path);
    }

    std::optional<HeskProject> project = parseProject(file.bytes);
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
    const UserMessage failure = UserMessage::error(QCoreApplication::translate("ProjectFile", "文件保存失败！"));
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
    const FileRead start = readRegularFileStart(path, kHeaderProbeBytes);
    if (!start.ok())
        return std::nullopt;
    if (std::optional<HeskProjectHeader> header = parseProjectHeader(start.bytes))
        return header;
    if (start.bytes.size() < kHeaderProbeBytes)
        return std::nullopt;  // the whole file was there
    const FileRead whole = readRegularFile(path, kMaxProjectFileBytes);
    if (!whole.ok())
        return std::nullopt;
    return parseProjectHeader(whole.bytes);
}

}  // namespace hesk::model
