#pragma once
// The formula context of the simulated drive, so that factory texts and the model's
// physical values convert to raw words exactly as the tool converts them. It starts
// from the factory values (base values of the factory P0070, the referenced parameters
// at their factory values, data set 1 active) and then follows the drive's own values
// through update(): the power-unit code in its P0070, the referenced parameters in its
// tables and its active motor data set.
//
// SignalScale turns a physical value (display units of one parameter: Hz, r/min, A, V,
// %) into the raw word the drive keeps, linearly, from two conversions done once; the
// motor model writes its signals through it many times per second and builds the
// scales again after update() reported a change.

#include "DriveTables.h"

#include "model/DeviceCatalogue.h"
#include "model/FormulaState.h"
#include "model/HeskProject.h"

#include <QHash>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace hesk::sim {

class ProjectFormulas {
public:
    // The project must outlive this object.
    explicit ProjectFormulas(const model::HeskProject& project);
    const model::FormulaContext& context() const { return m_state; }
    const model::FormulaState& state() const { return m_state; }

    // Follows the drive: base values for the code in its P0070, the references from its
    // tables, the active motor data set. True when anything a conversion uses changed.
    bool update(const DriveTables& tables, int motorDataSet);

    // A base value or computed definition as a number ("r0072", "UDCn" through
    // BaseValueKind); nothing while it is "WrongParameter".
    std::optional<double> baseValue(model::BaseValueKind kind) const;
    std::optional<double> referenceNumber(const QString& keyText) const;

    // The rated output the drive reports in read-only parameters of its own where the
    // device class has them as parameters (feedback and basic rectifiers: r0072 the
    // rated DC current, r0073 the rated power), from the base-value row of its power
    // unit; nothing for every other key and class.
    std::optional<double> ratedOutput(const QString& keyText) const;

private:
    void selectBaseValues(const QString& powerUnitText);

    const model::HeskProject& m_project;
    model::DeviceClass m_deviceClass;
    model::FormulaState m_state;
    std::vector<std::pair<QString, ParameterSlot>> m_referenceSlots;  // in the drive's tables
    std::optional<ParameterSlot> m_powerUnitSlot;
    QString m_powerUnit;                      // display text of the P0070 selected for
    QHash<QString, QString> m_references;     // what update() last supplied
    std::optional<int> m_motorDataSet;
};

class SignalScale {
public:
    SignalScale() = default;
    // Nothing when the definition's value does not convert linearly (binary and
    // hexadecimal types, or a formula that fails).
    static std::optional<SignalScale> of(const model::HeskParameterElement& element,
                                         const model::HeskProject& project, const ProjectFormulas& formulas);

    // The raw word for a physical value, clamped to the type's range.
    uint16_t raw(double value) const;
    // The physical value of a raw word.
    double value(uint16_t raw) const;

private:
    double m_offset = 0.0;  // raw word of the value 0
    double m_slope = 1.0;   // raw units per display unit
    bool m_signed = true;
};

}  // namespace hesk::sim
