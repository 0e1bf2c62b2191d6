#include "SetpointUnits.h"

#include "model/ParameterTypes.h"
#include "model/TypedValue.h"
#include "pages/PageValueText.h"

#include <QCoreApplication>

namespace hesk::operation {

QString setpointUnitName(SetpointUnit unit)
{
    switch (unit) {
    case SetpointUnit::Hz: return QCoreApplication::translate("SetpointUnits", "频率给定(Hz)");
    case SetpointUnit::HzPercent: return QCoreApplication::translate("SetpointUnits", "频率给定(%)");
    case SetpointUnit::Rpm: return QCoreApplication::translate("SetpointUnits", "转速给定(r/min)");
    case SetpointUnit::RpmPercent: return QCoreApplication::translate("SetpointUnits", "转速给定(%)");
    }
    return {};
}

QString actualValueCaption(SetpointUnit unit)
{
    switch (unit) {
    case SetpointUnit::Hz: return QCoreApplication::translate("SetpointUnits", "实际频率(Hz)");
    case SetpointUnit::HzPercent: return QCoreApplication::translate("SetpointUnits", "实际频率(%)");
    case SetpointUnit::Rpm: return QCoreApplication::translate("SetpointUnits", "实际转速(r/min)");
    case SetpointUnit::RpmPercent: return QCoreApplication::translate("SetpointUnits", "实际转速(%)");
    }
    return {};
}

std::optional<SetpointUnit> setpointUnitFromIndex(int index)
{
    if (index < 0 || index > 3)
        return std::nullopt;
    return static_cast<SetpointUnit>(index);
}

model::HeskParameterElement setpointRecord(const model::HeskParameterElement& setpoint, SetpointUnit unit,
                                           const QString& referenceSpeed)
{
    model::HeskParameterElement record = setpoint;
    if (speedUnit(unit)) {
        // The setpoint is a percentage of the reference speed 3000 r/min x P0353 / 100;
        // the way back divides by that same speed, so a value survives the round trip.
        // Formulas work on the device word: a percentage word (N2) holds 16384 for 100 %.
        const QString key = model::keyText(setpoint);
        const QString reference = referenceSpeed.trimmed().isEmpty() ? QStringLiteral("P0353")
                                                                     : QStringLiteral("(%1)").arg(referenceSpeed.trimmed());
        const QString percent = model::typeName(setpoint.typeCode) == QLatin1String("N2")
                                    ? QStringLiteral("(%1/163.84)").arg(key)
                                    : key;
        const QString toWord = model::typeName(setpoint.typeCode) == QLatin1String("N2") ? QStringLiteral("*163.84")
                                                                                        : QString();
        record.commandType = QStringLiteral("3");
        record.decimals = 1;
        record.reverseFormula = QStringLiteral("(3000*%1/100)*%2/100").arg(reference, percent);
        record.forwardFormula = QStringLiteral("100*%1/(3000*%2/100)%3").arg(key, reference, toWord);
        record.maxText = QStringLiteral("50000");
        record.minText = QStringLiteral("-50000");
    }
    if (percentUnit(unit)) {
        record.commandType = QStringLiteral("2");
        record.maxText = QStringLiteral("199.994");
        record.minText = QStringLiteral("-200");
    }
    return record;
}

std::optional<uint16_t> setpointWord(model::OpenedProject& project, const model::HeskParameterElement& setpoint,
                                     SetpointUnit unit, const QString& referenceSpeed, const QString& text)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const model::TypedValueConversion converted = model::convertTypedValue(project, setpointRecord(setpoint, unit, referenceSpeed), text);
    if (!converted.ok())
        return std::nullopt;
    return *converted.raw.raw;
}

QString setpointText(model::OpenedProject& project, const model::HeskParameterElement& setpoint, SetpointUnit unit,
                     const QString& referenceSpeed, uint16_t word)
{
    const QString text = pages::displayValueText(setpointRecord(setpoint, unit, referenceSpeed), word, project.project().timeBases,
                                                 project.formulas());
    return percentUnit(unit) ? threeDecimals(text) : text;
}

QString convertSetpointText(model::OpenedProject& project, const model::HeskParameterElement& setpoint,
                            SetpointUnit from, SetpointUnit to, const QString& referenceSpeed,
                            const QString& text)
{
    const std::optional<uint16_t> word = setpointWord(project, setpoint, from, referenceSpeed, text);
    if (!word)
        return {};
    return setpointText(project, setpoint, to, referenceSpeed, *word);
}

QString threeDecimals(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? QString::asprintf("%.3f", value) : text;
}

}  // namespace hesk::operation
