// The names of the special parameters' values and the refusal of the factory restore
// while motor control is held.

#include "EditingFixture.h"
#include "MarkingTranslator.h"

#include "editing/AllowedValues.h"
#include "editing/SpecialOptions.h"

namespace hesk::editing::test {
namespace {

using model::DeviceClass;

TEST(SpecialOptions, ControlModesOfTheInverterAreNamed)
{
    EXPECT_EQ(specialOptions(DeviceClass::Inverter, 100),
              (std::vector<SpecialOption>{{"0", "v/f控制"},
                                          {"1", "纺织应用的v/f控制"},
                                          {"2", "频率控制(不带码盘)"},
                                          {"3", "速度控制(带码盘)"},
                                          {"4", "转矩控制"}}));
}

TEST(SpecialOptions, EveryNamedValueIsAnAllowedValue)
{
    const AllowedValueSource inverter{DeviceClass::Inverter, QStringLiteral("V1.14.18"), {}};
    const AllowedValueSource active{DeviceClass::ActiveRectifier, QStringLiteral("V1.14.18"), {}};
    for (const AllowedValueSource& source : {inverter, active}) {
        for (uint16_t number : {60, 100, 115, 130, 201, 348, 368, 372, 514, 702, 956, 970}) {
            const std::vector<SpecialOption> named = specialOptions(source.deviceClass, number);
            if (named.empty())
                continue;
            const std::optional<QStringList> allowed = allowedValues(source, number);
            // A rectifier names P0372 and P0970 without restricting them.
            if (!allowed)
                continue;
            for (const SpecialOption& option : named)
                EXPECT_TRUE(allowed->contains(option.value)) << number << " " << option.value.toStdString();
        }
    }
}

TEST(SpecialOptions, MenuLevelsDependOnTheDeviceClass)
{
    EXPECT_EQ(specialOptionName(DeviceClass::Inverter, 60, QStringLiteral("7")), QStringLiteral("驱动设置"));
    EXPECT_EQ(specialOptionName(DeviceClass::BasicRectifier, 60, QStringLiteral("7")), std::nullopt);
    EXPECT_EQ(specialOptionName(DeviceClass::BasicRectifier, 60, QStringLiteral("8")), QStringLiteral("功率部分定义"));
    EXPECT_TRUE(specialOptions(DeviceClass::TestBench, 60).empty());
    EXPECT_TRUE(specialOptions(DeviceClass::None, 100).empty());
}

TEST(SpecialOptions, ShownTextIsNameAndValueOrTheValueAlone)
{
    struct Case {
        uint16_t number;
        const char* value;
        const char* shown;
    };
    const Case cases[] = {
        {100, "0", "v/f控制 (0)"},
        {100, " 2 ", "频率控制(不带码盘) (2)"},  // the value is trimmed
        {100, "5", "5"},                         // allowed, but without a name
        {368, "6", "Profibus DP通讯 (6)"},
        {970, "1", "开始恢复 (1)"},
        {830, "21", "21"},                       // fault codes have no names here
        {749, "1.3", "1.3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(specialOptionText(DeviceClass::Inverter, c.number, QString::fromUtf8(c.value)),
                  QString::fromUtf8(c.shown))
            << c.number << " " << c.value;
}

// The editing project with P0970 (I2, 0 or 1) at address 24.
class FactoryRestoreTest : public EditingTest {
protected:
    std::vector<model::HeskParameterElement> elements() const override
    {
        std::vector<model::HeskParameterElement> e = editingElements();
        model::HeskParameterElement restore = definition(970, 3, true, 24);
        restore.minText = restore.rawMinText = QStringLiteral("0");
        restore.maxText = restore.rawMaxText = QStringLiteral("1");
        e.push_back(restore);
        return e;
    }
    EditEnvironment environmentWithControl(bool held)
    {
        EditEnvironment environment = onlineEnvironment();
        environment.drive.motorControlHeld = [held] { return held; };
        return environment;
    }
};

TEST(SpecialOptions, NamesAreTranslatedAndValuesKept)
{
    using testsupport::MarkingTranslator;
    const testsupport::ScopedMarkingTranslator translator;
    ASSERT_TRUE(translator.installed());
    const std::vector<SpecialOption> named = specialOptions(DeviceClass::Inverter, 514);
    ASSERT_EQ(named.size(), 2u);
    EXPECT_EQ(named[0], (SpecialOption{QStringLiteral("0"), MarkingTranslator::marked(QStringLiteral("主机"))}));
    EXPECT_EQ(specialOptionText(DeviceClass::Inverter, 514, QStringLiteral(" 1 ")),
              MarkingTranslator::marked(QStringLiteral("从机")) + QStringLiteral(" (1)"));
    // A value without a name is shown as it is, never through the translator.
    EXPECT_EQ(specialOptionText(DeviceClass::Inverter, 514, QStringLiteral("7")), QStringLiteral("7"));
    EXPECT_EQ(factoryRestoreWhileControlHeld().text,
              MarkingTranslator::marked(QStringLiteral("请先释放控制权，再进行恢复出厂设置操作！")));
}

TEST_F(FactoryRestoreTest, RefusedWhileMotorControlIsHeld)
{
    EditEnvironment environment = environmentWithControl(true);
    EXPECT_FALSE(applyValueText(environment, element("P0970"), QStringLiteral("1")).applied);
    EXPECT_EQ(messageTexts(), QStringList{"警告:请先释放控制权，再进行恢复出厂设置操作！"});
    EXPECT_TRUE(frames().empty());
}

TEST_F(FactoryRestoreTest, OtherChoicesAndFreeControlAreWritten)
{
    EditEnvironment held = environmentWithControl(true);
    EXPECT_TRUE(applyValueText(held, element("P0970"), QStringLiteral("0")).applied);
    EditEnvironment free = environmentWithControl(false);
    EXPECT_TRUE(applyValueText(free, element("P0970"), QStringLiteral("1")).applied);
    EXPECT_EQ(frames(), (std::vector<std::string>{"03 0018 0000", "03 0018 0001"}));
    EXPECT_TRUE(prompt.messages().empty());
}

}  // namespace
}  // namespace hesk::editing::test
