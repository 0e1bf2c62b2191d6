// HESKMonitor: the desktop application. `HESKMonitor [PROJECT.tmprj]` opens the project
// at start.

#include "DialogCommands.h"
#include "MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("HESKMonitor"));
    QApplication::setApplicationName(QStringLiteral("HESKMonitor"));
    QApplication::setApplicationVersion(QStringLiteral(HESK_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("HESKMonitor"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("project"), QStringLiteral("the project file (.tmprj) to open"),
                                 QStringLiteral("[PROJECT.tmprj]"));
    parser.process(app);

    hesk::app::MainWindow window;
    hesk::app::DialogCommands dialogs(window);
    window.resize(1280, 800);
    window.show();
    const QStringList projects = parser.positionalArguments();
    if (!projects.isEmpty()) {
        const QString path = projects.constFirst();
        // After the window is shown, so that a message box has its parent on screen.
        QTimer::singleShot(0, &window, [&window, path] { window.openProjectFile(path); });
    }
    return app.exec();
}
