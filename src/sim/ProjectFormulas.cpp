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
    : m_project(project), m_deviceClass(model::resolveCpuType(project.header.cpuType).deviceClass)
{
    // The active motor data set is the model's (update()); the drive starts in the first.
    QStringList keys = model::FormulaState::suppliedKeyTexts();
    keys.removeAll(QStringLiteral("r0011"));
    for (const QString& key : keys) {
        if (const auto index = project.findByKeyText(key))
            m_state.setReferenceValue(key, project.elements[*index].factoryValue.trimmed());
    }
    m_state.setActiveDataSet(1);
    for (const QString& key : keys) {
        const auto slot = slotOf(project, key);
        if (slot && slot->table != TableKind::Connection)
            m_referenceSlots.emplace_back(key, *slot);
    }
    m_powerUnitSlot = slotOf(project, QStringLiteral("P0070"));
    // The base values follow the power-unit code; the drive's is its factory value.
    QString powerUnit;
    if (const auto index = project.findByKeyText(QStringLiteral("P0070")))
        powerUnit = project.elements[*index].factoryValue.trimmed();
    selectBaseValues(powerUnit);
}

void ProjectFormulas::selectBaseValues(const QString& powerUnitText)
{
    model::HeskProject copy;
    copy.ubaseTable = m_project.ubaseTable;
    if (const auto index = m_project.findByKeyText(QStringLiteral("P0070"))) {
        model::HeskParameterElement powerUnit = m_project.elements[*index];
        if (!powerUnitText.isEmpty())
            powerUnit.currentValueText = powerUnitText;
        copy.elements.push_back(powerUnit);
    }
    const model::SpecialParameterTable specials(copy, {QStringLiteral("P0070")});
    m_state.selectBaseValues(copy, specials, m_deviceClass);
    m_powerUnit = powerUnitText;
}

bool ProjectFormulas::update(const DriveTables& tables, int motorDataSet)
{
    bool changed = false;
    if (const auto& p0070 = m_powerUnitSlot) {
        const uint16_t raw = tables.value(p0070->table, p0070->address).value_or(0);
        const QString text = model::displayRawValue(*p0070->element, raw, m_project.timeBases, m_state).text;
        if (text != m_powerUnit) {
            selectBaseValues(text);
            changed = true;
        }
    }
    for (const auto& [key, slot] : m_referenceSlots) {
        const uint16_t raw = tables.value(slot.table, slot.address).value_or(0);
        const QString text = model::displayRawValue(*slot.element, raw, m_project.timeBases, m_state).text;
        const auto it = m_references.constFind(key);
        if (it != m_references.constEnd() && it.value() == text)
            continue;
        m_references.insert(key, text);
        m_state.setReferenceValue(key, text);
        changed = true;
    }
    if (m_motorDataSet != motorDataSet) {
        m_motorDataSet = motorDataSet;
        m_state.setActiveDataSet(motorDataSet);
        changed = true;
    }
    return changed;
}

std::optional<double> ProjectFormulas::baseValue(model::BaseValueKind kind) const
{
    bool ok = false;
    const double value = m_state.baseValue(kind).toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> ProjectFormulas::referenceNumber(const QString& keyText) const
{
    const std::optional<QString> text = m_state.referenceValue(keyText);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const double value = text->toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> ProjectFormulas::ratedOutput(const QString& keyText) const
{
    if (m_deviceClass != model::DeviceClass::FeedbackRectifier && m_deviceClass != model::DeviceClass::BasicRectifier)
        return std::nullopt;
    const int column = keyText == QLatin1String("r0072") ? 17 : keyText == QLatin1String("r0073") ? 4 : -1;
    if (column < 0)
        return std::nullopt;
    for (const model::UbaseInfo& row : m_project.ubaseTable) {
        if (row.columns[0] != m_powerUnit || m_powerUnit.isEmpty())
            continue;
        bool ok = false;
        const double value = row.columns[static_cast<size_t>(column)].toDouble(&ok);
        return ok ? std::optional<double>(value) : std::nullopt;
    }
    return std::nullopt;
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
        if (!at || *at == *zero)
            continue;
        SignalScale scale;
        scale.m_offset = *zero;
        scale.m_slope = (*at - *zero) / probe;
        scale.m_signed = isSignedType(element.typeCode);
        // The probe's word is rounded: measure the slope again where the word is large
        // (about 16384 away from the value 0), so the rounding costs 1/32768 at most.
        const double wide = 16384.0 / std::abs(scale.m_slope);
        const int decimals = std::max(element.decimals, 0);
        const double widePoint = std::round(wide * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
        if (widePoint > probe) {
            if (const std::optional<double> far = convert(element, project, formulas, widePoint); far && *far != *zero)
                scale.m_slope = (*far - *zero) / widePoint;
        }
        return scale;
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
