#pragma once
// "添加设备": the person picks a device type and a version, and the installed project of
// that type and version is looked up by header-only reads (ProjectFolderSearch) in the
// project root's tree. Runs on the calling (UI) thread.

#include "ProjectFolderSearch.h"
#include "model/UserPrompt.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace hesk::online {

// The type combo box: "VRA1", "整流回馈电源", "有源整流电源", "基本型整流电源".
QStringList addDeviceTypes();

// The version combo box for a type: the firmware versions of the device catalogue.
QStringList addDeviceVersions(const QString& deviceType);

// OK of the dialog: the path of the project to open, or nothing after showing
// "没有找到设备，请您重新选择！" (title "警告").
std::optional<QString> lookUpAddDevice(const QString& projectRoot, const QString& deviceType,
                                       const QString& version, model::UserPrompt& prompt);

}  // namespace hesk::online
