// The value editor's OK without widgets: refusals with their messages, the offline store
// with its modified mark, the online write with the table put first, and the failed write
// that puts the previous word back.

#include "EditingFixture.h"

#include "editing/AllowedValues.h"

namespace hesk::editing::test {
namespace {

class ValueEditing : public EditingTest {};

struct Refusal {
    const char* key;
    const char* typed;
    const char* message;
};

TEST_F(ValueEditing, refusalsKeepEverythingAsItWas)
{
    const Refusal cases[] = {
        {"P0310", "", "警告:数据不允许为空，请重新输入！"},
        {"P0310", "   ", "警告:数据不允许为空，请重新输入！"},
        {"P0310", "1a", "警告:数据格式不符合要求！"},
        {"P0310", "250", "警告:数据不在范围内！"},
        {"P0310", "-201", "警告:数据不在范围内！"},
        {"P0310", "1.234", "警告:此类型参数值小数部分最多保留 2 位！"},
        {"P0060", "1.5", "警告:此参数类型只允许输入整数！"},
        {"P0060", "3", "警告:数据不在范围内！"},  // not a menu level of the inverter
        {"P0749", "2.75", "警告:参数值不在范围内！\n范围：0.0~0.7、1.0~1.3、2.0~2.3、3.0~3.3、4.0~4.3、5.0~5.3"},
        {"P0053", "12", "警告:数据格式不符合要求！"},
        {"P0060", "x", "警告:数据格式不符合要求！"},  // the format before the allowed values
        {"P0749", "", "警告:数据不允许为空，请重新输入！"},
    };
    for (const bool online : {false, true}) {
        for (const Refusal& c : cases) {
            SCOPED_TRACE(std::string(c.key) + " '" + c.typed + "'" + (online ? " online" : " offline"));
            const std::size_t before = prompt.messages().size();
            EditEnvironment env = online ? onlineEnvironment() : offlineEnvironment();
            const EditOutcome outcome = applyValueText(env, element(c.key), QString::fromUtf8(c.typed));
            EXPECT_FALSE(outcome.applied);
            EXPECT_EQ(messageTexts(before), QStringList{QString::fromUtf8(c.message)});
        }
    }
    EXPECT_TRUE(drive.frames.empty());
    EXPECT_FALSE(offline.isModified());
    EXPECT_EQ(offline.size(), 0);
}

TEST_F(ValueEditing, offlineStoresTheAcceptedTextAndMarksItModified)
{
    EditEnvironment env = offlineEnvironment();
    const EditOutcome percent = applyValueText(env, element("P0310"), QStringLiteral(" 12.5"));
    EXPECT_TRUE(percent.applied);
    EXPECT_EQ(percent.text, QStringLiteral("12.50"));
    EXPECT_EQ(offline.value(QStringLiteral("P0310")), QStringLiteral("12.50"));
    // P0749 is stored in its digit-point-digit form; an indexed parameter under its key.
    EXPECT_EQ(applyValueText(env, element("P0749"), QStringLiteral("01.3")).text, QStringLiteral("1.3"));
    EXPECT_EQ(offline.value(QStringLiteral("P0749")), QStringLiteral("1.3"));
    EXPECT_TRUE(applyValueText(env, element("P0942.2"), QStringLiteral("7")).applied);
    EXPECT_EQ(offline.value(QStringLiteral("P0942.2")), QStringLiteral("7"));
    // A formula parameter needs no drive value offline.
    EXPECT_EQ(applyValueText(env, element("P7030"), QStringLiteral("25")).text, QStringLiteral("25"));

    EXPECT_TRUE(offline.isModified());
    EXPECT_EQ(offline.modifiedKeys(),
              (QStringList{QStringLiteral("P0310"), QStringLiteral("P0749"), QStringLiteral("P0942.2"),
                           QStringLiteral("P7030")}));
    EXPECT_TRUE(prompt.messages().empty());
    EXPECT_TRUE(drive.frames.empty());
}

TEST_F(ValueEditing, onlineWritesTheRawWordAfterPuttingItIntoTheTable)
{
    EditEnvironment env = onlineEnvironment();
    std::vector<uint16_t> tableAtWrite;
    DriveAccess& access = env.drive;
    auto recorded = access.write;
    access.write = [&](const link::CommandFrame& frame) {
        tableAtWrite.push_back(tables.parameters.valueOr0(4));
        return recorded(frame);
    };
    const EditOutcome outcome = applyValueText(env, element("P0310"), QStringLiteral("25"));
    EXPECT_TRUE(outcome.applied);
    EXPECT_EQ(outcome.text, QStringLiteral("25"));
    // 25 % of 16384.
    EXPECT_EQ(frames(), std::vector<std::string>{"03 0004 1000"});
    EXPECT_EQ(tableAtWrite, std::vector<uint16_t>{0x1000});
    EXPECT_EQ(tables.parameters.valueOr0(4), 0x1000);
    EXPECT_EQ(drive.recomputed, 1);
    EXPECT_EQ(offline.size(), 0);  // online edits leave the offline values alone
    EXPECT_TRUE(prompt.messages().empty());

    // A negative value goes as its 16-bit word.
    EXPECT_TRUE(applyValueText(env, element("P0310"), QStringLiteral("-25")).applied);
    EXPECT_EQ(frameText(drive.frames.back()), "03 0004 F000");
}

TEST_F(ValueEditing, failedOnlineWritePutsThePreviousWordBack)
{
    tables.parameters.store(1, 2);
    drive.answers = {false};
    EditEnvironment env = onlineEnvironment();
    const EditOutcome outcome = applyValueText(env, element("P0060"), QStringLiteral("5"));
    EXPECT_FALSE(outcome.applied);
    EXPECT_EQ(frames(), std::vector<std::string>{"03 0001 0005"});
    EXPECT_EQ(tables.parameters.valueOr0(1), 2);
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("警告:在线修改参数值失败！")});
    EXPECT_EQ(drive.recomputed, 0);
}

TEST_F(ValueEditing, formulaParameterOnlineGoesThroughTheForwardFormula)
{
    EditEnvironment env = onlineEnvironment();
    EXPECT_TRUE(applyValueText(env, element("P7030"), QStringLiteral("25")).applied);
    EXPECT_EQ(frames(), std::vector<std::string>{"03 0009 2000"});  // 25 Hz of 50 = 8192
}

TEST_F(ValueEditing, rangeTextShowsLimitsOrTheOptionList)
{
    EXPECT_EQ(rangeText(opened, element("P0310")), QStringLiteral("-200.00~199.99"));
    EXPECT_EQ(rangeText(opened, element("P0749")),
              QStringLiteral("0.0~0.7、1.0~1.3、2.0~2.3、3.0~3.3、4.0~4.3、5.0~5.3"));
}

}  // namespace
}  // namespace hesk::editing::test
