// The reference values P0350 to P0353: their dependency lists, the rescaling of a
// dependent's word, and the online edit that reads, tells, writes and advances.

#include "EditingFixture.h"

#include "editing/MotorDataCascade.h"
#include "model/ParameterTypes.h"

namespace hesk::editing::test {
namespace {

constexpr uint16_t kPercent = 1;  // N2

model::HeskParameterElement reference(uint16_t number, uint16_t address)
{
    model::HeskParameterElement e = definition(number, kPercent, true, address);
    e.decimals = 2;
    e.minText = e.rawMinText = QStringLiteral("10.00");
    e.maxText = e.rawMaxText = QStringLiteral("200.00");
    return e;
}

// References P0350 (address 30), P0352 (32), P0353 (33), P0354 (34). Dependents of the
// current: P0313.1-4 (60-63), P0315.1-4 (64-67), P0394.1-6 (68-73), one more than the
// bar's 13 steps; of the frequency: P0452.1-4 (40-43), P0453.1-4 (44-47), P0455.1-4
// (48-51), put into the project out of sub-index order; of the speed: P7030 of the
// editing project, r0305 (read-only, 74).
class MotorDataCascadeTest : public EditingTest {
protected:
    std::vector<model::HeskParameterElement> elements() const override
    {
        std::vector<model::HeskParameterElement> e = editingElements();
        for (auto [number, address] : {std::pair{350, 30}, {352, 32}, {353, 33}, {354, 34}})
            e.push_back(reference(static_cast<uint16_t>(number), static_cast<uint16_t>(address)));
        uint16_t address = 60;
        for (uint16_t number : {313, 315})
            for (uint16_t sub = 1; sub <= 4; ++sub)
                e.push_back(definition(number, kPercent, true, address++, sub));
        for (uint16_t sub = 1; sub <= 6; ++sub)
            e.push_back(definition(394, kPercent, true, address++, sub));
        address = 40;
        for (uint16_t number : {452, 453, 455}) {
            for (uint16_t sub : {3, 1, 4, 2})
                e.push_back(definition(number, kPercent, true, static_cast<uint16_t>(address + sub - 1), sub));
            address += 4;
        }
        e.push_back(definition(305, kPercent, false, 74));
        return e;
    }

    std::vector<QString> dependentKeys(const char* key) const
    {
        std::vector<QString> keys;
        for (const model::HeskParameterElement* d : cascadeDependents(opened, element(key)))
            keys.push_back(model::keyText(*d));
        return keys;
    }

    // The progress as "start 13", "step 1", ..., "finish".
    CascadeProgress recordingProgress()
    {
        return {[this](int maximum) { progress.push_back("start " + std::to_string(maximum)); },
                [this](int position) { progress.push_back("step " + std::to_string(position)); },
                [this] { progress.push_back("finish"); }};
    }

    // P0352 at 100 % and every frequency dependent at the given word.
    void frequencyWords(uint16_t word)
    {
        drive.deviceWords[32] = 16384;
        for (uint16_t address = 40; address <= 51; ++address)
            drive.deviceWords[address] = word;
    }

    std::vector<std::string> progress;
};

TEST_F(MotorDataCascadeTest, EachReferenceHasItsOwnListAndOtherNumbersNone)
{
    EXPECT_EQ(cascadeDependencyNumbers(350), (std::vector<uint16_t>{313, 315, 394}));
    EXPECT_EQ(cascadeDependencyNumbers(351), (std::vector<uint16_t>{229, 278, 279}));
    EXPECT_EQ(cascadeDependencyNumbers(352), (std::vector<uint16_t>{452, 453, 455}));
    EXPECT_EQ(cascadeDependencyNumbers(353), (std::vector<uint16_t>{7030, 497, 305}));
    EXPECT_TRUE(cascadeDependencyNumbers(354).empty());
    EXPECT_TRUE(cascadeDependencyNumbers(349).empty());

    EXPECT_TRUE(isCascadeReference(opened, element("P0352")));
    EXPECT_FALSE(isCascadeReference(opened, element("P0354")));
    EXPECT_FALSE(isCascadeReference(opened, element("P0310")));
    EXPECT_TRUE(dependentKeys("P0354").empty());
}

TEST_F(MotorDataCascadeTest, DependentsFollowListAndSubIndexOrderWithinThirteen)
{
    EXPECT_EQ(dependentKeys("P0352"),
              (std::vector<QString>{"P0452.1", "P0452.2", "P0452.3", "P0452.4", "P0453.1", "P0453.2", "P0453.3",
                                    "P0453.4", "P0455.1", "P0455.2", "P0455.3", "P0455.4"}));
    const std::vector<QString> current = dependentKeys("P0350");
    ASSERT_EQ(current.size(), static_cast<std::size_t>(kCascadeSteps));
    EXPECT_EQ(current.front(), "P0313.1");
    EXPECT_EQ(current.back(), "P0394.5");  // P0394.6 is past the thirteenth step
    // P0497 is not in the project, r0305 is read-only.
    EXPECT_EQ(dependentKeys("P0353"), (std::vector<QString>{"P7030"}));
}

TEST_F(MotorDataCascadeTest, RescaledWordKeepsTheAbsoluteValue)
{
    const model::HeskParameterElement percent = definition(452, kPercent, true, 40);
    const model::HeskParameterElement unsignedTime = definition(462, 7, true, 41);  // T2
    struct Case {
        const model::HeskParameterElement* dependent;
        uint16_t old, oldReference, newReference;
        std::optional<uint16_t> expected;
    };
    const Case cases[] = {
        {&percent, 1000, 16384, 16384, 1000},         // unchanged reference
        {&percent, 1000, 16384, 8192, 2000},          // halved reference, doubled word
        {&percent, 3000, 8192, 16384, 1500},
        {&percent, 3, 2, 4, 2},                       // 1.5 rounds away from zero
        {&percent, 0xFFFD, 2, 4, 0xFFFE},             // -1.5 rounds to -2
        {&percent, 0xFC18, 16384, 8192, 0xF830},      // -1000 becomes -2000
        {&percent, 20000, 16384, 8192, 32767},        // clamped to the signed range
        {&percent, 0xB1E0, 16384, 8192, 0x8000},      // -20000 clamped to -32768
        {&unsignedTime, 40000, 2, 4, 20000},          // unsigned: no sign bit
        {&unsignedTime, 40000, 4, 2, 65535},          // clamped to the unsigned range
        {&percent, 1000, 0, 16384, std::nullopt},     // no sound old reference
        {&percent, 1000, 16384, 0x8000, std::nullopt}, // negative new reference
    };
    for (const Case& c : cases)
        EXPECT_EQ(rescaledWord(*c.dependent, c.old, c.oldReference, c.newReference), c.expected)
            << c.old << " x " << c.oldReference << " / " << c.newReference;
}

TEST_F(MotorDataCascadeTest, OnlineEditReadsTellsWritesReferenceThenEachDependent)
{
    frequencyWords(1000);
    EditEnvironment environment = onlineEnvironment();
    const EditOutcome outcome =
        applyValueText(environment, element("P0352"), QStringLiteral("50.00"), recordingProgress());
    ASSERT_TRUE(outcome.applied);
    EXPECT_EQ(outcome.text, "50.00");

    ASSERT_EQ(drive.reads.size(), 1u);
    EXPECT_EQ(drive.reads[0], (std::vector<uint16_t>{40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 32}));
    EXPECT_EQ(messageTexts(), QStringList{"警告:修改此参数需要花费几秒时间，请您耐心等待！"});

    std::vector<std::string> expected{"03 0020 2000"};  // P0352 = 8192
    for (int address = 0x28; address <= 0x33; ++address) {
        char text[16];
        std::snprintf(text, sizeof text, "03 00%02X 07D0", address);  // 1000 -> 2000
        expected.push_back(text);
    }
    EXPECT_EQ(frames(), expected);
    EXPECT_EQ(tables.parameters.value(32), 8192);
    EXPECT_EQ(tables.parameters.value(51), 2000);

    std::vector<std::string> steps{"start 13"};
    for (int i = 1; i <= 12; ++i)
        steps.push_back("step " + std::to_string(i));
    steps.push_back("finish");
    EXPECT_EQ(progress, steps);
    EXPECT_GE(drive.recomputed, 1);
}

TEST_F(MotorDataCascadeTest, UnansweredReadWritesNothing)
{
    frequencyWords(1000);
    drive.readAnswers = {false};
    EditEnvironment environment = onlineEnvironment();
    EXPECT_FALSE(applyValueText(environment, element("P0352"), QStringLiteral("50.00"), recordingProgress()).applied);
    EXPECT_EQ(messageTexts(), QStringList{"错误:请求数据超时，请您重新尝试！"});
    EXPECT_TRUE(frames().empty());
    EXPECT_TRUE(progress.empty());
    EXPECT_EQ(tables.parameters.value(32), 0);  // the table keeps what it held
}

TEST_F(MotorDataCascadeTest, FailedReferenceWriteStopsBeforeTheDependents)
{
    frequencyWords(1000);
    drive.answers = {false};
    EditEnvironment environment = onlineEnvironment();
    EXPECT_FALSE(applyValueText(environment, element("P0352"), QStringLiteral("50.00"), recordingProgress()).applied);
    EXPECT_EQ(frames(), (std::vector<std::string>{"03 0020 2000"}));
    EXPECT_EQ(messageTexts(1), QStringList{"警告:在线修改参数值失败！"});
    EXPECT_EQ(progress, (std::vector<std::string>{"start 13", "finish"}));
    EXPECT_EQ(tables.parameters.value(32), 16384);  // the drive's word is shown again
}

TEST_F(MotorDataCascadeTest, FailedDependentWriteStopsTheCascade)
{
    frequencyWords(1000);
    drive.answers = {true, true, true, false};
    EditEnvironment environment = onlineEnvironment();
    EXPECT_FALSE(applyValueText(environment, element("P0352"), QStringLiteral("50.00"), recordingProgress()).applied);
    EXPECT_EQ(frames().size(), 4u);  // the reference, two dependents, the failed third
    EXPECT_EQ(messageTexts(1), QStringList{"警告:在线修改参数值失败！"});
    EXPECT_EQ(progress, (std::vector<std::string>{"start 13", "step 1", "step 2", "finish"}));
    EXPECT_EQ(tables.parameters.value(42), 1000);
}

TEST_F(MotorDataCascadeTest, OfflineEditStoresTheReferenceAlone)
{
    EditEnvironment environment = offlineEnvironment();
    EXPECT_TRUE(applyValueText(environment, element("P0352"), QStringLiteral("50.00"), recordingProgress()).applied);
    EXPECT_TRUE(drive.reads.empty());
    EXPECT_TRUE(progress.empty());
    EXPECT_TRUE(prompt.messages().empty());
}

TEST_F(MotorDataCascadeTest, OtherPercentParameterIsWrittenWithoutCascade)
{
    EditEnvironment environment = onlineEnvironment();
    EXPECT_TRUE(applyValueText(environment, element("P0354"), QStringLiteral("50.00"), recordingProgress()).applied);
    EXPECT_TRUE(drive.reads.empty());
    EXPECT_EQ(frames(), (std::vector<std::string>{"03 0022 2000"}));
    EXPECT_TRUE(progress.empty());
}

}  // namespace
}  // namespace hesk::editing::test
