#pragma once
// Helpers for the log tests: a temporary project folder, a fixed clock, and readers for
// the files the log writes.

#include "shell/Log.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <filesystem>

namespace hesk::shell::testing {

inline const QDateTime fixedTime{QDate(2024, 3, 5), QTime(7, 8, 9)};

inline LogClock fixedClock()
{
    return [] { return fixedTime; };
}

// A writer period no test ever reaches: files change only through flush() and shutdown.
inline LogOptions manualOptions()
{
    LogOptions options;
    options.writePeriod = std::chrono::hours(24);
    options.clock = fixedClock();
    return options;
}

inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// The "*.log" files of a folder, sorted by name.
inline QStringList logFiles(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name);
}

inline void setAge(const QString& path, std::chrono::seconds age)
{
    std::filesystem::last_write_time(QFile::encodeName(path).toStdString(),
                                     std::filesystem::file_time_type::clock::now() - age);
}

// The project folder of one test, and its logs folder.
struct ProjectFolder {
    QTemporaryDir root;
    QString path() const { return root.path(); }
    QString logs() const { return root.filePath(QStringLiteral("logs")); }
    QString log(const QString& name) const { return logs() + QLatin1Char('/') + name; }
};

}  // namespace hesk::shell::testing
