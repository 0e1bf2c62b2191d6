#pragma once
// Why the interface settings file allows no connect, told to the person who runs heskmon
// without --port (or --udp): which file was read and what it lacks.

#include "online/InterfaceSettings.h"

#include <QString>

namespace hesk::cli {

// One sentence ("heskmon: the settings file PATH ..."); empty when the check passed.
QString settingsProblemText(const online::InterfaceSettings::ConnectionSettingsCheck& check,
                            const online::SettingsLocation& location);

}  // namespace hesk::cli
