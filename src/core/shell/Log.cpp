#include "Log.h"

#include "BackgroundPriority.h"
#include "LogFolder.h"

#include <QDateTime>
#include <QDir>

#include <algorithm>
#include <utility>

namespace hesk::shell {

namespace {

LogClock clockOrLocalTime(const LogClock& clock)
{
    if (clock)
        return clock;
    return [] { return QDateTime::currentDateTime(); };
}

const QByteArray lineEnd = QByteArrayLiteral("\r\n");

}  // namespace

Log::Log(LogOptions options)
    : m_options(std::move(options))
    , m_clock(clockOrLocalTime(m_options.clock))
    , m_pane(m_options.paneCapacity)
    , m_file(m_clock)
{
    m_writer = std::thread([this] { writerLoop(); });
}

Log::~Log()
{
    shutdown();
}

void Log::log(const QString& text, int level)
{
    if (m_suppressed.load())
        return;
    level = std::clamp(level, minLevel, maxLevel);
    if (level < m_threshold.load())
        return;
    QString line = m_clock().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss ")) + text;
    if (!text.isEmpty())
        appendPending(line.toUtf8() + lineEnd);
    m_pane.push(std::move(line), level);
}

void Log::setSuppressed(bool suppressed)
{
    m_suppressed.store(suppressed);
}

bool Log::isSuppressed() const
{
    return m_suppressed.load();
}

int Log::threshold() const
{
    return m_threshold.load();
}

std::optional<QString> Log::openLogFile(const QString& projectFolder)
{
    std::lock_guard fileLock(m_fileMutex);
    m_threshold.store(1);
    writePendingLocked();
    const bool opened = m_file.open(projectLogFolder(projectFolder), m_options.maxFileSize);
    m_fileOpen.store(opened);
    if (!opened)
        return std::nullopt;
    return m_file.filePath();
}

QString Log::logFolder() const
{
    std::lock_guard fileLock(m_fileMutex);
    return m_file.folder();
}

QString Log::currentFilePath() const
{
    std::lock_guard fileLock(m_fileMutex);
    return m_file.filePath();
}

void Log::flush()
{
    std::lock_guard fileLock(m_fileMutex);
    writePendingLocked();
    rotateLocked();
}

void Log::shutdown()
{
    {
        std::lock_guard wakeLock(m_wakeMutex);
        m_running.store(false);
    }
    m_wake.notify_all();
    if (m_writer.joinable())
        m_writer.join();
}

LogPaneBatch Log::takePaneEntries(std::size_t maxEntries)
{
    return m_pane.take(maxEntries);
}

void Log::clearPane()
{
    m_pane.clear();
}

std::size_t Log::queuedPaneEntries() const
{
    return m_pane.size();
}

void Log::writerLoop()
{
    lowerCurrentThreadPriority();
    std::unique_lock wakeLock(m_wakeMutex);
    while (m_running.load()) {
        m_wake.wait_for(wakeLock, m_options.writePeriod, [this] { return !m_running.load(); });
        if (!m_running.load())
            break;
        wakeLock.unlock();
        flush();
        wakeLock.lock();
    }
    wakeLock.unlock();
    std::lock_guard fileLock(m_fileMutex);
    finishFileLocked();
}

void Log::appendPending(QByteArray bytes)
{
    std::lock_guard lock(m_pendingMutex);
    m_pending.append(bytes);
    if (m_fileOpen.load() || m_pending.size() <= m_options.pendingCapacity)
        return;
    // Keep about half the capacity of the newest lines, cut at a line end so no line is
    // torn; dropping half at once keeps this rare.
    const qsizetype keep = m_options.pendingCapacity / 2;
    const qsizetype cut = m_pending.indexOf(lineEnd, std::max<qsizetype>(0, m_pending.size() - keep - 2));
    if (cut < 0)
        m_pending.clear();
    else
        m_pending.remove(0, cut + lineEnd.size());
}

QByteArray Log::takePending()
{
    std::lock_guard lock(m_pendingMutex);
    return std::exchange(m_pending, QByteArray());
}

void Log::writePendingLocked()
{
    if (!m_file.isOpen())
        return;  // lines stay pending for the first file opened
    const QByteArray block = takePending();
    if (!block.isEmpty())
        m_file.append(block);
}

void Log::rotateLocked()
{
    if (m_file.isOpen())
        m_fileOpen.store(m_file.rotateIfFull());
}

void Log::finishFileLocked()
{
    if (!m_file.isOpen())
        return;
    m_file.append(takePending() + lineEnd);
    m_file.close();
    m_fileOpen.store(false);
}

}  // namespace hesk::shell
