#pragma once
// The menu commands on parameter files: "打开Dnl" (check the file against the project, or
// open the project it names, then import it into the offline values with a progress
// dialog and refresh the pages) and "文件比较" (the compare dialog). The decisions are
// the core's (files/DnlOpen.h, files/DnlImport.h, files/FileCompare.h); this class shows
// them.
//
// Thread: UI thread only.

#include "shell/CommandRules.h"

#include "pages/OfflineValueSet.h"

#include <QObject>

namespace hesk::app {

class MainWindow;
class ParameterPageWindows;

class ParameterFileCommands final : public QObject {
    Q_OBJECT

public:
    // Takes the window's commandRequested() for the two commands; all must outlive this.
    ParameterFileCommands(MainWindow& window, ParameterPageWindows& pages, pages::OfflineValueSet& offline);

    bool run(shell::Command command);
    // "打开Dnl" with the file already chosen (nothing: the open dialog asks).
    void openDnl(const std::optional<QString>& path = std::nullopt);
    void compareFiles();

private:
    MainWindow& m_window;
    ParameterPageWindows& m_pages;
    pages::OfflineValueSet& m_offline;
};

}  // namespace hesk::app
