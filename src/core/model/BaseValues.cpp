#include "BaseValues.h"

#include "FormulaEvaluator.h"

namespace hesk::model {

namespace {

// Per device class: the table column copied into each base value on a match (-1: the
// value stays unchanged), and whether the value becomes "WrongParameter" when no row
// matches. Index order follows BaseValueKind: voltage, current, power, torque, DC.
struct ClassColumns {
    std::array<int, kBaseValueKindCount> column;
    std::array<bool, kBaseValueKindCount> clearedOnNoMatch;
};

std::optional<ClassColumns> columnsFor(DeviceClass deviceClass)
{
    switch (deviceClass) {
    case DeviceClass::Inverter:
        return ClassColumns{{3, 2, 4, 5, 6}, {true, true, true, true, true}};
    case DeviceClass::ActiveRectifier:
        // The torque base is not copied on a match but is cleared without one.
        return ClassColumns{{15, 16, -1, -1, 6}, {true, true, false, true, true}};
    case DeviceClass::FeedbackRectifier:
    case DeviceClass::BasicRectifier:
        return ClassColumns{{-1, -1, -1, -1, 6}, {false, false, false, false, true}};
    case DeviceClass::TestBench:
        return ClassColumns{{-1, -1, -1, -1, -1}, {false, false, false, false, false}};
    case DeviceClass::None:
        break;
    }
    return std::nullopt;
}

}  // namespace

BaseValues::BaseValues()
{
    values_.fill(QString(kWrongParameter));
}

BaseValueSelection BaseValues::select(DeviceClass deviceClass, const std::vector<UbaseInfo>& table,
                                      const std::optional<QString>& powerUnitCode)
{
    const auto columns = columnsFor(deviceClass);
    if (!columns)
        return BaseValueSelection::Skipped;

    const UbaseInfo* row = nullptr;
    if (powerUnitCode && !powerUnitCode->isEmpty()) {
        for (const UbaseInfo& candidate : table) {
            if (candidate.columns[0] == *powerUnitCode) {
                row = &candidate;
                break;
            }
        }
    }

    for (int kind = 0; kind < kBaseValueKindCount; ++kind) {
        if (row) {
            if (columns->column[kind] >= 0)
                values_[kind] = row->columns[columns->column[kind]];
        } else if (columns->clearedOnNoMatch[kind]) {
            values_[kind] = QString(kWrongParameter);
        }
    }
    return row ? BaseValueSelection::Matched : BaseValueSelection::NoMatch;
}

}  // namespace hesk::model
