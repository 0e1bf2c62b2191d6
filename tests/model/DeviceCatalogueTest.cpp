#include "model/DeviceCatalogue.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QSet>

using namespace hesk::model;

namespace {

struct CpuCase {
    const char* cpuTypeText;
    uint16_t code;
    const char* name;
    DeviceClass deviceClass;
};

void PrintTo(const CpuCase& c, std::ostream* os)
{
    *os << '"' << c.cpuTypeText << '"';
}

class CpuTypeTable : public ::testing::TestWithParam<CpuCase> {};

TEST_P(CpuTypeTable, resolvesCodeNameAndClass)
{
    const CpuCase& c = GetParam();
    const CpuTypeInfo info = resolveCpuType(QString::fromLatin1(c.cpuTypeText));
    EXPECT_EQ(info.code, c.code);
    EXPECT_EQ(info.name, QString::fromLatin1(c.name));
    EXPECT_EQ(info.deviceClass, c.deviceClass);
    EXPECT_EQ(deviceClassOfCpuName(info.name), c.deviceClass);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CpuTypeTable,
    ::testing::Values(CpuCase{"DSP2812", 0x0001, "HESK1", DeviceClass::None},
                      CpuCase{"DSP28346_INVERTER", 0x0004, "HESK4", DeviceClass::None},
                      CpuCase{"HESK52", 0x0052, "HESK52", DeviceClass::None},
                      CpuCase{"HESK71", 0x0071, "HESK71", DeviceClass::Inverter},
                      CpuCase{"HESK13", 0x000D, "HESK13", DeviceClass::Inverter},
                      CpuCase{"HESKD1", 0x00D1, "HESKD1", DeviceClass::FeedbackRectifier},
                      CpuCase{"HESKD2", 0x00D2, "HESKD2", DeviceClass::ActiveRectifier},
                      CpuCase{"HESKF3", 0x00F3, "HESKF3", DeviceClass::Inverter},
                      CpuCase{"HESK6501", 0x6501, "HESK6501", DeviceClass::FeedbackRectifier},
                      CpuCase{"HESK6D00", 0x6D00, "HESK6D00", DeviceClass::Inverter},
                      CpuCase{"HESK6504", 0x6504, "HESK6504", DeviceClass::ActiveRectifier},
                      CpuCase{"HESK6704", 0x6704, "HESK6704", DeviceClass::BasicRectifier},
                      CpuCase{"HESK6505", 0x6505, "HESK6505", DeviceClass::TestBench},
                      // unknown texts, including near misses of case and spelling
                      CpuCase{"hesk6504", 0, "Unknown", DeviceClass::None},
                      CpuCase{"DSP2812 ", 0, "Unknown", DeviceClass::None},
                      CpuCase{"", 0, "Unknown", DeviceClass::None}));

TEST(CpuTypeCodes, reverseLookupNamesEveryCodeOfTheTable)
{
    EXPECT_EQ(cpuNameForCode(0x0001), QStringLiteral("HESK1"));
    EXPECT_EQ(cpuNameForCode(0x0006), QStringLiteral("HESK6"));
    EXPECT_EQ(cpuNameForCode(0x6505), QStringLiteral("HESK6505"));
    EXPECT_EQ(cpuNameForCode(0x000F), QStringLiteral("HESK15"));
    EXPECT_FALSE(cpuNameForCode(0x0000).has_value());
    EXPECT_FALSE(cpuNameForCode(0x0008).has_value());
    EXPECT_FALSE(cpuNameForCode(0xFFFF).has_value());
    for (int code = 1; code <= 6; ++code)
        EXPECT_EQ(cpuNameForCode(static_cast<uint16_t>(code)), QStringLiteral("HESK%1").arg(code));
}

TEST(CpuTypeCodes, codesAndNamesAreUnique)
{
    const QStringList texts{"DSP2812", "DSP2812_INVERTER", "DSP28346", "DSP28346_INVERTER",
                            "HESK5", "HESK6", "HESK51", "HESK52", "HESK7", "HESK71", "HESK13",
                            "HESKD1", "HESKD2", "HESK15", "HESKD4", "HESKF3", "HESK6500",
                            "HESK6501", "HESK6502", "HESK6503", "HESK6700", "HESK6800",
                            "HESKD5", "HESK6701", "HESK6703", "HESK6D00", "HESK6504",
                            "HESK6F00", "HESK6704", "HESK6505"};
    QSet<uint16_t> codes;
    for (const QString& text : texts) {
        const CpuTypeInfo info = resolveCpuType(text);
        ASSERT_NE(info.code, 0) << text.toStdString();
        EXPECT_FALSE(codes.contains(info.code)) << text.toStdString();
        codes.insert(info.code);
        EXPECT_EQ(cpuNameForCode(info.code), info.name);
    }
    EXPECT_EQ(codes.size(), 30);
}

TEST(DeviceTypes, shortCodesMapBothWays)
{
    const QStringList types{"VRA1", "整流回馈电源", "有源整流电源", "基本型整流电源", "标准产品测试台"};
    EXPECT_EQ(shortCodes(), (QStringList{"VRA1", "SLM", "AIC", "BLM", "PTB"}));
    for (int i = 0; i < types.size(); ++i) {
        EXPECT_EQ(deviceTypeForShortCode(shortCodes()[i]), types[i]);
        EXPECT_EQ(shortCodeForDeviceType(types[i]), shortCodes()[i]);
        EXPECT_EQ(deviceStyleName(types[i]), shortCodes()[i]);
    }
    EXPECT_TRUE(deviceTypeForShortCode(QStringLiteral("aic")).isEmpty());
    EXPECT_TRUE(shortCodeForDeviceType(QStringLiteral("AIC")).isEmpty());
    EXPECT_EQ(deviceStyleName(QStringLiteral("其他")), QStringLiteral("UNKNOW"));
}

TEST(FirmwareVersions, inverterListIsExpandedInOrder)
{
    const QStringList list = firmwareVersions(QStringLiteral("VRA1"));
    ASSERT_EQ(list.size(), 69);
    EXPECT_EQ(list.front(), QStringLiteral("V1.01.01"));
    EXPECT_EQ(list[29], QStringLiteral("V1.09.13"));
    EXPECT_EQ(list[30], QStringLiteral("V1.10.05"));
    EXPECT_EQ(list[31], QStringLiteral("V1.10.06"));
    EXPECT_EQ(list[40], QStringLiteral("V1.10.15"));
    EXPECT_EQ(list[41], QStringLiteral("V1.11.04"));
    EXPECT_EQ(list[57], QStringLiteral("V1.11.20"));
    EXPECT_EQ(list[58], QStringLiteral("V1.12.13"));
    EXPECT_EQ(list.back(), QStringLiteral("V1.15.18"));
    QStringList unique = list;
    EXPECT_EQ(unique.removeDuplicates(), 0);
    // The fallback version of the inverter is one of the offered versions.
    EXPECT_TRUE(list.contains(QStringLiteral("V1.14.18")));
}

TEST(FirmwareVersions, rectifierAndBenchLists)
{
    const QStringList slm = firmwareVersions(QStringLiteral("整流回馈电源"));
    ASSERT_EQ(slm.size(), 10);
    EXPECT_EQ(slm.front(), QStringLiteral("V2.00.04"));
    EXPECT_EQ(slm.back(), QStringLiteral("V2.01.11"));
    const QStringList aic = firmwareVersions(QStringLiteral("有源整流电源"));
    ASSERT_EQ(aic.size(), 13);
    EXPECT_EQ(aic[2], QStringLiteral("V2.02.07"));
    EXPECT_EQ(aic[8], QStringLiteral("V2.13.05"));
    EXPECT_EQ(aic.back(), QStringLiteral("V2.14.04"));
    EXPECT_EQ(firmwareVersions(QStringLiteral("基本型整流电源")), QStringList{QStringLiteral("V2.00.01")});
    EXPECT_EQ(firmwareVersions(QStringLiteral("标准产品测试台")), QStringList{QStringLiteral("V1.00.00")});
    EXPECT_TRUE(firmwareVersions(QStringLiteral("UNKNOW")).isEmpty());
}

struct FirmwareCase {
    int k;
    const char* version;
    bool isNew;
};

void PrintTo(const FirmwareCase& c, std::ostream* os)
{
    *os << "k" << c.k << " " << c.version;
}

class NewFirmware : public ::testing::TestWithParam<FirmwareCase> {};

TEST_P(NewFirmware, followsTheOldListOfTheFamily)
{
    const FirmwareCase& c = GetParam();
    EXPECT_EQ(isNewFirmware(c.k, QString::fromLatin1(c.version)), c.isNew)
        << "k=" << c.k << " " << c.version;
}

INSTANTIATE_TEST_SUITE_P(
    Families, NewFirmware,
    ::testing::Values(FirmwareCase{1, "V1.01.01", false}, FirmwareCase{1, "V1.05.04", false},
                      FirmwareCase{1, "V1.06.00", true}, FirmwareCase{2, "V1.06.00", false},
                      FirmwareCase{3, "V1.06.00", false}, FirmwareCase{2, "V1.09.02", false},
                      FirmwareCase{3, "V1.01.01", false}, FirmwareCase{2, "V1.06.03", true},
                      FirmwareCase{2, "V1.09.04", true}, FirmwareCase{1, "V1.15.18", true},
                      FirmwareCase{1, "v1.01.01", true}, FirmwareCase{0, "V1.15.18", false},
                      FirmwareCase{4, "V1.15.18", false}, FirmwareCase{-1, "V1.15.18", false}));

TEST(FirmwareVersions, oldActiveRectifierFirmware)
{
    for (const char* v : {"V2.01.06", "V2.01.07", "V2.02.07"})
        EXPECT_TRUE(isOldActiveRectifierFirmware(QString::fromLatin1(v))) << v;
    for (const char* v : {"V2.11.03", "V2.13.05", "V2.01.08", "", "V2.02.07 "})
        EXPECT_FALSE(isOldActiveRectifierFirmware(QString::fromLatin1(v))) << v;
}

TEST(RectifierVersion, insertsTheDotsIntoTheFourDigits)
{
    EXPECT_EQ(rectifierVersionText(1305), QStringLiteral("V2.13.05"));
    EXPECT_EQ(rectifierVersionText(105), QStringLiteral("V2.01.05"));
    EXPECT_EQ(rectifierVersionText(0), QStringLiteral("V2.00.00"));
    EXPECT_EQ(rectifierVersionText(9999), QStringLiteral("V2.99.99"));
}

TEST(RectifierVersion, fiveDigitValuesAreNoVersion)
{
    EXPECT_TRUE(rectifierVersionText(10000).isEmpty());
    EXPECT_TRUE(rectifierVersionText(12345).isEmpty());
    EXPECT_TRUE(rectifierVersionText(65535).isEmpty());
}

}  // namespace
