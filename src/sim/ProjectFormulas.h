#pragma once
// The formula context of the simulated drive: base values selected by the factory value
// of P0070, the referenced parameters at their factory values and data set 1 active, so
// that factory texts and the model's physical values convert to raw words exactly as the
// tool converts them.
//
// SignalScale turns a physical value (display units of one parameter: Hz, r/min, A, V,
// %) into the raw word the drive keeps, linearly, from two conversions done once; the
// motor model writes its signals through it many times per second.

#include "model/FormulaState.h"
#include "model/HeskProject.h"

#include <cstdint>
#include <optional>

namespace hesk::sim {

class ProjectFormulas {
public:
    explicit ProjectFormulas(const model::HeskProject& project);
    const model::FormulaContext& context() const { return m_state; }

private:
    model::FormulaState m_state;
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
