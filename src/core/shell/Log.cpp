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
    const QString folder = projectLogFolder(projectFolder);
    const bool opened = m_file.open(folder, m_options.maxFileSize);
    m_fileOpen.store(opened);
    m_writeFailing.store(false);
    m_writeFailureReported.store(false);
    if (!opened) {
        reportInPane(QStringLiteral("<错误>日志文件无法打开，日志暂不写入文件：%1").arg(QDir::toNativeSeparators(folder)));
        return std::nullopt;
    }
    return m_file.filePath();
}

void Log::closeLogFile()
{
    std::lock_guard fileLock(m_fileMutex);
    writePendingLocked();
    m_file.close();
    m_fileOpen.store(false);
    m_writeFailing.store(false);
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

void Log::reportInPane(const QString& text)
{
    m_pane.push(m_clock().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss ")) + text, maxLevel);
}

void Log::appendPending(QByteArray bytes)
{
    std::lock_guard lock(m_pendingMutex);
    m_pending.append(bytes);
    trimPendingLocked();
}

void Log::trimPendingLocked()
{
    // A file that takes the text drains it; without one (or while it refuses writes) the
    // text is bounded.
    if ((m_fileOpen.load() && !m_writeFailing.load()) || m_pending.size() <= m_options.pendingCapacity)
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
    if (block.isEmpty())
        return;
    const qint64 written = m_file.append(block);
    if (written == block.size()) {
        m_writeFailing.store(false);
        m_writeFailureReported.store(false);
        return;
    }
    // What did not reach the file goes back ahead of the newer lines, for the next write;
    // the pane hears of it once until a write succeeds again.
    {
        std::lock_guard lock(m_pendingMutex);
        m_pending.prepend(block.mid(written));
        m_writeFailing.store(true);
        trimPendingLocked();
    }
    if (!m_writeFailureReported.exchange(true))
        reportInPane(QStringLiteral("<错误>日志文件写入失败，未写入的日志稍后重试：%1")
                         .arg(QDir::toNativeSeparators(m_file.filePath())));
}

void Log::rotateLocked()
{
    if (!m_file.isOpen() || m_writeFailing.load())
        return;
    if (m_file.rotateIfFull())
        return;
    m_fileOpen.store(false);
    reportInPane(QStringLiteral("<错误>日志文件无法打开，日志暂不写入文件：%1").arg(QDir::toNativeSeparators(m_file.folder())));
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
