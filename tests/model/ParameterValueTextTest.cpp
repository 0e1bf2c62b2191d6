#include "model/FormulaState.h"
#include "model/ParameterValueText.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace hesk::model;

namespace {

HeskParameterElement definition(uint16_t typeCode, const char* commandType = "1", const char* reverse = "",
                                const char* forward = "", int decimals = 0)
{
    HeskParameterElement e;
    e.number = 21;
    e.settable = 1;
    e.typeCode = typeCode;
    e.commandType = QString::fromLatin1(commandType);
    e.reverseFormula = QString::fromLatin1(reverse);
    e.forwardFormula = QString::fromLatin1(forward);
    e.decimals = decimals;
    return e;
}

const TimeBases kTimeBases{125, 250, 500, 1000, 2000, 4000};

}  // namespace

TEST(ParameterValueText, rawFromDisplayTextUndoesEachTypeScaling)
{
    const FormulaState noFormulas;
    struct Case {
        uint16_t typeCode;
        const char* text;
        std::optional<uint16_t> raw;
        RawConversionError error;
    };
    const std::vector<Case> cases = {
        {1, "100.000000", 16384, RawConversionError::None},   // N2
        {1, "-100", 0xC000, RawConversionError::None},
        {1, "400.1", std::nullopt, RawConversionError::OutOfRange},
        {4, "1.000000", 128, RawConversionError::None},       // E2: 127.996 rounds to 128
        {10, "2.5", 20, RawConversionError::None},            // G2: x / 0.125
        {11, "3.2", 100, RawConversionError::None},           // H2: x * 1000 / 32
        {7, "62.5", 1, RawConversionError::None},             // T2: 62.5 * 1000 / (500 * 125)
        {3, "-32768", 0x8000, RawConversionError::None},      // I2
        {3, "65535", 0xFFFF, RawConversionError::None},
        {3, "65536", std::nullopt, RawConversionError::OutOfRange},
        {3, "2.5", 3, RawConversionError::None},              // half away from zero
        {3, "-2.5", 0xFFFD, RawConversionError::None},
        {2, "1", 1, RawConversionError::None},                // B1
        {2, "2", std::nullopt, RawConversionError::NotANumber},
        {0, "0x00FF", 255, RawConversionError::None},         // V2
        {0, "0x10000", std::nullopt, RawConversionError::OutOfRange},
    };
    for (const Case& c : cases) {
        const RawConversion result = rawFromDisplayText(definition(c.typeCode), QString::fromLatin1(c.text),
                                                        kTimeBases, noFormulas);
        EXPECT_EQ(result.raw, c.raw) << c.typeCode << " " << c.text;
        EXPECT_EQ(result.error, c.error) << c.typeCode << " " << c.text;
    }
}

TEST(ParameterValueText, formulaParametersConvertBothWays)
{
    FormulaState formulas;  // no base-value row selected: UDCn is "WrongParameter"
    const HeskParameterElement voltage =
        definition(3, "3", "P0021*UDCn/16384", "P0021*16384/UDCn", 2);

    const DisplayedValue unavailable = displayRawValue(voltage, 8192, kTimeBases, formulas);
    EXPECT_TRUE(unavailable.conversionFailed);
    // Never a number that is not the value (the raw 8192 or 50.0 % of it).
    EXPECT_EQ(unavailable.text, "WrongParameter");
    EXPECT_TRUE(unavailable.failure.contains("UDCn")) << unavailable.failure.toStdString();
    EXPECT_EQ(rawFromDisplayText(voltage, "270", kTimeBases, formulas).error, RawConversionError::WrongParameter);

    HeskProject project;
    HeskParameterElement code;
    code.number = 70;
    code.settable = 1;
    code.currentValueText = "37";
    project.elements = {code};
    UbaseInfo row;
    row.columns[0] = "37";
    row.columns[6] = "540";
    project.ubaseTable = {row};
    const SpecialParameterTable specials(project);
    formulas.selectBaseValues(project, specials, DeviceClass::Inverter);

    const DisplayedValue shown = displayRawValue(voltage, 0xE000, kTimeBases, formulas);  // signed -8192
    EXPECT_FALSE(shown.conversionFailed);
    EXPECT_EQ(shown.text, "-270.00");
    const RawConversion written = rawFromDisplayText(voltage, "270.00", kTimeBases, formulas);
    EXPECT_EQ(written.raw, std::optional<uint16_t>(8192));
    EXPECT_EQ(written.deviceValue, "8192.00");
}
