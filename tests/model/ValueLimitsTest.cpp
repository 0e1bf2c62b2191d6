#include "model/ValueLimits.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace hesk::model;

namespace {

// Type codes of the type table.
constexpr uint16_t kV2 = 0, kN2 = 1, kB1 = 2, kI2 = 3, kO2 = 5, kV1 = 6, kNK = 8, kGT = 9;

HeskParameterElement definition(uint16_t typeCode, const char* min, const char* max,
                                const char* rawMin, const char* rawMax, int decimals = 0)
{
    HeskParameterElement e;
    e.number = 100;
    e.settable = 1;
    e.typeCode = typeCode;
    e.minText = QString::fromLatin1(min);
    e.maxText = QString::fromLatin1(max);
    e.rawMinText = QString::fromLatin1(rawMin);
    e.rawMaxText = QString::fromLatin1(rawMax);
    e.decimals = decimals;
    return e;
}

const DisplayConversion kNoConversion;

struct LimitCase {
    const char* name;
    HeskParameterElement element;
    const char* lower;
    const char* upper;
};

void PrintTo(const LimitCase& c, std::ostream* os)
{
    *os << c.name;
}

class EffectiveLimitsTable : public ::testing::TestWithParam<LimitCase> {};

TEST_P(EffectiveLimitsTable, takesTheNarrowerLimitOfEachSide)
{
    const LimitCase& c = GetParam();
    const EffectiveLimits limits = effectiveLimits(c.element, kNoConversion);
    EXPECT_EQ(limits.lower, QString::fromLatin1(c.lower)) << c.name;
    EXPECT_EQ(limits.upper, QString::fromLatin1(c.upper)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Types, EffectiveLimitsTable,
    ::testing::Values(
        LimitCase{"binary ignores the texts", definition(kB1, "5", "7", "5", "7"), "0", "1"},
        LimitCase{"V2 reads hex", definition(kV2, "0x0010", "0x00FF", "0x0000", "0xFFFF"), "0X0010", "0X00FF"},
        LimitCase{"V2 raw narrower", definition(kV2, "0x0000", "0xFFFF", "0x0020", "0x1000"), "0X0020", "0X1000"},
        LimitCase{"V2 compares unsigned", definition(kV2, "0x0000", "0x8000", "0x0000", "0x7FFF"), "0X0000", "0X7FFF"},
        LimitCase{"V1 two digits", definition(kV1, "0x0", "0xff", "0x00", "0x7f"), "0X00", "0X7F"},
        LimitCase{"NK two digits", definition(kNK, "0", "FF", "0x01", "0x00FF"), "0X01", "0XFF"},
        LimitCase{"I2 integers", definition(kI2, "-100", "100", "-32768", "32767"), "-100", "100"},
        LimitCase{"I2 raw narrower", definition(kI2, "-100.7", "100.9", "-50", "50"), "-50", "50"},
        LimitCase{"O2 truncated", definition(kO2, "0.9", "99.9", "-5", "200"), "0", "99"},
        LimitCase{"GT integers", definition(kGT, "0", "65535", "1", "1000"), "1", "1000"},
        LimitCase{"N2 display inside raw", definition(kN2, "-50.00", "50.00", "-200", "200", 2), "-50.00", "50.00"},
        LimitCase{"N2 raw with decimals", definition(kN2, "-500", "500", "-199.999", "200", 2), "-200.00", "200.00"},
        LimitCase{"equal limits take the raw text", definition(kN2, "0", "10", "0", "10", 1), "0.0", "10.0"},
        LimitCase{"raw rounded half away from zero", definition(kN2, "-500", "500", "-10.5", "10.5", 0), "-11", "11"},
        LimitCase{"raw rounded down below half", definition(kN2, "-500", "500", "-10.49", "10.49", 0), "-10", "10"},
        LimitCase{"empty raw does not constrain", definition(kN2, "-5.0", "5.0", "", "", 1), "-5.0", "5.0"},
        LimitCase{"empty display takes raw", definition(kI2, "", "", "-7", "7"), "-7", "7"},
        LimitCase{"no numbers keep the display text", definition(kN2, "x", "y", "", "", 1), "x", "y"}));

TEST(EffectiveLimitsFormula, rawLimitsAreConvertedToDisplayUnits)
{
    HeskParameterElement e = definition(kN2, "0", "60.00", "0", "8192", 2);
    e.commandType = QStringLiteral("3");
    QStringList asked;
    const DisplayConversion halfOf100 = [&](const HeskParameterElement&, const QString& device) {
        asked << device;
        return QString::asprintf("%.2f", device.toDouble() / 163.84);
    };
    const EffectiveLimits limits = effectiveLimits(e, halfOf100);
    EXPECT_EQ(limits.upper, QStringLiteral("50.00"));  // 8192 is 50.00 < 60.00
    EXPECT_EQ(limits.lower, QStringLiteral("0"));      // equal: the display text
    EXPECT_TRUE(asked.contains(QStringLiteral("8192")));
    EXPECT_TRUE(asked.contains(QStringLiteral("0")));
}

TEST(EffectiveLimitsFormula, failedConversionFallsBackToTheDisplayLimit)
{
    HeskParameterElement e = definition(kN2, "-10.0", "60.0", "-99999", "99999", 1);
    e.commandType = QStringLiteral("3");
    const DisplayConversion wrong = [](const HeskParameterElement&, const QString&) {
        return QStringLiteral("WrongParameter");
    };
    EXPECT_EQ(effectiveLimits(e, wrong), (EffectiveLimits{QStringLiteral("-10.0"), QStringLiteral("60.0")}));
    // No conversion at all behaves the same.
    EXPECT_EQ(effectiveLimits(e, kNoConversion), (EffectiveLimits{QStringLiteral("-10.0"), QStringLiteral("60.0")}));
}

TEST(EffectiveLimitsFormula, integerTypesWithFormulasUseTheConversion)
{
    HeskParameterElement e = definition(kI2, "0", "1000", "0", "200");
    e.commandType = QStringLiteral("3");
    const DisplayConversion times2 = [](const HeskParameterElement&, const QString& device) {
        return QString::number(device.toInt() * 2);
    };
    EXPECT_EQ(effectiveUpperLimit(e, times2), QStringLiteral("400"));
}

struct ForceCase {
    const char* name;
    HeskParameterElement element;
    EffectiveLimits limits;
    const char* value;
    const char* expected;
    const char* logSuffix;  // nullptr: not replaced
};

void PrintTo(const ForceCase& c, std::ostream* os)
{
    *os << c.name;
}

class ForceIntoRange : public ::testing::TestWithParam<ForceCase> {};

TEST_P(ForceIntoRange, replacesOutOfRangeValuesByTheLimit)
{
    const ForceCase& c = GetParam();
    const ForcedValue forced = forceIntoRange(c.element, QString::fromLatin1(c.value), c.limits);
    EXPECT_EQ(forced.value, QString::fromLatin1(c.expected)) << c.name;
    if (c.logSuffix == nullptr) {
        EXPECT_FALSE(forced.replaced()) << c.name;
    } else {
        ASSERT_TRUE(forced.logLine.has_value()) << c.name;
        EXPECT_EQ(*forced.logLine,
                  QStringLiteral("系统内部修改P0100时，由于参数值不在范围内，系统自动处理为")
                      + QString::fromUtf8(c.logSuffix))
            << c.name;
    }
}

EffectiveLimits range(const char* lower, const char* upper)
{
    return {QString::fromLatin1(lower), QString::fromLatin1(upper)};
}

INSTANTIATE_TEST_SUITE_P(
    Radixes, ForceIntoRange,
    ::testing::Values(
        ForceCase{"binary 1 stays", definition(kB1, "", "", "", ""), range("0", "1"), "1", "1", nullptr},
        ForceCase{"binary 2 to lower", definition(kB1, "", "", "", ""), range("0", "1"), "2", "0", "下限 0"},
        ForceCase{"binary 10 to lower", definition(kB1, "", "", "", ""), range("0", "1"), "10", "0", "下限 0"},
        ForceCase{"hex above", definition(kV2, "", "", "", ""), range("0X0010", "0X00FF"), "0x0100", "0X00FF", "上限 0X00FF"},
        ForceCase{"hex below", definition(kV2, "", "", "", ""), range("0X0010", "0X00FF"), "0x000F", "0X0010", "下限 0X0010"},
        ForceCase{"hex inside", definition(kV2, "", "", "", ""), range("0X0010", "0X00FF"), "0x00FF", "0x00FF", nullptr},
        ForceCase{"hex unsigned", definition(kV2, "", "", "", ""), range("0X0000", "0X7FFF"), "0xFFFF", "0X7FFF", "上限 0X7FFF"},
        ForceCase{"hex garbage", definition(kV1, "", "", "", ""), range("0X01", "0X7F"), "0xZZ", "0X01", "下限 0X01"},
        ForceCase{"decimal 0 above", definition(kN2, "", "", "", "", 0), range("-50", "50"), "51", "50", "上限 50"},
        ForceCase{"decimal 0 below", definition(kI2, "", "", "", "", 0), range("-50", "50"), "-51", "-50", "下限 -50"},
        ForceCase{"decimal 0 compares integers", definition(kN2, "", "", "", "", 0), range("0", "50"), "50.7", "50.7", nullptr},
        ForceCase{"decimals above", definition(kN2, "", "", "", "", 2), range("-50.00", "50.00"), "50.01", "50.00", "上限 50.00"},
        ForceCase{"decimals below", definition(kN2, "", "", "", "", 2), range("-50.00", "50.00"), "-50.01", "-50.00", "下限 -50.00"},
        ForceCase{"decimals at limit", definition(kN2, "", "", "", "", 2), range("-50.00", "50.00"), "50.00", "50.00", nullptr},
        ForceCase{"no number to lower", definition(kN2, "", "", "", "", 2), range("-5.00", "5.00"), "abc", "-5.00", "下限 -5.00"},
        ForceCase{"limit without number does not constrain", definition(kN2, "", "", "", "", 1), range("x", "5.0"), "-99.0", "-99.0", nullptr}));

TEST(ForceIntoRangeWithDefinition, usesTheEffectiveLimits)
{
    HeskParameterElement e = definition(kN2, "0.00", "50.00", "0", "200", 2);
    const ForcedValue forced = forceIntoRange(e, QStringLiteral("60.00"), kNoConversion);
    EXPECT_EQ(forced.value, QStringLiteral("50.00"));
    ASSERT_TRUE(forced.logLine.has_value());
    EXPECT_EQ(*forced.logLine, QStringLiteral("系统内部修改P0100时，由于参数值不在范围内，系统自动处理为上限 50.00"));
}

TEST(ForceIntoRangeWithDefinition, keyTextNamesSubIndexAndReadOnly)
{
    HeskParameterElement e = definition(kI2, "0", "10", "0", "10");
    e.settable = 0;
    e.number = 943;
    e.subIndex = 3;
    const ForcedValue forced = forceIntoRange(e, QStringLiteral("11"), kNoConversion);
    ASSERT_TRUE(forced.logLine.has_value());
    EXPECT_EQ(*forced.logLine, QStringLiteral("系统内部修改r0943.3时，由于参数值不在范围内，系统自动处理为上限 10"));
    EXPECT_EQ(kForceIntoRangeLogLevel, 3);
}

}  // namespace
