// The project tree of each device family: its shape, what each leaf opens, its images,
// and that every page leaf names a page the family has.

#include "QtPrinters.h"

#include "model/PageCatalogue.h"
#include "shell/ProjectTreeLayout.h"

#include <gtest/gtest.h>

using namespace hesk;
using namespace hesk::shell;
using model::DeviceClass;

namespace {

// The tree as indented text: one line per node, two spaces per level, the caption and,
// for non-folders, the kind after a "|".
QString outline(const std::vector<ProjectTreeNode>& nodes, int depth = 0)
{
    QString text;
    for (const ProjectTreeNode& node : nodes) {
        text += QString(depth * 2, QLatin1Char(' ')) + node.caption;
        switch (node.kind) {
        case TreeNodeKind::Folder: break;
        case TreeNodeKind::Page: text += QStringLiteral("|page"); break;
        case TreeNodeKind::ControlPanel: text += QStringLiteral("|control"); break;
        case TreeNodeKind::FaultWaveform: text += QStringLiteral("|waveform"); break;
        case TreeNodeKind::TriggerRecording: text += QStringLiteral("|recording"); break;
        case TreeNodeKind::FaultList: text += QStringLiteral("|faults"); break;
        case TreeNodeKind::QuickSetup: text += QStringLiteral("|quick"); break;
        }
        text += QLatin1Char('\n') + outline(node.children, depth + 1);
    }
    return text;
}

const char* const kInverterTree =
    "Drive\n"
    "  参数菜单\n"
    "    控制字/状态字|page\n"
    "    控制模式\n"
    "      V/F开环控制(带码盘)|page\n"
    "      V/F开环控制|page\n"
    "      V/F开环控制(纺织应用)|page\n"
    "      无码盘矢量控制|page\n"
    "      有码盘矢量控制|page\n"
    "      转矩控制|page\n"
    "    数据组\n"
    "      电机数据组|page\n"
    "      功能数据组|page\n"
    "      BICO数据组|page\n"
    "    通讯\n"
    "      DP通讯|page\n"
    "      PN通讯|page\n"
    "      SLB通讯|page\n"
    "      逆变器并联|page\n"
    "    故障/报警|page\n"
    "    自由功能参数|page\n"
    "  恢复出厂设定|page\n"
    "  系统设定|page\n"
    "  功率部分定义|page\n"
    "P参数|page\n"
    "r参数|page\n"
    "所有参数|page\n"
    "自定义参数|page\n"
    "调试功能\n"
    "  控制面板|control\n"
    "  故障波形|waveform\n"
    "  触发录波|recording\n"
    "  故障报警|faults\n"
    "  快速调试|quick\n";

const char* const kRectifierTree =
    "Drive\n"
    "  参数菜单\n"
    "    控制字/状态字|page\n"
    "    数据组\n"
    "      功能数据组|page\n"
    "    通讯\n"
    "      DP通讯|page\n"
    "      PN通讯|page\n"
    "      装置并联|page\n"
    "    故障/报警|page\n"
    "    自由功能参数|page\n"
    "  恢复出厂设定|page\n"
    "  系统设定|page\n"
    "  功率部分定义|page\n"
    "P参数|page\n"
    "r参数|page\n"
    "所有参数|page\n"
    "自定义参数|page\n"
    "调试功能\n"
    "  故障波形|waveform\n"
    "  触发录波|recording\n"
    "  故障报警|faults\n";

struct FamilyCase {
    const char* name;
    DeviceClass deviceClass;
    const char* tree;
};

void PrintTo(const FamilyCase& c, std::ostream* os) { *os << c.name; }


class ProjectTreeLayoutTest : public ::testing::TestWithParam<FamilyCase> {};

TEST_P(ProjectTreeLayoutTest, hasTheFamilysShape)
{
    const FamilyCase& c = GetParam();
    EXPECT_EQ(outline(projectTreeLayout(c.deviceClass, QStringLiteral("Drive"))), QString::fromUtf8(c.tree));
}

TEST_P(ProjectTreeLayoutTest, everyPageLeafIsAPageOfTheFamily)
{
    const FamilyCase& c = GetParam();
    const model::PageCatalogue catalogue(c.deviceClass);
    for (const QString& caption : pageCaptions(projectTreeLayout(c.deviceClass, QStringLiteral("Drive"))))
        EXPECT_TRUE(catalogue.hasPage(caption)) << caption.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Families, ProjectTreeLayoutTest,
    ::testing::Values(FamilyCase{"inverter", DeviceClass::Inverter, kInverterTree},
                      FamilyCase{"feedbackRectifier", DeviceClass::FeedbackRectifier, kRectifierTree},
                      FamilyCase{"activeRectifier", DeviceClass::ActiveRectifier, kRectifierTree},
                      FamilyCase{"basicRectifier", DeviceClass::BasicRectifier, kRectifierTree},
                      FamilyCase{"testBench", DeviceClass::TestBench, "Drive\n  调试功能\n    故障波形|waveform\n"},
                      FamilyCase{"noFamily", DeviceClass::None,
                                 "Drive\n  P参数|page\n  r参数|page\n  所有参数|page\n  自定义参数|page\n"}),
    [](const auto& info) { return std::string(info.param.name); });

void expectImages(const std::vector<ProjectTreeNode>& nodes)
{
    for (const ProjectTreeNode& node : nodes) {
        int expected = -1;
        switch (node.kind) {
        case TreeNodeKind::Folder: expected = 0; break;
        case TreeNodeKind::Page: expected = 2; break;
        case TreeNodeKind::FaultWaveform: expected = 4; break;
        case TreeNodeKind::ControlPanel: expected = 5; break;
        case TreeNodeKind::FaultList: expected = 6; break;
        case TreeNodeKind::TriggerRecording: expected = 10; break;
        case TreeNodeKind::QuickSetup: expected = 11; break;
        }
        EXPECT_EQ(node.image, expected) << node.caption.toStdString();
        EXPECT_TRUE(node.kind == TreeNodeKind::Folder || node.children.empty()) << node.caption.toStdString();
        expectImages(node.children);
    }
}

TEST(ProjectTreeImagesTest, eachKindShowsItsImage)
{
    expectImages(projectTreeLayout(DeviceClass::Inverter, QStringLiteral("Drive")));
    expectImages(projectTreeLayout(DeviceClass::TestBench, QStringLiteral("Drive")));
}

TEST(ProjectTreeImagesTest, theProjectNameIsTheFirstNodesCaption)
{
    const auto nodes = projectTreeLayout(DeviceClass::ActiveRectifier, QStringLiteral("AICV21308"));
    ASSERT_FALSE(nodes.empty());
    EXPECT_EQ(nodes.front().caption, QStringLiteral("AICV21308"));
    EXPECT_EQ(nodes.front().kind, TreeNodeKind::Folder);
}

}  // namespace
