// The allowed values of the special parameters: the sets per device type, P0749's
// rewriting, P0340's firmware gate, the base-value keys of P0070 and the refusal texts.

#include "editing/AllowedValues.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <ostream>

namespace hesk::editing {
namespace {

using model::DeviceClass;

AllowedValueSource source(DeviceClass deviceClass, const char* version = "V1.14.18")
{
    AllowedValueSource s;
    s.deviceClass = deviceClass;
    s.deviceVersion = QString::fromLatin1(version);
    s.baseValueKeys = {QStringLiteral("37"), QStringLiteral("45"), QStringLiteral("1200")};
    return s;
}

struct Case {
    DeviceClass deviceClass;
    uint16_t number;
    const char* in;
    bool allowed;
    const char* out = nullptr;  // the text afterwards; nullptr = unchanged
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << static_cast<int>(c.deviceClass) << " P" << c.number << " \"" << c.in << '"';
}

class AllowedValue : public ::testing::TestWithParam<Case> {};

TEST_P(AllowedValue, acceptsOnlyTheSetAndRewritesWhereSaid)
{
    const Case& c = GetParam();
    QString text = QString::fromUtf8(c.in);
    EXPECT_EQ(checkAllowedValue(source(c.deviceClass), c.number, text), c.allowed);
    EXPECT_EQ(text, QString::fromUtf8(c.out ? c.out : c.in));
}

const DeviceClass INV = DeviceClass::Inverter;
const DeviceClass SLM = DeviceClass::FeedbackRectifier;
const DeviceClass AIC = DeviceClass::ActiveRectifier;
const DeviceClass BLM = DeviceClass::BasicRectifier;

INSTANTIATE_TEST_SUITE_P(
    TransformerTap, AllowedValue,
    ::testing::Values(Case{INV, 749, "1", true, "1.0"},       Case{INV, 749, "01.3", true, "1.3"},
                      Case{INV, 749, "2.75", false},          Case{INV, 749, "0", true, "0.0"},
                      Case{INV, 749, "0.7", true, "0.7"},     Case{INV, 749, "00.7", true, "0.7"},
                      Case{INV, 749, "5.3", true},            Case{INV, 749, " 4.3 ", true, "4.3"},
                      Case{INV, 749, "3.", true, "3.0"},      Case{INV, 749, ".7", true, "0.7"},
                      Case{INV, 749, "000", true, "0.0"},     Case{INV, 749, "0.0", true},
                      Case{INV, 749, "1.5", false},           Case{INV, 749, "6", false},
                      Case{INV, 749, "0.8", false},           Case{INV, 749, "1.30", false},  // four characters
                      Case{INV, 749, "13", false},            Case{INV, 749, "-1", false},
                      Case{INV, 749, "1.0.", false},          Case{INV, 749, "a", false},
                      Case{INV, 749, "", false},              Case{INV, 749, "  ", false},
                      Case{INV, 749, ".", false},             Case{INV, 749, "1e0", false},
                      Case{AIC, 749, "2", true, "2.0"},       Case{AIC, 749, "2.75", false},
                      Case{SLM, 749, "2.75", true},           Case{BLM, 749, "anything", true}));

INSTANTIATE_TEST_SUITE_P(
    InverterSets, AllowedValue,
    ::testing::Values(
        Case{INV, 60, "1", true}, Case{INV, 60, "7", true}, Case{INV, 60, "8", true}, Case{INV, 60, "3", false},
        Case{INV, 60, "01", false}, Case{INV, 60, "1 ", false},  // compared as text
        Case{INV, 830, "0", true}, Case{INV, 830, "529", true}, Case{INV, 830, "222", true}, Case{INV, 830, "1", false},
        Case{INV, 830, "530", false}, Case{INV, 100, "0", true}, Case{INV, 100, "5", true}, Case{INV, 100, "6", false},
        Case{INV, 115, "3", true}, Case{INV, 115, "-1", false}, Case{INV, 130, "10", true}, Case{INV, 130, "11", true},
        Case{INV, 130, "12", false}, Case{INV, 201, "4", true}, Case{INV, 201, "3", false},
        Case{INV, 348, "1", true}, Case{INV, 372, "0", true}, Case{INV, 970, "2", false}, Case{INV, 514, "1", true},
        Case{INV, 956, "1", true}, Case{INV, 956, "2", false}, Case{INV, 368, "6", true}, Case{INV, 368, "5", false},
        Case{INV, 702, "3", true}, Case{INV, 702, "1", false}, Case{INV, 70, "37", true}, Case{INV, 70, "1200", true},
        Case{INV, 70, "38", false}, Case{INV, 70, "037", false},
        // outside the table: not restricted here
        Case{INV, 7030, "anything", true}, Case{INV, 101, "9", true}));

INSTANTIATE_TEST_SUITE_P(
    RectifierSets, AllowedValue,
    ::testing::Values(Case{AIC, 60, "8", true}, Case{AIC, 60, "7", false}, Case{SLM, 60, "5", true},
                      Case{BLM, 60, "7", false}, Case{AIC, 70, "45", true}, Case{AIC, 70, "46", false},
                      Case{SLM, 70, "1200", true}, Case{BLM, 70, "0", false}, Case{AIC, 956, "1", true},
                      Case{AIC, 956, "2", false}, Case{SLM, 956, "2", true},  // only the AIC restricts P0956
                      Case{AIC, 100, "9", true}, Case{AIC, 830, "1", true}, Case{AIC, 340, "1.7", true},
                      Case{DeviceClass::TestBench, 60, "3", true}, Case{DeviceClass::TestBench, 70, "x", true},
                      Case{DeviceClass::None, 749, "9", true}));

TEST(PulseFrequency, theExtendedRangeFollowsTheFirmwareVersion)
{
    struct Case {
        const char* version;
        const char* value;
        bool allowed;
    };
    const Case cases[] = {
        {"V1.14.18", "1.5", true},  {"V1.14.18", "2", true},   {"V1.14.18", "1.25", true},
        {"V1.14.18", "10", true},   {"V1.09.04", "2", true},   // first version past the old list
        {"V1.09.02", "1.5", false}, {"V1.09.02", "2", false},  // old firmware: narrow range
        {"V1.09.02", "2.5", true},  {"V1.01.01", "1.25", true}, {"V1.06.00", "2", false},
        {"V1.14.18", "4", false},   {"V1.14.18", "0", false},  {"V1.09.02", "abc", false},
        // the values come with the definition's decimals from pages and files
        {"V1.14.18", "2.00", true}, {"V1.14.18", "1.50", true}, {"V1.09.02", "1.50", false},
        {"V1.09.02", "10.00", true}, {"V1.14.18", "2.01", false},
    };
    for (const Case& c : cases) {
        QString text = QString::fromLatin1(c.value);
        EXPECT_EQ(checkAllowedValue(source(DeviceClass::Inverter, c.version), 340, text), c.allowed)
            << c.version << " " << c.value;
        EXPECT_EQ(text, QString::fromLatin1(c.value));  // never rewritten
    }
    EXPECT_EQ(*allowedValues(source(DeviceClass::Inverter, "V1.14.18"), 340),
              (QStringList{"1.25", "1.5", "2", "2.5", "3", "5", "10"}));
    EXPECT_EQ(*allowedValues(source(DeviceClass::Inverter, "V1.09.02"), 340),
              (QStringList{"1.25", "2.5", "3", "5", "10"}));
}

TEST(AllowedValueSets, nameTheSetOfRestrictedParametersOnly)
{
    EXPECT_EQ(*allowedValues(source(DeviceClass::Inverter), 749),
              (QStringList{"0.0", "0.7", "1.0", "1.3", "2.0", "2.3", "3.0", "3.3", "4.0", "4.3", "5.0", "5.3"}));
    EXPECT_EQ(allowedValues(source(DeviceClass::Inverter), 830)->size(), 35);
    EXPECT_EQ(*allowedValues(source(DeviceClass::ActiveRectifier), 70), (QStringList{"37", "45", "1200"}));
    EXPECT_FALSE(allowedValues(source(DeviceClass::FeedbackRectifier), 749).has_value());
    EXPECT_FALSE(hasAllowedValues(source(DeviceClass::Inverter), 7030));
    EXPECT_TRUE(hasAllowedValues(source(DeviceClass::BasicRectifier), 60));
}

TEST(AllowedValueSets, aProjectWithoutBaseValuesAllowsNoP0070)
{
    AllowedValueSource s = source(DeviceClass::Inverter);
    s.baseValueKeys.clear();
    QString text = QStringLiteral("37");
    EXPECT_FALSE(checkAllowedValue(s, 70, text));
}

TEST(AllowedValueSets, sourceIsTakenFromTheProject)
{
    model::HeskProject project;
    project.header.deviceVersion = QStringLiteral("V1.09.02");
    for (const char* key : {"37", "55"}) {
        model::UbaseInfo row;
        row.columns[0] = QString::fromLatin1(key);
        row.columns[1] = QStringLiteral("other column");
        project.ubaseTable.push_back(row);
    }
    const AllowedValueSource s = AllowedValueSource::of(DeviceClass::Inverter, project);
    EXPECT_EQ(s.deviceClass, DeviceClass::Inverter);
    EXPECT_EQ(s.deviceVersion, QStringLiteral("V1.09.02"));
    EXPECT_EQ(s.baseValueKeys, (QStringList{"37", "55"}));
}

TEST(AllowedValueRefusal, textsForTheValueEditorAndTheFileLog)
{
    const model::UserMessage tap = allowedValueRefusal(749);
    EXPECT_EQ(tap.text, QStringLiteral("参数值不在范围内！\n范围：0.0~0.7、1.0~1.3、2.0~2.3、3.0~3.3、4.0~4.3、5.0~5.3"));
    EXPECT_EQ(tap.title, QStringLiteral("警告"));
    EXPECT_EQ(tap.kind, model::MessageKind::Warning);
    const model::UserMessage other = allowedValueRefusal(60);
    EXPECT_EQ(other.text, QStringLiteral("数据不在范围内！"));
    EXPECT_EQ(other.title, QStringLiteral("警告"));
    EXPECT_EQ(allowedValueRefusalLogPrefix(), QStringLiteral("修改值项值不在范围内："));
}

}  // namespace
}  // namespace hesk::editing
