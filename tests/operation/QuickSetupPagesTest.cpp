// The wizard's pages: the ten titles, the labels resolved against the installed inverter
// sample with the active data sets as indices, and a project that lacks parameters.

#include "operation/QuickSetupPages.h"

#include "model/FaultTableLibrary.h"
#include "model/ParameterTypes.h"
#include "model/ProjectFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hesk::operation {
namespace {

const QString kSample = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");

QStringList keys(const std::vector<QuickSetupRow>& rows)
{
    QStringList list;
    for (const QuickSetupRow& row : rows)
        list << (row.isProductType() ? QStringLiteral("#product") : model::keyText(*row.element));
    return list;
}

class QuickSetupPagesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(sample.open(kSample).has_value()); }

    model::FaultTableLibrary faultTables;
    model::OpenedProject sample{faultTables};
};

TEST_F(QuickSetupPagesTest, stepsCarryTheirTitlesAndActionsInOrder)
{
    const QStringList titles{QStringLiteral("1   恢复出厂参数"),   QStringLiteral("2   装置功率"),
                             QStringLiteral("3   参数组设置"),     QStringLiteral("4   电机参数"),
                             QStringLiteral("5   编码器"),         QStringLiteral("6   参考值"),
                             QStringLiteral("7   控制模式，命令源"), QStringLiteral("8   斜坡函数发生器"),
                             QStringLiteral("9   转速及转矩限幅"),   QStringLiteral("10 电机参数辨识")};
    for (int i = 0; i < kQuickSetupSteps; ++i) {
        const QuickSetupPageSpec& spec = quickSetupPages()[static_cast<std::size_t>(i)];
        EXPECT_EQ(spec.step, i + 1);
        EXPECT_EQ(spec.title, titles[i]);
        // The menu level is on every page, last.
        EXPECT_EQ(spec.labels.back(), QStringLiteral("P0060")) << i + 1;
        EXPECT_EQ(spec.labels.count(QStringLiteral("P0060")), 1) << i + 1;
    }
    EXPECT_EQ(quickSetupPages()[0].action, QuickSetupAction::FactoryRestore);
    EXPECT_EQ(quickSetupPages()[2].action, QuickSetupAction::DataSetDefaults);
    EXPECT_EQ(quickSetupPages()[3].action, QuickSetupAction::MotorAutomatic);
    EXPECT_EQ(quickSetupPages()[9].action, QuickSetupAction::Identification);
}

TEST(QuickSetupKey, labelsBecomeKeyTexts)
{
    const ActiveDataSets sets{2, 2, 3};
    const struct {
        const char* label;
        std::optional<QString> key;
    } cases[] = {
        {"P105.x", QStringLiteral("P0105.2")}, {"P443.n", QStringLiteral("P0443.2")},
        {"P462.m", QStringLiteral("P0462.3")}, {"P466.1", QStringLiteral("P0466.1")},
        {"P0848.0", QStringLiteral("P0848.0")}, {"r73", QStringLiteral("r0073")},
        {"P142", QStringLiteral("P0142")},     {"r0001", QStringLiteral("r0001")},
        {"#product", std::nullopt},            {"P105.y", std::nullopt},
        {"X105", std::nullopt},                {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quickSetupKey(QString::fromLatin1(c.label), sets), c.key) << c.label;
}

TEST_F(QuickSetupPagesTest, dataSetsComeFromTheDriveAndFallBackToOne)
{
    const auto words = [&](std::optional<uint16_t> mds, std::optional<uint16_t> bds, std::optional<uint16_t> fds) {
        return [=, this](const model::HeskParameterElement& e) -> std::optional<uint16_t> {
            if (&e == sample.find(QStringLiteral("r0011")))
                return mds;
            if (&e == sample.find(QStringLiteral("r0012")))
                return bds;
            if (&e == sample.find(QStringLiteral("r0013")))
                return fds;
            return std::nullopt;
        };
    };
    EXPECT_EQ(activeDataSets(sample, words(2, 2, 4)), (ActiveDataSets{2, 2, 4}));
    EXPECT_EQ(activeDataSets(sample, words(std::nullopt, std::nullopt, std::nullopt)), (ActiveDataSets{1, 1, 1}));
    // Out of each range: 0, a third BICO data set, a fifth motor data set.
    EXPECT_EQ(activeDataSets(sample, words(5, 3, 0)), (ActiveDataSets{1, 1, 1}));
    EXPECT_EQ(activeDataSets(sample, {}), (ActiveDataSets{1, 1, 1}));
}

TEST_F(QuickSetupPagesTest, motorPageFollowsTheActiveMotorDataSet)
{
    EXPECT_EQ(keys(quickSetupRows(sample, 4, {2, 1, 1})),
              (QStringList{"r0011", "P0105.2", "P0108.2", "P0101.2", "P0113.2", "P0107.2", "P0109.2", "P0102.2",
                           "P0128.2", "P0453.2", "P0452.2", "P0104.2", "P0060"}));
    EXPECT_EQ(keys(quickSetupRows(sample, 4, {4, 1, 1}))[1], QStringLiteral("P0105.4"));
}

TEST_F(QuickSetupPagesTest, onlyParametersWithADeviceAddressAreRead)
{
    // Step 2: the product type row and r0071..r0073 (from the base values) are not read.
    QStringList read;
    for (const model::HeskParameterElement* e : rowElements(quickSetupRows(sample, 2, {1, 1, 1})))
        read << model::keyText(*e);
    EXPECT_EQ(read, (QStringList{"P0070", "P0089", "P0848.0", "P0848.1", "P0848.2", "P0848.3", "P0848.4", "P0848.5",
                                 "P0060"}));
}

TEST_F(QuickSetupPagesTest, everyPageResolvesItsIndices)
{
    const ActiveDataSets sets{3, 2, 4};
    const struct {
        int step;
        QStringList keys;
    } cases[] = {
        {1, {"r0001", "P0970", "P0060"}},
        {2, {"#product", "P0070", "r0071", "r0072", "r0073", "P0089", "P0848.0", "P0848.1", "P0848.2", "P0848.3",
             "P0848.4", "P0848.5", "P0060"}},
        {3, {"r0012", "r0011", "r0013", "P0590", "P0579.2", "P0578.2", "P0577.2", "P0576.2", "P0060"}},
        {5, {"r0011", "P0151.3", "P0142", "P0215.3", "P0130.3", "P0060"}},
        {6, {"P0350", "P0351", "P0352", "P0353", "P0354", "P0060"}},
        {7, {"r0011", "P0100.3", "P0368", "r0012", "P0590", "P0443.2", "P0554.2", "P0555.2", "P0561.2", "P0565.2",
             "P0567.2", "P0568.2", "P0571.2", "P0572.2", "P0573.2", "P0574.2", "P0060"}},
        {8, {"r0013", "P0461", "P0462.4", "P0463.4", "P0464.4", "P0465.4", "P0466.1", "P0466.2", "P0467.4", "P0468",
             "P0469.4", "P0470.4", "P0060"}},
        {9, {"r0011", "r0013", "P0452.3", "P0453.3", "P0492.4", "P0498.4", "P0060"}},
        {10, {"r0001", "P0115", "r0011", "P0103.3", "P0127.3", "P0116.3", "P0235.3", "P0236.3", "P0120.3", "P0121.3",
              "P0122.3", "P0283.3", "P0284.3", "P0240.3", "r0126", "P0060"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(keys(quickSetupRows(sample, c.step, sets)), c.keys) << "step " << c.step;
    EXPECT_TRUE(quickSetupRows(sample, 0, sets).empty());
    EXPECT_TRUE(quickSetupRows(sample, 11, sets).empty());
}

TEST(QuickSetupRows, parametersTheProjectLacksAreLeftOut)
{
    QTemporaryDir dir;
    model::HeskProject project;
    project.header.deviceType = QStringLiteral("VRA1");
    project.header.deviceVersion = QStringLiteral("V1.14.18");
    project.header.cpuType = QStringLiteral("HESK6500");
    const auto element = [](uint16_t number, bool settable, uint16_t address, uint16_t sub) {
        model::HeskParameterElement e;
        e.number = number;
        e.subIndex = sub;
        e.settable = settable ? 1 : 0;
        e.address = address;
        e.typeCode = 3;
        return e;
    };
    // Motor data only for data set 1, no menu level.
    project.elements = {element(11, false, 1, model::kNoSubIndex), element(105, true, 2, 1),
                        element(108, true, 3, 1)};
    project.sortElements();
    const QString path = dir.filePath(QStringLiteral("small.tmprj"));
    ASSERT_FALSE(model::saveProject(path, project).has_value());
    model::FaultTableLibrary faultTables;
    model::OpenedProject opened{faultTables};
    ASSERT_FALSE(opened.open(path).has_value());

    EXPECT_EQ(keys(quickSetupRows(opened, 4, {1, 1, 1})), (QStringList{"r0011", "P0105.1", "P0108.1"}));
    EXPECT_EQ(keys(quickSetupRows(opened, 4, {2, 1, 1})), (QStringList{"r0011"}));
    EXPECT_TRUE(quickSetupRows(opened, 6, {1, 1, 1}).empty());
    EXPECT_EQ(rowElements(quickSetupRows(opened, 4, {1, 1, 1})).size(), 3u);
}

}  // namespace
}  // namespace hesk::operation
