// The settings dialog's draft: taken from a record and put back unchanged, the checks in
// their order first, then channels and condition parameters the project does not have.

#include "MessagePrinters.h"
#include "QtPrinters.h"

#include "model/FaultTableLibrary.h"
#include "model/OpenedProject.h"
#include "recording/TriggerSettingsDraft.h"

#include <gtest/gtest.h>

namespace hesk::recording {
namespace {

class TriggerSettingsDraftTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(project.open(QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj"))
                         .has_value());
        settings = defaultTriggerSettings(project);
        settings.samplingPeriod = 4;
        settings.preTrigger = 25;
        settings.condition1On = 1;
        settings.condition1Parameter = QStringLiteral("K0021");
        settings.condition1Address = static_cast<uint16_t>(project.find(QStringLiteral("K0021"))->address);
        settings.conditionOperator = static_cast<int32_t>(TriggerOperator::Greater);
        settings.value = QStringLiteral("50");
        settings.channels[0].value1 = 7;  // carried unchanged
        settings.headText = QStringLiteral("head");
    }
    model::FaultTableLibrary tables;
    model::OpenedProject project{tables};
    TriggerSettings settings;
};

TEST_F(TriggerSettingsDraftTest, aRecordSurvivesTheDialogUnchanged)
{
    const auto back = settingsFromDraft(draftOf(settings), settings, project);
    ASSERT_TRUE(std::holds_alternative<TriggerSettings>(back)) << std::get<model::UserMessage>(back).text.toStdString();
    EXPECT_EQ(std::get<TriggerSettings>(back), settings);
}

TEST_F(TriggerSettingsDraftTest, editsReachTheRecordAndUnknownParametersAreRefused)
{
    TriggerSettingsDraft draft = draftOf(settings);
    draft.form.channelTicked[3] = false;
    draft.channelNames[1] = QStringLiteral("K0081");
    draft.startMode = continuousTriggerText();
    const auto edited = settingsFromDraft(draft, settings, project);
    ASSERT_TRUE(std::holds_alternative<TriggerSettings>(edited));
    const TriggerSettings& s = std::get<TriggerSettings>(edited);
    EXPECT_EQ(s.activeChannels(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(s.channels[1].name, QStringLiteral("K0081"));
    EXPECT_EQ(s.channels[1].address, project.find(QStringLiteral("K0081"))->address);
    EXPECT_TRUE(s.continuous());

    const struct {
        const char* what;
        std::function<void(TriggerSettingsDraft&)> change;
        const char* message;
    } refusals[] = {
        {"no channel", [](TriggerSettingsDraft& d) { d.form.channelTicked = {}; }, "通道设置不能为空，请您至少激活一条通道！"},
        {"period out of range", [](TriggerSettingsDraft& d) { d.form.samplingPeriod = QStringLiteral("100"); },
         "采样周期超过范围1~99，请重新设置！"},
        {"unknown channel", [](TriggerSettingsDraft& d) { d.channelNames[2] = QStringLiteral("K9999"); },
         "通道3的参数“K9999”在当前工程中不存在，请重新设置！"},
        {"unknown condition parameter", [](TriggerSettingsDraft& d) { d.form.condition1Parameter = QStringLiteral("K9998"); },
         "条件1的触发参数“K9998”在当前工程中不存在，请重新设置！"},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.what);
        TriggerSettingsDraft bad = draftOf(settings);
        r.change(bad);
        const auto refused = settingsFromDraft(bad, settings, project);
        ASSERT_TRUE(std::holds_alternative<model::UserMessage>(refused));
        EXPECT_EQ(std::get<model::UserMessage>(refused).text, QString::fromUtf8(r.message));
    }
}

}  // namespace
}  // namespace hesk::recording
