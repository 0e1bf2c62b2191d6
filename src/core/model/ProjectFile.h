#pragma once
// The project file (.tmprj): loading, saving and the header-only read, plus the same
// conversions on bytes in memory for callers that do not go through a file.
//
// Contract: all functions are reentrant and do no user interaction; failures come back as
// a UserMessage (load and save) or as an empty optional. Call from any thread, one call
// per project object at a time.

#include "HeskProject.h"
#include "UserMessage.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace hesk::model {

// The largest project file that is read. The largest real projects (about 10,000
// definitions) take a few megabytes; a file far beyond that is not a project, and
// reading it whole would cost many times its size in memory.
inline constexpr qint64 kMaxProjectFileBytes = 32 * 1024 * 1024;

// The whole project in file order; the definitions are not sorted. Nothing when the data
// ends early, holds a malformed text length, a count beyond the data, or bytes after
// the last field (the format has no checksum, so unexplained trailing bytes are taken as
// damage rather than ignored).
std::optional<HeskProject> parseProject(QByteArrayView bytes);

// Header fields 1 to 11 (cpuType stays empty). Reads nothing beyond them, so it works on
// files whose body is damaged or cut off.
std::optional<HeskProjectHeader> parseProjectHeader(QByteArrayView bytes);

// The file image of the project. Nothing only if an array has more elements than an
// int32 count can describe.
std::optional<QByteArray> serializeProject(const HeskProject& project);

// Reads the file at path into a new project; on success it replaces open and is sorted
// (HeskProject::sortElements). On failure open is left exactly as it was. Only a regular
// file of at most kMaxProjectFileBytes is read (see RegularFile.h).
// Messages: "文件<path>不存在，装载失败！" when there is no such file,
// "CPU项目文件<path>过大（超过32 MB），不是有效的工程文件，装载失败！" beyond the cap, and
// "CPU项目文件<path>错误，装载失败！" when it is no regular file, cannot be read or is damaged.
std::optional<UserMessage> loadProject(const QString& path, HeskProject& open);

// Writes the project through a temporary file that replaces path only when everything
// was written, so a failed save leaves the previous file untouched.
// Message on failure: "文件保存失败！".
std::optional<UserMessage> saveProject(const QString& path, const HeskProject& project);

// Header-only read of the file at path; nothing when it is missing, no regular file,
// unreadable or too short for the header. Reads only the beginning of the file when that
// suffices. Never opens a pipe or device node, so a folder walk cannot hang on one.
std::optional<HeskProjectHeader> readProjectHeader(const QString& path);

}  // namespace hesk::model
