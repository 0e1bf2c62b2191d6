// With a translator loaded, the device search shows translated texts while the outcome
// it hands on (compared with the QB27 marker, written by heskmon) keeps the source text.

#include "MarkingTranslator.h"
#include "QtPrinters.h"
#include "ScriptedPrompt.h"

#include "online/BoardCheck.h"
#include "online/DeviceSearch.h"

#include <gtest/gtest.h>

using namespace hesk::online;
using hesk::model::UserMessage;
using hesk::testsupport::MarkingTranslator;
using hesk::testsupport::ScopedMarkingTranslator;
using hesk::testsupport::ScriptedPrompt;

namespace {

QString shown(const QString& source)
{
    return MarkingTranslator::marked(source);
}

// A probe that gives one result, so that runBoardCheck decides on it.
class FixedProbe final : public DeviceIdentityProbe {
public:
    explicit FixedProbe(DeviceProbeResult result) : m_result(std::move(result)) {}
    DeviceProbeResult probe(const ConnectionSettings&, std::stop_token) override { return m_result; }

private:
    DeviceProbeResult m_result;
};

ConnectionSettings serialSettings()
{
    ConnectionSettings settings;
    settings.mode = InterfaceMode::Serial;
    return settings;
}

TEST(SearchTextLanguage, boardCheckResultsKeepTheSourceAndAreTranslatedWhereShown)
{
    const ScopedMarkingTranslator translator;
    ASSERT_TRUE(translator.installed());
    using Status = DeviceProbeResult::Status;
    struct Case {
        Status status;
        const char* source;
    };
    const Case cases[] = {
        {Status::PortOpenFailed, "串口打开失败！"},
        {Status::ProgramIdTimeout, "请求设备程序ID超时。"},
        {Status::CpuTypeTimeout, "请求设备CPU类型超时。"},
    };
    for (const Case& c : cases) {
        DeviceProbeResult result;
        result.status = c.status;
        result.programId = 0x1234;
        FixedProbe probe(result);
        const BoardCheckResult check = runBoardCheck(serialSettings(), probe);
        EXPECT_EQ(check.text, QString::fromUtf8(c.source));

        ScriptedPrompt prompt;
        EXPECT_EQ(presentSearchOutcome({check.text, check.programId, {}}, prompt), std::nullopt);
        EXPECT_EQ(prompt.messages(), std::vector<UserMessage>{UserMessage::error(shown(QString::fromUtf8(c.source)))})
            << c.source;
    }
}

TEST(SearchTextLanguage, qb27BoardIsStillRecognisedUnderATranslator)
{
    const ScopedMarkingTranslator translator;
    ASSERT_TRUE(translator.installed());
    DeviceProbeResult result;
    result.status = DeviceProbeResult::Status::Identified;
    result.programId = 0x7ADF;
    result.cpuType = kQb27CpuType;
    FixedProbe probe(result);
    const BoardCheckResult check = runBoardCheck(serialSettings(), probe);
    EXPECT_EQ(check.text, qb27ResultText());

    ScriptedPrompt prompt;
    EXPECT_EQ(presentSearchOutcome({check.text, check.programId, {}}, prompt), std::nullopt);
    ASSERT_EQ(prompt.messages().size(), 1u);
    // The advice, not the marker shown as an error.
    EXPECT_EQ(prompt.messages().front(), UserMessage::information(qb27AdviceText(0x7ADF)));
    EXPECT_TRUE(prompt.messages().front().text.startsWith(shown(QStringLiteral("当前设备为QB27控制板"))));
}

TEST(SearchTextLanguage, foundDeviceQuestionIsTranslated)
{
    const ScopedMarkingTranslator translator;
    ASSERT_TRUE(translator.installed());
    const FoundProject project{"/p/VRA1V11517.tmprj", "VRA1", "V1.15.17", 0x2222};
    ScriptedPrompt prompt;
    prompt.answer(hesk::model::PromptAnswer::Ok);
    EXPECT_EQ(presentSearchOutcome({QString(), 0x2222, project}, prompt), project.path);
    ASSERT_EQ(prompt.questions().size(), 1u);
    EXPECT_EQ(prompt.questions().front().title, shown(QStringLiteral("警告")));
    EXPECT_TRUE(prompt.questions().front().text.startsWith(shown(QStringLiteral("已搜索到设备"))));
    EXPECT_TRUE(prompt.questions().front().text.endsWith(QStringLiteral("VRA1，V1.15.17")))
        << prompt.questions().front().text.toStdString();
}

}  // namespace
