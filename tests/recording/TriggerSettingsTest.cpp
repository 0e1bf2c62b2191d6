// The recorder's settings: the dialog's checks in their order, the pre-trigger and
// condition arithmetic with the edge cases of the protocol, the condition-2 address rule,
// and the start frames byte by byte.

#include "MessagePrinters.h"
#include "QtPrinters.h"

#include "model/FaultTableLibrary.h"
#include "model/OpenedProject.h"
#include "model/ParameterValueText.h"
#include "recording/TriggerRecording.h"
#include "recording/TriggerSettings.h"

#include <gtest/gtest.h>

namespace hesk::recording {
namespace {

const QString kInverter = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");
const QString kRectifier = QStringLiteral(HESK_SOURCE_DIR "/data/projects/SLM/SLMV20111/SLMV20111.tmprj");

std::string hex(const link::CommandFrame& f)
{
    std::string s;
    char b[4];
    for (uint8_t byte : f) {
        std::snprintf(b, sizeof b, "%02X ", byte);
        s += b;
    }
    s.pop_back();
    return s;
}

TriggerSettingsForm validForm()
{
    TriggerSettingsForm f;
    f.channelTicked = {true, false, false, false};
    f.samplingPeriod = QStringLiteral("1");
    f.preTrigger = QStringLiteral("50");
    f.condition1 = true;
    f.condition1Parameter = QStringLiteral("K0021");
    f.conditionOperator = TriggerOperator::Greater;
    f.value = QStringLiteral("50");
    return f;
}

struct FormCase {
    const char* name;
    void (*change)(TriggerSettingsForm&);
    const char* message;  // nullptr: accepted
};

TEST(TriggerSettingsValidation, firstFailureInTheDialogsOrder)
{
    const FormCase cases[] = {
        {"valid", [](TriggerSettingsForm&) {}, nullptr},
        {"no channel", [](TriggerSettingsForm& f) { f.channelTicked = {}; f.samplingPeriod.clear(); },
         "通道设置不能为空，请您至少激活一条通道！"},
        {"period empty", [](TriggerSettingsForm& f) { f.samplingPeriod = QStringLiteral(" "); f.preTrigger.clear(); },
         "采样周期不能为空！"},
        {"period 0", [](TriggerSettingsForm& f) { f.samplingPeriod = QStringLiteral("0"); }, "采样周期超过范围1~99，请重新设置！"},
        {"period 100", [](TriggerSettingsForm& f) { f.samplingPeriod = QStringLiteral("100"); }, "采样周期超过范围1~99，请重新设置！"},
        {"period text", [](TriggerSettingsForm& f) { f.samplingPeriod = QStringLiteral("x"); }, "采样周期超过范围1~99，请重新设置！"},
        {"period 99", [](TriggerSettingsForm& f) { f.samplingPeriod = QStringLiteral("99"); }, nullptr},
        {"pre empty", [](TriggerSettingsForm& f) { f.preTrigger.clear(); f.condition1 = false; }, "预触发设置不能为空！"},
        {"pre 101", [](TriggerSettingsForm& f) { f.preTrigger = QStringLiteral("101"); }, "预触发设置超过范围0~100，请重新设置！"},
        {"pre -1", [](TriggerSettingsForm& f) { f.preTrigger = QStringLiteral("-1"); }, "预触发设置超过范围0~100，请重新设置！"},
        {"pre 100", [](TriggerSettingsForm& f) { f.preTrigger = QStringLiteral("100"); }, nullptr},
        {"no trigger kind", [](TriggerSettingsForm& f) { f.condition1 = false; },
         "您必须在条件1、条件2和故障触发中选择一种作为触发条件！"},
        {"fault only", [](TriggerSettingsForm& f) { f.condition1 = false; f.faultTrigger = true; }, nullptr},
        {"c1 parameter", [](TriggerSettingsForm& f) { f.condition1Parameter.clear(); f.value.clear(); },
         "触发条件设置中，条件1的触发参数不能为空！"},
        {"c1 bit number", [](TriggerSettingsForm& f) { f.bitMode = true; f.value.clear(); },
         "触发条件设置中，条件1的Bit位选择参数不能为空！"},
        {"c1 operator", [](TriggerSettingsForm& f) { f.conditionOperator.reset(); f.value.clear(); },
         "触发条件设置中，条件1的触发条件不能为空！"},
        {"c1 value", [](TriggerSettingsForm& f) { f.value.clear(); }, "触发条件设置中，条件1的触发值不能为空！"},
        {"c1 value too high", [](TriggerSettingsForm& f) { f.value = QStringLiteral("199.997"); },
         "触发条件设置中，条件1的触发值超过范围-200~199.996，请重新设置！"},
        {"c1 value too low", [](TriggerSettingsForm& f) { f.value = QStringLiteral("-200.001"); },
         "触发条件设置中，条件1的触发值超过范围-200~199.996，请重新设置！"},
        {"c1 value -200", [](TriggerSettingsForm& f) { f.value = QStringLiteral("-200"); }, nullptr},
        {"bit 16", [](TriggerSettingsForm& f) { f.bitMode = true; f.bitNumber = QStringLiteral("16"); f.value = QStringLiteral("1"); },
         "触发条件设置中，条件1的Bit位超过范围0~15，请重新设置！"},
        {"bit value 2", [](TriggerSettingsForm& f) { f.bitMode = true; f.bitNumber = QStringLiteral("3"); f.value = QStringLiteral("2"); },
         "触发条件设置中，Bit位的触发值只能为0或1，请重新设置！"},
        {"bit ok", [](TriggerSettingsForm& f) { f.bitMode = true; f.bitNumber = QStringLiteral("15"); f.value = QStringLiteral("0"); }, nullptr},
        {"c2 parameter", [](TriggerSettingsForm& f) { f.condition1 = false; f.condition2 = true; },
         "触发条件设置中，条件2的触发参数不能为空！"},
        {"c2 value", [](TriggerSettingsForm& f) { f.condition1 = false; f.condition2 = true; f.condition2Parameter = QStringLiteral("B0003"); },
         "触发条件设置中，条件2的触发值不能为空！"},
        {"c2 ok", [](TriggerSettingsForm& f) { f.condition1 = false; f.condition2 = true; f.condition2Parameter = QStringLiteral("B0003"); f.condition2Value = 0; }, nullptr},
    };
    for (const FormCase& c : cases) {
        TriggerSettingsForm form = validForm();
        c.change(form);
        const std::optional<model::UserMessage> failure = validateTriggerSettings(form);
        if (c.message == nullptr) {
            EXPECT_FALSE(failure.has_value()) << c.name << ": " << failure->text.toStdString();
            continue;
        }
        ASSERT_TRUE(failure.has_value()) << c.name;
        EXPECT_EQ(failure->kind, model::MessageKind::Warning) << c.name;
        EXPECT_EQ(failure->title, QStringLiteral("警告")) << c.name;
        EXPECT_EQ(failure->text, QString::fromUtf8(c.message)) << c.name;
    }
}

TEST(TriggerSettingsArithmetic, preTriggerSamplesPerChannel)
{
    const struct { int pre, n; uint16_t samples; } cases[] = {
        {50, 3, 1365},  // 0x0555
        {100, 1, 8192}, {100, 4, 2048}, {0, 2, 0}, {1, 1, 81}, {99, 3, 2703}, {25, 2, 1024}, {50, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(preTriggerSamples(c.pre, c.n), c.samples) << c.pre << "% of " << c.n;
}

TEST(TriggerSettingsArithmetic, conditionWordRoundsHalfAwayFromZeroWithinItsRange)
{
    const struct { double percent; std::optional<uint16_t> word; } cases[] = {
        {-200.0, 0x8000}, {199.996, 0x7FFF}, {100.0, 0x4000}, {0.0, 0}, {-100.0, 0xC000}, {50.0, 0x2000},
        {0.0030517578125, 1},    // exactly 0.5 of a step: away from zero
        {-0.0030517578125, 0xFFFF},
        {0.003, 0},              // 0.49152 of a step
        {199.997, std::nullopt}, {-200.0001, std::nullopt}, {1e9, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(conditionWord(c.percent), c.word) << c.percent;
}

class ProjectSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto failure = project.open(kInverter);
        ASSERT_FALSE(failure.has_value()) << failure->text.toStdString();
    }
    const model::HeskParameterElement& element(const char* key) const
    {
        const model::HeskParameterElement* e = project.find(QString::fromLatin1(key));
        EXPECT_NE(e, nullptr) << key;
        return *e;
    }
    model::FaultTableLibrary faults;
    model::OpenedProject project{faults};
};

TEST_F(ProjectSettings, defaultsAreTheFirstFourFixedConnectorsInSingleMode)
{
    const TriggerSettings s = defaultTriggerSettings(project);
    EXPECT_EQ(s.deviceCode, 1);
    EXPECT_EQ(s.startMode, QStringLiteral("单次触发"));
    ASSERT_EQ(s.channels.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const QString name = QStringLiteral("K000%1").arg(i);
        EXPECT_EQ(s.channels[size_t(i)].name, name);
        EXPECT_EQ(s.channels[size_t(i)].address, element(name.toLatin1().constData()).address) << i;
        EXPECT_EQ(element(name.toLatin1().constData()).number, 8000 + i);
    }
    EXPECT_EQ(s.activeChannels(), (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(ProjectSettings, conditionTwoAddressTakesTheNumberAfterTheLetter)
{
    const uint16_t b10 = element("B0010").address;
    EXPECT_EQ(element("B0010").number, 9010);
    EXPECT_EQ(condition2Address(QStringLiteral("B0010"), project.project(), 77), b10);  // 10 -> 9010
    EXPECT_EQ(condition2Address(QStringLiteral("r9106"), project.project(), 77), element("B0106").address);
    EXPECT_EQ(condition2Address(QStringLiteral("B0999"), project.project(), 77), 77);  // no parameter 9999
    EXPECT_EQ(condition2Address(QStringLiteral("Bxyzw"), project.project(), 77), 77);
}

TEST_F(ProjectSettings, startFramesByteByByte)
{
    TriggerSettings s = defaultTriggerSettings(project);
    s.channels[1] = {};
    s.channels[3] = {};
    s.channels[0] = *channelFor(project, QStringLiteral("K0021"));
    s.channels[2] = *channelFor(project, QStringLiteral("K0081"));
    s.samplingPeriod = 10;
    s.preTrigger = 50;
    s.condition1On = 1;
    s.condition1Parameter = QStringLiteral("K0021");
    s.condition1Address = element("K0021").address;
    s.conditionOperator = static_cast<int>(TriggerOperator::Greater);
    s.value = QStringLiteral("-200");
    const uint16_t a21 = element("K0021").address;
    const uint16_t a81 = element("K0081").address;

    auto built = triggeredStartFrames(s, project.project());
    ASSERT_TRUE(std::holds_alternative<StartFrames>(built));
    const StartFrames& f = std::get<StartFrames>(built);
    // Channels 1 and 3 active: positions 1 and 2; 4096 samples each, n = 50 x 81.92 / 2.
    ASSERT_EQ(f.channels.size(), 2u);
    EXPECT_EQ(f.channels[0], link::commandFrame(0x31, 1, uint8_t(a21 >> 8), uint8_t(a21)));
    EXPECT_EQ(f.channels[1], link::commandFrame(0x31, 2, uint8_t(a81 >> 8), uint8_t(a81)));
    EXPECT_EQ(hex(f.data), "F2 32 0A 08 00 00 00 C2");
    ASSERT_TRUE(f.condition.has_value());
    EXPECT_EQ(*f.condition, link::commandFrame(0x33, uint8_t(a21 >> 8), uint8_t(a21), 2, 0x80, 0x00));
    EXPECT_EQ(hex(f.start), "F2 34 02 01 00 00 00 C5");

    s.startMode = QStringLiteral("连续触发");
    EXPECT_EQ(hex(std::get<StartFrames>(triggeredStartFrames(s, project.project())).start), "F2 34 02 02 00 00 00 C6");
    const StartFrames immediate = std::get<StartFrames>(immediateStartFrames(s));
    EXPECT_EQ(hex(immediate.data), "F2 32 0A 00 00 00 00 CA");
    EXPECT_FALSE(immediate.condition.has_value());
    EXPECT_EQ(hex(immediate.start), "F2 34 01 01 00 00 00 C6");
}

TEST_F(ProjectSettings, conditionFramesOfEachKind)
{
    TriggerSettings s = defaultTriggerSettings(project);
    const uint16_t a550 = element("K0032").address;
    const uint16_t b3 = element("B0010").address;
    const uint16_t fault = element("B0106").address;
    struct Case {
        const char* name;
        void (*set)(TriggerSettings&, uint16_t, uint16_t);
        link::CommandFrame expected;
    };
    const Case cases[] = {
        {"bit", [](TriggerSettings& t, uint16_t a, uint16_t) { t.condition1On = 1; t.condition1Address = a; t.bitMode = 1; t.bitNumber = 3; t.value = QStringLiteral("1"); },
         link::commandFrame(0x33, uint8_t(a550 >> 8), uint8_t(a550), 5, 3, 1)},
        {"less", [](TriggerSettings& t, uint16_t a, uint16_t) { t.condition1On = 1; t.condition1Address = a; t.conditionOperator = 0; t.value = QStringLiteral("-10.5"); },
         link::commandFrame(0x33, uint8_t(a550 >> 8), uint8_t(a550), 1, 0xF9, 0x48)},  // -1720
        {"equal", [](TriggerSettings& t, uint16_t a, uint16_t) { t.condition1On = 1; t.condition1Address = a; t.conditionOperator = 2; t.value = QStringLiteral("100"); },
         link::commandFrame(0x33, uint8_t(a550 >> 8), uint8_t(a550), 3, 0x40, 0x00)},
        {"not equal", [](TriggerSettings& t, uint16_t a, uint16_t) { t.condition1On = 1; t.condition1Address = a; t.conditionOperator = 3; t.value = QStringLiteral("199.996"); },
         link::commandFrame(0x33, uint8_t(a550 >> 8), uint8_t(a550), 4, 0x7F, 0xFF)},
        {"condition 2", [](TriggerSettings& t, uint16_t, uint16_t b) { t.condition2On = 1; t.condition2Address = b; t.condition2Value = 1; },
         link::commandFrame(0x33, uint8_t(b3 >> 8), uint8_t(b3), 3, 0, 1)},
        {"fault", [](TriggerSettings& t, uint16_t, uint16_t) { t.faultTriggerOn = 1; },
         link::commandFrame(0x33, uint8_t(fault >> 8), uint8_t(fault), 3, 0, 1)},
    };
    for (const Case& c : cases) {
        TriggerSettings t = s;
        c.set(t, a550, b3);
        auto frame = conditionFrame(t, project.project());
        ASSERT_TRUE(std::holds_alternative<link::CommandFrame>(frame)) << c.name;
        EXPECT_EQ(hex(std::get<link::CommandFrame>(frame)), hex(c.expected)) << c.name;
    }
    EXPECT_EQ(element("B0106").number, 9106);
}

TEST(TriggerSettingsRefusals, projectWithoutTheFaultIndicatorAndValuesOutOfRangeAreRefused)
{
    model::HeskProject empty;
    TriggerSettings s;
    s.channels[0].address = 5;
    s.faultTriggerOn = 1;
    auto frame = conditionFrame(s, empty);
    ASSERT_TRUE(std::holds_alternative<model::UserMessage>(frame));
    EXPECT_TRUE(std::get<model::UserMessage>(frame).text.contains(QStringLiteral("9106")));
    s.faultTriggerOn = 0;
    s.condition1On = 1;
    s.value = QStringLiteral("250");
    EXPECT_TRUE(std::holds_alternative<model::UserMessage>(conditionFrame(s, empty)));
    s.condition1On = 0;
    EXPECT_TRUE(std::holds_alternative<model::UserMessage>(triggeredStartFrames(s, empty)));  // no kind chosen
}

TEST(TriggerSettingsTexts, conditionTextOfEachKind)
{
    TriggerSettings s;
    EXPECT_EQ(conditionText(s, true), QStringLiteral("Start Immediately"));
    s.condition1On = 1;
    s.condition1Parameter = QStringLiteral("K0021");
    s.value = QStringLiteral("50");
    const char* ops[] = {"K0021 < 50", "K0021 > 50", "K0021 = 50", "K0021 <> 50"};
    for (int op = 0; op < 4; ++op) {
        s.conditionOperator = op;
        EXPECT_EQ(conditionText(s, false), QString::fromLatin1(ops[op]));
    }
    s.bitMode = 1;
    s.bitNumber = 3;
    s.value = QStringLiteral("1");
    EXPECT_EQ(conditionText(s, false), QStringLiteral("K0021[3] = 1"));
    s.condition1On = 0;
    s.condition2On = 1;
    s.condition2Parameter = QStringLiteral("B0003");
    EXPECT_EQ(conditionText(s, false), QStringLiteral("B0003 = 0"));
    s.condition2On = 0;
    s.faultTriggerOn = 1;
    EXPECT_EQ(conditionText(s, false), QStringLiteral("Fault Trigger"));
}

TEST(TriggerSettingsDevices, deviceCodesOfTheInstalledProjects)
{
    model::FaultTableLibrary faults;
    model::OpenedProject rectifier(faults);
    ASSERT_FALSE(rectifier.open(kRectifier).has_value());
    EXPECT_EQ(recorderDeviceCode(rectifier), 2);
    EXPECT_EQ(deviceCodeName(2), QStringLiteral("SLM"));
    EXPECT_EQ(deviceCodeName(0), QString());
}

}  // namespace
}  // namespace hesk::recording

namespace hesk::recording {
namespace {

// The reference values of the record information, per device type, converted as the
// pages convert the drive's words.
TEST(RecordReferenceValues, perDeviceTypeWithTheProjectsConversion)
{
    model::FaultTableLibrary faults;
    const struct { const char* code; const char* key; QStringList names; bool withRaw; } cases[] = {
        {"VRA1", "VRA1V11418", {"P0350", "P0351", "P0352", "P0353", "P0354"}, true},
        {"AIC", "AICV21308", {"r0071", "r0072", "UDCn"}, false},
        {"SLM", "SLMV20111", {"r0350", "r0351", "UDCn"}, false},
        {"BLM", "BLMV20001", {"r0350", "r0351", "UDCn"}, false},
    };
    for (const auto& c : cases) {
        model::OpenedProject project(faults);
        ASSERT_FALSE(project.open(QStringLiteral(HESK_SOURCE_DIR "/data/projects/%1/%2/%2.tmprj")
                                      .arg(QString::fromLatin1(c.code), QString::fromLatin1(c.key)))
                         .has_value());
        // The drive reports 8192 for every word asked.
        const auto values = referenceValues(project, [](const model::HeskParameterElement&) {
            return std::optional<uint16_t>(8192);
        });
        QStringList names;
        for (const ReferenceValue& v : values) {
            names << v.name;
            EXPECT_EQ(v.second.isEmpty(), !c.withRaw) << c.code;
            EXPECT_EQ(v.value.section(QLatin1Char('.'), 1).size(), 3) << c.code << " " << v.value.toStdString();
            if (v.name == QLatin1String("UDCn"))
                continue;
            const model::HeskParameterElement* e = project.find(v.name);
            ASSERT_NE(e, nullptr) << v.name.toStdString();
            const double shown = model::displayRawValue(*e, 8192, project.project().timeBases, project.formulas()).text.toDouble();
            EXPECT_EQ(v.value, cutToThreeDecimals(shown)) << c.code << " " << v.name.toStdString();
        }
        EXPECT_EQ(names, c.names) << c.code;
        if (c.withRaw) {
            EXPECT_EQ(values[0].value, QStringLiteral("50.000"));  // P0350, N2 %: 8192 = 50 %
            EXPECT_EQ(values[0].second, QStringLiteral("8192"));
        }
    }
}

}  // namespace
}  // namespace hesk::recording
