// The axis-range dialog's rules: the "%f" texts it opens with and the order in which the
// four typed texts are checked.
#include "recording/AxisRangeInput.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace hesk::recording::test {
namespace {

TEST(AxisRangeTexts, valuesAreShownWithSixDecimals)
{
    const AxisRangeTexts texts = axisRangeTexts({-12.5, 3000.0, -0.0001, 1e7});
    EXPECT_EQ(texts.xMin, QStringLiteral("-12.500000"));
    EXPECT_EQ(texts.xMax, QStringLiteral("3000.000000"));
    EXPECT_EQ(texts.yMin, QStringLiteral("-0.000100"));
    EXPECT_EQ(texts.yMax, QStringLiteral("10000000.000000"));
}

TEST(AxisRangeTexts, shownTextsAreAcceptedBackUnchanged)
{
    const AxisRange range{-200.0, 800.0, -10.0, 10.0};
    const auto checked = checkAxisRange(axisRangeTexts(range));
    ASSERT_TRUE(std::holds_alternative<AxisRange>(checked));
    EXPECT_EQ(std::get<AxisRange>(checked), range);
}

struct CheckCase {
    const char* xMin;
    const char* xMax;
    const char* yMin;
    const char* yMax;
    const char* message;  // empty: accepted
};

TEST(AxisRangeCheck, firstFailureInFixedOrderIsTheMessage)
{
    const CheckCase cases[] = {
        {"0", "100", "-10", "10", ""},
        {" -5.5 ", "1e3", "-1E-3", "+2", ""},
        // X minimum comes first, whatever else is wrong.
        {"abc", "100", "y", "", "X轴最小值格式不符！"},
        {"abc", "-1", "5", "5", "X轴最小值格式不符！"},
        {"", "100", "0", "1", "X轴最小值格式不符！"},
        {"0", "1O0", "zz", "1", "X轴最大值格式不符！"},
        {"0", "100", "1,5", "1", "Y轴最小值格式不符！"},
        {"0", "100", "0", "ten", "Y轴最大值格式不符！"},
        // Format before order: a wrong Y maximum text wins over X max < X min.
        {"100", "0", "0", "?", "Y轴最大值格式不符！"},
        {"0", "100", "0", "0x10", "Y轴最大值格式不符！"},
        // An axis end must be finite.
        {"nan", "100", "0", "1", "X轴最小值格式不符！"},
        {"0", "inf", "0", "1", "X轴最大值格式不符！"},
        {"0", "100", "-1e999", "1", "Y轴最小值格式不符！"},
        // Equal ends are refused like reversed ones.
        {"5", "5", "0", "1", "X轴最大值必须大于最小值！"},
        {"100", "0", "1", "0", "X轴最大值必须大于最小值！"},
        {"0", "100", "2.5", "2.500", "Y轴最大值必须大于最小值！"},
        {"0", "100", "3", "-3", "Y轴最大值必须大于最小值！"},
    };
    for (const CheckCase& c : cases) {
        const auto checked = checkAxisRange({QString::fromUtf8(c.xMin), QString::fromUtf8(c.xMax),
                                             QString::fromUtf8(c.yMin), QString::fromUtf8(c.yMax)});
        const std::string where = std::string(c.xMin) + " | " + c.xMax + " | " + c.yMin + " | " + c.yMax;
        if (*c.message == '\0') {
            EXPECT_TRUE(std::holds_alternative<AxisRange>(checked)) << where;
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<model::UserMessage>(checked)) << where;
        const auto& message = std::get<model::UserMessage>(checked);
        EXPECT_EQ(message.text, QString::fromUtf8(c.message)) << where;
        EXPECT_EQ(message.kind, model::MessageKind::Warning) << where;
    }
}

TEST(AxisRangeCheck, acceptedTextsGiveTheirValues)
{
    const auto checked = checkAxisRange({QStringLiteral(" -5.5 "), QStringLiteral("1e3"), QStringLiteral("-1E-3"),
                                         QStringLiteral("+2")});
    ASSERT_TRUE(std::holds_alternative<AxisRange>(checked));
    EXPECT_EQ(std::get<AxisRange>(checked), (AxisRange{-5.5, 1000.0, -0.001, 2.0}));
}

}  // namespace
}  // namespace hesk::recording::test
