#include "ValueEdit.h"

#include "AllowedValues.h"
#include "BitWord.h"
#include "EditorMessages.h"
#include "MotorDataCascade.h"
#include "SpecialOptions.h"

#include "model/ParameterValueText.h"
#include "model/TypedValue.h"

namespace hesk::editing {

namespace {

constexpr uint16_t kOptionListParameter = 749;

}  // namespace

bool writeValueWord(DriveAccess& drive, const model::HeskParameterElement& parameter, uint16_t raw)
{
    link::PValueTable& table = drive.tables->parameters;
    const std::optional<uint16_t> previous = table.receivedValue(parameter.address);
    table.store(parameter.address, raw);
    if (drive.write(link::writeValueRequest(parameter.address, raw)))
        return true;
    if (previous)
        table.store(parameter.address, *previous);
    else
        table.forget(parameter.address);
    return false;
}

EditOutcome applyValueText(EditEnvironment& environment, const model::HeskParameterElement& parameter,
                           const QString& typed, const CascadeProgress& progress)
{
    model::OpenedProject& project = environment.project;
    // P0749's range is its option list: the list decides first and brings the text into
    // its stored form. The other special parameters are checked after the format, so
    // that a malformed text gets the format's message.
    QString text = typed;
    const AllowedValueSource allowed = AllowedValueSource::of(project);
    const bool optionList = parameter.number == kOptionListParameter;
    if (optionList && !text.trimmed().isEmpty() && !checkAllowedValue(allowed, parameter.number, text)) {
        environment.prompt.showMessage(allowedValueRefusal(parameter.number));
        return {};
    }
    const model::TypedValueCheck check = model::checkTypedValue(project, parameter, text);
    if (!check.validation.accepted()) {
        if (check.message)
            environment.prompt.showMessage(*check.message);
        return {};
    }
    if (!optionList) {
        QString typedValue = text.simplified().remove(QLatin1Char(' '));
        if (!checkAllowedValue(allowed, parameter.number, typedValue)) {
            environment.prompt.showMessage(allowedValueRefusal(parameter.number));
            return {};
        }
    }

    // The drive restores its factory settings at once: not while the control panel
    // drives the motor.
    if (environment.drive.online() && isFactoryRestoreChoice(parameter.number, check.validation.acceptedText)
        && environment.drive.motorControlHeld && environment.drive.motorControlHeld()) {
        environment.prompt.showMessage(factoryRestoreWhileControlHeld());
        return {};
    }

    if (!environment.drive.online()) {
        environment.offline.set(pages::offlineKey(project.deviceClass(), parameter), check.validation.acceptedText);
        return {true, check.validation.acceptedText};
    }

    const model::TypedValueConversion converted = model::convertTypedValue(project, parameter, text);
    if (!converted.check.validation.accepted()) {
        if (converted.check.message)
            environment.prompt.showMessage(*converted.check.message);
        return {};
    }
    if (!converted.raw.raw) {
        environment.prompt.showMessage(converted.raw.error == model::RawConversionError::WrongParameter
                                           ? conversionFailed()
                                           : model::UserMessage::warning(
                                                 model::rawConversionErrorText(converted.raw.error)));
        return {};
    }
    if (isCascadeReference(project, parameter)) {
        if (!writeReferenceCascade(environment, parameter, *converted.raw.raw, progress))
            return {false, converted.check.validation.acceptedText, true};
        return {true, converted.check.validation.acceptedText};
    }
    if (!writeValueWord(environment.drive, parameter, *converted.raw.raw)) {
        environment.prompt.showMessage(valueWriteFailed());
        return {false, converted.check.validation.acceptedText, true};
    }
    if (environment.drive.valuesWritten)
        environment.drive.valuesWritten();
    return {true, converted.check.validation.acceptedText};
}

EditOutcome applyBitWord(EditEnvironment& environment, const model::HeskParameterElement& parameter,
                         uint16_t word)
{
    return applyValueText(environment, parameter, bitWordText(parameter, word));
}

QString rangeText(model::OpenedProject& project, const model::HeskParameterElement& parameter)
{
    if (parameter.number == kOptionListParameter
        && hasAllowedValues(AllowedValueSource::of(project), parameter.number))
        return QStringLiteral("0.0~0.7、1.0~1.3、2.0~2.3、3.0~3.3、4.0~4.3、5.0~5.3");
    const model::EffectiveLimits limits = model::displayLimits(parameter, project.formulas());
    return limits.lower + QStringLiteral("~") + limits.upper;
}

}  // namespace hesk::editing
