#pragma once
// Opening, saving and closing the project, and the questions before the application
// closes: the decisions of the main window's file commands, without widgets. Every
// message and question goes through the UserPrompt; the main window only rebuilds its
// tree and page windows after a call that returned true.
//
// Open (the command): refused while a project is open ("已经有项目打开，请先退出当前项目！");
// then the file dialog; then openFile().
// openFile (also used by device search, add device and the command line): the file must
// end in ".tmprj" ("项目文件%s错误，打开失败！"), load (the loader's message on failure),
// the CPU type must be known ("程序无法识别文件中的设备类型，请您重新选择其他工程文件！",
// the project is not kept), then the offline values of any earlier project are dropped,
// the log file is opened in the project's "logs" folder and "***** TLog Started *****"
// logged at level 2.
//
// Close and exit ask, in this order, each with Yes/No/Cancel where Cancel stops all:
// the project was modified ("内容有修改,是否保存到工程文件？"), the offline values were
// modified ("您的离线信息有修改,是否要保存到dnl文件？"), the trigger recorder holds
// unsaved data ("当前触发录波的数据是否保存？"). A Yes whose save fails stops as well, so
// that nothing unsaved is thrown away (also for the project file, whose failed save the
// loader reports with "文件保存失败！").
//
// Not thread-safe: UI thread only.

#include "Log.h"
#include "LifecycleHooks.h"
#include "MonitorSession.h"

#include "model/UserPrompt.h"

#include <QString>

namespace hesk::shell {

class ProjectLifecycle {
public:
    // All three must outlive the object.
    ProjectLifecycle(MonitorSession& session, Log& log, model::UserPrompt& prompt);

    // nullptr restores the defaults (no offline values, no recorder).
    void setHooks(LifecycleHooks* hooks);

    // The file dialog's settings for the open command.
    static model::FileDialogSpec openDialogSpec();

    // The open command (1029). True when a project was opened.
    bool openCommand();
    // Opens the project file at path (steps after the file dialog). True when opened.
    bool openFile(const QString& path);

    bool projectOpen() const;
    bool projectModified() const { return m_projectModified; }
    // Set by whatever changes the project records (the custom parameter list).
    void setProjectModified(bool modified) { m_projectModified = modified; }

    // The save command (1030): the project if modified, then the offline values if
    // modified. True when everything that needed saving was saved (also when there was
    // nothing to save or no project is open).
    bool save();
    // Writes the project to <folder>/<name>.tmprj. False after "文件保存失败！".
    bool saveProjectFile();

    // The close command (1031): the questions, then the project is closed (the fault
    // data is emptied, the log pane cleared, the log file closed, both modified flags,
    // the offline values and their file name cleared, the page poll slot emptied). False when a Cancel or a failed save
    // stopped it, or while online (the command is disabled then).
    bool closeProject();

    // Whether the application may close now: refused while online ("程序在线，请先断开连
    // 接，再关闭程序！"), else the questions of close. True when it may close.
    bool confirmExit();

private:
    // The three questions; false when the close or exit must stop.
    bool askToSaveEverything();
    LifecycleHooks& hooks();

    MonitorSession& m_session;
    Log& m_log;
    model::UserPrompt& m_prompt;
    LifecycleHooks m_noHooks;
    LifecycleHooks* m_hooks = nullptr;
    bool m_projectModified = false;
};

}  // namespace hesk::shell
