#pragma once
// A value typed for a parameter, from text to the raw word that is written: validation
// against the effective limits (with the value dialog's message for a failure), then
// the conversion into the device word. Shared by the value dialog, heskmon and the
// parameter commands.

#include "InputValidation.h"
#include "OpenedProject.h"
#include "ParameterValueText.h"

#include <QString>

#include <optional>

namespace hesk::model {

struct TypedValueCheck {
    ValidationResult validation;
    EffectiveLimits limits;
    std::optional<UserMessage> message;  // the value dialog's warning when refused
};

TypedValueCheck checkTypedValue(OpenedProject& opened, const HeskParameterElement& element, const QString& text);

// The message for a conversion that failed after validation passed.
QString rawConversionErrorText(RawConversionError error);

struct TypedValueConversion {
    TypedValueCheck check;
    RawConversion raw;  // set only when the check accepted the text
    bool ok() const { return check.validation.accepted() && raw.raw.has_value(); }
    // Why it failed: the dialog's message, or the conversion's.
    QString failureText() const;
};

TypedValueConversion convertTypedValue(OpenedProject& opened, const HeskParameterElement& element,
                                       const QString& text);

}  // namespace hesk::model
