#pragma once
// The trigger settings file (.tricfg): the settings record in its field order as an
// archive byte stream (integers 4 bytes little-endian, 16-bit fields 2 bytes, texts
// length-prefixed UTF-16, the channel list as a 4-byte count and the four channels), the
// automatic per-device file ("Trsys_VRA1.tricfg", ...) and the messages of saving and
// loading.
//
// Where the automatic file lives: beside the program when its folder is writable (as the
// interface settings do), otherwise in the user's configuration folder
// (~/.config/HESKMonitor). Files are written through a temporary file and a rename, so a
// failed save never leaves half a file.
//
// Contract: any thread; no user interaction (messages are returned).

#include "TriggerSettings.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>
#include <variant>

namespace hesk::recording {

QByteArray encodeTricfg(const TriggerSettings& settings);
// Nothing when the bytes are not exactly one record (short, damaged, trailing bytes, a
// channel count other than four).
std::optional<TriggerSettings> decodeTricfg(QByteArrayView bytes);

// "Trsys_VRA1.tricfg" ... by device code; empty for a code without one.
QString automaticTricfgName(int32_t deviceCode);
// The automatic file's path: programFolder when it is writable (or holds the file
// already), else configFolder. Empty for a device code without a file.
QString automaticTricfgPath(int32_t deviceCode, const QString& programFolder, const QString& configFolder);
// The same with the running program's folder and the user's configuration folder.
QString automaticTricfgPath(int32_t deviceCode);

// Writes the record; the file system's reason on failure.
struct TricfgWrite {
    bool ok = false;
    QString error;
};
TricfgWrite writeTricfg(const QString& path, const TriggerSettings& settings);

// Loads a file chosen with "加载配置文件": the record, or the message to show (the file
// cannot be read as a record, or its device code is not the project's).
std::variant<TriggerSettings, model::UserMessage> loadTricfg(const QString& path, int32_t projectDeviceCode);

// The automatic load when the recorder opens: the file's record when it reads and fits
// the device, else the defaults.
TriggerSettings loadAutomaticTricfg(const QString& path, const TriggerSettings& defaults);

// Messages of "保存配置文件" and of the automatic save.
model::UserMessage tricfgSavedMessage(const QString& path);    // 提示
model::UserMessage tricfgSaveFailedMessage();                  // 配置文件保存失败！
model::UserMessage tricfgNoPathMessage();                      // no path chosen
model::UserMessage automaticTricfgSaveFailedMessage();         // 文件保存失败！
// The proposed name "_%Y%m%d_%H%M%S.tricfg" of the local time given.
QString proposedTricfgName(const QDateTime& now);

}  // namespace hesk::recording
