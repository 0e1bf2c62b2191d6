// The edit decision: every rule of every device type with its refusal (text, caption,
// icon), the editor dispatch, and what changes offline. Expected messages are written
// out here, not taken from the production helpers.

#include "editing/EditDecision.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <ostream>

namespace hesk::editing {
namespace {

using model::DeviceClass;
using model::MessageKind;
using model::UserMessage;

constexpr uint16_t kNoSub = model::kNoSubIndex;
constexpr uint16_t kAccess = 0x0002;  // bit 1 set
constexpr uint16_t kStopped = 9;
constexpr uint16_t kRunning = 10;

struct Param {
    uint16_t number;
    uint16_t sub = kNoSub;
    bool settable = true;
    bool connection = false;
};

model::HeskParameterElement element(const Param& p)
{
    model::HeskParameterElement e;
    e.number = p.number;
    e.subIndex = p.sub;
    e.settable = p.settable ? 1 : 0;
    e.connectionFlag = p.connection ? 1 : 0;
    return e;
}

struct Drive {
    uint16_t access = kAccess;
    uint16_t level = 1;
    uint16_t state = kStopped;
    uint16_t dataSet = 1;
    uint16_t slaves = 0;
};

EditContext online(DeviceClass deviceClass, const Drive& d, bool slavesIndexed = true)
{
    EditContext c;
    c.deviceClass = deviceClass;
    c.online = true;
    c.values = {d.access, d.level, d.state, d.dataSet, d.slaves};
    c.slaveParametersIndexed = slavesIndexed;
    return c;
}

UserMessage appWarning(const QString& text)
{
    return {MessageKind::Warning, QStringLiteral("HESKMonitor"), text};
}
UserMessage appWarning(const char* text)
{
    return appWarning(QString::fromUtf8(text));
}

UserMessage warning(const char* text)
{
    return {MessageKind::Warning, QStringLiteral("警告"), QString::fromUtf8(text)};
}

// One expectation: a refusal or an editor.
struct Outcome {
    std::optional<UserMessage> refusal;
    EditorKind editor = EditorKind::None;
};
Outcome opens(EditorKind editor) { return {std::nullopt, editor}; }
Outcome refused(UserMessage message) { return {std::move(message), EditorKind::None}; }

const UserMessage kAccessState = appWarning("该参数在此权限状态下不能被修改！");
const UserMessage kWhileRunning = appWarning("该参数在此权限状态下不能被修改！\n");
const UserMessage kInactiveSet = appWarning("该参数是未激活的电机数据组，不能被修改！");
const UserMessage kSlaves = appWarning("该参数超过设置的从站个数范围，不能被修改！");
const UserMessage kSystem = warning("系统参数，不允许修改！");
const UserMessage kInverterReadOnly = warning("此类型的参数不允许修改！");
const UserMessage kRectifierReadOnly = warning("r参数不允许改值或改连线！");
const UserMessage kRectifierState = warning("当前状态下，该参数不能修改！");
const UserMessage kRecorder = warning("触发录波正在传输数据，当前状态禁止改值！");
UserMessage levels(const char* forbidden)
{
    return appWarning(QStringLiteral("当参数菜单P60为 ") + QString::fromUtf8(forbidden)
                      + QStringLiteral(" 时，该参数不能被修改！"));
}

struct Case {
    const char* name;
    EditContext context;
    Param param;
    Outcome expected;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class ValueEdit : public ::testing::TestWithParam<Case> {};

TEST_P(ValueEdit, decidesRefusalOrEditor)
{
    const Case& c = GetParam();
    const EditDecision decision = decideValueEdit(c.context, element(c.param));
    if (c.expected.refusal) {
        ASSERT_TRUE(decision.refused()) << c.name;
        EXPECT_EQ(decision.refusal->text, c.expected.refusal->text) << c.name;
        EXPECT_EQ(decision.refusal->title, c.expected.refusal->title) << c.name;
        EXPECT_EQ(decision.refusal->kind, c.expected.refusal->kind) << c.name;
        EXPECT_EQ(decision.editor, EditorKind::None) << c.name;
    } else {
        EXPECT_FALSE(decision.refused()) << c.name << ": " << decision.refusal->text.toStdString();
        EXPECT_EQ(decision.editor, c.expected.editor) << c.name;
    }
}

using E = EditorKind;
const DeviceClass INV = DeviceClass::Inverter;
const DeviceClass SLM = DeviceClass::FeedbackRectifier;
const DeviceClass AIC = DeviceClass::ActiveRectifier;
const DeviceClass BLM = DeviceClass::BasicRectifier;

// Online inverter, stopped, access bit set: the menu levels and the data sets.
INSTANTIATE_TEST_SUITE_P(
    InverterMenuLevels, ValueEdit,
    ::testing::Values(
        Case{"P0100 at level 1", online(INV, {.level = 1}), {100, 1}, refused(levels("1/7/2/8"))},
        Case{"P0100 at level 7", online(INV, {.level = 7}), {100, 1}, refused(levels("1/7/2/8"))},
        Case{"P0100 at level 2", online(INV, {.level = 2}), {100, 1}, refused(levels("1/7/2/8"))},
        Case{"P0100 at level 8", online(INV, {.level = 8}), {100, 1}, refused(levels("1/7/2/8"))},
        Case{"P0100 of the active set at level 5", online(INV, {.level = 5}), {100, 1}, opens(E::SpecialParameterDialog)},
        Case{"P0100 at level 3", online(INV, {.level = 3}), {100, 1}, opens(E::SpecialParameterDialog)},
        Case{"P0300 at level 5", online(INV, {.level = 5}), {300}, refused(levels("2/5/8"))},
        Case{"P0300 at level 1", online(INV, {.level = 1}), {300}, opens(E::ValueDialog)},
        Case{"P0103 at level 1 (not in the level 1/7 list)", online(INV, {.level = 1}), {103, 1}, opens(E::ValueDialog)},
        Case{"P0366 at level 2", online(INV, {.level = 2}), {366}, opens(E::ValueDialog)},
        Case{"P0366 at level 5", online(INV, {.level = 5}), {366}, refused(levels("1/7/5/8"))},
        Case{"P0070 at level 8", online(INV, {.level = 8}), {70}, opens(E::SpecialParameterDialog)},
        Case{"P0070 at level 5", online(INV, {.level = 5}), {70}, refused(levels("1/7/2/5"))},
        Case{"P0053 at level 8", online(INV, {.level = 8}), {53}, opens(E::BitDialog)},
        Case{"P0060 at level 2", online(INV, {.level = 2}), {60}, opens(E::SpecialParameterDialog)},
        Case{"a level never read (0)", online(INV, {.level = 0}), {7000, 5}, opens(E::ValueDialog)},
        Case{"P0116 of the active set 1", online(INV, {.level = 3, .dataSet = 1}), {116, 1}, opens(E::ValueDialog)},
        Case{"P0116 of set 0 while set 1 is active", online(INV, {.level = 3, .dataSet = 1}), {116, 0},
             refused(kInactiveSet)},
        Case{"P0116 of set 2 while set 1 is active", online(INV, {.level = 3, .dataSet = 1}), {116, 2},
             refused(kInactiveSet)},
        Case{"P0116 of set 3 while set 3 is active", online(INV, {.level = 3, .dataSet = 3}), {116, 3},
             opens(E::ValueDialog)},
        Case{"a data-set parameter without sub-index", online(INV, {.level = 3, .dataSet = 1}), {116},
             opens(E::ValueDialog)},
        Case{"the level rule comes before the data-set rule", online(INV, {.level = 1, .dataSet = 1}), {100, 2},
             refused(levels("1/7/2/8"))}));

// Online inverter: the access word and the operating state.
INSTANTIATE_TEST_SUITE_P(
    InverterAccessAndState, ValueEdit,
    ::testing::Values(
        Case{"access clear, stopped: P0053", online(INV, {.access = 0}), {53}, opens(E::BitDialog)},
        Case{"access clear, stopped: P0060", online(INV, {.access = 0}), {60}, opens(E::SpecialParameterDialog)},
        Case{"access clear, stopped: P0300", online(INV, {.access = 0, .level = 3}), {300}, refused(kAccessState)},
        Case{"access clear, stopped: P7000.5", online(INV, {.access = 0, .level = 3}), {7000, 5}, refused(kAccessState)},
        Case{"access clear, running: P0053", online(INV, {.access = 0, .state = kRunning}), {53}, opens(E::BitDialog)},
        Case{"access clear, running: P0060", online(INV, {.access = 0, .state = kRunning}), {60}, refused(kAccessState)},
        Case{"only bit 1 counts: 0x0001 is clear", online(INV, {.access = 0x0001, .level = 3}), {300},
             refused(kAccessState)},
        Case{"only bit 1 counts: 0xFFFD is clear", online(INV, {.access = 0xFFFD, .level = 3}), {300},
             refused(kAccessState)},
        Case{"0x0006 has bit 1 set", online(INV, {.access = 0x0006, .level = 3}), {300}, opens(E::ValueDialog)},
        Case{"state 9 is stopped: levels apply", online(INV, {.level = 1, .state = 9}), {100, 1},
             refused(levels("1/7/2/8"))},
        Case{"running: a parameter of the running list", online(INV, {.level = 3, .state = kRunning}), {100, 1},
             refused(kWhileRunning)},
        Case{"running: P0060", online(INV, {.level = 3, .state = kRunning}), {60}, refused(kWhileRunning)},
        Case{"running: P7000.5", online(INV, {.level = 3, .state = kRunning}), {7000, 5}, refused(kWhileRunning)},
        Case{"running: levels do not apply", online(INV, {.level = 5, .state = kRunning}), {300},
             opens(E::ValueDialog)},
        Case{"running: the data-set rule still applies", online(INV, {.level = 5, .state = kRunning, .dataSet = 1}),
             {116, 2}, refused(kInactiveSet)},
        Case{"running: state 0xFFFF counts as running", online(INV, {.level = 3, .state = 0xFFFF}), {100, 1},
             refused(kWhileRunning)}));

// The system parameters, the slave count, read-only and connection parameters.
INSTANTIATE_TEST_SUITE_P(
    InverterFixedRules, ValueEdit,
    ::testing::Values(
        Case{"P0435", online(INV, {.level = 3}), {435}, refused(kSystem)},
        Case{"P0436", online(INV, {.level = 3}), {436}, refused(kSystem)},
        Case{"P0942", online(INV, {.level = 3}), {942, 2}, refused(kSystem)},
        Case{"P0955", online(INV, {.level = 3}), {955}, refused(kSystem)},
        Case{"P0957", online(INV, {.level = 3}), {957}, refused(kSystem)},
        Case{"P7000.15", online(INV, {.level = 3}), {7000, 15}, refused(kSystem)},
        Case{"P7000.15 even with access clear", online(INV, {.access = 0}), {7000, 15}, refused(kSystem)},
        Case{"P7000.14 follows the normal rules", online(INV, {.level = 3}), {7000, 14}, opens(E::ValueDialog)},
        Case{"P0950 is no inverter system parameter", online(INV, {.level = 3}), {950}, opens(E::ValueDialog)},
        Case{"P0848.3 beyond 2 slaves", online(INV, {.level = 3, .slaves = 2}), {848, 3}, refused(kSlaves)},
        Case{"P0848.2 within 2 slaves", online(INV, {.level = 3, .slaves = 2}), {848, 2}, opens(E::ValueDialog)},
        Case{"P0848.3 when the project also has a plain P0848", online(INV, {.level = 3, .slaves = 2}, false),
             {848, 3}, opens(E::ValueDialog)},
        Case{"P0848.1 with no slaves", online(INV, {.level = 3, .slaves = 0}), {848, 1}, refused(kSlaves)},
        Case{"P0848.3 at a forbidden level: the level message first", online(INV, {.level = 1, .slaves = 2}),
             {848, 3}, refused(levels("1/7/2/5"))},
        Case{"P0848.3 running: the running message first", online(INV, {.level = 3, .state = kRunning, .slaves = 2}),
             {848, 3}, refused(kWhileRunning)},
        Case{"read-only", online(INV, {.level = 3}), {2, kNoSub, false}, refused(kInverterReadOnly)},
        Case{"read-only at a forbidden level: no level message", online(INV, {.level = 1}), {100, 1, false},
             refused(kInverterReadOnly)},
        Case{"connection", online(INV, {.level = 3}), {554, kNoSub, true, true}, opens(E::ConnectionDialog)},
        Case{"connection at a forbidden level", online(INV, {.level = 2}), {554, kNoSub, true, true},
             refused(levels("2/5/8"))},
        Case{"a special parameter that is a connection", online(INV, {.level = 3}), {70, kNoSub, true, true},
             opens(E::ConnectionDialog)}));

EditContext offline(DeviceClass deviceClass, const Drive& d = {.access = 0, .level = 1, .state = kRunning})
{
    EditContext c = online(deviceClass, d);
    c.online = false;
    return c;
}

// Offline the values are ignored (even values that would refuse): only the fixed rules.
INSTANTIATE_TEST_SUITE_P(
    Offline, ValueEdit,
    ::testing::Values(
        Case{"inverter P0100 of an inactive set at level 1", offline(INV), {100, 3}, opens(E::SpecialParameterDialog)},
        Case{"inverter P0880 from the running list", offline(INV), {880}, opens(E::ValueDialog)},
        Case{"inverter P0848.4 beyond the slaves", offline(INV), {848, 4}, opens(E::ValueDialog)},
        Case{"inverter P7000.15", offline(INV), {7000, 15}, refused(kSystem)},
        Case{"inverter read-only", offline(INV), {2, kNoSub, false}, refused(kInverterReadOnly)},
        Case{"AIC P0070 at level 1 running", offline(AIC), {70}, opens(E::SpecialParameterDialog)},
        Case{"AIC P0951", offline(AIC), {951}, refused(kSystem)},
        Case{"SLM read-only", offline(SLM), {2, kNoSub, false}, refused(kRectifierReadOnly)}));

// The rectifier supplies' rule table.
INSTANTIATE_TEST_SUITE_P(
    Rectifiers, ValueEdit,
    ::testing::Values(
        Case{"AIC running, level 1: P0400", online(AIC, {.level = 1, .state = kRunning}), {400}, opens(E::ValueDialog)},
        Case{"AIC running, level 1: P0070", online(AIC, {.level = 1, .state = kRunning}), {70}, refused(kRectifierState)},
        Case{"AIC stopped, level 8: P0070", online(AIC, {.level = 8}), {70}, opens(E::SpecialParameterDialog)},
        Case{"AIC running, level 8: P0070", online(AIC, {.level = 8, .state = kRunning}), {70},
             refused(kRectifierState)},
        Case{"AIC stopped, level 8: P0400", online(AIC, {.level = 8}), {400}, refused(kRectifierState)},
        Case{"AIC stopped, level 5: P0073", online(AIC, {.level = 5}), {73}, opens(E::ValueDialog)},
        Case{"AIC stopped, level 5: P0848 is level 8 on the AIC", online(AIC, {.level = 5}), {848, 1},
             refused(kRectifierState)},
        Case{"AIC stopped, level 8: P0848", online(AIC, {.level = 8}), {848, 1}, opens(E::ValueDialog)},
        Case{"SLM stopped, level 5: P0848", online(SLM, {.level = 5}), {848, 1}, opens(E::ValueDialog)},
        Case{"SLM stopped, level 5: P0052", online(SLM, {.level = 5}), {52}, opens(E::ValueDialog)},
        Case{"SLM stopped, level 1: P0052", online(SLM, {.level = 1}), {52}, refused(kRectifierState)},
        Case{"BLM stopped, level 8: P0835", online(BLM, {.level = 8}), {835}, opens(E::ValueDialog)},
        Case{"BLM stopped, level 5: P0835", online(BLM, {.level = 5}), {835}, refused(kRectifierState)},
        Case{"SLM stopped, level 2: P0366", online(SLM, {.level = 2}), {366}, opens(E::ValueDialog)},
        Case{"SLM stopped, level 1: P0366", online(SLM, {.level = 1}), {366}, refused(kRectifierState)},
        Case{"SLM running, level 2: P0970", online(SLM, {.level = 2, .state = kRunning}), {970},
             refused(kRectifierState)},
        Case{"AIC stopped, level 2: P0970", online(AIC, {.level = 2}), {970}, opens(E::SpecialParameterDialog)},
        Case{"access set, stopped: P0060", online(AIC, {.level = 3}), {60}, opens(E::SpecialParameterDialog)},
        Case{"access set, running: P0060", online(AIC, {.level = 1, .state = kRunning}), {60}, refused(kRectifierState)},
        Case{"access set, running: P0053", online(BLM, {.level = 4, .state = kRunning}), {53}, opens(E::BitDialog)},
        Case{"access clear, stopped: P0060", online(SLM, {.access = 0}), {60}, opens(E::SpecialParameterDialog)},
        Case{"access clear, stopped: P7000.5", online(SLM, {.access = 0}), {7000, 5}, opens(E::ValueDialog)},
        Case{"access clear, running: P7000.5", online(SLM, {.access = 0, .state = kRunning}), {7000, 5},
             refused(kRectifierState)},
        Case{"access clear, stopped, level 1: P0400", online(AIC, {.access = 0, .level = 1}), {400},
             refused(kRectifierState)},
        Case{"SLM P0942", online(SLM, {.level = 1}), {942}, refused(kSystem)},
        Case{"SLM P0950", online(SLM, {.level = 1}), {950}, refused(kSystem)},
        Case{"SLM P0951 is no system parameter", online(SLM, {.level = 1}), {951}, opens(E::ValueDialog)},
        Case{"BLM P0955 is no system parameter", online(BLM, {.level = 1}), {955}, opens(E::ValueDialog)},
        Case{"AIC P0951", online(AIC, {.level = 1}), {951}, refused(kSystem)},
        Case{"AIC P0955", online(AIC, {.level = 1}), {955}, refused(kSystem)},
        Case{"AIC P0957", online(AIC, {.level = 1}), {957}, refused(kSystem)},
        Case{"read-only before the rule table", online(AIC, {.access = 0, .state = kRunning}), {2, kNoSub, false},
             refused(kRectifierReadOnly)},
        Case{"a system parameter before read-only", online(AIC, {.level = 1}), {942, kNoSub, false}, refused(kSystem)},
        Case{"no data-set rule on rectifiers", online(AIC, {.level = 1, .dataSet = 1}), {116, 3}, opens(E::ValueDialog)},
        Case{"no slave-count rule on rectifiers", online(SLM, {.level = 5, .slaves = 0}), {848, 4},
             opens(E::ValueDialog)},
        Case{"AIC P0372 special", online(AIC, {.level = 1}), {372}, opens(E::SpecialParameterDialog)},
        Case{"SLM P0372 plain", online(SLM, {.level = 1}), {372}, opens(E::ValueDialog)},
        Case{"AIC P0956 special", online(AIC, {.level = 1}), {956}, opens(E::SpecialParameterDialog)},
        Case{"BLM P0956 plain", online(BLM, {.level = 1}), {956}, opens(E::ValueDialog)},
        Case{"AIC connection", online(AIC, {.level = 1}), {554, kNoSub, true, true}, opens(E::ConnectionDialog)}));

TEST(ValueEditRules, rectifierStateRefusalGivesTheFocusBackToTheList)
{
    const EditDecision table = decideValueEdit(online(AIC, {.level = 8, .state = kRunning}), element({70}));
    ASSERT_TRUE(table.refused());
    EXPECT_TRUE(table.focusBackToList);
    const EditDecision system = decideValueEdit(online(AIC, {.level = 1}), element({951}));
    ASSERT_TRUE(system.refused());
    EXPECT_FALSE(system.focusBackToList);
    const EditDecision inverter = decideValueEdit(online(INV, {.level = 1}), element({100, 1}));
    ASSERT_TRUE(inverter.refused());
    EXPECT_FALSE(inverter.focusBackToList);
}

TEST(ValueEditRules, onlyP0053ChangesWithAccessClearWhileRunningOnEveryDeviceType)
{
    const uint16_t numbers[] = {53, 60, 70, 100, 300, 400, 7000};
    for (const DeviceClass deviceClass : {INV, SLM, AIC, BLM}) {
        for (const uint16_t number : numbers) {
            const EditDecision d = decideValueEdit(
                online(deviceClass, {.access = 0, .level = 1, .state = kRunning, .dataSet = 1}), element({number}));
            EXPECT_EQ(d.refused(), number != 53) << static_cast<int>(deviceClass) << " P" << number;
        }
    }
}

TEST(ValueEditRules, theTestBenchOpensNothingAndRefusesNothing)
{
    for (const DeviceClass deviceClass : {DeviceClass::TestBench, DeviceClass::None}) {
        for (const bool isOnline : {false, true}) {
            EditContext c = online(deviceClass, {.access = 0, .state = kRunning});
            c.online = isOnline;
            for (const Param& p : {Param{100}, Param{53}, Param{2, kNoSub, false}, Param{554, kNoSub, true, true}}) {
                const EditDecision d = decideValueEdit(c, element(p));
                EXPECT_FALSE(d.refused()) << p.number;
                EXPECT_EQ(d.editor, EditorKind::None) << p.number;
            }
        }
    }
}

TEST(ValueEditRules, aTransferringRecorderRefusesFirstOnEveryDeviceType)
{
    struct RecorderCase {
        int state;
        bool transferFlag;
        bool refuses;
    };
    const RecorderCase recorderCases[] = {
        {6, false, true}, {7, false, true}, {6, true, false}, {5, false, false}, {4, false, false}, {0, false, false},
    };
    for (const RecorderCase& r : recorderCases) {
        for (const DeviceClass deviceClass : {INV, SLM, AIC, BLM, DeviceClass::TestBench}) {
            for (const bool isOnline : {false, true}) {
                // A parameter that every other rule would let through.
                EditContext c = online(deviceClass, {.level = 3});
                c.online = isOnline;
                c.recorder = {r.state, r.transferFlag};
                const EditDecision d = decideValueEdit(c, element({53}));
                if (r.refuses) {
                    ASSERT_TRUE(d.refused()) << r.state;
                    EXPECT_EQ(*d.refusal, kRecorder);
                    EXPECT_EQ(d.editor, EditorKind::None);
                } else {
                    EXPECT_FALSE(d.refused()) << r.state << " " << static_cast<int>(deviceClass);
                }
            }
        }
        // It comes before the system-parameter rule too.
        EditContext c = online(INV, {});
        c.recorder = {r.state, r.transferFlag};
        const EditDecision system = decideValueEdit(c, element({7000, 15}));
        ASSERT_TRUE(system.refused());
        EXPECT_EQ(*system.refusal, r.refuses ? kRecorder : kSystem);
    }
}

TEST(ValueEditRules, theCommentCellAlwaysOpensTheCommentEditor)
{
    const EditDecision d = decideCommentEdit();
    EXPECT_FALSE(d.refused());
    EXPECT_EQ(d.editor, EditorKind::CommentDialog);
}

TEST(EditorDispatch, followsTheTableOfEachDeviceType)
{
    struct DispatchCase {
        DeviceClass deviceClass;
        Param param;
        EditorKind editor;
    };
    const uint16_t inverterSpecials[] = {60, 70, 100, 115, 130, 201, 340, 348, 368, 372, 514, 702, 830, 956, 970};
    std::vector<DispatchCase> cases;
    for (const uint16_t n : inverterSpecials)
        cases.push_back({INV, {n}, E::SpecialParameterDialog});
    for (const uint16_t n : {60, 70, 372, 956, 970})
        cases.push_back({AIC, {n}, E::SpecialParameterDialog});
    for (const DeviceClass c : {SLM, BLM}) {
        for (const uint16_t n : {60, 70, 970})
            cases.push_back({c, {n}, E::SpecialParameterDialog});
        for (const uint16_t n : {100, 372, 956})
            cases.push_back({c, {n}, E::ValueDialog});
    }
    for (const DeviceClass c : {INV, SLM, AIC, BLM}) {
        cases.push_back({c, {53}, E::BitDialog});
        cases.push_back({c, {53, kNoSub, true, true}, E::ConnectionDialog});
        cases.push_back({c, {60, kNoSub, true, true}, E::ConnectionDialog});
        cases.push_back({c, {749}, E::ValueDialog});
        cases.push_back({c, {7030}, E::ValueDialog});
    }
    cases.push_back({AIC, {100}, E::ValueDialog});
    cases.push_back({INV, {101, 1}, E::ValueDialog});
    for (const DispatchCase& c : cases)
        EXPECT_EQ(editorFor(c.deviceClass, element(c.param)), c.editor)
            << static_cast<int>(c.deviceClass) << " P" << c.param.number;
}

}  // namespace
}  // namespace hesk::editing
