#pragma once
// The log file on disk: a folder of "*.log" files of which the newest by last-write time
// is continued, and new files "debug_<yyyyMMdd_HHmmss>.log" once a file has reached the
// maximum size.
//
// Log files are appended to in place: they only grow, and rewriting a whole file through
// a temporary copy every few seconds would cost more and protect nothing already written.
//
// Not thread-safe: the owner (Log) serialises every call.

#include <QDateTime>
#include <QFile>
#include <QString>

#include <functional>

class QByteArray;

namespace hesk::shell {

// Local time now; tests inject fixed times.
using LogClock = std::function<QDateTime()>;

class LogFile {
public:
    static constexpr qint64 defaultMaxSize = 512000;

    explicit LogFile(LogClock clock);

    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    // Closes the open file, creates the folder when it is missing, and continues the newest
    // "*.log" file in it; with none, or one that cannot be opened for appending, or one
    // already at maxSize bytes or more, starts a new file. False when no file could be
    // opened (the folder and the limit are kept for a later rotation all the same).
    bool open(const QString& folder, qint64 maxSize);

    void close();
    bool isOpen() const { return m_file.isOpen(); }
    QString filePath() const { return m_file.isOpen() ? m_file.fileName() : QString(); }
    QString folder() const { return m_folder; }
    qint64 size() const { return m_file.isOpen() ? m_file.size() : 0; }

    // Appends the bytes straight to the system (the file is unbuffered). Returns how many
    // of them reached the file, from the start: all of them on success, fewer when the
    // disk refused the rest (full, over quota), 0 when the file is not open.
    qint64 append(const QByteArray& bytes);

    // When the open file has reached the maximum size: closes it and starts a new file in
    // the same folder. Returns whether a file is open afterwards.
    bool rotateIfFull();

    // The "*.log" file in folder with the newest last-write time. Ties (file-system clocks
    // tick coarsely: a full file and its successor often share a time) go to the later
    // name, comparing digit runs as numbers, which for debug_ names is the later file.
    // Empty when there is none.
    static QString newestLogFile(const QString& folder);

    // "debug_" + time "yyyyMMdd_HHmmss" + ".log".
    static QString newFileName(const QDateTime& time);

private:
    bool openForAppend(const QString& path);
    // Creates a new debug_ file; a name already taken (a second file within the same
    // second) gets "_1", "_2", ... before ".log", so no earlier file is ever overwritten.
    bool createNewFile();

    LogClock m_clock;
    QString m_folder;
    qint64 m_maxSize = defaultMaxSize;
    QFile m_file;
};

}  // namespace hesk::shell
