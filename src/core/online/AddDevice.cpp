#include "AddDevice.h"

#include "model/DeviceCatalogue.h"

#include <QCoreApplication>

namespace hesk::online {

QStringList addDeviceTypes()
{
    QStringList types;
    for (const char* code : {"VRA1", "SLM", "AIC", "BLM"})
        types.append(model::deviceTypeForShortCode(QLatin1String(code)));
    return types;
}

QStringList addDeviceVersions(const QString& deviceType)
{
    return model::firmwareVersions(deviceType);
}

std::optional<QString> lookUpAddDevice(const QString& projectRoot, const QString& deviceType,
                                       const QString& version, model::UserPrompt& prompt)
{
    if (const std::optional<FoundProject> found = findProjectByTypeAndVersion(projectRoot, deviceType, version))
        return found->path;
    prompt.showMessage(model::UserMessage::warning(QCoreApplication::translate("AddDevice", "没有找到设备，请您重新选择！")));
    return std::nullopt;
}

}  // namespace hesk::online
