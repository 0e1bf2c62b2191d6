#pragma once
// Opening a fault-data file ("打开故障数据文件"): the file is read, and its device style and
// version choose the project it is shown with. The open project serves when it matches
// (a drive-board file fits any inverter project); otherwise the installed project of the
// file's device type and version is named for the window to open (its project lifecycle
// does the opening), or the open fails with "根据文件中的设备类型和版本打开对应工程失败！".
// Once the project is open, checkFaultFileWords() refuses fault words its catalogue
// cannot show.
//
// Any thread; no user interaction (the caller shows the message).

#include "FaultDataFile.h"

#include "model/ProjectLocator.h"
#include "model/UserMessage.h"

#include <optional>

namespace hesk::recording {

struct FaultFileOpenPlan {
    std::optional<FaultFileContents> contents;   // the file's record, when it was read
    std::optional<QString> projectToOpen;        // the project file to open first, if any
    std::optional<model::UserMessage> message;   // why nothing is shown (error)
};

// `openStyle` and `openVersion`: the open project's device style ("VRA1", "SLM", ...; see
// faultFileDeviceStyle) and version; empty when no project is open.
FaultFileOpenPlan planFaultFileOpen(const QString& path, const QString& openStyle, const QString& openVersion,
                                    const model::ProjectLocator& installed);

// The refusal when the project's catalogue cannot show the record's fault words.
std::optional<model::UserMessage> checkFaultFileWords(const FaultRecord& record,
                                                      const model::FaultCatalogue& catalogue);

}  // namespace hesk::recording
