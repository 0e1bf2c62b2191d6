#pragma once
// How many descriptors of this process are open on a path (read from /proc/self/fd), so
// a test can tell that a port was closed even where exclusive opening does not hold (a
// test running as root may open an exclusive terminal again).

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace hesk::testsupport {

inline int openDescriptorsOn(const QString& path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    int count = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo& fd : fds.entryInfoList(QDir::System | QDir::NoDotAndDotDot))
        if (!target.isEmpty() && fd.symLinkTarget() == target)
            ++count;
    return count;
}

}  // namespace hesk::testsupport
