#pragma once
// The two help documents: the user manual, opened at a topic (menu "HESKMonitor用户手册"
// at topic 1, and the fault list with a fault's topic), and the controller description
// (menu "VRA1控制器说明"). They are separate files looked for, in this order, beside the
// executable, in its "docs" folder, and in the installation's share/heskmonitor/docs
// (<prefix>/bin/HESKMonitor -> <prefix>/share/heskmonitor/docs).
//
// The manual we ship is HTML ("manual/index.html" under the same folders, installed as
// share/heskmonitor/docs/manual): the manual command opens it with the desktop's browser
// when the compiled help file is not there. A missing document gives
// "查看的文档暂不存在！" (title "错误") followed by the files looked for and every folder
// searched, and nothing is started.

#include "model/UserPrompt.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace hesk::shell {

enum class HelpDocument { UserManual, ControllerDescription };

// "HESKMonitor用户手册.chm" and "VRA1控制器说明V10601.pdf".
QString helpDocumentFileName(HelpDocument document);

// Our HTML manual's start page, relative to a help folder: "manual/index.html".
QString htmlManualRelativePath();

// The folders looked in, for the executable in executableFolder.
QStringList helpDocumentFolders(const QString& executableFolder);
// The same, and for a program run from the folder it was built in (executableFolder is
// buildFolder) the source tree's docs folder last, so that an uninstalled build finds the
// manual as well; an installed copy never looks into the source tree.
QStringList helpDocumentFolders(const QString& executableFolder, const QString& buildFolder,
                                const QString& sourceDocsFolder);

// The first existing file at relativePath under the folders; nothing when there is none.
std::optional<QString> findHelpFile(const QString& relativePath, const QStringList& folders);
// The first existing file of the document in the folders; nothing when there is none.
std::optional<QString> findHelpDocument(HelpDocument document, const QStringList& folders);

// "查看的文档暂不存在！", then the files looked for and the folders searched, one a line.
QString missingHelpDocumentText(const QStringList& files, const QStringList& folders);

// The help viewer's argument for a topic of the manual: "<path>::/_<topic>.htm".
QString manualTopicLocation(const QString& manualPath, int topic);

// What starts the viewers; the application implements it with the platform's means.
class DocumentViewer {
public:
    virtual ~DocumentViewer() = default;
    // The manual at a topic. A viewer started earlier for the manual is ended first.
    virtual bool openManualTopic(const QString& manualPath, int topic) = 0;
    // Any document with the program the desktop associates with it (the HTML manual
    // with the browser).
    virtual bool openDocument(const QString& path) = 0;
};

class HelpCommands {
public:
    // viewer and prompt must outlive the object.
    HelpCommands(QStringList folders, DocumentViewer& viewer, model::UserPrompt& prompt);

    const QStringList& folders() const { return m_folders; }

    // The compiled manual at the topic; without it our HTML manual at its start page (it
    // has no per-topic pages). True when a viewer was started.
    bool openHelpTopic(int topic);
    bool openControllerDescription();

private:
    void reportMissing(const QStringList& files);
    // True when started; a viewer that could not start says so.
    bool started(bool ok, const QString& path);

    QStringList m_folders;
    DocumentViewer& m_viewer;
    model::UserPrompt& m_prompt;
};

}  // namespace hesk::shell
