#include "ParameterFileCommands.h"

#include "MainWindow.h"
#include "dialogs/FileCompareDialog.h"
#include "pages/ParameterPageWindow.h"
#include "pages/ParameterPageWindows.h"

#include "files/DnlImport.h"
#include "files/DnlOpen.h"
#include "online/InstalledProjects.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QProgressDialog>

namespace hesk::app {

ParameterFileCommands::ParameterFileCommands(MainWindow& window, ParameterPageWindows& pages,
                                             pages::OfflineValueSet& offline)
    : QObject(&window)
    , m_window(window)
    , m_pages(pages)
    , m_offline(offline)
{
    connect(&window, &MainWindow::commandRequested, this, [this](shell::Command command) { run(command); });
}

bool ParameterFileCommands::run(shell::Command command)
{
    switch (command) {
    case shell::Command::OpenDnl:
        openDnl();
        return true;
    case shell::Command::CompareFiles:
        compareFiles();
        return true;
    default:
        return false;
    }
}

void ParameterFileCommands::openDnl(const std::optional<QString>& path)
{
    MainWindow& w = m_window;
    files::DnlOpenEnvironment environment{w.session().project(), m_offline, w.prompt(), w.log(),
                                          online::applicationProjectRoot().folder, [&w](const QString& project) {
                                              QGuiApplication::setOverrideCursor(Qt::WaitCursor);
                                              const bool opened = w.openProjectFile(project);
                                              QGuiApplication::restoreOverrideCursor();
                                              return opened;
                                          }};
    const std::optional<files::DnlImportRequest> request = files::prepareDnlImport(environment, path);
    if (!request)
        return;

    // The rows go in steps from the event loop; the window repaints between them but
    // takes no input until the import has ended (it always ends: every row is one step).
    w.log().log(QStringLiteral("正在导入dnl数据..."), files::kImportInfoLevel);
    QProgressDialog progress(tr("正在导入dnl文件信息"), QString(), 0, static_cast<int>(request->rows.size()),
                             &w);
    progress.setWindowTitle(tr("导入DNL信息"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    files::DnlImportRun run(w.session().project(), m_offline, w.log(), request->rows);
    QEventLoop loop;
    connect(&run, &files::DnlImportRun::progress, &progress, [&progress](int done, int) { progress.setValue(done); });
    connect(&run, &files::DnlImportRun::finished, &loop, &QEventLoop::quit);
    run.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    progress.close();

    for (ParameterPageWindow* page : m_pages.windows())
        page->refreshAllValues();
    w.refreshCommands();
    files::finishDnlImport(environment, *request, run.summary());
}

void ParameterFileCommands::compareFiles()
{
    FileCompareDialog dialog(m_window.session().project(), m_window.prompt(), &m_window);
    dialog.setApproximateComparison(m_window.approximateComparison());
    dialog.exec();
}

}  // namespace hesk::app
