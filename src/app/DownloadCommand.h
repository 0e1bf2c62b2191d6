#pragma once
// "参数下载" in the window: runs the parameter download workflow with a progress dialog
// over the main window; the window's commands are disabled while it runs. The workflow
// decides and asks everything; this class only shows its progress.
//
// Thread: UI thread only.

#include "files/ParameterDownload.h"
#include "shell/CommandRules.h"

#include <QObject>
#include <QPointer>
#include <QProgressDialog>

namespace hesk::app {

class MainWindow;

class DownloadCommand final : public QObject {
    Q_OBJECT

public:
    // Takes the window's commandRequested() for Command::Download; the window must
    // outlive this object.
    explicit DownloadCommand(MainWindow& window);
    ~DownloadCommand() override;

    files::ParameterDownload& workflow() { return m_download; }
    // The progress dialog while a download runs; nullptr otherwise.
    QProgressDialog* progressDialog() const { return m_dialog; }

    void run();

private:
    void finished();

    MainWindow& m_window;
    files::ParameterDownload m_download;
    QPointer<QProgressDialog> m_dialog;
};

}  // namespace hesk::app
