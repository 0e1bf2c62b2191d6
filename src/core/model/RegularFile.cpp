#include "RegularFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace hesk::model {

namespace {

#ifdef Q_OS_UNIX

// The descriptor of a regular file opened for reading, closed on every path.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

FileRead readFile(const QString& path, qint64 maxBytes, bool whole)
{
    FileRead result;
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        result.status = errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing : FileReadStatus::Unreadable;
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.status = FileReadStatus::NotAFile;
        return result;
    }
    const Descriptor file(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.fd() < 0) {
        result.status = errno == ENOENT ? FileReadStatus::Missing : FileReadStatus::Unreadable;
        return result;
    }
    if (::fstat(file.fd(), &info) != 0) {
        result.status = FileReadStatus::Unreadable;
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.status = FileReadStatus::NotAFile;
        return result;
    }
    if (whole && info.st_size > maxBytes) {
        result.status = FileReadStatus::TooLarge;
        return result;
    }
    // One byte beyond the cap tells a file that grew while it was read; one byte beyond
    // the file's size lets the read that finds its end go without growing the buffer.
    const qint64 limit = whole ? maxBytes + 1 : maxBytes;
    const qint64 expected = std::min<qint64>(static_cast<qint64>(info.st_size) + 1, limit);
    QByteArray bytes(static_cast<qsizetype>(expected), Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled >= limit)
                break;
            bytes.resize(static_cast<qsizetype>(std::min<qint64>(limit, std::max<qint64>(4096, filled * 2))));
        }
        const ssize_t n = ::read(file.fd(), bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            result.status = FileReadStatus::Unreadable;
            return result;
        }
        if (n == 0)
            break;
        filled += n;
    }
    bytes.truncate(static_cast<qsizetype>(filled));
    if (whole && filled > maxBytes) {
        result.status = FileReadStatus::TooLarge;
        return result;
    }
    result.status = FileReadStatus::Read;
    result.bytes = std::move(bytes);
    return result;
}

#else

FileRead readFile(const QString& path, qint64 maxBytes, bool whole)
{
    FileRead result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.status = FileReadStatus::Missing;
        return result;
    }
    if (!info.isFile()) {
        result.status = FileReadStatus::NotAFile;
        return result;
    }
    if (whole && info.size() > maxBytes) {
        result.status = FileReadStatus::TooLarge;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.isSequential()) {
        result.status = file.isOpen() ? FileReadStatus::NotAFile : FileReadStatus::Unreadable;
        return result;
    }
    QByteArray bytes = file.read(whole ? maxBytes + 1 : maxBytes);
    if (file.error() != QFileDevice::NoError) {
        result.status = FileReadStatus::Unreadable;
        return result;
    }
    if (whole && bytes.size() > maxBytes) {
        result.status = FileReadStatus::TooLarge;
        return result;
    }
    result.status = FileReadStatus::Read;
    result.bytes = std::move(bytes);
    return result;
}

#endif

}  // namespace

FileRead readRegularFile(const QString& path, qint64 maxBytes)
{
    return readFile(path, maxBytes, true);
}

FileRead readRegularFileStart(const QString& path, qint64 maxBytes)
{
    return readFile(path, maxBytes, false);
}

}  // namespace hesk::model
