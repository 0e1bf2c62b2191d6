#pragma once
// "打开Dnl": choose a parameter file, check its header against the open project (or open
// the installed project its style and version name when none is open), then import it
// into the offline value set (DnlImport.h) and remember the file's name.
//
//  1. Open dialog "打开DNL文件", filter "dnl File (*.dnl)"; cancel ends.
//  2. The header (a file that cannot be opened: "文件打开失败！") and the project check
//     (DnlProjectCheck.h).
//  3. No project open: the installed project of the style and version is opened through
//     the caller; failure: "根据dnl文件中的设备类型和版本打开对应工程失败！" (warning).
//  4. The rows are read for the import (its messages).
//
// Contract: UI thread.

#include "DnlImport.h"

#include "model/LogSink.h"
#include "model/OpenedProject.h"
#include "model/UserPrompt.h"
#include "pages/OfflineValueSet.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace hesk::files {

struct DnlOpenEnvironment {
    model::OpenedProject& project;
    pages::OfflineValueSet& offline;
    model::UserPrompt& prompt;
    model::LogSink& log;
    // The folder of the installed projects (<root>/<code>/<key>/<key>.tmprj).
    QString projectRoot;
    // Opens a project file as the window does; true when it is open afterwards.
    std::function<bool(const QString& path)> openProject;
};

struct DnlImportRequest {
    QString path;
    QStringList rows;
};

// The installed project for a file style ("" and "VRA1" the inverter) and version; empty
// when there is none.
QString installedProjectForDnl(const QString& projectRoot, const QString& style, const QString& version);

// Steps 1 to 4; nothing when the import does not run (every reason was shown). path: the
// file already chosen (the command line), else the dialog asks.
std::optional<DnlImportRequest> prepareDnlImport(DnlOpenEnvironment& environment,
                                                 const std::optional<QString>& path = std::nullopt);

// After the import: the end message and the file's name as the source of the offline set.
void finishDnlImport(DnlOpenEnvironment& environment, const DnlImportRequest& request,
                     const DnlImportSummary& summary);

}  // namespace hesk::files
