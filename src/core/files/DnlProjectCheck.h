#pragma once
// Whether a parameter file may be used with the open project, from its header's device
// style and version; shared by opening a file (import) and by the download.
//
//  1. The style is mapped: "VRA1" or empty is the inverter, "SLM", "BLM", "AIC" the
//     rectifier supplies (named as the project names them). Any other style is refused:
//     "无法识别dnl文件中的设备类型，禁止导入！" (warning).
//  2. Without an open project the check accepts; the mapped type and the version then
//     select the project to open.
//  3. A type that differs from the project's is refused: "dnl文件中的设备类型与当前工程不匹配，禁止导入！".
//  4. A non-empty version that differs from the project's asks whether to go on; an empty
//     version asks too, except for an inverter project. "No" refuses.
//
// Contract: UI thread (it asks through the prompt); the project is not changed.

#include "DnlFormat.h"

#include "model/UserPrompt.h"

#include <QString>

namespace hesk::model {
struct HeskProjectHeader;
}

namespace hesk::files {

struct DnlProjectCheck {
    bool accepted = false;
    // The project device type the file's style stands for ("VRA1", "整流回馈电源", ...);
    // empty when the style is unknown.
    QString deviceType;
    QString version;  // the file's version as read (may be empty)
};

// The device type a file style stands for; empty for a style that names none.
QString deviceTypeOfDnlStyle(const QString& style);

// project: the open project's header, or nullptr when none is open.
DnlProjectCheck checkDnlAgainstProject(const DnlHeader& header, const model::HeskProjectHeader* project,
                                       model::UserPrompt& prompt);

}  // namespace hesk::files
