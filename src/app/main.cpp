// HESKMonitor: the desktop application. `HESKMonitor [--settings FILE] [PROJECT.tmprj]`
// opens the project at start; --settings names the interface settings file to use (the
// demo and test benches point the tool at a simulated drive with it).
//
// The help documents are looked for beside the executable, in its docs folder and in
// <prefix>/share/heskmonitor/docs; run from the build tree, the source tree's docs folder
// (with the HTML manual) comes last.

#include "ApplicationWindows.h"
#include "QtTranslations.h"
#include "shell/HelpDocuments.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("HESKMonitor"));
    QApplication::setApplicationName(QStringLiteral("HESKMonitor"));
    QApplication::setApplicationVersion(QStringLiteral(HESK_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/heskmonitor.png")));
    const hesk::app::QtTranslations qtTexts;
    for (const QString& missing : qtTexts.missing())
        std::fprintf(stderr, "HESKMonitor: Qt's Chinese texts not found (%s); Qt's dialogs stay in English\n",
                     qUtf8Printable(missing));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("HESKMonitor"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("project"), QStringLiteral("the project file (.tmprj) to open"),
                                 QStringLiteral("[PROJECT.tmprj]"));
    const QCommandLineOption settingsOption(
        QStringLiteral("settings"),
        QStringLiteral("the interface settings file to use instead of interfacecfg.ini in its usual place"),
        QStringLiteral("FILE"));
    parser.addOption(settingsOption);
    parser.process(app);

    hesk::app::MainWindowSetup setup;
    setup.helpFolders = hesk::shell::helpDocumentFolders(QCoreApplication::applicationDirPath(),
                                                         QStringLiteral(HESK_BUILD_FOLDER),
                                                         QStringLiteral(HESK_SOURCE_DOCS_FOLDER));
    if (parser.isSet(settingsOption))
        setup.interfaceSettings = {QFileInfo(parser.value(settingsOption)).absoluteFilePath(), {}};

    hesk::app::ApplicationWindows application(setup);
    hesk::app::MainWindow& window = application.window();
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
