#pragma once
// "恢复出厂设置" in the window: runs the factory restore with its progress dialog
// ("恢复出厂设置" / "正在恢复出厂设置") over the main window; the window's commands are
// disabled while it runs. The workflow decides, asks and reports; this class shows it.
//
// Thread: UI thread only.

#include "operation/FactoryRestore.h"

#include <QObject>
#include <QPointer>
#include <QProgressDialog>

namespace hesk::app {

class MainWindow;

class RestoreCommand final : public QObject {
    Q_OBJECT

public:
    // Takes the window's commandRequested() for Command::FactoryRestore; the window must
    // outlive this object.
    explicit RestoreCommand(MainWindow& window);
    ~RestoreCommand() override;

    operation::FactoryRestore& workflow() { return m_restore; }
    QProgressDialog* progressDialog() const { return m_dialog; }

    void run();

private:
    void finished();

    MainWindow& m_window;
    operation::FactoryRestore m_restore;
    QPointer<QProgressDialog> m_dialog;
};

}  // namespace hesk::app
