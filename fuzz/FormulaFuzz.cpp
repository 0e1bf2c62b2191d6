// Feeds arbitrary text to the formula evaluator: the input up to its first line break is
// the formula, the rest the own parameter's value text; the input's length picks the
// decimals. The references and base values come from a fixed context, one base value of
// which cannot be computed. Besides the sanitizers it checks what callers rely on: a
// result is a finite number exactly when there is no error, the text form is never "inf",
// "nan" or a negative zero, the text call agrees with the two steps, and the evaluation
// holds no state (the same formula gives the same result twice).

#include "model/FormulaEvaluator.h"

#include <QHash>
#include <QRegularExpression>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace hesk::model;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

class FixedContext final : public FormulaContext {
public:
    std::optional<QString> referenceValue(const QString& keyText) const override
    {
        static const QHash<QString, QString> values = {
            {QStringLiteral("P0071"), QStringLiteral("380")},   {QStringLiteral("P0072"), QStringLiteral("50.00")},
            {QStringLiteral("P0073"), QStringLiteral("0.75")},  {QStringLiteral("r0071"), QStringLiteral("7.5")},
            {QStringLiteral("r0072"), QStringLiteral("-1e3")},  {QStringLiteral("P0109"), QStringLiteral("2")},
        };
        const auto it = values.constFind(keyText);
        if (it == values.constEnd())
            return std::nullopt;
        return it.value();
    }
    QString baseValue(BaseValueKind kind) const override
    {
        switch (kind) {
        case BaseValueKind::Voltage: return QStringLiteral("400");
        case BaseValueKind::Torque: return QStringLiteral("1.234e2");
        case BaseValueKind::DcVoltage: return QString(kWrongParameter);
        default: return QStringLiteral("1");
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype lineBreak = input.indexOf(QLatin1Char('\n'));
    const QString formula = lineBreak < 0 ? input : input.left(lineBreak);
    const FormulaOwnParameter own{QStringLiteral("P0100"), lineBreak < 0 ? QStringLiteral("12.5") : input.mid(lineBreak + 1)};
    const int decimals = static_cast<int>(size % 9);
    const FixedContext context;

    const FormulaResult result = evaluateFormula(formula, own, context);
    check(result.ok() == (result.error == FormulaError::None));
    if (result.ok())
        check(std::isfinite(*result.value));

    const QString text = formatFormulaResult(result, decimals);
    check(!text.contains(QLatin1String("inf")) && !text.contains(QLatin1String("nan")));
    if (result.ok()) {
        check(!text.startsWith(QLatin1Char('-')) || text.contains(QRegularExpression(QStringLiteral("[1-9]"))));
    } else {
        check(text == kWrongParameter);
    }
    check(evaluateFormulaText(formula, own, decimals, context) == text);

    const FormulaResult again = evaluateFormula(formula, own, context);
    check(again.error == result.error && again.value == result.value);

    if (const std::optional<double> number = leadingNumber(own.value))
        check(!std::isnan(*number));
    return 0;
}
