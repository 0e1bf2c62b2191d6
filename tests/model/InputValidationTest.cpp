#include "model/InputValidation.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace hesk::model;

namespace {

struct ValidationCase {
    const char* value;
    const char* min;
    const char* max;
    int decimals;
    Radix radix;
    const char* type;
    const char* result;  // accepted text or "errorN"
};

void PrintTo(const ValidationCase& c, std::ostream* os)
{
    *os << c.type << " '" << c.value << "' [" << c.min << "," << c.max << "] decimals" << c.decimals;
}

class ValidateInput : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(ValidateInput, givesTheCodeOrTheNormalisedText)
{
    const ValidationCase& c = GetParam();
    const ValidationResult result =
        validateInput(QString::fromUtf8(c.value), QString::fromLatin1(c.min), QString::fromLatin1(c.max),
                      c.decimals, c.radix, QString::fromLatin1(c.type));
    EXPECT_EQ(result.resultText(), QString::fromLatin1(c.result))
        << "'" << c.value << "' [" << c.min << ", " << c.max << "] decimals " << c.decimals;
    EXPECT_EQ(result.accepted(), !QString::fromLatin1(c.result).startsWith(QLatin1String("error")));
}

constexpr Radix kDec = Radix::Decimal;
constexpr Radix kHex = Radix::Hexadecimal;
constexpr Radix kBin = Radix::Binary;

INSTANTIATE_TEST_SUITE_P(
    Decimal, ValidateInput,
    ::testing::Values(
        ValidationCase{" 1 2 ", "0", "100", 0, kDec, "I2", "12"},
        ValidationCase{"\t12\n", "0", "100", 0, kDec, "I2", "12"},
        ValidationCase{"", "0", "100", 0, kDec, "I2", "error1"},
        ValidationCase{"   ", "0", "100", 0, kDec, "I2", "error1"},
        ValidationCase{"-0", "-10", "10", 0, kDec, "I2", "error2"},
        ValidationCase{"-0.00", "-10", "10", 2, kDec, "N2", "error2"},
        ValidationCase{"-", "-10", "10", 0, kDec, "I2", "error2"},
        ValidationCase{".", "-10", "10", 2, kDec, "N2", "error2"},
        ValidationCase{"-0.5", "-10", "10", 1, kDec, "N2", "-0.5"},
        ValidationCase{"1.25", "0", "10", 1, kDec, "N2", "error4"},
        ValidationCase{"1.", "0", "10", 0, kDec, "I2", "error5"},
        ValidationCase{"1.0", "0", "10", 0, kDec, "I2", "error5"},
        ValidationCase{"1.5", "0", "10", 3, kDec, "N2", "1.500"},
        ValidationCase{"1.", "0", "10", 2, kDec, "N2", "1.00"},
        ValidationCase{"1", "0", "10", 2, kDec, "N2", "1"},
        ValidationCase{"1.2.3", "0", "10", 3, kDec, "N2", "error2"},
        ValidationCase{"1..2", "0", "10", 3, kDec, "N2", "error2"},
        ValidationCase{"-1-2", "-10", "10", 0, kDec, "I2", "error2"},
        ValidationCase{"1-", "-10", "10", 0, kDec, "I2", "error2"},
        ValidationCase{"+1", "-10", "10", 0, kDec, "I2", "error2"},
        ValidationCase{"1e2", "0", "1000", 0, kDec, "I2", "error2"},
        ValidationCase{"0x10", "0", "1000", 0, kDec, "I2", "error2"},
        ValidationCase{"１２", "0", "100", 0, kDec, "I2", "error2"},
        ValidationCase{"50.00", "-50.00", "50.00", 2, kDec, "N2", "50.00"},
        ValidationCase{"-50.00", "-50.00", "50.00", 2, kDec, "N2", "-50.00"},
        ValidationCase{"-50.01", "-50.00", "50.00", 2, kDec, "N2", "error3"},
        ValidationCase{"50.01", "-50.00", "50.00", 2, kDec, "N2", "error9"},
        ValidationCase{"7", "1", "5", 0, kDec, "I2", "error9"},
        ValidationCase{"0", "1", "5", 0, kDec, "I2", "error3"},
        ValidationCase{"3", "abc", "5", 0, kDec, "I2", "error2"},
        ValidationCase{"3", "1", "5x", 0, kDec, "I2", "error2"},
        // a definition without limits compares against 0
        ValidationCase{"0", "", "", 0, kDec, "I2", "0"},
        ValidationCase{"1", "", "", 0, kDec, "I2", "error9"}));

INSTANTIATE_TEST_SUITE_P(
    Hexadecimal, ValidateInput,
    ::testing::Values(
        ValidationCase{"0x", "0x0000", "0xFFFF", 0, kHex, "V2", "error2"},
        ValidationCase{"0X", "0x0000", "0xFFFF", 0, kHex, "V2", "error2"},
        ValidationCase{"12", "0x0000", "0xFFFF", 0, kHex, "V2", "error2"},
        ValidationCase{"0xG", "0x0000", "0xFFFF", 0, kHex, "V2", "error2"},
        ValidationCase{"0x1", "0x0000", "0xFFFF", 0, kHex, "V2", "0x0001"},
        ValidationCase{"0X1", "0x0000", "0xFFFF", 0, kHex, "V2", "0X0001"},
        ValidationCase{"0x 1", "0x0000", "0xFFFF", 0, kHex, "V2", "0x0001"},
        ValidationCase{"0x000012", "0x0000", "0xFFFF", 0, kHex, "V2", "0x0012"},
        ValidationCase{"0x00000", "0x0000", "0xFFFF", 0, kHex, "V2", "0x0000"},
        ValidationCase{"0x0abcd", "0x0000", "0xFFFF", 0, kHex, "V2", "0xabcd"},
        ValidationCase{"0x12345", "0x0000", "0xFFFF", 0, kHex, "V2", "error9"},
        ValidationCase{"0x1", "0x00", "0xFF", 0, kHex, "V1", "0x01"},
        ValidationCase{"0x00FF", "0x00", "0xFF", 0, kHex, "NK", "0xFF"},
        ValidationCase{"0x100", "0x00", "0xFF", 0, kHex, "V1", "error9"},
        ValidationCase{"0x0002", "0X0003", "0X0010", 0, kHex, "V2", "error3"},
        ValidationCase{"0x0003", "0X0003", "0X0010", 0, kHex, "V2", "0x0003"},
        ValidationCase{"0x0010", "0X0003", "0X0010", 0, kHex, "V2", "0x0010"},
        ValidationCase{"0x0011", "0X0003", "0X0010", 0, kHex, "V2", "error9"},
        // the range is unsigned: 0x8000 is above 0x7FFF, not negative
        ValidationCase{"0x8000", "0x0000", "0x7FFF", 0, kHex, "V2", "error9"},
        ValidationCase{"0x0001", "zz", "0xFFFF", 0, kHex, "V2", "error2"}));

INSTANTIATE_TEST_SUITE_P(
    Binary, ValidateInput,
    ::testing::Values(ValidationCase{"1", "0", "1", 0, kBin, "B1", "1"},
                      ValidationCase{" 0 ", "0", "1", 0, kBin, "B1", "0"},
                      ValidationCase{"2", "0", "1", 0, kBin, "B1", "error2"},
                      ValidationCase{"-1", "0", "1", 0, kBin, "B1", "error2"},
                      ValidationCase{"10", "0", "1", 0, kBin, "B1", "error3"},
                      ValidationCase{"00", "0", "1", 0, kBin, "B1", "error3"},
                      ValidationCase{"1", "0", "0", 0, kBin, "B1", "error9"},
                      ValidationCase{"", "0", "1", 0, kBin, "B1", "error1"}));

TEST(ValidationCodes, textsRoundTrip)
{
    const std::pair<ValidationCode, const char*> codes[] = {
        {ValidationCode::Empty, "error1"},           {ValidationCode::WrongFormat, "error2"},
        {ValidationCode::BelowMinimum, "error3"},    {ValidationCode::TooManyDecimals, "error4"},
        {ValidationCode::IntegerRequired, "error5"}, {ValidationCode::AboveMaximum, "error9"}};
    for (const auto& [code, text] : codes) {
        EXPECT_EQ(validationCodeText(code), QString::fromLatin1(text));
        EXPECT_EQ(validationCodeFromText(QString::fromLatin1(text)), code);
    }
    EXPECT_TRUE(validationCodeText(ValidationCode::Accepted).isEmpty());
    EXPECT_FALSE(validationCodeFromText(QStringLiteral("error6")).has_value());
    EXPECT_FALSE(validationCodeFromText(QStringLiteral("12")).has_value());
}

struct MessageCase {
    ValidationCode code;
    const char* dialog;
    const char* importP;
    const char* importR;
};

TEST(ValidationMessages, dialogAndImportTextsPerCode)
{
    const MessageCase cases[] = {
        {ValidationCode::Empty, "数据不允许为空，请重新输入！", "修改值项值不能为空：", "r参数值项值不能为空："},
        {ValidationCode::WrongFormat, "数据格式不符合要求！", "修改值项值格式不符合要求：", "r参数值项值格式不符合要求："},
        {ValidationCode::BelowMinimum, "数据不在范围内！", "修改值项值超过下限：", "r参数值项值超过下限："},
        {ValidationCode::AboveMaximum, "数据不在范围内！", "修改值项值超过上限：", "r参数值项值超过上限："},
        {ValidationCode::TooManyDecimals, "此类型参数值小数部分最多保留 2 位！", "修改值项值被截取了小数点：",
         "r参数值项值被截取了小数点："},
        {ValidationCode::IntegerRequired, "此参数类型只允许输入整数！", "修改值项值被保留为整数：",
         "r参数值项值被保留为整数："},
    };
    for (const MessageCase& c : cases) {
        const std::optional<UserMessage> message = valueDialogMessage(c.code, 2);
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(message->kind, MessageKind::Warning);
        EXPECT_EQ(message->title, QStringLiteral("警告"));
        EXPECT_EQ(message->text, QString::fromUtf8(c.dialog));
        EXPECT_EQ(importMessagePrefix(c.code, ImportValueKind::PValue), QString::fromUtf8(c.importP));
        EXPECT_EQ(importMessagePrefix(c.code, ImportValueKind::RValue), QString::fromUtf8(c.importR));
    }
    EXPECT_FALSE(valueDialogMessage(ValidationCode::Accepted, 2).has_value());
    EXPECT_TRUE(importMessagePrefix(ValidationCode::Accepted, ImportValueKind::PValue).isEmpty());
}

TEST(ValidationMessages, connectionImportTexts)
{
    EXPECT_EQ(connectionImportMessagePrefix(ConnectionImportMessage::PValueFormat),
              QStringLiteral("P参数值项值格式不符合要求："));
    EXPECT_EQ(connectionImportMessagePrefix(ConnectionImportMessage::RValueFormat),
              QStringLiteral("r参数值项值格式不符合要求："));
    EXPECT_EQ(connectionImportMessagePrefix(ConnectionImportMessage::ConnectionNotModifiable),
              QStringLiteral("不允许修改连线项："));
    EXPECT_EQ(connectionImportMessagePrefix(ConnectionImportMessage::ConnectionValueWrong),
              QStringLiteral("修改连线项值不正确："));
}

TEST(CutToDecimals, importCutsInsteadOfRefusing)
{
    const std::tuple<const char*, int, const char*> cases[] = {
        {"1.256", 2, "1.25"}, {"1.256", 1, "1.2"}, {"1.25", 0, "1"},    {"-1.25", 0, "-1"},
        {"-0.5", 0, "0"},     {"-0.001", 2, "0.00"}, {".5", 0, "0"},   {"12", 0, "12"},
        {"1.2", 3, "1.2"},    {"-12.75", 1, "-12.7"},
    };
    for (const auto& [text, decimals, expected] : cases) {
        const QString cut = cutToDecimals(QString::fromLatin1(text), decimals);
        EXPECT_EQ(cut, QString::fromLatin1(expected)) << text << " at " << decimals;
        // What the import keeps must itself be a valid value of that many decimals.
        EXPECT_TRUE(validateInput(cut, QStringLiteral("-100"), QStringLiteral("100"), decimals,
                                  Radix::Decimal, QStringLiteral("N2"))
                        .accepted())
            << text << " at " << decimals;
    }
}

}  // namespace
