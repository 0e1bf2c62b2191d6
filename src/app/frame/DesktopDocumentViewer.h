#pragma once
// Opens the help documents with the desktop's means: on Windows the manual goes to the
// HTML-help viewer at its topic (a viewer started earlier is ended first), elsewhere to
// the program the desktop associates with the file (the topic cannot be passed there);
// every other document opens with its associated program. A manual viewer still open
// when the application ends is ended with it.

#include "shell/HelpDocuments.h"

#include <QProcess>

namespace hesk::app {

class DesktopDocumentViewer final : public shell::DocumentViewer {
public:
    DesktopDocumentViewer() = default;
    DesktopDocumentViewer(const DesktopDocumentViewer&) = delete;
    DesktopDocumentViewer& operator=(const DesktopDocumentViewer&) = delete;

    bool openManualTopic(const QString& manualPath, int topic) override;
    bool openDocument(const QString& path) override;

private:
    QProcess m_helpViewer;
};

}  // namespace hesk::app
