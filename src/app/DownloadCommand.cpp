#include "DownloadCommand.h"

#include "MainWindow.h"
#include "dialogs/WorkflowProgressDialog.h"

namespace hesk::app {

DownloadCommand::DownloadCommand(MainWindow& window)
    : QObject(&window), m_window(window), m_download(window.session(), window.prompt())
{
    connect(&window, &MainWindow::commandRequested, this, [this](shell::Command command) {
        if (command == shell::Command::Download)
            run();
    });
    connect(&m_download, &files::ParameterDownload::statusText, this, [this](const QString& text) {
        if (m_dialog)
            m_dialog->setLabelText(text);
    });
    connect(&m_download, &files::ParameterDownload::progress, this, [this](qint64 done, qint64 total) {
        if (!m_dialog)
            return;
        m_dialog->setMaximum(static_cast<int>(std::max<qint64>(total, 1)));
        m_dialog->setValue(static_cast<int>(std::min(done, total)));
    });
    connect(&m_download, &files::ParameterDownload::finished, this, &DownloadCommand::finished);
}

DownloadCommand::~DownloadCommand()
{
    delete m_dialog;
}

void DownloadCommand::run()
{
    if (m_download.running())
        return;
    m_window.setWorkflowBusy(true);
    if (!m_download.start({})) {
        m_window.setWorkflowBusy(false);
        return;
    }
    // The transfer ends by itself; a half image is worse than none.
    auto* dialog = workflowProgressDialog(&m_window, tr("参数下载"), tr("正在解析dnl文件..."),
                                          0);
    m_dialog = dialog;
    dialog->show();
}

void DownloadCommand::finished()
{
    if (m_dialog) {
        m_dialog->close();
        m_dialog->deleteLater();
    }
    m_window.setWorkflowBusy(false);
}

}  // namespace hesk::app
