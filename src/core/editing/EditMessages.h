#pragma once
// The refusals of the edit rules, each with the caption and icon it is shown with.

#include "model/UserMessage.h"

#include <QString>

namespace hesk::editing {

// The caption of the boxes that carry the application's own name.
inline constexpr char kApplicationTitle[] = "HESKMonitor";

// A trigger recording is transferring its data.
model::UserMessage recorderTransferringRefusal();
// System parameters, every device type.
model::UserMessage systemParameterRefusal();
// Inverter, online: the access word and the operating state forbid the parameter.
model::UserMessage accessStateRefusal();
// Inverter, online, running with the access bit set: a parameter of the running list.
model::UserMessage runningRefusal();
// Inverter, online, stopped: the menu level is one of the parameter's forbidden levels.
model::UserMessage menuLevelRefusal(const QString& forbiddenLevels);
// Inverter, online: a data-set parameter of a data set that is not the active one.
model::UserMessage inactiveDataSetRefusal();
// Inverter, online: a P0848 entry beyond the slave count.
model::UserMessage slaveCountRefusal();
// Inverter: read-only parameter.
model::UserMessage inverterReadOnlyRefusal();
// Rectifier supplies: read-only parameter.
model::UserMessage rectifierReadOnlyRefusal();
// Rectifier supplies, online: the rule table forbids the change.
model::UserMessage rectifierStateRefusal();

}  // namespace hesk::editing
