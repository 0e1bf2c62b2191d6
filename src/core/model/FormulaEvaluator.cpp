#include "FormulaEvaluator.h"

#include "ParameterTypes.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

namespace hesk::model {

namespace {

constexpr QLatin1String kAllowedCharacters("+-*/^()Pr0123456789.logUbaseTDCn");
constexpr int kMaxDecimals = 30;

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool isOperator(QChar c)
{
    return c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('*')
        || c == QLatin1Char('/') || c == QLatin1Char('^');
}

int precedence(QChar op)
{
    if (op == QLatin1Char('^'))
        return 3;
    if (op == QLatin1Char('*') || op == QLatin1Char('/'))
        return 2;
    return 1;
}

bool allCharactersAllowed(QStringView formula)
{
    return std::all_of(formula.begin(), formula.end(), [](QChar c) {
        return c.unicode() < 128 && kAllowedCharacters.contains(c);
    });
}

FormulaResult failure(FormulaError error, const QString& token = {}) { return FormulaResult{std::nullopt, error, token}; }

// An operand as single-precision value; nothing when it leaves the float range.
std::optional<float> toSingle(const QString& operand)
{
    const double value = leadingNumber(operand).value_or(0.0);
    if (!std::isfinite(value) || std::fabs(value) > FLT_MAX)
        return std::nullopt;
    return static_cast<float>(value);
}

// One stack holding operands (as text) and operators and "(" in turn. Operands and
// operators are typed entries, so a value text such as "-" or "(" cannot be taken for
// an operator.
class FormulaStack {
public:
    FormulaError pushOperand(const QString& text)
    {
        if (!expectOperand_)
            return FormulaError::Malformed;
        entries_.push_back({Kind::Operand, text});
        expectOperand_ = false;
        return FormulaError::None;
    }

    FormulaError openParenthesis()
    {
        if (!expectOperand_)
            return FormulaError::Malformed;
        entries_.push_back({Kind::OpenParenthesis, QString()});
        return FormulaError::None;
    }

    FormulaError closeParenthesis()
    {
        if (expectOperand_)
            return FormulaError::Malformed;
        while (belowTopIs(Kind::Operator)) {
            if (const FormulaError error = reduce(); error != FormulaError::None)
                return error;
        }
        // Without a "(" the ")" closes everything to its left, as if the formula had
        // begun with "(".
        if (belowTopIs(Kind::OpenParenthesis))
            entries_.erase(entries_.end() - 2);
        return FormulaError::None;
    }

    FormulaError pushOperator(QChar op)
    {
        if (expectOperand_)
            return FormulaError::Malformed;
        // Equal precedence reduces first: every operator groups from the left.
        while (entries_.size() >= 3 && belowTopIs(Kind::Operator)
               && precedence(op) <= precedence(entries_[entries_.size() - 2].text.front())) {
            if (const FormulaError error = reduce(); error != FormulaError::None)
                return error;
        }
        entries_.push_back({Kind::Operator, QString(op)});
        expectOperand_ = true;
        return FormulaError::None;
    }

    FormulaResult finish()
    {
        if (entries_.empty())
            return failure(FormulaError::Empty);
        if (expectOperand_)
            return failure(FormulaError::Malformed);
        while (entries_.size() > 1) {
            if (belowTopIs(Kind::Operator)) {
                if (const FormulaError error = reduce(); error != FormulaError::None)
                    return failure(error);
            } else if (belowTopIs(Kind::OpenParenthesis)) {
                entries_.erase(entries_.end() - 2);  // a "(" left open closes here
            } else {
                return failure(FormulaError::Malformed);
            }
        }
        const double value = leadingNumber(entries_.front().text).value_or(0.0);
        if (!std::isfinite(value))
            return failure(FormulaError::NotFinite);
        return FormulaResult{value, FormulaError::None, {}};
    }

private:
    enum class Kind { Operand, Operator, OpenParenthesis };
    struct Entry {
        Kind kind;
        QString text;
    };

    bool belowTopIs(Kind kind) const
    {
        return entries_.size() >= 2 && entries_[entries_.size() - 2].kind == kind;
    }

    // Pops right operand, operator and left operand, computes in single precision and
    // pushes the result as "%f" text (six decimals).
    FormulaError reduce()
    {
        if (entries_.size() < 3)
            return FormulaError::Malformed;
        const Entry right = entries_.back();
        const Entry op = entries_[entries_.size() - 2];
        const Entry left = entries_[entries_.size() - 3];
        if (right.kind != Kind::Operand || op.kind != Kind::Operator || left.kind != Kind::Operand)
            return FormulaError::Malformed;
        entries_.resize(entries_.size() - 3);

        const auto l = toSingle(left.text);
        const auto r = toSingle(right.text);
        if (!l || !r)
            return FormulaError::NotFinite;
        float result = 0.0f;
        switch (op.text.front().toLatin1()) {
        case '+': result = *l + *r; break;
        case '-': result = *l - *r; break;
        case '*': result = *l * *r; break;
        case '/': result = *l / *r; break;
        default: result = std::pow(*l, *r); break;
        }
        if (!std::isfinite(result))
            return FormulaError::NotFinite;
        entries_.push_back({Kind::Operand, QString::number(static_cast<double>(result), 'f', 6)});
        return FormulaError::None;
    }

    std::vector<Entry> entries_;
    bool expectOperand_ = true;
};

// Reads one base-value token at position i; its length goes to length.
std::optional<BaseValueKind> baseValueToken(QStringView formula, qsizetype i, qsizetype& length)
{
    if (formula.mid(i, 6) == QLatin1String("UbaseT")) {
        length = 6;
        return BaseValueKind::Torque;
    }
    if (formula.mid(i, 4) == QLatin1String("UDCn")) {
        length = 4;
        return BaseValueKind::DcVoltage;
    }
    if (formula.mid(i, 5) == QLatin1String("Ubase")) {
        length = 5;
        return BaseValueKind::Voltage;
    }
    return std::nullopt;
}

// Evaluates a formula without the log2 rule.
FormulaResult evaluateExpression(QStringView formula, const FormulaOwnParameter& own,
                                 const FormulaContext& context)
{
    FormulaStack stack;
    const qsizetype size = formula.size();
    qsizetype i = 0;
    while (i < size) {
        const QChar c = formula[i];
        FormulaError error = FormulaError::None;
        if (isOperator(c)) {
            error = stack.pushOperator(c);
            ++i;
        } else if (c == QLatin1Char('(')) {
            error = stack.openParenthesis();
            ++i;
        } else if (c == QLatin1Char(')')) {
            error = stack.closeParenthesis();
            ++i;
        } else if (isDigit(c) || c == QLatin1Char('.')) {
            qsizetype end = i;
            while (end < size && (isDigit(formula[end]) || formula[end] == QLatin1Char('.')))
                ++end;
            error = stack.pushOperand(formula.mid(i, end - i).toString());
            i = end;
        } else if (c == QLatin1Char('P') || c == QLatin1Char('r')) {
            qsizetype end = i + 1;
            while (end < size && isDigit(formula[end]))
                ++end;
            if (end < size && formula[end] == QLatin1Char('.')) {
                ++end;
                while (end < size && isDigit(formula[end]))
                    ++end;
            }
            const QString reference = formula.mid(i, end - i).toString();
            const auto parsed = parseKeyText(reference);
            // Only the exact key text names a parameter ("P0107.1", not "P0107.01").
            if (!parsed || keyText(parsed->settable, parsed->number, parsed->subIndex) != reference)
                return failure(FormulaError::UnknownToken);
            const std::optional<QString> value =
                reference == own.keyText ? std::optional<QString>(own.value) : context.referenceValue(reference);
            if (!value)
                return failure(FormulaError::UnknownReference, reference);
            if (!leadingNumber(*value))
                return failure(FormulaError::ValueUnavailable, reference);
            error = stack.pushOperand(*value);
            i = end;
        } else if (c == QLatin1Char('U')) {
            if (size - i - 1 < 3)
                return failure(FormulaError::BaseValueTooShort);
            qsizetype length = 0;
            const auto kind = baseValueToken(formula, i, length);
            if (!kind)
                return failure(FormulaError::UnknownToken);
            const QString value = context.baseValue(*kind);
            if (value == kWrongParameter || !leadingNumber(value))
                return failure(FormulaError::ValueUnavailable, formula.mid(i, length).toString());
            error = stack.pushOperand(value);
            i += length;
        } else {
            return failure(FormulaError::UnknownToken);
        }
        if (error != FormulaError::None)
            return failure(error);
    }
    return stack.finish();
}

}  // namespace

std::optional<double> leadingNumber(QStringView text)
{
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size && text[i].isSpace())
        ++i;
    const qsizetype start = i;
    if (i < size && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    int digits = 0;
    while (i < size && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < size && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < size && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    qsizetype end = i;
    if (i < size && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < size && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            ++j;
        if (j < size && isDigit(text[j])) {
            while (j < size && isDigit(text[j]))
                ++j;
            end = j;
        }
    }
    // The text is a well-formed decimal number here; only an overflow fails, and that
    // reads as infinity.
    bool ok = false;
    const double value = text.mid(start, end - start).toDouble(&ok);
    if (!ok && !std::isinf(value))
        return std::nullopt;
    return value;
}

FormulaResult evaluateFormula(const QString& formula, const FormulaOwnParameter& own,
                              const FormulaContext& context)
{
    if (formula.isEmpty())
        return failure(FormulaError::Empty);
    if (!allCharactersAllowed(formula))
        return failure(FormulaError::InvalidCharacter);
    if (!formula.contains(QLatin1String("log2")))
        return evaluateExpression(formula, own, context);

    // log2: only the text between the first "(" and the last ")" counts.
    const qsizetype open = formula.indexOf(QLatin1Char('('));
    const qsizetype close = formula.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open)
        return failure(FormulaError::Malformed);
    const FormulaResult inner =
        evaluateExpression(QStringView(formula).mid(open + 1, close - open - 1), own, context);
    if (!inner.ok())
        return inner;
    if (*inner.value <= 0.0)
        return failure(FormulaError::NotFinite);  // log2 of zero or a negative value
    const float log2Value = static_cast<float>(std::log(*inner.value) / std::log(2.0));
    const double result = log2Value / 100.0;
    if (!std::isfinite(result))
        return failure(FormulaError::NotFinite);
    return FormulaResult{result, FormulaError::None, {}};
}

QString formatFormulaResult(const FormulaResult& result, int decimals)
{
    if (!result.ok())
        return QString(kWrongParameter);
    QString text = QString::number(*result.value, 'f', std::clamp(decimals, 0, kMaxDecimals));
    // "-0.00": the sign of a value that rounds to zero carries no meaning.
    if (text.startsWith(QLatin1Char('-'))
        && std::none_of(text.begin(), text.end(),
                        [](QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('9'); }))
        text.remove(0, 1);
    return text;
}

QString evaluateFormulaText(const QString& formula, const FormulaOwnParameter& own, int decimals,
                            const FormulaContext& context)
{
    return formatFormulaResult(evaluateFormula(formula, own, context), decimals);
}

}  // namespace hesk::model
