#pragma once
// What the main window needs from the parameter pages: a window for a page named in the
// project tree, the page on show (whose poll list the scheduler serves), and the text of
// status pane 0 for it. The page code implements it; the main window owns the windows it
// gets (they live in its multiple-document area until the page is closed or the project
// closes).

#include <QString>

class QWidget;

namespace hesk::app {

class PageWindows {
public:
    virtual ~PageWindows() = default;

    // A new window for the page ("P参数", "r参数", "所有参数", "自定义参数" or a group leaf
    // such as "控制字/状态字"); nullptr when the open project has no such page.
    virtual QWidget* createPageWindow(const QString& pageName, QWidget* parent) = 0;
    // The page name a window created here shows; empty for any other widget.
    virtual QString pageNameOf(const QWidget* window) const = 0;
    // The active window changed: a page window becomes the page on show (its poll list
    // goes to the scheduler's page slot); nullptr or another widget means none is shown.
    virtual void pageActivated(QWidget* window) = 0;
    // Status pane 0 while the window is active: the page name, and for the custom page
    // the hint "：右键列表区域，可插入、删除、更改参数" after it.
    virtual QString statusText(const QWidget* window) const = 0;
};

}  // namespace hesk::app
