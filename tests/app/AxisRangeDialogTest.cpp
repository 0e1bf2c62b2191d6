// "修改坐标轴范围": opens with the chart's range as "%f" texts, refuses wrong texts in the
// fixed order with a warning and stays open, accepts a sound range.
#include "charts/AxisRangeDialog.h"

#include "DialogTestSupport.h"
#include "QtPrinters.h"
#include "ScriptedPrompt.h"

#include <QPushButton>

namespace hesk::app::test {
namespace {

using apptest::child;
using apptest::click;
using apptest::typeText;

struct Typed {
    const char* xMin;
    const char* xMax;
    const char* yMin;
    const char* yMax;
    const char* message;
};

TEST(AxisRangeDialog, opensWithTheRangeAsSixDecimalTexts)
{
    testsupport::ScriptedPrompt prompt;
    AxisRangeDialog dialog({-1024.0, 3072.5, -10.0, 10.0}, prompt);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("修改坐标轴范围"));
    EXPECT_EQ(child<QLineEdit>(dialog, "xMinEdit")->text(), QStringLiteral("-1024.000000"));
    EXPECT_EQ(child<QLineEdit>(dialog, "xMaxEdit")->text(), QStringLiteral("3072.500000"));
    EXPECT_EQ(child<QLineEdit>(dialog, "yMinEdit")->text(), QStringLiteral("-10.000000"));
    EXPECT_EQ(child<QLineEdit>(dialog, "yMaxEdit")->text(), QStringLiteral("10.000000"));
}

TEST(AxisRangeDialog, eachRefusalIsShownInOrderAndTheDialogStaysOpenUntilTheRangeIsSound)
{
    testsupport::ScriptedPrompt prompt;
    const recording::AxisRange opening{0.0, 100.0, -10.0, 10.0};
    AxisRangeDialog dialog(opening, prompt);
    dialog.show();
    const Typed steps[] = {
        {"abc", "x", "y", "z", "X轴最小值格式不符！"},
        {"-50", "x", "y", "z", "X轴最大值格式不符！"},
        {"-50", "-50", "y", "z", "Y轴最小值格式不符！"},
        {"-50", "-50", "-5", "z", "Y轴最大值格式不符！"},
        {"-50", "-50", "-5", "-5", "X轴最大值必须大于最小值！"},
        {"-50", "150", "-5", "-5", "Y轴最大值必须大于最小值！"},
    };
    for (const Typed& step : steps) {
        typeText(child<QLineEdit>(dialog, "xMinEdit"), QString::fromUtf8(step.xMin));
        typeText(child<QLineEdit>(dialog, "xMaxEdit"), QString::fromUtf8(step.xMax));
        typeText(child<QLineEdit>(dialog, "yMinEdit"), QString::fromUtf8(step.yMin));
        typeText(child<QLineEdit>(dialog, "yMaxEdit"), QString::fromUtf8(step.yMax));
        click(child<QPushButton>(dialog, "okButton"));
        ASSERT_FALSE(prompt.messages().empty()) << step.message;
        EXPECT_EQ(prompt.messages().back(), model::UserMessage::warning(QString::fromUtf8(step.message)));
        EXPECT_TRUE(dialog.isVisible()) << step.message;
        EXPECT_EQ(dialog.range(), opening);
    }
    EXPECT_EQ(prompt.messages().size(), std::size(steps));

    typeText(child<QLineEdit>(dialog, "yMaxEdit"), QStringLiteral("5"));
    click(child<QPushButton>(dialog, "okButton"));
    EXPECT_EQ(prompt.messages().size(), std::size(steps));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.range(), (recording::AxisRange{-50.0, 150.0, -5.0, 5.0}));
}

}  // namespace
}  // namespace hesk::app::test
