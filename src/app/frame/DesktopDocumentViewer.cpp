#include "DesktopDocumentViewer.h"

#include <QDesktopServices>
#include <QUrl>

namespace hesk::app {

bool DesktopDocumentViewer::openManualTopic(const QString& manualPath, int topic)
{
#ifdef Q_OS_WIN
    if (m_helpViewer.state() != QProcess::NotRunning) {
        m_helpViewer.kill();
        m_helpViewer.waitForFinished(1000);
    }
    m_helpViewer.start(QStringLiteral("hh.exe"), {shell::manualTopicLocation(manualPath, topic)});
    return m_helpViewer.waitForStarted(3000);
#else
    Q_UNUSED(topic);
    return openDocument(manualPath);
#endif
}

bool DesktopDocumentViewer::openDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace hesk::app
