#include "model/FormulaState.h"
#include "model/ParameterConverter.h"

#include <gtest/gtest.h>

using hesk::model::BaseValueKind;
using hesk::model::conversionDirectionFromCode;
using hesk::model::ConversionDirection;
using hesk::model::convertValue;
using hesk::model::DeviceClass;
using hesk::model::FormulaState;
using hesk::model::HeskParameterElement;
using hesk::model::HeskProject;
using hesk::model::kNoSubIndex;
using hesk::model::SpecialParameterTable;
using hesk::model::UbaseInfo;

namespace {

HeskParameterElement formulaElement(uint16_t number, bool settable, const char* reverse, const char* forward,
                                    int decimals)
{
    HeskParameterElement e;
    e.number = number;
    e.subIndex = kNoSubIndex;
    e.settable = settable ? 1 : 0;
    e.commandType = QStringLiteral("3");
    e.reverseFormula = QString::fromLatin1(reverse);
    e.forwardFormula = QString::fromLatin1(forward);
    e.decimals = decimals;
    return e;
}

UbaseInfo ubaseRow(const char* key, const char* voltage, const char* torque, const char* dc)
{
    UbaseInfo row;
    row.columns[0] = QString::fromLatin1(key);
    row.columns[3] = QString::fromLatin1(voltage);
    row.columns[5] = QString::fromLatin1(torque);
    row.columns[6] = QString::fromLatin1(dc);
    return row;
}

// An inverter project with the power-unit code P0070 (stored "7") and two power units.
class FormulaStateTest : public ::testing::Test {
protected:
    FormulaStateTest()
    {
        HeskParameterElement powerUnit;
        powerUnit.number = 70;
        powerUnit.settable = 1;
        powerUnit.currentValueText = QStringLiteral("7");
        project.elements = {powerUnit};
        project.ubaseTable = {ubaseRow("7", "380", "100", "540"), ubaseRow("8", "690", "250", "970")};
        project.sortElements();
        specials = SpecialParameterTable(project);
    }

    QString p0070Text() const { return specials.element(project, QStringLiteral("P0070"))->currentValueText; }
    bool recompute(std::optional<QString> text)
    {
        return state.recompute(project, specials, DeviceClass::Inverter, text);
    }

    HeskProject project;
    SpecialParameterTable specials;
    FormulaState state;
};

TEST(ParameterConverter, showingUsesReverseAndWritingUsesForwardFormula)
{
    FormulaState state;
    HeskProject project;
    project.elements = {[] {
        HeskParameterElement p;
        p.number = 70;
        p.settable = 1;
        p.currentValueText = QStringLiteral("7");
        return p;
    }()};
    project.ubaseTable = {ubaseRow("7", "380", "100", "540")};
    state.selectBaseValues(project, SpecialParameterTable(project), DeviceClass::Inverter);

    const auto r0021 = formulaElement(21, false, "r0021*UDCn/16384", "r0021*16384/UDCn", 2);
    EXPECT_EQ(convertValue(r0021, ConversionDirection::ToDisplay, QStringLiteral("8192"), state), "270.00");
    EXPECT_EQ(convertValue(r0021, ConversionDirection::ToDevice, QStringLiteral("270"), state), "8192.00");
}

TEST(ParameterConverter, directionCodeOneWritesEveryOtherCodeShows)
{
    EXPECT_EQ(conversionDirectionFromCode(1), ConversionDirection::ToDevice);
    for (int code : {0, 2, -1, 3})
        EXPECT_EQ(conversionDirectionFromCode(code), ConversionDirection::ToDisplay) << code;
}

TEST(ParameterConverter, definitionWithoutFormulasReturnsTheValueUnchanged)
{
    const FormulaState state;
    auto element = formulaElement(100, true, "P0100*2", "P0100/2", 2);
    for (const char* commandType : {"", "1", "30", " 3"}) {
        element.commandType = QString::fromLatin1(commandType);
        for (auto direction : {ConversionDirection::ToDisplay, ConversionDirection::ToDevice})
            EXPECT_EQ(convertValue(element, direction, QStringLiteral("12.5"), state), "12.5") << commandType;
    }
}

TEST(ParameterConverter, formulaDefinitionWithoutFormulaTextCannotConvert)
{
    const FormulaState state;
    const auto element = formulaElement(100, true, "", "P0100*2", 1);
    EXPECT_EQ(convertValue(element, ConversionDirection::ToDisplay, QStringLiteral("5"), state), "WrongParameter");
    EXPECT_EQ(convertValue(element, ConversionDirection::ToDevice, QStringLiteral("5"), state), "10.0");
}

TEST(ParameterConverter, ownKeyTextIncludesTheSubIndex)
{
    const FormulaState state;
    auto element = formulaElement(107, true, "P0107.2*10", "P0107*10", 0);
    element.subIndex = 2;
    EXPECT_EQ(convertValue(element, ConversionDirection::ToDisplay, QStringLiteral("3"), state), "30");
    EXPECT_EQ(convertValue(element, ConversionDirection::ToDevice, QStringLiteral("3"), state), "WrongParameter");
}

TEST(FormulaStateReferences, onlyFormulaReferencesResolve)
{
    FormulaState state;
    state.setReferenceValue(QStringLiteral("P0071"), QStringLiteral("400"));
    state.setReferenceValue(QStringLiteral("P0053"), QStringLiteral("1"));
    EXPECT_EQ(state.referenceValue(QStringLiteral("P0071")), QStringLiteral("400"));
    EXPECT_FALSE(state.referenceValue(QStringLiteral("P0053")));
    EXPECT_FALSE(state.referenceValue(QStringLiteral("P0072")));  // allowed, but no value yet

    state.setReferenceValue(QStringLiteral("P0071"), QString());
    EXPECT_FALSE(state.referenceValue(QStringLiteral("P0071")));
}

TEST(FormulaStateReferences, p0109ResolvesToTheActiveDataSet)
{
    FormulaState state;
    for (int dataSet = 1; dataSet <= 4; ++dataSet)
        state.setReferenceValue(QStringLiteral("P0109.%1").arg(dataSet), QString::number(dataSet * 10));
    const auto element = formulaElement(200, true, "P0200*P0109", "P0200", 0);

    EXPECT_FALSE(state.activeDataSet());
    EXPECT_EQ(convertValue(element, ConversionDirection::ToDisplay, QStringLiteral("2"), state), "WrongParameter");
    state.setActiveDataSet(3);
    EXPECT_EQ(convertValue(element, ConversionDirection::ToDisplay, QStringLiteral("2"), state), "60");
    state.setActiveDataSet(1);
    EXPECT_EQ(convertValue(element, ConversionDirection::ToDisplay, QStringLiteral("2"), state), "20");
    for (int outside : {0, 5}) {
        state.setActiveDataSet(outside);
        EXPECT_FALSE(state.activeDataSet()) << outside;
    }
    // Formulas name the data set only through "P0109".
    EXPECT_FALSE(state.referenceValue(QStringLiteral("P0109.1")));
}

TEST(FormulaStateReferences, suppliedKeysSpellOutTheDataSetsAndNameTheActiveOne)
{
    const QStringList keys = FormulaState::suppliedKeyTexts();
    EXPECT_EQ(keys, (QStringList{"P0071", "P0072", "P0073", "r0071", "r0072", "r0073", "P0109.1", "P0109.2",
                                 "P0109.3", "P0109.4", "r0011"}));
}

// The drive's r0011 as the session supplies it picks the data set "P0109" stands for;
// a value outside 1..4 (the 0 of a drive that has not reported yet) picks none.
TEST(FormulaStateReferences, theDrivesActiveDataSetSelectsP0109)
{
    FormulaState state;
    for (int dataSet = 1; dataSet <= 4; ++dataSet)
        state.setReferenceValue(QStringLiteral("P0109.%1").arg(dataSet), QString::number(dataSet + 1));
    const auto speed = formulaElement(15, false, "r0015*6000/16384/P0109", "r0015*P0109*16384/6000", 1);
    const struct {
        const char* r0011;
        const char* shown;
    } cases[] = {{"1", "1500.0"}, {"2", "1000.0"}, {"4", "600.0"}, {"0", "WrongParameter"},
                 {"5", "WrongParameter"}, {"", "WrongParameter"}};
    for (const auto& c : cases) {
        state.setReferenceValue(QStringLiteral("r0011"), QString::fromLatin1(c.r0011));
        EXPECT_EQ(convertValue(speed, ConversionDirection::ToDisplay, QStringLiteral("8192"), state), c.shown)
            << "r0011 = " << c.r0011;
    }
    EXPECT_FALSE(state.referenceValue(QStringLiteral("r0011")));  // no formula reference
}

TEST_F(FormulaStateTest, rawZeroChangesNothingAndKeepsTheFirstSelectionPending)
{
    EXPECT_FALSE(recompute(std::nullopt));
    EXPECT_FALSE(state.firstRecomputationDone());
    EXPECT_EQ(state.baseValue(BaseValueKind::DcVoltage), "WrongParameter");
    EXPECT_EQ(p0070Text(), "7");
}

TEST_F(FormulaStateTest, firstRecomputationSelectsEvenWhenTheTextIsUnchanged)
{
    EXPECT_TRUE(recompute(QStringLiteral("7")));
    EXPECT_TRUE(state.firstRecomputationDone());
    EXPECT_EQ(state.baseValue(BaseValueKind::DcVoltage), "540");
    EXPECT_EQ(state.baseValue(BaseValueKind::Torque), "100");
}

TEST_F(FormulaStateTest, laterRecomputationSelectsOnlyOnChange)
{
    ASSERT_TRUE(recompute(QStringLiteral("7")));
    EXPECT_FALSE(recompute(QStringLiteral("7")));
    EXPECT_FALSE(recompute(std::nullopt));

    EXPECT_TRUE(recompute(QStringLiteral("8")));
    EXPECT_EQ(p0070Text(), "8");
    EXPECT_EQ(state.baseValue(BaseValueKind::DcVoltage), "970");
    EXPECT_EQ(state.baseValue(BaseValueKind::Voltage), "690");
    EXPECT_FALSE(recompute(std::nullopt));
    EXPECT_EQ(p0070Text(), "8");
    EXPECT_EQ(state.baseValue(BaseValueKind::DcVoltage), "970");
}

TEST_F(FormulaStateTest, unknownPowerUnitMakesBaseValueFormulasFail)
{
    ASSERT_TRUE(recompute(QStringLiteral("9")));
    EXPECT_EQ(p0070Text(), "9");
    const auto torque = formulaElement(300, false, "r0300*UbaseT/4096", "r0300", 1);
    EXPECT_EQ(convertValue(torque, ConversionDirection::ToDisplay, QStringLiteral("4096"), state),
              "WrongParameter");

    ASSERT_TRUE(recompute(QStringLiteral("8")));
    EXPECT_EQ(convertValue(torque, ConversionDirection::ToDisplay, QStringLiteral("4096"), state), "250.0");
}

TEST_F(FormulaStateTest, projectWithoutP0070SelectsOnceAndMatchesNothing)
{
    project.elements.clear();
    specials = SpecialParameterTable(project);
    EXPECT_TRUE(recompute(QStringLiteral("7")));
    EXPECT_EQ(state.baseValue(BaseValueKind::DcVoltage), "WrongParameter");
    EXPECT_FALSE(recompute(QStringLiteral("8")));
}

TEST_F(FormulaStateTest, deviceClassNoneLeavesBaseValuesAlone)
{
    EXPECT_TRUE(state.recompute(project, specials, DeviceClass::None, QStringLiteral("7")));
    EXPECT_EQ(p0070Text(), "7");
    EXPECT_EQ(state.baseValue(BaseValueKind::DcVoltage), "WrongParameter");
}

}  // namespace

// r0071..r0073 have no device address: they are the rated output of the power unit, the
// voltage, current and power bases of the row P0070 selects, on the inverter (all three)
// and the active rectifier (r0071, r0072); elsewhere they are the drive's parameters.
TEST_F(FormulaStateTest, ratedOutputDefinitionsAreComputedFromTheSelectedRow)
{
    project.ubaseTable[0].columns[2] = QStringLiteral("104.5");
    project.ubaseTable[0].columns[4] = QStringLiteral("55.0");
    const auto current = formulaElement(4, false, "r0004*r0072/16384", "r0004*16384/r0072", 2);
    EXPECT_EQ(convertValue(current, ConversionDirection::ToDisplay, QStringLiteral("8192"), state), "WrongParameter");

    ASSERT_TRUE(recompute(QStringLiteral("7")));
    // A value supplied for a computed definition (a read of address 0xFFFF) changes nothing.
    state.setReferenceValue(QStringLiteral("r0072"), QStringLiteral("1"));
    EXPECT_EQ(state.referenceValue(QStringLiteral("r0071")), QStringLiteral("380"));
    EXPECT_EQ(state.referenceValue(QStringLiteral("r0072")), QStringLiteral("104.5"));
    EXPECT_EQ(state.referenceValue(QStringLiteral("r0073")), QStringLiteral("55.0"));
    EXPECT_EQ(convertValue(current, ConversionDirection::ToDisplay, QStringLiteral("8192"), state), "52.25");

    // An unknown power unit: the computed values are unavailable, not stale.
    ASSERT_TRUE(recompute(QStringLiteral("9")));
    EXPECT_EQ(state.computedValue(QStringLiteral("r0072")), QStringLiteral("WrongParameter"));
    EXPECT_FALSE(state.referenceValue(QStringLiteral("r0072")));
    EXPECT_EQ(convertValue(current, ConversionDirection::ToDisplay, QStringLiteral("8192"), state), "WrongParameter");

    const struct {
        DeviceClass deviceClass;
        bool r0071, r0072, r0073;
    } classes[] = {{DeviceClass::Inverter, true, true, true},
                   {DeviceClass::ActiveRectifier, true, true, false},
                   {DeviceClass::FeedbackRectifier, false, false, false},
                   {DeviceClass::BasicRectifier, false, false, false},
                   {DeviceClass::TestBench, false, false, false}};
    for (const auto& c : classes) {
        FormulaState other;
        other.selectBaseValues(project, specials, c.deviceClass);
        other.setReferenceValue(QStringLiteral("r0072"), QStringLiteral("12.5"));  // the drive's own
        EXPECT_EQ(other.computedValue(QStringLiteral("r0071")).has_value(), c.r0071) << static_cast<int>(c.deviceClass);
        EXPECT_EQ(other.computedValue(QStringLiteral("r0072")).has_value(), c.r0072) << static_cast<int>(c.deviceClass);
        EXPECT_EQ(other.computedValue(QStringLiteral("r0073")).has_value(), c.r0073) << static_cast<int>(c.deviceClass);
        if (!c.r0072) {
            EXPECT_EQ(other.referenceValue(QStringLiteral("r0072")), QStringLiteral("12.5"));
        }
    }
}

// Offline the formulas read the project's own values and the first data set.
TEST(FormulaStateOffline, projectValuesAndTheFirstDataSet)
{
    HeskProject project;
    for (uint16_t set = 1; set <= 2; ++set) {
        HeskParameterElement pole;
        pole.number = 109;
        pole.subIndex = set;
        pole.settable = 1;
        pole.factoryValue = QStringLiteral("2");
        pole.currentValueText = set == 1 ? QStringLiteral("4") : QString();
        project.elements.push_back(pole);
    }
    project.sortElements();
    FormulaState state;
    state.useProjectValues(project);
    EXPECT_EQ(state.activeDataSet(), 1);
    EXPECT_EQ(state.referenceValue(QStringLiteral("P0109")), QStringLiteral("4"));  // current value first
    state.setActiveDataSet(2);
    EXPECT_EQ(state.referenceValue(QStringLiteral("P0109")), QStringLiteral("2"));  // else the factory value
}
