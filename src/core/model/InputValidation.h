#pragma once
// Checks a value typed by the user or read from a parameter file against a parameter
// definition: emptiness, characters of the radix, decimals and the range. A passing
// value comes back normalised (spaces removed, hexadecimal digits brought to the width
// of the type, decimals padded); a failing one as a result code "error1".."error9".
// Also the texts that the value dialog and the parameter file import show for each code.

#include "ParameterTypes.h"
#include "UserMessage.h"

#include <QString>

#include <optional>

namespace hesk::model {

enum class ValidationCode {
    Accepted = 0,
    Empty = 1,            // "error1"
    WrongFormat = 2,      // "error2"
    BelowMinimum = 3,     // "error3"
    TooManyDecimals = 4,  // "error4"
    IntegerRequired = 5,  // "error5"
    AboveMaximum = 9,     // "error9"
};

struct ValidationResult {
    ValidationCode code = ValidationCode::Empty;
    QString acceptedText;  // the normalised value when code is Accepted, else empty

    bool accepted() const { return code == ValidationCode::Accepted; }
    // The accepted text, or the code as "error1".."error9".
    QString resultText() const;
};

// "error1".."error9" for a failure code; empty for Accepted.
QString validationCodeText(ValidationCode code);
std::optional<ValidationCode> validationCodeFromText(const QString& text);

// Validates value against [minText, maxText] (texts in the radix of the type, normally
// the effective limits). typeName decides the hexadecimal width ("V2" four digits, "V1"
// and "NK" two). Rules, first failure wins:
//  - every space is removed and the rest trimmed; nothing left -> Empty;
//  - binary: only "0"/"1" characters, else WrongFormat; a text other than exactly "0"
//    or "1" ("10", "00") -> BelowMinimum ("error3", shown as out of range);
//  - decimal: an optional leading "-", digits and at most one "." with at least one
//    digit; a second "." or a further "-" is WrongFormat (never half-read); a negative
//    text needs a digit 1..9 (so "-0" and "-0.00" are WrongFormat); a "." with decimals
//    below 1 -> IntegerRequired; more fraction digits than decimals -> TooManyDecimals;
//    fewer are padded with "0" ("1.5" at 3 decimals gives "1.500", "1." at 2 "1.00");
//    a text without "." is kept as it is;
//  - hexadecimal: "0x"/"0X" and at least one hex digit, else WrongFormat; digits beyond
//    the type's width lose their leading zeros, shorter ones are padded; the prefix is
//    kept as typed;
//  - range: below minText -> BelowMinimum, above maxText -> AboveMaximum, the limits
//    themselves pass; a limit that is not a number of the radix -> WrongFormat. An empty
//    limit counts as 0 (callers do not validate definitions without limits).
ValidationResult validateInput(const QString& value, const QString& minText,
                               const QString& maxText, int decimals, Radix radix,
                               const QString& typeName);

// The value dialog's warning (title "警告") for a failure code; nothing for Accepted.
std::optional<UserMessage> valueDialogMessage(ValidationCode code, int decimals);

// Which column of a parameter file row an import message is about.
enum class ImportValueKind { PValue, RValue };

// Log prefix of the parameter file import for a failure code (the row text follows),
// for example "修改值项值超过上限：". Empty for Accepted.
QString importMessagePrefix(ValidationCode code, ImportValueKind kind);

// Import log prefixes that concern connection (BICO) parameters.
enum class ConnectionImportMessage {
    PValueFormat,            // "P参数值项值格式不符合要求："
    RValueFormat,            // "r参数值项值格式不符合要求："
    ConnectionNotModifiable, // "不允许修改连线项："
    ConnectionValueWrong,    // "修改连线项值不正确："
};
QString connectionImportMessagePrefix(ConnectionImportMessage message);

// The import does not refuse TooManyDecimals and IntegerRequired: it cuts the value to
// `decimals` fraction digits, or to its integer part when decimals is below 1. A cut
// that leaves only zeros loses its "-" ("-0.001" at 2 decimals gives "0.00"), and an
// empty integer part becomes "0". The text must already have the decimal format.
QString cutToDecimals(const QString& decimalText, int decimals);

}  // namespace hesk::model
