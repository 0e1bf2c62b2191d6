#pragma once
// Reading the files a person names or a folder walk finds (projects, intermediate files,
// custom page files): regular files only, and never more than a cap.
//
// Anything else that carries a file's name is refused before it is opened: a named pipe
// would block the opening thread until some writer appears (for ever, usually), and
// opening a device node can block or act on the device. The type is checked on the path
// and again on the opened descriptor, so a file swapped for a pipe in between is still
// refused; the descriptor is opened non-blocking for that reason.
//
// Contract: reentrant, no user interaction; call from any thread.

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace hesk::model {

enum class FileReadStatus {
    Read,
    Missing,      // no such file (a dangling symbolic link included)
    NotAFile,     // a folder, pipe, socket or device node
    TooLarge,     // more bytes than the cap
    Unreadable,   // no permission, an I/O error
};

struct FileRead {
    FileReadStatus status = FileReadStatus::Missing;
    QByteArray bytes;  // the file's bytes when Read; the first bytes for readFileStart
    bool ok() const { return status == FileReadStatus::Read; }
};

// The whole file, when it is a regular file of at most maxBytes bytes. A file that grows
// past the cap while it is read is TooLarge as well.
FileRead readRegularFile(const QString& path, qint64 maxBytes);

// The first bytes of a regular file, up to maxBytes (fewer when the file is shorter);
// never TooLarge.
FileRead readRegularFileStart(const QString& path, qint64 maxBytes);

// Whole megabytes of a cap, for messages ("超过%1 MB").
inline qint64 capInMegabytes(qint64 maxBytes) { return maxBytes / (1024 * 1024); }

}  // namespace hesk::model
