#include "ProjectFormulas.h"

#include "model/DeviceCatalogue.h"
#include "model/ParameterTypes.h"
#include "model/ParameterValueText.h"
#include "model/SpecialParameterTable.h"

#include <algorithm>
#include <cmath>

namespace hesk::sim {

namespace {

bool isSignedType(uint16_t typeCode)
{
    static const QStringList signedTypes = {QStringLiteral("N2"), QStringLiteral("E2"), QStringLiteral("O2"),
                                            QStringLiteral("I2")};
    return signedTypes.contains(model::typeName(typeCode));
}

std::optional<double> convert(const model::HeskParameterElement& element, const model::HeskProject& project,
                              const ProjectFormulas& formulas, double value)
{
    const QString text = QString::number(value, 'f', std::max(element.decimals, 0));
    const model::RawConversion conversion =
        model::rawFromDisplayText(element, text, project.timeBases, formulas.context());
    if (!conversion.raw)
        return std::nullopt;
    const uint16_t raw = *conversion.raw;
    if (!isSignedType(element.typeCode))
        return static_cast<double>(raw);
    // A positive probe that lands above 32767 wrapped around: useless for the slope.
    if (value > 0.0 && raw > 0x7FFF)
        return std::nullopt;
    return static_cast<double>(static_cast<int16_t>(raw));
}

}  // namespace

ProjectFormulas::ProjectFormulas(const model::HeskProject& project)
{
    for (const QString& key : model::FormulaState::suppliedKeyTexts()) {
        if (const auto index = project.findByKeyText(key))
            m_state.setReferenceValue(key, project.elements[*index].factoryValue.trimmed());
    }
    m_state.setActiveDataSet(1);
    // The base values follow the power-unit code; the drive's is its factory value.
    model::HeskProject copy;
    copy.ubaseTable = project.ubaseTable;
    if (const auto index = project.findByKeyText(QStringLiteral("P0070"))) {
        model::HeskParameterElement powerUnit = project.elements[*index];
        if (!powerUnit.factoryValue.trimmed().isEmpty())
            powerUnit.currentValueText = powerUnit.factoryValue.trimmed();
        copy.elements.push_back(powerUnit);
    }
    const model::SpecialParameterTable specials(copy, {QStringLiteral("P0070")});
    m_state.selectBaseValues(copy, specials, model::resolveCpuType(project.header.cpuType).deviceClass);
}

std::optional<SignalScale> SignalScale::of(const model::HeskParameterElement& element,
                                           const model::HeskProject& project, const ProjectFormulas& formulas)
{
    if (model::radixOfType(element.typeCode) != model::Radix::Decimal)
        return std::nullopt;
    const std::optional<double> zero = convert(element, project, formulas, 0.0);
    if (!zero)
        return std::nullopt;
    for (double probe : {100.0, 10.0, 1.0}) {
        const std::optional<double> at = convert(element, project, formulas, probe);
        if (at && *at != *zero) {
            SignalScale scale;
            scale.m_offset = *zero;
            scale.m_slope = (*at - *zero) / probe;
            scale.m_signed = isSignedType(element.typeCode);
            return scale;
        }
    }
    return std::nullopt;
}

uint16_t SignalScale::raw(double value) const
{
    double word = std::round(m_offset + m_slope * value);
    if (m_signed)
        word = std::clamp(word, -32768.0, 32767.0);
    else
        word = std::clamp(word, 0.0, 65535.0);
    return static_cast<uint16_t>(static_cast<int32_t>(word) & 0xFFFF);
}

double SignalScale::value(uint16_t raw) const
{
    const double word = m_signed ? static_cast<double>(static_cast<int16_t>(raw)) : static_cast<double>(raw);
    return m_slope == 0.0 ? 0.0 : (word - m_offset) / m_slope;
}

}  // namespace hesk::sim
