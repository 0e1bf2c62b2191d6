#include "SettingsProblemText.h"

namespace hesk::cli {

QString settingsProblemText(const online::InterfaceSettings::ConnectionSettingsCheck& check,
                            const online::SettingsLocation& location)
{
    using online::SettingsProblem;
    const QString file = QStringLiteral("the settings file %1").arg(check.path);
    switch (check.problem) {
    case SettingsProblem::None:
        return {};
    case SettingsProblem::FileMissing:
        if (!location.seedPath.isEmpty() && location.seedPath != location.filePath)
            return QStringLiteral("heskmon: no settings file: neither %1 nor %2 exists")
                .arg(location.filePath, location.seedPath);
        return QStringLiteral("heskmon: %1 does not exist").arg(file);
    case SettingsProblem::FileUnreadable:
        return QStringLiteral("heskmon: %1 cannot be read").arg(file);
    case SettingsProblem::ModeNotSet:
        return QStringLiteral("heskmon: %1 sets no MODE in [CURRENT MODE] (\"232\" or \"ETHERNET\")").arg(file);
    case SettingsProblem::UnknownMode:
        return QStringLiteral("heskmon: %1 has MODE=%2 in [CURRENT MODE]; \"232\" or \"ETHERNET\" is expected")
            .arg(file, check.badText);
    case SettingsProblem::PortNameMissing:
        return QStringLiteral("heskmon: %1 names no PORTNAME in [232 MODE]").arg(file);
    case SettingsProblem::BaudRateInvalid:
        return QStringLiteral("heskmon: %1 has BAUNDRATE=%2 in [232 MODE]; a positive number is expected")
            .arg(file, check.badText);
    case SettingsProblem::UdpEndpointInvalid:
        return QStringLiteral("heskmon: %1 has an address or port in [ETHERNET MODE] that is not valid").arg(file);
    }
    return {};
}

}  // namespace hesk::cli
