#include "PtyLine.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace hesk::sim {

namespace {

QString systemError(const QString& what)
{
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno)));
}

bool isSymbolicLink(const QByteArray& path)
{
    struct stat info{};
    return ::lstat(path.constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool existsAsAnything(const QByteArray& path)
{
    struct stat info{};
    return ::lstat(path.constData(), &info) == 0;
}

}  // namespace

std::unique_ptr<PtyLine> PtyLine::open(const QString& linkPath, QString* error)
{
    std::unique_ptr<PtyLine> line(new PtyLine(linkPath));
    line->m_port = PtyPort::open(error);
    if (!line->m_port || !line->pointLinkAt(line->m_port->devicePath(), error)) {
        line->m_linkPath.clear();  // not ours: leave whatever is there alone
        return nullptr;
    }
    return line;
}

PtyLine::~PtyLine()
{
    m_port.reset();
    removeLink();
}

QString PtyLine::devicePath() const
{
    return m_port ? m_port->devicePath() : QString();
}

bool PtyLine::pointLinkAt(const QString& device, QString* error) const
{
    if (m_linkPath.isEmpty())
        return true;
    const QByteArray link = m_linkPath.toLocal8Bit();
    if (existsAsAnything(link) && !isSymbolicLink(link)) {
        *error = QStringLiteral("%1 exists and is no symbolic link").arg(m_linkPath);
        return false;
    }
    const QFileInfo info(m_linkPath);
    const QByteArray temporary =
        (info.path() + QStringLiteral("/.%1.%2.new").arg(info.fileName()).arg(::getpid())).toLocal8Bit();
    if (isSymbolicLink(temporary))
        ::unlink(temporary.constData());  // left over by a run that was killed
    if (::symlink(device.toLocal8Bit().constData(), temporary.constData()) != 0) {
        *error = systemError(QStringLiteral("symlink %1").arg(QString::fromLocal8Bit(temporary)));
        return false;
    }
    if (::rename(temporary.constData(), link.constData()) != 0) {
        *error = systemError(QStringLiteral("rename to %1").arg(m_linkPath));
        ::unlink(temporary.constData());
        return false;
    }
    return true;
}

void PtyLine::removeLink() const
{
    const QByteArray link = m_linkPath.toLocal8Bit();
    if (!m_linkPath.isEmpty() && isSymbolicLink(link))
        ::unlink(link.constData());
}

PlugOutcome PtyLine::replug()
{
    // The new device first: should it fail, the old line stays as it was.
    QString error;
    std::unique_ptr<PtyPort> fresh = PtyPort::open(&error);
    if (!fresh || !pointLinkAt(fresh->devicePath(), &error))
        return {false, error};
    m_port = std::move(fresh);  // the old port closes here: the tool's descriptor fails
    ++m_generation;
    return {true, m_port->devicePath()};
}

PlugOutcome PtyLine::unplug()
{
    if (!m_port)
        return {false, QStringLiteral("the line is unplugged already")};
    removeLink();
    m_port.reset();
    ++m_generation;
    return {true, {}};
}

PlugOutcome PtyLine::plug()
{
    if (m_port)
        return {false, QStringLiteral("the line is plugged in (%1)").arg(m_port->devicePath())};
    QString error;
    std::unique_ptr<PtyPort> fresh = PtyPort::open(&error);
    if (!fresh || !pointLinkAt(fresh->devicePath(), &error))
        return {false, error};
    m_port = std::move(fresh);
    ++m_generation;
    return {true, m_port->devicePath()};
}

}  // namespace hesk::sim
