// HESKMonitor: the desktop application.
// `HESKMonitor [--settings FILE] [--language zh_CN|en] [PROJECT.tmprj]` opens the project
// at start; --settings names the interface settings file to use (the demo and test
// benches point the tool at a simulated drive with it); --language chooses the interface
// language for this run instead of the stored setting (设置 > 界面语言).
//
// The help documents are looked for beside the executable, in its docs folder and in
// <prefix>/share/heskmonitor/docs; run from the build tree, the source tree's docs folder
// (with the HTML manual) comes last.

#include "ApplicationWindows.h"
#include "InterfaceTranslator.h"
#include "QtTranslations.h"
#include "shell/HelpDocuments.h"
#include "shell/InterfaceLanguage.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <optional>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("HESKMonitor"));
    QApplication::setApplicationName(QStringLiteral("HESKMonitor"));
    QApplication::setApplicationVersion(QStringLiteral(HESK_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/heskmonitor.png")));

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
    const QCommandLineOption languageOption(
        QStringLiteral("language"), QStringLiteral("the interface language for this run: zh_CN or en"),
        QStringLiteral("LANGUAGE"));
    parser.addOption(languageOption);
    parser.process(app);

    std::optional<hesk::shell::LanguageSetting> languageOverride;
    if (parser.isSet(languageOption)) {
        const std::optional<hesk::shell::LanguageSetting> given = hesk::shell::parseLanguageSetting(parser.value(languageOption));
        if (!given || *given == hesk::shell::LanguageSetting::System) {
            std::fprintf(stderr, "HESKMonitor: unknown language '%s' (zh_CN or en)\n",
                         qUtf8Printable(parser.value(languageOption)));
            return 2;
        }
        languageOverride = given;
    }

    hesk::app::MainWindowSetup setup;
    setup.helpFolders = hesk::shell::helpDocumentFolders(QCoreApplication::applicationDirPath(),
                                                         QStringLiteral(HESK_BUILD_FOLDER),
                                                         QStringLiteral(HESK_SOURCE_DOCS_FOLDER));
    if (parser.isSet(settingsOption))
        setup.interfaceSettings = {QFileInfo(parser.value(settingsOption)).absoluteFilePath(), {}};

    // The language: the option, else the stored setting with the system locale.
    const hesk::online::InterfaceSettings storedSettings(
        setup.interfaceSettings.filePath.isEmpty() ? hesk::online::applicationSettingsLocation() : setup.interfaceSettings);
    const hesk::shell::LanguageSetting languageSetting =
        languageOverride.value_or(hesk::shell::storedLanguageSetting(storedSettings));
    std::unique_ptr<hesk::app::InterfaceTranslator> english;
    std::unique_ptr<hesk::app::QtTranslations> qtTexts;
    if (hesk::shell::chooseInterfaceLanguage(languageSetting, QLocale::system().name()) == hesk::shell::InterfaceLanguage::English) {
        english = std::make_unique<hesk::app::InterfaceTranslator>();
        if (!english->installed())
            std::fprintf(stderr, "HESKMonitor: the English texts (%s) could not be loaded; the window stays Chinese\n",
                         qUtf8Printable(hesk::app::InterfaceTranslator::builtInCatalogue()));
    } else {
        // Qt's own dialogs and buttons in Chinese too, so that the window speaks one language.
        qtTexts = std::make_unique<hesk::app::QtTranslations>();
        for (const QString& missing : qtTexts->missing())
            std::fprintf(stderr, "HESKMonitor: Qt's Chinese texts not found (%s); Qt's dialogs stay in English\n",
                         qUtf8Printable(missing));
    }

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
