#include "model/FormulaEvaluator.h"

#include <gtest/gtest.h>

#include <QHash>

#include <array>
#include <ostream>

using hesk::model::BaseValueKind;
using hesk::model::evaluateFormula;
using hesk::model::evaluateFormulaText;
using hesk::model::formatFormulaResult;
using hesk::model::FormulaContext;
using hesk::model::FormulaError;
using hesk::model::FormulaOwnParameter;
using hesk::model::FormulaResult;
using hesk::model::leadingNumber;

namespace {

// References and base values as a table; anything not in the table does not resolve.
class TableContext : public FormulaContext {
public:
    QHash<QString, QString> references{{"P0071", "400"}, {"r0072", "0.5"}, {"P0109", "1.5"},
                                       {"P0072", ""}, {"P0073", "abc"}};
    std::array<QString, 5> bases{"380", "50", "75", "100", "540"};  // U, I, P, T, DC

    std::optional<QString> referenceValue(const QString& keyText) const override
    {
        const auto it = references.constFind(keyText);
        return it == references.constEnd() ? std::nullopt : std::optional<QString>(it.value());
    }
    QString baseValue(BaseValueKind kind) const override { return bases[static_cast<int>(kind)]; }
};

struct EvaluationCase {
    const char* formula;
    const char* ownKey;
    const char* ownValue;
    int decimals;
    const char* expected;
    FormulaError error = FormulaError::None;
};

std::ostream& operator<<(std::ostream& out, const EvaluationCase& c)
{
    return out << '"' << c.formula << "\" own " << c.ownKey << '=' << c.ownValue << " decimals "
               << c.decimals;
}

class FormulaEvaluation : public ::testing::TestWithParam<EvaluationCase> {};

TEST_P(FormulaEvaluation, givesExpectedTextAndError)
{
    const EvaluationCase& c = GetParam();
    const TableContext context;
    const FormulaOwnParameter own{QString::fromUtf8(c.ownKey), QString::fromUtf8(c.ownValue)};
    const FormulaResult result = evaluateFormula(QString::fromUtf8(c.formula), own, context);
    EXPECT_EQ(formatFormulaResult(result, c.decimals).toStdString(), c.expected);
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(result.ok(), c.error == FormulaError::None);
}

// Expected values follow from the algorithm: operands become floats, every
// intermediate result is kept as "%f" text, the final entry is formatted with decimals.
INSTANTIATE_TEST_SUITE_P(Arithmetic, FormulaEvaluation, ::testing::Values(
    EvaluationCase{"r0021*UDCn/16384", "r0021", "8192", 2, "270.00"},
    EvaluationCase{"r0021*16384/UDCn", "r0021", "270", 0, "8192"},
    EvaluationCase{"(P0100+2)*3", "P0100", "1", 0, "9"},
    EvaluationCase{"P0100+2*3", "P0100", "1", 0, "7"},
    EvaluationCase{"2^3^2", "P0100", "1", 0, "64"},
    EvaluationCase{"2*3^2", "P0100", "1", 0, "18"},
    EvaluationCase{"(2+3)^2", "P0100", "1", 0, "25"},
    EvaluationCase{"10-2-3", "P0100", "1", 0, "5"},
    EvaluationCase{"8/4/2", "P0100", "1", 0, "1"},
    EvaluationCase{"2+3*4^2-1", "P0100", "1", 0, "49"},
    EvaluationCase{"((1+2)*(3+4))", "P0100", "1", 0, "21"},
    EvaluationCase{"P0100*2", "P0100", "-5", 1, "-10.0"},
    EvaluationCase{"P0100", "P0100", "12.3456", 2, "12.35"},
    EvaluationCase{"1/0.5", "P0100", "1", 3, "2.000"}));

INSTANTIATE_TEST_SUITE_P(SinglePrecisionAndSixDecimals, FormulaEvaluation, ::testing::Values(
    // 1/3 -> "0.333333" -> times 3 -> 0.999999 (double arithmetic would give 1).
    EvaluationCase{"1/3*3", "P0100", "1", 6, "0.999999"},
    // 16777217 has no float; it rounds to 16777216 before the addition.
    EvaluationCase{"16777217+0", "P0100", "1", 0, "16777216"},
    // An intermediate keeps six decimals only; a lone number is not reduced.
    EvaluationCase{"0.0000004+0", "P0100", "1", 7, "0.0000000"},
    EvaluationCase{"0.0000004", "P0100", "1", 7, "0.0000004"},
    // Malformed number runs read their longest valid beginning, "." alone reads 0.
    EvaluationCase{"1.2.3+0", "P0100", "1", 1, "1.2"},
    EvaluationCase{".+1", "P0100", "1", 0, "1"},
    // Rounds to zero: no "-0.00".
    EvaluationCase{"0-0.001", "P0100", "1", 2, "0.00"},
    // Decimals out of range are clamped.
    EvaluationCase{"7/2", "P0100", "1", -1, "4"}));

INSTANTIATE_TEST_SUITE_P(Log2, FormulaEvaluation, ::testing::Values(
    EvaluationCase{"log2(P0100)", "P0100", "1024", 1, "0.1"},
    EvaluationCase{"log2(P0100)", "P0100", "1024", 3, "0.100"},
    // Only the text between the first "(" and the last ")" is evaluated.
    EvaluationCase{"3+log2(P0100)*7", "P0100", "1024", 3, "0.100"},
    EvaluationCase{"log2((P0100+4)*2)", "P0100", "4", 2, "0.04"},
    EvaluationCase{"log2(0)", "P0100", "1", 2, "WrongParameter", FormulaError::NotFinite},
    EvaluationCase{"log2(0-8)", "P0100", "1", 2, "WrongParameter", FormulaError::NotFinite},
    EvaluationCase{"log2", "P0100", "1", 2, "WrongParameter", FormulaError::Malformed},
    EvaluationCase{"log2)P0100(", "P0100", "1", 2, "WrongParameter", FormulaError::Malformed},
    EvaluationCase{"log2()", "P0100", "1", 2, "WrongParameter", FormulaError::Empty}));

INSTANTIATE_TEST_SUITE_P(ReferencesAndBaseValues, FormulaEvaluation, ::testing::Values(
    EvaluationCase{"P0071*2", "P0100", "1", 0, "800"},
    EvaluationCase{"P0100*r0072", "P0100", "3", 1, "1.5"},
    EvaluationCase{"P0109*2", "P0100", "1", 0, "3"},
    // The own key text wins over a reference of the same name.
    EvaluationCase{"P0071+1", "P0071", "5", 0, "6"},
    EvaluationCase{"P0107.1*2", "P0107.1", "4", 0, "8"},
    EvaluationCase{"Ubase/2", "P0100", "1", 0, "190"},
    EvaluationCase{"UbaseT*2", "P0100", "1", 0, "200"},
    EvaluationCase{"UDCn", "P0100", "1", 0, "540"},
    EvaluationCase{"Ubase+UbaseT+UDCn", "P0100", "1", 0, "1020"},
    EvaluationCase{"P0200+1", "P0100", "1", 0, "WrongParameter", FormulaError::UnknownReference},
    EvaluationCase{"P0107+1", "P0107.1", "1", 0, "WrongParameter", FormulaError::UnknownReference},
    EvaluationCase{"P010+1", "P0100", "1", 0, "WrongParameter", FormulaError::UnknownToken},
    EvaluationCase{"P00100+1", "P0100", "1", 0, "WrongParameter", FormulaError::UnknownToken},
    EvaluationCase{"P0100.01", "P0100.1", "1", 0, "WrongParameter", FormulaError::UnknownToken},
    EvaluationCase{"P0100.+1", "P0100", "1", 0, "WrongParameter", FormulaError::UnknownToken},
    EvaluationCase{"r+1", "P0100", "1", 0, "WrongParameter", FormulaError::UnknownToken},
    EvaluationCase{"P0072+1", "P0100", "1", 0, "WrongParameter", FormulaError::ValueUnavailable},
    EvaluationCase{"P0073+1", "P0100", "1", 0, "WrongParameter", FormulaError::ValueUnavailable},
    EvaluationCase{"P0100+1", "P0100", "abc", 0, "WrongParameter", FormulaError::ValueUnavailable},
    EvaluationCase{"P0100+1", "P0100", "", 0, "WrongParameter", FormulaError::ValueUnavailable},
    // A value text that looks like an operator stays an operand (and is no number).
    EvaluationCase{"2*P0100", "P0100", "(", 0, "WrongParameter", FormulaError::ValueUnavailable},
    // "U" needs three more characters; names must be spelled out.
    EvaluationCase{"2*U", "P0100", "1", 0, "WrongParameter", FormulaError::BaseValueTooShort},
    EvaluationCase{"2*UDC", "P0100", "1", 0, "WrongParameter", FormulaError::BaseValueTooShort},
    EvaluationCase{"UDC", "P0100", "1", 0, "WrongParameter", FormulaError::BaseValueTooShort},
    EvaluationCase{"Ubas+1", "P0100", "1", 0, "WrongParameter", FormulaError::UnknownToken},
    EvaluationCase{"UDCC+1", "P0100", "1", 0, "WrongParameter", FormulaError::UnknownToken}));

INSTANTIATE_TEST_SUITE_P(InvalidCharacters, FormulaEvaluation, ::testing::Values(
    EvaluationCase{"P0100 +2", "P0100", "1", 0, "WrongParameter", FormulaError::InvalidCharacter},
    EvaluationCase{" ", "P0100", "1", 0, "WrongParameter", FormulaError::InvalidCharacter},
    EvaluationCase{"P0100*x", "P0100", "1", 0, "WrongParameter", FormulaError::InvalidCharacter},
    EvaluationCase{"p0100", "p0100", "1", 0, "WrongParameter", FormulaError::InvalidCharacter},
    EvaluationCase{"P0100\xef\xbc\x8b" "2", "P0100", "1", 0, "WrongParameter",
                   FormulaError::InvalidCharacter},
    // Allowed characters that form no token.
    EvaluationCase{"lo+1", "P0100", "1", 0, "WrongParameter", FormulaError::UnknownToken},
    EvaluationCase{"2*T", "P0100", "1", 0, "WrongParameter", FormulaError::UnknownToken}));

// Malformed formulas never crash and give "WrongParameter"; unbalanced parentheses are
// forgiven (an open "(" closes at the end, a lone ")" closes everything to its left).
INSTANTIATE_TEST_SUITE_P(MalformedFormulas, FormulaEvaluation, ::testing::Values(
    EvaluationCase{"", "P0100", "1", 0, "WrongParameter", FormulaError::Empty},
    EvaluationCase{"()", "P0100", "1", 0, "WrongParameter", FormulaError::Malformed},
    EvaluationCase{"+", "P0100", "1", 0, "WrongParameter", FormulaError::Malformed},
    EvaluationCase{"2+", "P0100", "1", 0, "WrongParameter", FormulaError::Malformed},
    EvaluationCase{"-2", "P0100", "1", 0, "WrongParameter", FormulaError::Malformed},
    EvaluationCase{"2*-3", "P0100", "1", 0, "WrongParameter", FormulaError::Malformed},
    EvaluationCase{"2(3)", "P0100", "1", 0, "WrongParameter", FormulaError::Malformed},
    EvaluationCase{"(2)3", "P0100", "1", 0, "WrongParameter", FormulaError::Malformed},
    EvaluationCase{"P0100P0100", "P0100", "1", 0, "WrongParameter", FormulaError::Malformed},
    EvaluationCase{"(", "P0100", "1", 0, "WrongParameter", FormulaError::Malformed},
    EvaluationCase{")", "P0100", "1", 0, "WrongParameter", FormulaError::Malformed},
    EvaluationCase{"(2+)", "P0100", "1", 0, "WrongParameter", FormulaError::Malformed},
    EvaluationCase{"(2+3", "P0100", "1", 0, "5"},
    EvaluationCase{"((2+3)*2", "P0100", "1", 0, "10"},
    EvaluationCase{"2+3)*2", "P0100", "1", 0, "10"},
    EvaluationCase{"(2+3))*2", "P0100", "1", 0, "10"}));

INSTANTIATE_TEST_SUITE_P(NonFiniteResults, FormulaEvaluation, ::testing::Values(
    EvaluationCase{"1/0", "P0100", "1", 2, "WrongParameter", FormulaError::NotFinite},
    EvaluationCase{"0/0", "P0100", "1", 2, "WrongParameter", FormulaError::NotFinite},
    // 1/(1/0) would be finite again; the infinite intermediate already fails.
    EvaluationCase{"1/(1/0)", "P0100", "1", 2, "WrongParameter", FormulaError::NotFinite},
    EvaluationCase{"0^(0-1)", "P0100", "1", 2, "WrongParameter", FormulaError::NotFinite},
    EvaluationCase{"(0-8)^0.5", "P0100", "1", 2, "WrongParameter", FormulaError::NotFinite},
    EvaluationCase{"10^30*10^30", "P0100", "1", 2, "WrongParameter", FormulaError::NotFinite},
    // Beyond the float range as an operand.
    EvaluationCase{"P0100+1", "P0100", "1e39", 0, "WrongParameter", FormulaError::NotFinite}));

TEST(FormulaEvaluator, baseValueMarkedWrongParameterFailsOnlyFormulasThatUseIt)
{
    TableContext context;
    context.bases[static_cast<int>(BaseValueKind::Torque)] = QStringLiteral("WrongParameter");
    const FormulaOwnParameter own{QStringLiteral("P0100"), QStringLiteral("1")};
    EXPECT_EQ(evaluateFormulaText(QStringLiteral("P0100*UbaseT"), own, 2, context), "WrongParameter");
    EXPECT_EQ(evaluateFormula(QStringLiteral("P0100*UbaseT"), own, context).error,
              FormulaError::ValueUnavailable);
    EXPECT_EQ(evaluateFormulaText(QStringLiteral("P0100*Ubase"), own, 2, context), "380.00");

    context.bases[static_cast<int>(BaseValueKind::DcVoltage)] = QString();  // empty table cell
    EXPECT_EQ(evaluateFormulaText(QStringLiteral("UDCn"), own, 0, context), "WrongParameter");
}

TEST(FormulaEvaluator, leadingNumberReadsLongestValidBeginning)
{
    EXPECT_EQ(leadingNumber(u"12.5abc"), 12.5);
    EXPECT_EQ(leadingNumber(u"  -3"), -3.0);
    EXPECT_EQ(leadingNumber(u"1.2.3"), 1.2);
    EXPECT_EQ(leadingNumber(u".5"), 0.5);
    EXPECT_EQ(leadingNumber(u"5."), 5.0);
    EXPECT_EQ(leadingNumber(u"2e3x"), 2000.0);
    EXPECT_EQ(leadingNumber(u"2e"), 2.0);
    EXPECT_EQ(leadingNumber(u"0X00FF"), 0.0);
    EXPECT_FALSE(leadingNumber(u"."));
    EXPECT_FALSE(leadingNumber(u"-"));
    EXPECT_FALSE(leadingNumber(u""));
    EXPECT_FALSE(leadingNumber(u"WrongParameter"));
}

}  // namespace
