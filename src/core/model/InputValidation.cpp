#include "InputValidation.h"

#include "NumberBase.h"

#include <QCoreApplication>

#include <algorithm>

namespace hesk::model {

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isHexDigit(QChar c)
{
    return isDigit(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

bool hasHexPrefix(const QString& text)
{
    return text.startsWith(QLatin1String("0x")) || text.startsWith(QLatin1String("0X"));
}

// An optional leading "-", digits and at most one "."; at least one digit. A second "."
// or another "-" is refused here rather than half-read by a number parser later.
bool isDecimalText(const QString& text)
{
    const qsizetype start = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    int dots = 0;
    int digits = 0;
    for (qsizetype i = start; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('.'))
            ++dots;
        else if (isDigit(c))
            ++digits;
        else
            return false;
    }
    return dots <= 1 && digits > 0;
}

bool isHexText(const QString& text)
{
    if (text.size() < 3 || !hasHexPrefix(text))
        return false;
    for (qsizetype i = 2; i < text.size(); ++i)
        if (!isHexDigit(text[i]))
            return false;
    return true;
}

bool isBinaryCharacters(const QString& text)
{
    for (QChar c : text)
        if (c != QLatin1Char('0') && c != QLatin1Char('1'))
            return false;
    return true;
}

int hexWidth(const QString& typeName)
{
    if (typeName == QLatin1String("V2"))
        return 4;
    if (typeName == QLatin1String("V1") || typeName == QLatin1String("NK"))
        return 2;
    return 0;  // no width of its own: digits stay as typed
}

// Brings the digits after the prefix to the width of the type: a longer digit string
// loses its leading zeros first, a shorter one is padded with "0".
QString normaliseHex(const QString& text, int width)
{
    QString digits = text.mid(2);
    if (width > 0 && digits.size() > width) {
        qsizetype firstNonZero = 0;
        while (firstNonZero < digits.size() - 1 && digits[firstNonZero] == QLatin1Char('0'))
            ++firstNonZero;
        digits = digits.mid(firstNonZero);
    }
    if (width > 0 && digits.size() < width)
        digits = QString(width - digits.size(), QLatin1Char('0')) + digits;
    return text.left(2) + digits;
}

// Number of a value or limit text in the radix; an empty limit text counts as 0.
std::optional<double> numberOf(const QString& text, Radix radix)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0.0;
    switch (radix) {
    case Radix::Binary:
        if (const auto value = binaryToUnsigned(trimmed))
            return static_cast<double>(*value);
        return std::nullopt;
    case Radix::Hexadecimal:
        if (const auto value = hexToUnsigned(trimmed))
            return static_cast<double>(*value);
        return std::nullopt;
    case Radix::Decimal: {
        bool ok = false;
        const double value = trimmed.toDouble(&ok);
        if (ok)
            return value;
        return std::nullopt;
    }
    }
    return std::nullopt;
}

ValidationResult failure(ValidationCode code)
{
    return {code, {}};
}

// Decimal-specific steps: sign, decimals and padding. Returns the normalised text or
// the failure.
ValidationResult checkDecimal(const QString& text, int decimals)
{
    if (text.startsWith(QLatin1Char('-'))) {
        bool hasNonZeroDigit = false;
        for (QChar c : text)
            if (c >= QLatin1Char('1') && c <= QLatin1Char('9'))
                hasNonZeroDigit = true;
        if (!hasNonZeroDigit)
            return failure(ValidationCode::WrongFormat);
    }
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return {ValidationCode::Accepted, text};
    if (decimals < 1)
        return failure(ValidationCode::IntegerRequired);
    const qsizetype fractionDigits = text.size() - dot - 1;
    if (fractionDigits > decimals)
        return failure(ValidationCode::TooManyDecimals);
    return {ValidationCode::Accepted, text + QString(decimals - fractionDigits, QLatin1Char('0'))};
}

}  // namespace

QString ValidationResult::resultText() const
{
    return accepted() ? acceptedText : validationCodeText(code);
}

QString validationCodeText(ValidationCode code)
{
    if (code == ValidationCode::Accepted)
        return {};
    return QStringLiteral("error%1").arg(static_cast<int>(code));
}

std::optional<ValidationCode> validationCodeFromText(const QString& text)
{
    for (ValidationCode code : {ValidationCode::Empty, ValidationCode::WrongFormat,
                                ValidationCode::BelowMinimum, ValidationCode::TooManyDecimals,
                                ValidationCode::IntegerRequired, ValidationCode::AboveMaximum})
        if (text == validationCodeText(code))
            return code;
    return std::nullopt;
}

ValidationResult validateInput(const QString& value, const QString& minText,
                               const QString& maxText, int decimals, Radix radix,
                               const QString& typeName)
{
    QString text = value;
    text.remove(QLatin1Char(' '));
    text = text.trimmed();
    if (text.isEmpty())
        return failure(ValidationCode::Empty);

    switch (radix) {
    case Radix::Binary:
        if (!isBinaryCharacters(text))
            return failure(ValidationCode::WrongFormat);
        if (text != QLatin1String("0") && text != QLatin1String("1"))
            return failure(ValidationCode::BelowMinimum);
        break;
    case Radix::Hexadecimal:
        if (!isHexText(text))
            return failure(ValidationCode::WrongFormat);
        text = normaliseHex(text, hexWidth(typeName));
        break;
    case Radix::Decimal: {
        if (!isDecimalText(text))
            return failure(ValidationCode::WrongFormat);
        const ValidationResult decimal = checkDecimal(text, decimals);
        if (!decimal.accepted())
            return decimal;
        text = decimal.acceptedText;
        break;
    }
    }

    const std::optional<double> number = numberOf(text, radix);
    const std::optional<double> minimum = numberOf(minText, radix);
    const std::optional<double> maximum = numberOf(maxText, radix);
    if (!number || !minimum || !maximum)
        return failure(ValidationCode::WrongFormat);
    if (*number < *minimum)
        return failure(ValidationCode::BelowMinimum);
    if (*number > *maximum)
        return failure(ValidationCode::AboveMaximum);
    return {ValidationCode::Accepted, text};
}

std::optional<UserMessage> valueDialogMessage(ValidationCode code, int decimals)
{
    switch (code) {
    case ValidationCode::Accepted:
        return std::nullopt;
    case ValidationCode::Empty:
        return UserMessage::warning(QCoreApplication::translate("InputValidation", "数据不允许为空，请重新输入！"));
    case ValidationCode::WrongFormat:
        return UserMessage::warning(QCoreApplication::translate("InputValidation", "数据格式不符合要求！"));
    case ValidationCode::BelowMinimum:
    case ValidationCode::AboveMaximum:
        return UserMessage::warning(QCoreApplication::translate("InputValidation", "数据不在范围内！"));
    case ValidationCode::TooManyDecimals:
        return UserMessage::warning(
            QCoreApplication::translate("InputValidation", "此类型参数值小数部分最多保留 %1 位！").arg(decimals));
    case ValidationCode::IntegerRequired:
        return UserMessage::warning(QCoreApplication::translate("InputValidation", "此参数类型只允许输入整数！"));
    }
    return std::nullopt;
}

QString importMessagePrefix(ValidationCode code, ImportValueKind kind)
{
    const bool p = kind == ImportValueKind::PValue;
    switch (code) {
    case ValidationCode::Accepted:
        return {};
    case ValidationCode::Empty:
        return p ? QStringLiteral("修改值项值不能为空：") : QStringLiteral("r参数值项值不能为空：");
    case ValidationCode::WrongFormat:
        return p ? QStringLiteral("修改值项值格式不符合要求：") : QStringLiteral("r参数值项值格式不符合要求：");
    case ValidationCode::BelowMinimum:
        return p ? QStringLiteral("修改值项值超过下限：") : QStringLiteral("r参数值项值超过下限：");
    case ValidationCode::AboveMaximum:
        return p ? QStringLiteral("修改值项值超过上限：") : QStringLiteral("r参数值项值超过上限：");
    case ValidationCode::TooManyDecimals:
        return p ? QStringLiteral("修改值项值被截取了小数点：") : QStringLiteral("r参数值项值被截取了小数点：");
    case ValidationCode::IntegerRequired:
        return p ? QStringLiteral("修改值项值被保留为整数：") : QStringLiteral("r参数值项值被保留为整数：");
    }
    return {};
}

QString connectionImportMessagePrefix(ConnectionImportMessage message)
{
    switch (message) {
    case ConnectionImportMessage::PValueFormat: return QStringLiteral("P参数值项值格式不符合要求：");
    case ConnectionImportMessage::RValueFormat: return QStringLiteral("r参数值项值格式不符合要求：");
    case ConnectionImportMessage::ConnectionNotModifiable: return QStringLiteral("不允许修改连线项：");
    case ConnectionImportMessage::ConnectionValueWrong: return QStringLiteral("修改连线项值不正确：");
    }
    return {};
}

QString cutToDecimals(const QString& decimalText, int decimals)
{
    const qsizetype dot = decimalText.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return decimalText;
    QString cut = decimals >= 1 ? decimalText.left(std::min(decimalText.size(), dot + 1 + decimals))
                                : decimalText.left(dot);
    const bool negative = cut.startsWith(QLatin1Char('-'));
    if (negative)
        cut.remove(0, 1);
    if (cut.isEmpty() || cut.startsWith(QLatin1Char('.')))
        cut.prepend(QLatin1Char('0'));
    // A cut that leaves only zeros must not keep its sign: "-0" is no valid value.
    bool nonZero = false;
    for (QChar c : cut)
        if (c >= QLatin1Char('1') && c <= QLatin1Char('9'))
            nonZero = true;
    return negative && nonZero ? QLatin1Char('-') + cut : cut;
}

}  // namespace hesk::model
