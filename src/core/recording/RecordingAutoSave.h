#pragma once
// The automatic save of continuous trigger recording: each recording goes into the
// settings' save path as "TrigRec_%Y%m%d_%H%M%S.txt" (local time; the folder is created
// when missing). Before writing, the free space of that disk is tested: below 1 MiB every
// "*.txt" file of the folder whose name contains "TrigRec" is deleted, oldest first, one
// by one with the log line "磁盘空间不足，自动删除触发录波文件", until the space suffices
// or no such file is left; still too little: "磁盘空间不足，自动保存触发录波文件失败！".
//
// Free space is asked through a seam (QStorageInfo by default) so that a test can fake a
// full disk. Also the settings dialog's free-space hint.
//
// Contract: UI thread (it logs and returns the message; it does not show it).

#include "TriggerRecording.h"
#include "model/LogSink.h"
#include "model/UserMessage.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

namespace hesk::recording {

inline constexpr qint64 kAutoSaveMinimumFree = 1048576;

class RecordingAutoSave {
public:
    // Bytes available to the user on the disk that holds the folder; negative: unknown.
    using FreeSpace = std::function<qint64(const QString& folder)>;

    explicit RecordingAutoSave(model::LogSink& log, FreeSpace freeSpace = {});

    struct Result {
        bool saved = false;
        QString path;                              // the file written
        std::optional<model::UserMessage> message;  // to show when not saved
    };
    Result save(const TriggerRecording& recording, const QString& savePath, const QDateTime& now);

    static QString fileName(const QDateTime& now);
    static qint64 systemFreeSpace(const QString& folder);

private:
    model::LogSink& m_log;
    FreeSpace m_freeSpace;
};

// "提示：当前选择路径剩余存储空间为%.3fGB" for the free bytes of the chosen path.
QString freeSpaceHint(qint64 freeBytes);
// "提示：为保证自动存储文件正确，请选择存储空间足够大的路径。"
QString freeSpaceAdvice();
// The folder browser's title "选取连续触发时，文件的保存路径".
QString savePathBrowserTitle();

}  // namespace hesk::recording
