#include "ProjectLocator.h"

#include "DeviceCatalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <utility>

namespace hesk::model {

namespace {

bool projectFileExists(const QString& path)
{
    return QFileInfo(path).isFile();
}

}  // namespace

ProjectLocator::ProjectLocator(QString installRoot)
    : m_installRoot(std::move(installRoot))
{
}

QString ProjectLocator::projectKey(const QString& shortCode, const QString& version)
{
    QString versionPart = version;
    versionPart.remove(QLatin1Char('.'));
    return shortCode + versionPart;
}

std::optional<QString> ProjectLocator::fallbackVersionKey(const QString& shortCode,
                                                          const QString& version)
{
    if (shortCode == QLatin1String("VRA1"))
        return QStringLiteral("V11418");
    if (shortCode == QLatin1String("SLM"))
        return QStringLiteral("V20111");
    if (shortCode == QLatin1String("AIC"))
        return isOldActiveRectifierFirmware(version) ? QStringLiteral("V20207")
                                                     : QStringLiteral("V21308");
    if (shortCode == QLatin1String("BLM"))
        return QStringLiteral("V20001");
    if (shortCode == QLatin1String("PTB"))
        return QStringLiteral("V10000");
    return std::nullopt;
}

QString ProjectLocator::projectPath(const QString& shortCode, const QString& key) const
{
    return QDir(m_installRoot).filePath(shortCode + QLatin1Char('/') + key + QLatin1Char('/') + key
                                        + QStringLiteral(".tmprj"));
}

ProjectLocateResult ProjectLocator::locate(const QString& shortCode, const QString& version) const
{
    ProjectLocateResult result;
    if (!shortCodes().contains(shortCode))
        return result;  // UnknownDeviceCode

    const QString key = projectKey(shortCode, version);
    const QString path = projectPath(shortCode, key);
    if (projectFileExists(path)) {
        result.status = ProjectLocateStatus::Found;
        result.path = path;
        return result;
    }

    const QString fallbackKey = shortCode + *fallbackVersionKey(shortCode, version);
    const QString fallbackPath = projectPath(shortCode, fallbackKey);
    result.path = fallbackPath;
    if (projectFileExists(fallbackPath)) {
        result.status = ProjectLocateStatus::FoundFallback;
        return result;
    }
    result.status = ProjectLocateStatus::Missing;
    result.message = UserMessage::error(
        QCoreApplication::translate("ProjectLocator", "文件%1不存在，装载失败！").arg(QDir::toNativeSeparators(fallbackPath)));
    return result;
}

}  // namespace hesk::model
