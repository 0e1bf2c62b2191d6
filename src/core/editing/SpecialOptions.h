#pragma once
// The names of the special parameters' values, as the special-value editor shows them:
// "name (value)". The values themselves come from the allowed-value table
// (AllowedValues.h); a value without a name here is shown as it is.

#include "model/DeviceCatalogue.h"
#include "model/UserMessage.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace hesk::editing {

struct SpecialOption {
    QString value;  // the value text as the allowed-value table has it
    QString name;
    bool operator==(const SpecialOption&) const = default;
};

// The named options of the parameter on the device class, in value order; empty when its
// values have no names (P0070, P0340, P0749, P0830).
std::vector<SpecialOption> specialOptions(model::DeviceClass deviceClass, uint16_t number);

// The name of one value; nothing when the value has none.
std::optional<QString> specialOptionName(model::DeviceClass deviceClass, uint16_t number, const QString& value);

// The text the editor shows for a value: "name (value)", or the value alone.
QString specialOptionText(model::DeviceClass deviceClass, uint16_t number, const QString& value);

// True for the choice that restores the factory settings (P0970 = 1).
bool isFactoryRestoreChoice(uint16_t number, const QString& value);

// The refusal of that choice while the motor control is held (title "警告").
model::UserMessage factoryRestoreWhileControlHeld();

}  // namespace hesk::editing
