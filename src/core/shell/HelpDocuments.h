#pragma once
// The two help documents: the user manual, opened at a topic (menu "HESKMonitor用户手册"
// at topic 1, and the fault list with a fault's topic), and the controller description
// (menu "VRA1控制器说明"). They are separate files looked for, in this order, beside the
// executable, in its "docs" folder, and in the installation's share/heskmonitor/docs
// (<prefix>/bin/HESKMonitor -> <prefix>/share/heskmonitor/docs). A missing document
// gives "查看的文档暂不存在！" (title "错误") and nothing is started.

#include "model/UserPrompt.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace hesk::shell {

enum class HelpDocument { UserManual, ControllerDescription };

// "HESKMonitor用户手册.chm" and "VRA1控制器说明V10601.pdf".
QString helpDocumentFileName(HelpDocument document);

// The folders looked in, for the executable in executableFolder.
QStringList helpDocumentFolders(const QString& executableFolder);

// The first existing file of the document in the folders; nothing when there is none.
std::optional<QString> findHelpDocument(HelpDocument document, const QStringList& folders);

// The help viewer's argument for a topic of the manual: "<path>::/_<topic>.htm".
QString manualTopicLocation(const QString& manualPath, int topic);

// What starts the viewers; the application implements it with the platform's means.
class DocumentViewer {
public:
    virtual ~DocumentViewer() = default;
    // The manual at a topic. A viewer started earlier for the manual is ended first.
    virtual bool openManualTopic(const QString& manualPath, int topic) = 0;
    // Any document with the program the desktop associates with it.
    virtual bool openDocument(const QString& path) = 0;
};

class HelpCommands {
public:
    // viewer and prompt must outlive the object.
    HelpCommands(QStringList folders, DocumentViewer& viewer, model::UserPrompt& prompt);

    const QStringList& folders() const { return m_folders; }

    // True when a viewer was started.
    bool openHelpTopic(int topic);
    bool openControllerDescription();

private:
    std::optional<QString> find(HelpDocument document);

    QStringList m_folders;
    DocumentViewer& m_viewer;
    model::UserPrompt& m_prompt;
};

}  // namespace hesk::shell
