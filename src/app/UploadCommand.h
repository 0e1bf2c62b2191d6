#pragma once
// "参数上传" in the window: runs the parameter upload workflow with a progress dialog
// over the main window; the window's commands are disabled while it runs. When the page
// on show is the custom page and lists parameters, the workflow asks whether only those
// go into the file. The workflow decides and asks everything; this class shows progress.
//
// Thread: UI thread only.

#include "files/ParameterUpload.h"

#include <QObject>
#include <QPointer>
#include <QProgressDialog>

#include <functional>
#include <optional>

namespace hesk::app {

class MainWindow;
class ParameterPageWindows;

class UploadCommand final : public QObject {
    Q_OBJECT

public:
    // Takes the window's commandRequested() for Command::Upload; window and pages must
    // outlive this object.
    UploadCommand(MainWindow& window, ParameterPageWindows& pages);
    ~UploadCommand() override;

    files::ParameterUpload& workflow() { return m_upload; }
    QProgressDialog* progressDialog() const { return m_dialog; }

    // The window's command. `path`: the file to write without asking and without the
    // success message (the three-way compare's upload into a temporary file); `done` is
    // told the outcome. False when the
    // upload did not start (its refusal was shown); `done` is then not called.
    using Done = std::function<void(const files::UploadOutcome&)>;
    bool run(std::optional<QString> path = std::nullopt, Done done = {});

private:
    void finished(const files::UploadOutcome& outcome);

    MainWindow& m_window;
    ParameterPageWindows& m_pages;
    files::ParameterUpload m_upload;
    QPointer<QProgressDialog> m_dialog;
    Done m_done;
};

}  // namespace hesk::app
