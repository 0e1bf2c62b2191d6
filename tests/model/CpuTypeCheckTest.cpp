#include "model/CpuTypeCheck.h"

#include <gtest/gtest.h>

using namespace hesk::model;

namespace {

TEST(CpuTypeCheck, reportedCodeOfTheProjectsCpuMatches)
{
    const CpuTypeCheckResult result = checkDriveCpuType(0x6505, QStringLiteral("HESK6505"));
    EXPECT_EQ(result.outcome, CpuCheckOutcome::Match);
    EXPECT_TRUE(result.passed());
    EXPECT_EQ(result.driveCpuName, QStringLiteral("HESK6505"));
    EXPECT_TRUE(result.logText.isEmpty());
    EXPECT_FALSE(result.message.has_value());
}

TEST(CpuTypeCheck, code6505MatchesOnlyHesk6505)
{
    for (const char* project : {"HESK6504", "HESK6500", "HESK5", "Unknown", "hesk6505", ""}) {
        const CpuTypeCheckResult result = checkDriveCpuType(0x6505, QString::fromLatin1(project));
        EXPECT_EQ(result.outcome, CpuCheckOutcome::Mismatch) << project;
        EXPECT_FALSE(result.passed()) << project;
    }
}

TEST(CpuTypeCheck, mismatchNamesBothCpuTypes)
{
    const CpuTypeCheckResult result = checkDriveCpuType(0x6504, QStringLiteral("HESK6500"));
    ASSERT_EQ(result.outcome, CpuCheckOutcome::Mismatch);
    EXPECT_EQ(result.driveCpuName, QStringLiteral("HESK6504"));
    EXPECT_EQ(result.logText,
              QStringLiteral("<错误>设备的CPU类型是HESK6504，请重新打开CPU类型匹配的Monitor工程"));
    ASSERT_TRUE(result.message.has_value());
    EXPECT_EQ(result.message->kind, MessageKind::Error);
    EXPECT_EQ(result.message->title, QStringLiteral("HESKMonitorCpuStyle"));
    EXPECT_EQ(result.message->text,
              QStringLiteral("设备的CPU类型是HESK6504，与上位机的CPU类型HESK6500不匹配！\n"
                             "请重新打开CPU类型匹配的Monitor工程\n连接操作被终止！"));
}

TEST(CpuTypeCheck, unknownCodeStopsTheConnection)
{
    for (uint16_t code : {uint16_t{0}, uint16_t{0x0008}, uint16_t{0x6506}, uint16_t{0xFFFF}}) {
        const CpuTypeCheckResult result = checkDriveCpuType(code, QStringLiteral("HESK6504"));
        EXPECT_EQ(result.outcome, CpuCheckOutcome::Unknown) << code;
        EXPECT_TRUE(result.driveCpuName.isEmpty());
        EXPECT_EQ(result.logText, QStringLiteral("<ERROR>下位机CPU类型不在处理范围内。"));
        ASSERT_TRUE(result.message.has_value());
        EXPECT_EQ(result.message->kind, MessageKind::Error);
        EXPECT_EQ(result.message->title, QStringLiteral("HESKMonitorCpuStyle"));
        EXPECT_EQ(result.message->text,
                  QStringLiteral("上位机CPU类型是HESK6504！下位机CPU类型不在处理范围内。\n连接操作被终止！"));
    }
}

TEST(CpuTypeCheck, projectWithUnknownCpuTypeNeverPasses)
{
    // A project whose cpuType text is unknown resolves to code 0 and "Unknown".
    EXPECT_EQ(checkDriveCpuType(0, QStringLiteral("Unknown")).outcome, CpuCheckOutcome::Unknown);
    EXPECT_EQ(checkDriveCpuType(1, QStringLiteral("Unknown")).outcome, CpuCheckOutcome::Mismatch);
}

TEST(CpuTypeCheck, lowCodesMatchTheFirstCpuNames)
{
    EXPECT_TRUE(checkDriveCpuType(1, QStringLiteral("HESK1")).passed());
    EXPECT_TRUE(checkDriveCpuType(6, QStringLiteral("HESK6")).passed());
}

}  // namespace
