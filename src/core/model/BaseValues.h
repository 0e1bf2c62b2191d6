#pragma once
// The five current base values of the power unit (voltage, current, power, torque and
// DC voltage), selected from the project's base-value table by the power-unit code
// that the drive reports in P0070. Each value is a number as text or the marker
// "WrongParameter" when it is not available.

#include "DeviceCatalogue.h"
#include "ProjectRecords.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace hesk::model {

enum class BaseValueKind {
    Voltage,    // formula token "Ubase"
    Current,    // read by trigger recording only
    Power,      // read by trigger recording only
    Torque,     // formula token "UbaseT"
    DcVoltage,  // formula token "UDCn"
};
inline constexpr int kBaseValueKindCount = 5;

enum class BaseValueSelection {
    Skipped,  // device class without base values (0): nothing changed
    Matched,  // a row matched and its columns were copied
    NoMatch,  // no row matched: the class's values were set to "WrongParameter"
};

class BaseValues {
public:
    // All five values start as "WrongParameter" until a selection fills them.
    BaseValues();

    QString value(BaseValueKind kind) const { return values_[static_cast<int>(kind)]; }

    // Finds the first row whose column 0 equals the power-unit code and copies the
    // columns that the device class defines; values the class does not define keep
    // their previous text. Without a matching row the values the class names are set
    // to "WrongParameter". A missing or empty code matches no row (a blank key row in
    // the table must not be taken for an unknown power unit).
    BaseValueSelection select(DeviceClass deviceClass, const std::vector<UbaseInfo>& table,
                              const std::optional<QString>& powerUnitCode);

private:
    std::array<QString, kBaseValueKindCount> values_;
};

}  // namespace hesk::model
