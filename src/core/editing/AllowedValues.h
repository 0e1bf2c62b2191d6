#pragma once
// The allowed values of the special parameters: every path that writes a value (value
// editor, offline import, download) checks a value text against this table before it is
// used. Parameters outside the table are not restricted here; the general range checks
// of the definition still apply to them. Matched by parameter number: every sub-index
// (data set) of a listed parameter has the same set.

#include "model/DeviceCatalogue.h"
#include "model/OpenedProject.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace hesk::editing {

// What the table depends on besides the parameter: the device class, the project's
// firmware version (the P0340 range) and the keys of the base-value table (P0070).
struct AllowedValueSource {
    model::DeviceClass deviceClass = model::DeviceClass::None;
    QString deviceVersion;
    QStringList baseValueKeys;  // column 0 of every base-value row

    static AllowedValueSource of(const model::OpenedProject& project);
    static AllowedValueSource of(model::DeviceClass deviceClass, const model::HeskProject& project);
};

// The firmware family (model::isNewFirmware) whose new versions have the extended P0340
// range with 1.5 and 2 kHz.
inline constexpr int kExtendedPulseFrequencyFamily = 2;

// True when the table restricts this parameter on the device class.
bool hasAllowedValues(const AllowedValueSource& source, uint16_t number);

// The allowed value texts of a restricted parameter, in table order; for P0749 the
// stored forms "0.0", "0.7", ... "5.3". Nothing when the parameter is not restricted.
std::optional<QStringList> allowedValues(const AllowedValueSource& source, uint16_t number);

// Checks a value text. True when the value may be used; a restricted parameter accepts
// only the texts of its set. P0749 accepts its values in short forms and rewrites the
// text into the stored form ("1" -> "1.0", "01.3" -> "1.3"); every other text stays as
// it was. A refused text is left unchanged.
bool checkAllowedValue(const AllowedValueSource& source, uint16_t number, QString& valueText);

// The value editor's message for a value the table refused: the option list for P0749,
// the general out-of-range message for the others (title "警告").
model::UserMessage allowedValueRefusal(uint16_t number);

// The beginning of the log line with which the offline import and the download report a
// refused value; the file's row follows it.
QString allowedValueRefusalLogPrefix();

}  // namespace hesk::editing
