#include "LogFile.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

namespace hesk::shell {

namespace {

std::filesystem::path nativePath(const QString& path)
{
#if defined(_WIN32)
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// Full resolution of the file system (QFileInfo stops at milliseconds).
std::optional<std::filesystem::file_time_type> lastWriteTime(const QString& path)
{
    std::error_code error;
    const auto time = std::filesystem::last_write_time(nativePath(path), error);
    if (error)
        return std::nullopt;
    return time;
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QStringView withoutLeadingZeros(QStringView digits)
{
    while (digits.size() > 1 && digits.front() == QLatin1Char('0'))
        digits = digits.sliced(1);
    return digits;
}

// Compares names with digit runs taken as numbers, so "debug_x_9.log" comes before
// "debug_x_10.log", and "debug_x.log" ('.' sorts before '_') before "debug_x_1.log".
int compareNatural(QStringView a, QStringView b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (isAsciiDigit(a[i]) && isAsciiDigit(b[j])) {
            const qsizetype startA = i;
            const qsizetype startB = j;
            while (i < a.size() && isAsciiDigit(a[i]))
                ++i;
            while (j < b.size() && isAsciiDigit(b[j]))
                ++j;
            const QStringView numberA = withoutLeadingZeros(a.sliced(startA, i - startA));
            const QStringView numberB = withoutLeadingZeros(b.sliced(startB, j - startB));
            if (numberA.size() != numberB.size())
                return numberA.size() < numberB.size() ? -1 : 1;
            if (const int order = numberA.compare(numberB); order != 0)
                return order < 0 ? -1 : 1;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j] ? -1 : 1;
        ++i;
        ++j;
    }
    const qsizetype restA = a.size() - i;
    const qsizetype restB = b.size() - j;
    return restA == restB ? 0 : (restA < restB ? -1 : 1);
}

constexpr int maxNameSuffix = 10000;

}  // namespace

LogFile::LogFile(LogClock clock)
    : m_clock(std::move(clock))
{
}

bool LogFile::open(const QString& folder, qint64 maxSize)
{
    close();
    m_folder = folder;
    m_maxSize = maxSize;
    if (!QDir().mkpath(m_folder))
        return false;
    const QString newest = newestLogFile(m_folder);
    if (!newest.isEmpty() && openForAppend(newest)) {
        if (m_file.size() < m_maxSize)
            return true;
        close();
    }
    return createNewFile();
}

void LogFile::close()
{
    if (m_file.isOpen()) {
        m_file.flush();
        m_file.close();
    }
}

qint64 LogFile::append(const QByteArray& bytes)
{
    if (!m_file.isOpen())
        return 0;
    return std::max<qint64>(0, m_file.write(bytes));
}

bool LogFile::rotateIfFull()
{
    if (!m_file.isOpen())
        return false;
    if (m_file.size() < m_maxSize)
        return true;
    close();
    return createNewFile();
}

QString LogFile::newestLogFile(const QString& folder)
{
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*.log")}, QDir::Files | QDir::Hidden, QDir::NoSort);
    QString newest;
    std::optional<std::filesystem::file_time_type> newestTime;
    for (const QFileInfo& file : files) {
        const auto time = lastWriteTime(file.filePath());
        if (!time)
            continue;
        if (!newestTime || *time > *newestTime
            || (*time == *newestTime && compareNatural(file.fileName(), QFileInfo(newest).fileName()) > 0)) {
            newest = file.filePath();
            newestTime = time;
        }
    }
    return newest;
}

QString LogFile::newFileName(const QDateTime& time)
{
    return QStringLiteral("debug_") + time.toString(QStringLiteral("yyyyMMdd_HHmmss"))
           + QStringLiteral(".log");
}

bool LogFile::openForAppend(const QString& path)
{
    m_file.setFileName(path);
    return m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
}

bool LogFile::createNewFile()
{
    const QDir dir(m_folder);
    const QString baseName = newFileName(m_clock());
    const QString stem = baseName.chopped(4);  // without ".log"
    for (int suffix = 0; suffix < maxNameSuffix; ++suffix) {
        const QString name = suffix == 0
                                 ? baseName
                                 : stem + QLatin1Char('_') + QString::number(suffix) + QStringLiteral(".log");
        const QString path = dir.filePath(name);
        m_file.setFileName(path);
        // NewOnly fails when the name is taken, atomically, so nothing is ever truncated.
        if (m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::NewOnly | QIODevice::Unbuffered))
            return true;
        if (!QFileInfo::exists(path))
            return false;  // failed for another reason (no permission, no space)
    }
    return false;
}

}  // namespace hesk::shell
