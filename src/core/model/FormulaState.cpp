#include "FormulaState.h"

namespace hesk::model {

namespace {
const QString kDataSetKey = QStringLiteral("P0109");
const QString kActiveDataSetKey = QStringLiteral("r0011");
const QString kPowerUnitKey = QStringLiteral("P0070");

// The base value a computed definition takes for a device class.
std::optional<BaseValueKind> computedBase(DeviceClass deviceClass, const QString& keyText)
{
    const bool inverter = deviceClass == DeviceClass::Inverter;
    if (!inverter && deviceClass != DeviceClass::ActiveRectifier)
        return std::nullopt;
    if (keyText == QLatin1String("r0071"))
        return BaseValueKind::Voltage;
    if (keyText == QLatin1String("r0072"))
        return BaseValueKind::Current;
    if (keyText == QLatin1String("r0073") && inverter)
        return BaseValueKind::Power;
    return std::nullopt;
}
}  // namespace

QStringList FormulaState::referenceKeyTexts()
{
    return {QStringLiteral("P0071"), QStringLiteral("P0072"), QStringLiteral("P0073"), QStringLiteral("r0071"),
            QStringLiteral("r0072"), QStringLiteral("r0073"), kDataSetKey};
}

QStringList FormulaState::suppliedKeyTexts()
{
    QStringList keys = referenceKeyTexts();
    keys.removeAll(kDataSetKey);
    for (int dataSet = 1; dataSet <= kDataSetCount; ++dataSet)
        keys << kDataSetKey + QLatin1Char('.') + QString::number(dataSet);
    keys << kActiveDataSetKey;
    return keys;
}

void FormulaState::setReferenceValue(const QString& keyText, const QString& valueText)
{
    if (keyText == kActiveDataSetKey) {
        bool ok = false;
        const int dataSet = valueText.trimmed().toInt(&ok);
        setActiveDataSet(ok ? std::optional<int>(dataSet) : std::nullopt);
        return;
    }
    if (valueText.isEmpty())
        referenceValues_.remove(keyText);
    else
        referenceValues_.insert(keyText, valueText);
}

void FormulaState::useProjectValues(const HeskProject& project)
{
    for (const QString& key : suppliedKeyTexts()) {
        const std::optional<std::size_t> index = project.findByKeyText(key);
        if (!index)
            continue;
        const HeskParameterElement& element = project.elements[*index];
        if (!element.isSettable() || element.isConnection())
            continue;
        const QString current = element.currentValueText.trimmed();
        setReferenceValue(key, current.isEmpty() ? element.factoryValue.trimmed() : current);
    }
    setActiveDataSet(1);
}

std::optional<QString> FormulaState::computedValue(const QString& keyText) const
{
    const std::optional<BaseValueKind> base = computedBase(deviceClass_, keyText);
    if (!base)
        return std::nullopt;
    return baseValues_.value(*base);
}

void FormulaState::setActiveDataSet(std::optional<int> dataSet)
{
    if (dataSet && *dataSet >= 1 && *dataSet <= kDataSetCount)
        activeDataSet_ = dataSet;
    else
        activeDataSet_.reset();
}

std::optional<QString> FormulaState::referenceValue(const QString& keyText) const
{
    static const QStringList allowed = referenceKeyTexts();
    if (!allowed.contains(keyText))
        return std::nullopt;
    if (const std::optional<QString> computed = computedValue(keyText)) {
        if (*computed == kWrongParameter)
            return std::nullopt;
        return computed;
    }
    QString key = keyText;
    if (keyText == kDataSetKey) {
        if (!activeDataSet_)
            return std::nullopt;
        key += QLatin1Char('.') + QString::number(*activeDataSet_);
    }
    const auto it = referenceValues_.constFind(key);
    if (it == referenceValues_.constEnd())
        return std::nullopt;
    return it.value();
}

BaseValueSelection FormulaState::selectBaseValues(const HeskProject& project,
                                                  const SpecialParameterTable& specials,
                                                  DeviceClass deviceClass)
{
    const HeskParameterElement* powerUnit = specials.element(project, kPowerUnitKey);
    const std::optional<QString> code =
        powerUnit ? std::optional<QString>(powerUnit->currentValueText) : std::nullopt;
    deviceClass_ = deviceClass;
    return baseValues_.select(deviceClass, project.ubaseTable, code);
}

bool FormulaState::recompute(HeskProject& project, const SpecialParameterTable& specials,
                             DeviceClass deviceClass, const std::optional<QString>& powerUnitText)
{
    if (!powerUnitText)
        return false;
    HeskParameterElement* powerUnit = specials.element(project, kPowerUnitKey);
    const bool changed = powerUnit && powerUnit->currentValueText != *powerUnitText;
    if (firstRecomputationDone_ && !changed)
        return false;
    if (powerUnit)
        powerUnit->currentValueText = *powerUnitText;
    selectBaseValues(project, specials, deviceClass);
    firstRecomputationDone_ = true;
    return true;
}

}  // namespace hesk::model
