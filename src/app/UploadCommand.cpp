#include "UploadCommand.h"

#include "MainWindow.h"
#include "dialogs/WorkflowProgressDialog.h"
#include "pages/ParameterPageWindow.h"
#include "pages/ParameterPageWindows.h"

#include <utility>

namespace hesk::app {

namespace {

const QString kCustomPage = QStringLiteral("自定义参数");

}  // namespace

UploadCommand::UploadCommand(MainWindow& window, ParameterPageWindows& pages)
    : QObject(&window), m_window(window), m_pages(pages), m_upload(window.session(), window.prompt())
{
    connect(&window, &MainWindow::commandRequested, this, [this](shell::Command command) {
        if (command == shell::Command::Upload)
            run();
    });
    connect(&m_upload, &files::ParameterUpload::statusText, this, [this](const QString& text) {
        if (m_dialog)
            m_dialog->setLabelText(text);
    });
    connect(&m_upload, &files::ParameterUpload::progress, this, [this](qint64 done, qint64 total) {
        if (!m_dialog)
            return;
        m_dialog->setMaximum(static_cast<int>(std::max<qint64>(total, 1)));
        m_dialog->setValue(static_cast<int>(std::min(done, total)));
    });
    connect(&m_upload, &files::ParameterUpload::finished, this, &UploadCommand::finished);
}

UploadCommand::~UploadCommand()
{
    delete m_dialog;
}

bool UploadCommand::run(std::optional<QString> path, Done done)
{
    if (m_upload.running())
        return false;
    files::UploadOptions options;
    options.quietSuccess = path.has_value();
    options.path = std::move(path);
    if (ParameterPageWindow* page = m_pages.activePage(); page && page->pageName() == kCustomPage && !options.path)
        for (int row = 0; row < page->page().rowCount(); ++row)
            options.customNumbers.insert(page->page().row(row).element.number);
    m_window.setWorkflowBusy(true);
    m_done = std::move(done);
    if (!m_upload.start(options) || !m_upload.running()) {
        m_window.setWorkflowBusy(false);
        m_done = {};
        return false;
    }
    // The upload ends by itself within 10 s of silence.
    auto* dialog = workflowProgressDialog(&m_window, tr("参数上传"), tr("等待下位机上传参数..."),
                                          0);
    m_dialog = dialog;
    dialog->show();
    return true;
}

void UploadCommand::finished(const files::UploadOutcome& outcome)
{
    if (m_dialog) {
        m_dialog->close();
        m_dialog->deleteLater();
    }
    m_window.setWorkflowBusy(false);
    if (Done done = std::exchange(m_done, {}))
        done(outcome);
}

}  // namespace hesk::app
