#pragma once
// Saving the offline value set as a parameter file (.dnl), as the save command and the
// question "您的离线信息有修改,是否要保存到dnl文件？" (close, exit, connect) ask for it.
//
//  1. A save dialog with the default name (style_version_time.dnl), the filter
//     "dnl File (*.dnl)" and the suffix "dnl"; cancel: "请选择导出dnl文件路径！".
//  2. The header with the project's device type and version, then one row per parameter
//     in project order that has an offline value, in the file's value form
//     (connections as the source number, hexadecimal words without "0X").
//  3. Written through a temporary file: failure "建立输出文件失败，请您重新尝试！", the
//     changed mark stays. Success: the mark is cleared, the file's name remembered and
//     "导出dnl文件成功，文件路径：\n" + path shown.
//
// Contract: UI thread (it asks through the prompt).

#include "model/LogSink.h"
#include "model/OpenedProject.h"
#include "model/UserPrompt.h"
#include "pages/OfflineValueSet.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace hesk::files {

// The whole file: header and rows.
QByteArray offlineDnlBytes(const model::OpenedProject& project, const pages::OfflineValueSet& values,
                           const QDateTime& time);

// Writes the file at path without asking; on success clears the changed mark and
// remembers the name. False with the reason when the file could not be written.
bool writeOfflineValues(const model::OpenedProject& project, pages::OfflineValueSet& values, const QString& path,
                        const QDateTime& time, QString* error = nullptr);

// The save with its dialog and messages. True when the file was written.
bool saveOfflineValuesAsDnl(const model::OpenedProject& project, pages::OfflineValueSet& values,
                            model::UserPrompt& prompt, model::LogSink& log,
                            const QDateTime& now = QDateTime::currentDateTime());

}  // namespace hesk::files
