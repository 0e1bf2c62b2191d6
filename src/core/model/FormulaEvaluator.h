#pragma once
// The formula language of converted parameters and its single-stack evaluator.
//
// A formula is made of the 32 characters "+-*/^()Pr0123456789.logUbaseTDCn":
// numbers (runs of digits and "."), parameter references ("P"/"r", four digits,
// optionally "." and a sub-index, spelled exactly as a key text), the base values
// "Ubase", "UbaseT" and "UDCn", the operators + - * / ^ and parentheses. Every operator
// groups from the left ("^" included: 2^3^2 = 64); "^" binds before "*" "/", which bind
// before "+" "-". There is no unary minus. A formula that contains "log2" evaluates only
// the text between its first "(" and its last ")" and returns log2 of that / 100.
//
// A "U" needs at least three characters after it and must begin one of the three base
// value names spelled out in full ("Ubas+1" is refused, not read as "Ubase").
//
// Every intermediate result is computed in single precision and kept as text with six
// decimals, and that rounding shows in results: 1/3*3 gives 0.999999.
//
// Failures are results, never exceptions. Malformed formulas give "WrongParameter":
// an empty formula, "()", an operator without both operands ("+", "2+", "-2"), an
// operand right after an operand or ")" ("2(3)"), "log2" without "(...)". Unbalanced
// parentheses are forgiven: a "(" left open is closed at the end of the formula, and a
// ")" without "(" closes everything to its left. A non-finite result (division by
// zero, overflow, log2 of a value <= 0) also gives "WrongParameter", so no caller ever
// receives "inf" or "nan" as a value text.
//
// The evaluator holds no state: the own value, the other parameters' values and the
// base values come in through the arguments and the FormulaContext.

#include "BaseValues.h"

#include <QLatin1String>
#include <QString>

#include <optional>

namespace hesk::model {

// The marker text of a value that cannot be computed.
inline constexpr QLatin1String kWrongParameter("WrongParameter");

// Where a formula's references and base values come from.
class FormulaContext {
public:
    virtual ~FormulaContext() = default;
    // Value text of a parameter a formula may refer to besides its own ("P0071",
    // "P0109", ...); nothing when formulas may not refer to it or it has no value.
    virtual std::optional<QString> referenceValue(const QString& keyText) const = 0;
    // Current base value as text: a number or "WrongParameter".
    virtual QString baseValue(BaseValueKind kind) const = 0;
};

// The parameter being converted: its key text in the formula stands for its value.
struct FormulaOwnParameter {
    QString keyText;
    QString value;
};

enum class FormulaError {
    None,
    Empty,              // nothing to evaluate ("", "log2()")
    InvalidCharacter,   // a character outside the language, spaces included
    UnknownToken,       // letters forming no key text, base value or log2 ("P010", "Ubas", "lo")
    UnknownReference,   // a key text that is neither the own one nor one formulas may use
    ValueUnavailable,   // own value, reference or base value not a number, or "WrongParameter"
    BaseValueTooShort,  // a "U" with fewer than three characters after it
    Malformed,          // operator without operands, "()", operand after operand
    NotFinite,          // division by zero, overflow, log2 of a value <= 0
};

struct FormulaResult {
    std::optional<double> value;
    FormulaError error = FormulaError::None;
    // For UnknownReference and ValueUnavailable: the reference or base value that did not
    // resolve ("P0109.001", "UDCn"), for the log line that says why.
    QString failedToken;

    bool ok() const { return value.has_value(); }
};

// Evaluates the formula. Number tokens convert by their longest valid beginning ("1.2.3"
// reads 1.2, "." reads 0); value texts from the own parameter, the context and the base
// values must begin with a number, else the result is ValueUnavailable.
FormulaResult evaluateFormula(const QString& formula, const FormulaOwnParameter& own,
                              const FormulaContext& context);

// "%.<decimals>f" of the value ("WrongParameter" for a failed result). Negative
// decimals count as 0, more than 30 as 30; a result that rounds to zero is written
// without a minus sign ("0.00", never "-0.00", which value validation refuses).
QString formatFormulaResult(const FormulaResult& result, int decimals);

// evaluateFormula followed by formatFormulaResult.
QString evaluateFormulaText(const QString& formula, const FormulaOwnParameter& own, int decimals,
                            const FormulaContext& context);

// The longest beginning of the text that reads as a decimal number (leading white
// space, an optional sign, digits with at most one ".", an optional exponent); nothing
// when it holds no digit there.
std::optional<double> leadingNumber(QStringView text);

}  // namespace hesk::model
