#include "SampleFormulaContext.h"

#include "model/FormulaState.h"

namespace hesk::samples {

SampleFormulaContext::SampleFormulaContext(const SampleProfile& profile, const BaseValueSheet& sheet)
{
    baseValues_.select(profile.deviceClass, sheet.rows, sheet.defaultKey);
    // The rated output values that the drive derives from its power unit; projects of
    // the inverter and the active rectifier compute them, the others define parameters.
    for (const model::UbaseInfo& row : sheet.rows) {
        if (row.columns[0] != sheet.defaultKey)
            continue;
        if (profile.deviceClass == model::DeviceClass::Inverter) {
            references_.insert(QStringLiteral("r0071"), row.columns[3]);
            references_.insert(QStringLiteral("r0072"), row.columns[2]);
        } else if (profile.deviceClass == model::DeviceClass::ActiveRectifier) {
            references_.insert(QStringLiteral("r0071"), row.columns[15]);
            references_.insert(QStringLiteral("r0072"), row.columns[16]);
        } else {
            references_.insert(QStringLiteral("r0072"), row.columns[17]);
        }
    }
}

void SampleFormulaContext::setReferenceDefinitions(const std::vector<SampleDefinition>& definitions)
{
    const QStringList keys = model::FormulaState::suppliedKeyTexts();
    for (const SampleDefinition& d : definitions) {
        const QString key = d.keyText();
        if (keys.contains(key) && !d.factoryText.isEmpty())
            references_.insert(key, d.factoryText);
    }
}

std::optional<QString> SampleFormulaContext::referenceValue(const QString& keyText) const
{
    if (!model::FormulaState::referenceKeyTexts().contains(keyText))
        return std::nullopt;
    const QString key = keyText == QLatin1String("P0109") ? QStringLiteral("P0109.1") : keyText;
    const auto it = references_.constFind(key);
    if (it == references_.constEnd())
        return std::nullopt;
    return it.value();
}

model::HeskParameterElement toElement(const SampleDefinition& d)
{
    model::HeskParameterElement e;
    e.number = d.number;
    e.subIndex = d.subIndex;
    e.typeCode = d.typeCode;
    e.address = d.address;
    e.settable = d.settable() ? 1 : 0;
    e.connectionFlag = d.isConnection() ? 1 : 0;
    e.rawMaxText = d.rawMaxText;
    e.rawMinText = d.rawMinText;
    e.name = d.name;
    e.comment = d.comment;
    e.decimals = d.decimals;
    e.maxText = d.maxText;
    e.minText = d.minText;
    e.unit = d.unit;
    e.factoryValue = d.factoryText;
    if (d.usesFormulas()) {
        e.commandType = QStringLiteral("3");
        e.reverseFormula = d.reverseFormula;
        e.forwardFormula = d.forwardFormula;
    }
    return e;
}

}  // namespace hesk::samples
