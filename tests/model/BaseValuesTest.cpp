#include "model/BaseValues.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>

using hesk::model::BaseValueKind;
using hesk::model::BaseValues;
using hesk::model::BaseValueSelection;
using hesk::model::DeviceClass;
using hesk::model::UbaseInfo;

namespace {

// A row whose cells read "<key>:<column>", so every copied value names its source.
UbaseInfo row(const QString& key)
{
    UbaseInfo info;
    info.columns[0] = key;
    for (int column = 1; column < hesk::model::kUbaseColumns; ++column)
        info.columns[column] = key + QLatin1Char(':') + QString::number(column);
    return info;
}

using Values = std::array<const char*, 5>;  // voltage, current, power, torque, DC

void expectValues(const BaseValues& base, const Values& expected)
{
    const char* names[] = {"voltage", "current", "power", "torque", "DC"};
    for (int kind = 0; kind < 5; ++kind)
        EXPECT_EQ(base.value(static_cast<BaseValueKind>(kind)).toStdString(), expected[kind]) << names[kind];
}

const std::vector<UbaseInfo> kTable{row(QStringLiteral("1")), row(QStringLiteral("2")),
                                    row(QStringLiteral("2")) /* duplicate key: never used */};

struct SelectionCase {
    DeviceClass deviceClass;
    const char* code;
    BaseValueSelection outcome;
    Values expected;  // starting from the inverter values of row "1"
};

std::ostream& operator<<(std::ostream& out, const SelectionCase& c)
{
    return out << "class " << static_cast<int>(c.deviceClass) << " code \"" << c.code << '"';
}

class BaseValueSelectionByClass : public ::testing::TestWithParam<SelectionCase> {};

// Every case starts from values that an inverter selection of row "1" left, so the
// "unchanged" columns of each class stay visible.
TEST_P(BaseValueSelectionByClass, copiesOrClearsTheClassColumns)
{
    const SelectionCase& c = GetParam();
    BaseValues base;
    ASSERT_EQ(base.select(DeviceClass::Inverter, kTable, QStringLiteral("1")), BaseValueSelection::Matched);
    EXPECT_EQ(base.select(c.deviceClass, kTable, QString::fromUtf8(c.code)), c.outcome);
    expectValues(base, c.expected);
}

constexpr const char* W = "WrongParameter";

INSTANTIATE_TEST_SUITE_P(Classes, BaseValueSelectionByClass, ::testing::Values(
    SelectionCase{DeviceClass::Inverter, "2", BaseValueSelection::Matched, {"2:3", "2:2", "2:4", "2:5", "2:6"}},
    SelectionCase{DeviceClass::Inverter, "9", BaseValueSelection::NoMatch, {W, W, W, W, W}},
    SelectionCase{DeviceClass::ActiveRectifier, "2", BaseValueSelection::Matched,
                  {"2:15", "2:16", "1:4", "1:5", "2:6"}},
    // Without a row the active rectifier clears the torque base too, but keeps power.
    SelectionCase{DeviceClass::ActiveRectifier, "9", BaseValueSelection::NoMatch, {W, W, "1:4", W, W}},
    SelectionCase{DeviceClass::FeedbackRectifier, "2", BaseValueSelection::Matched,
                  {"1:3", "1:2", "1:4", "1:5", "2:6"}},
    SelectionCase{DeviceClass::FeedbackRectifier, "9", BaseValueSelection::NoMatch,
                  {"1:3", "1:2", "1:4", "1:5", W}},
    SelectionCase{DeviceClass::BasicRectifier, "2", BaseValueSelection::Matched,
                  {"1:3", "1:2", "1:4", "1:5", "2:6"}},
    SelectionCase{DeviceClass::BasicRectifier, "9", BaseValueSelection::NoMatch,
                  {"1:3", "1:2", "1:4", "1:5", W}},
    SelectionCase{DeviceClass::None, "2", BaseValueSelection::Skipped, {"1:3", "1:2", "1:4", "1:5", "1:6"}},
    SelectionCase{DeviceClass::None, "9", BaseValueSelection::Skipped, {"1:3", "1:2", "1:4", "1:5", "1:6"}},
    SelectionCase{DeviceClass::TestBench, "9", BaseValueSelection::NoMatch,
                  {"1:3", "1:2", "1:4", "1:5", "1:6"}}));

TEST(BaseValues, startAsWrongParameter)
{
    expectValues(BaseValues(), {W, W, W, W, W});
}

TEST(BaseValues, firstMatchingRowWins)
{
    std::vector<UbaseInfo> table{row(QStringLiteral("7")), row(QStringLiteral("7"))};
    table[1].columns[6] = QStringLiteral("second");
    BaseValues base;
    base.select(DeviceClass::Inverter, table, QStringLiteral("7"));
    EXPECT_EQ(base.value(BaseValueKind::DcVoltage), "7:6");
}

TEST(BaseValues, keyComparisonIsExact)
{
    BaseValues base;
    EXPECT_EQ(base.select(DeviceClass::Inverter, kTable, QStringLiteral("1.0")), BaseValueSelection::NoMatch);
    EXPECT_EQ(base.select(DeviceClass::Inverter, kTable, QStringLiteral(" 1")), BaseValueSelection::NoMatch);
}

// A blank row (empty key) must not stand in for a power unit that is not known.
TEST(BaseValues, missingOrEmptyCodeMatchesNoRowEvenABlankOne)
{
    const std::vector<UbaseInfo> table{row(QString()), row(QStringLiteral("1"))};
    BaseValues base;
    EXPECT_EQ(base.select(DeviceClass::Inverter, table, QString()), BaseValueSelection::NoMatch);
    EXPECT_EQ(base.select(DeviceClass::Inverter, table, std::nullopt), BaseValueSelection::NoMatch);
    expectValues(base, {W, W, W, W, W});
}

TEST(BaseValues, emptyTableMatchesNothing)
{
    BaseValues base;
    EXPECT_EQ(base.select(DeviceClass::FeedbackRectifier, {}, QStringLiteral("1")), BaseValueSelection::NoMatch);
    EXPECT_EQ(base.value(BaseValueKind::DcVoltage), W);
}

}  // namespace
