#include "RecordingAutoSave.h"

#include "TriggerDataFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace hesk::recording {

RecordingAutoSave::RecordingAutoSave(model::LogSink& log, FreeSpace freeSpace)
    : m_log(log), m_freeSpace(freeSpace ? std::move(freeSpace) : FreeSpace(&RecordingAutoSave::systemFreeSpace))
{
}

QString RecordingAutoSave::fileName(const QDateTime& now)
{
    return QStringLiteral("TrigRec") + now.toString(QStringLiteral("_yyyyMMdd_HHmmss")) + QStringLiteral(".txt");
}

qint64 RecordingAutoSave::systemFreeSpace(const QString& folder)
{
    const QStorageInfo storage(folder);
    return storage.isValid() ? storage.bytesAvailable() : -1;
}

RecordingAutoSave::Result RecordingAutoSave::save(const TriggerRecording& recording, const QString& savePath,
                                                  const QDateTime& now)
{
    Result result;
    const model::UserMessage failed = model::UserMessage::error(
        QCoreApplication::translate("RecordingAutoSave", "磁盘空间不足，自动保存触发录波文件失败！"));
    QDir folder(savePath);
    if (savePath.isEmpty() || !QDir().mkpath(folder.absolutePath())) {
        result.message = failed;
        m_log.log(QStringLiteral("<错误>触发录波文件保存路径无法创建：%1").arg(savePath), 3);
        return result;
    }
    // The oldest recordings go first.
    QFileInfoList candidates = folder.entryInfoList({QStringLiteral("*.txt")}, QDir::Files, QDir::Time | QDir::Reversed);
    qsizetype next = 0;
    while (m_freeSpace(folder.absolutePath()) < kAutoSaveMinimumFree) {
        while (next < candidates.size() && !candidates[next].fileName().contains(QLatin1String("TrigRec")))
            ++next;
        if (next == candidates.size()) {
            result.message = failed;
            m_log.log(QStringLiteral("<错误>磁盘空间不足，自动保存触发录波文件失败！"), 3);
            return result;
        }
        QFile::remove(candidates[next].absoluteFilePath());
        m_log.log(QStringLiteral("磁盘空间不足，自动删除触发录波文件"), 2);
        ++next;
    }
    // Two recordings within one second must not overwrite each other.
    result.path = folder.filePath(fileName(now));
    for (int n = 1; QFileInfo::exists(result.path); ++n)
        result.path = folder.filePath(fileName(now).replace(QStringLiteral(".txt"), QStringLiteral("_%1.txt").arg(n)));
    const TriggerDataWrite written = writeTriggerDataFile(result.path, recording);
    if (!written.ok) {
        result.message = failed;
        m_log.log(QStringLiteral("<错误>自动保存触发录波文件失败：%1").arg(written.error), 3);
        return result;
    }
    result.saved = true;
    return result;
}

QString freeSpaceHint(qint64 freeBytes)
{
    const double gib = freeBytes < 0 ? 0.0 : freeBytes / (1024.0 * 1024.0 * 1024.0);
    return QCoreApplication::translate("RecordingAutoSave", "提示：当前选择路径剩余存储空间为%1GB").arg(gib, 0, 'f', 3);
}

QString freeSpaceAdvice()
{
    return QCoreApplication::translate("RecordingAutoSave",
                                       "提示：为保证自动存储文件正确，请选择存储空间足够大的路径。");
}

QString savePathBrowserTitle()
{
    return QCoreApplication::translate("RecordingAutoSave", "选取连续触发时，文件的保存路径");
}

}  // namespace hesk::recording
