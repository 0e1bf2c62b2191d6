// A parameter file's header against the open project: refusals, questions and answers.
#include "files/DnlProjectCheck.h"
#include "model/HeskProject.h"

#include "ScriptedPrompt.h"

#include <gtest/gtest.h>

namespace hesk::files {
namespace {

using model::PromptAnswer;

model::HeskProjectHeader projectHeader(const char* type, const char* version)
{
    model::HeskProjectHeader header;
    header.deviceType = QString::fromUtf8(type);
    header.deviceVersion = QString::fromLatin1(version);
    return header;
}

struct CheckCase {
    const char* name;
    const char* projectType;  // nullptr: no project open
    const char* style;
    const char* version;
    std::optional<PromptAnswer> answer;  // the question's scripted answer, when one is asked
    const char* shown;                   // the refusal shown, or ""
    const char* asked;                   // the question asked, or ""
    bool accepted;
};

class DnlCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(DnlCheck, refusesOrAsksAsTheHeaderRequires)
{
    const CheckCase& c = GetParam();
    testsupport::ScriptedPrompt prompt;
    if (c.answer)
        prompt.answer(*c.answer);
    const model::HeskProjectHeader header = projectHeader(c.projectType ? c.projectType : "", "V1.04.00");
    const DnlProjectCheck check = checkDnlAgainstProject(
        DnlHeader{QString::fromLatin1(c.style), QString::fromLatin1(c.version)}, c.projectType ? &header : nullptr,
        prompt);
    EXPECT_EQ(check.accepted, c.accepted) << c.name;
    const QString shown = QString::fromUtf8(c.shown);
    if (shown.isEmpty()) {
        EXPECT_TRUE(prompt.messages().empty()) << c.name;
    } else {
        ASSERT_EQ(prompt.messages().size(), 1u) << c.name;
        EXPECT_EQ(prompt.messages()[0].text, shown) << c.name;
        EXPECT_EQ(prompt.messages()[0].title, QStringLiteral("警告")) << c.name;
    }
    const QString asked = QString::fromUtf8(c.asked);
    if (asked.isEmpty()) {
        EXPECT_TRUE(prompt.questions().empty()) << c.name;
    } else {
        ASSERT_EQ(prompt.questions().size(), 1u) << c.name;
        EXPECT_EQ(prompt.questions()[0].text, asked) << c.name;
        EXPECT_EQ(prompt.questions()[0].title, QStringLiteral("询问")) << c.name;
    }
}

const char kTypeMismatch[] = "dnl文件中的设备类型与当前工程不匹配，禁止导入！";
const char kNoVersion[] = "dnl文件中缺少有效的版本信息，\n是否继续导入此文件？";
const char kOtherVersion[] = "当前工程版本为：V1.04.00，\ndnl文件版本为：V1.05.00，\n是否继续导入此dnl文件？";

INSTANTIATE_TEST_SUITE_P(
    Table, DnlCheck,
    ::testing::Values(
        CheckCase{"same type and version", "整流回馈电源", "SLM", "V1.04.00", {}, "", "", true},
        CheckCase{"unknown style", "VRA1", "XYZ", "V1.04.00", {}, "无法识别dnl文件中的设备类型，禁止导入！", "", false},
        CheckCase{"test bench style is unknown", nullptr, "UNKNOW", "", {}, "无法识别dnl文件中的设备类型，禁止导入！", "", false},
        CheckCase{"no project accepts", nullptr, "AIC", "", {}, "", "", true},
        CheckCase{"SLM file for AIC project", "有源整流电源", "SLM", "V1.04.00", {}, kTypeMismatch, "", false},
        CheckCase{"empty style is the inverter", "VRA1", "", "V1.04.00", {}, "", "", true},
        CheckCase{"inverter without version asks nothing", "VRA1", "VRA1", "", {}, "", "", true},
        CheckCase{"rectifier without version asks, yes", "整流回馈电源", "SLM", "", PromptAnswer::Yes, "", kNoVersion, true},
        CheckCase{"rectifier without version asks, no", "整流回馈电源", "SLM", "", PromptAnswer::No, "", kNoVersion, false},
        CheckCase{"other version, yes", "基本型整流电源", "BLM", "V1.05.00", PromptAnswer::Yes, "", kOtherVersion, true},
        CheckCase{"other version, no", "VRA1", "VRA1", "V1.05.00", PromptAnswer::No, "", kOtherVersion, false}),
    [](const ::testing::TestParamInfo<CheckCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

}  // namespace
}  // namespace hesk::files
