// The rows of parameter pages built from the installed sample projects and from small
// hand-made projects: which definitions, in which order, with which column texts.

#include "PageFixtures.h"

#include "pages/PageColumns.h"
#include "pages/ParameterPage.h"

#include "model/PageCatalogue.h"

#include <gtest/gtest.h>

using namespace hesk;
using namespace hesk::pages;
using hesk::pages::test::definition;
using hesk::pages::test::openSample;

namespace {

QStringList numberTexts(const ParameterPage& page, bool withSubIndex = true)
{
    QStringList texts;
    for (int i = 0; i < page.rowCount(); ++i) {
        QString text = page.text(i, ColumnNumber);
        if (withSubIndex && !page.text(i, ColumnSubIndex).isEmpty())
            text += QLatin1Char('.') + page.text(i, ColumnSubIndex);
        texts << text;
    }
    return texts;
}

}  // namespace

TEST(PageColumns, headersAndWidthsOfTheNineColumns)
{
    const auto& columns = pageColumns();
    const QStringList headers{QString(), QStringLiteral("主参数"), QStringLiteral("名称"), QString(),
                              QStringLiteral("辅参数"), QStringLiteral("跟踪值"), QStringLiteral("出厂值"),
                              QStringLiteral("单位"), QStringLiteral("注释")};
    const std::array<int, kPageColumnCount> widths{0, 80, 240, 30, 80, 110, 110, 60, 300};
    for (int c = 0; c < kPageColumnCount; ++c) {
        EXPECT_EQ(columns[c].header, headers[c]) << c;
        EXPECT_EQ(columns[c].width, widths[c]) << c;
    }
}

// Every sample project: the universal pages hold every definition, the settable ones and
// the read-only ones; every group page of the device class has rows.
class SampleProjectPages : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleProjectPages, universalPagesPartitionTheDefinitions)
{
    const auto opened = openSample(QString::fromLatin1(GetParam()));
    model::HeskProject& project = opened->project();
    const ParameterPage all(project, opened->deviceClass(), model::pages::kAll);
    const ParameterPage settable(project, opened->deviceClass(), model::pages::kSettable);
    const ParameterPage readOnly(project, opened->deviceClass(), model::pages::kReadOnly);
    ASSERT_TRUE(all.exists());
    EXPECT_EQ(all.rowCount(), static_cast<int>(project.elements.size()));
    EXPECT_EQ(settable.rowCount() + readOnly.rowCount(), all.rowCount());
    for (const PageRow& row : settable.rows())
        EXPECT_TRUE(row.element.isSettable());
    for (const PageRow& row : readOnly.rows())
        EXPECT_FALSE(row.element.isSettable());
    // Project order.
    for (int i = 0; i < all.rowCount(); ++i)
        EXPECT_EQ(all.row(i).elementIndex, static_cast<std::size_t>(i));
}

TEST_P(SampleProjectPages, everyGroupPageOfTheClassShowsRows)
{
    const auto opened = openSample(QString::fromLatin1(GetParam()));
    const model::PageCatalogue catalogue(opened->deviceClass());
    for (const QString& name : catalogue.pageNames()) {
        const ParameterPage page(opened->project(), opened->deviceClass(), name);
        EXPECT_TRUE(page.exists()) << name.toStdString();
        if (name != model::pages::kCustom) {
            EXPECT_GT(page.rowCount(), 0) << name.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Installed, SampleProjectPages,
                         ::testing::Values("VRA1/VRA1V11418", "VRA1/VRA1V11517", "AIC/AICV20207", "AIC/AICV21308",
                                           "SLM/SLMV20111", "BLM/BLMV20001", "PTB/PTBV10000"));

TEST(ParameterPage, inverterParallelPageRowsAndTexts)
{
    const auto opened = openSample(QStringLiteral("VRA1/VRA1V11418"));
    const ParameterPage page(opened->project(), opened->deviceClass(), QStringLiteral("逆变器并联"));
    ASSERT_TRUE(page.exists());
    EXPECT_EQ(numberTexts(page),
              (QStringList{"P0060", "P0070", "r0071", "r0072", "r0073", "P0089", "P0090", "P0848.000", "P0848.001",
                           "P0848.002", "P0848.003", "P0848.004", "P0848.005"}));
    // P0060: number, name, no sub-index, factory value, no unit, comment; the hidden and
    // marker columns stay empty.
    EXPECT_EQ(page.text(0, ColumnHidden), QString());
    EXPECT_EQ(page.text(0, ColumnNumber), QStringLiteral("P0060"));
    EXPECT_EQ(page.text(0, ColumnName), QStringLiteral("菜单选择"));
    EXPECT_EQ(page.text(0, ColumnMarker), QString());
    EXPECT_EQ(page.text(0, ColumnSubIndex), QString());
    EXPECT_EQ(page.text(0, ColumnFactory), QStringLiteral("1"));
    EXPECT_EQ(page.text(0, ColumnUnit), QString());
    EXPECT_EQ(page.text(0, ColumnComment),
              QStringLiteral("1=参数菜单；2=固定设置；5=快速调试；7=驱动设置；8=功率部分定义"));
    // Out of range: empty.
    EXPECT_EQ(page.text(99, ColumnName), QString());
    EXPECT_EQ(page.text(0, 9), QString());
}

TEST(ParameterPage, subIndexShownWithThreeDigitsAndUnit)
{
    const auto opened = openSample(QStringLiteral("VRA1/VRA1V11418"));
    const ParameterPage page(opened->project(), opened->deviceClass(), QStringLiteral("电机数据组"));
    const QStringList numbers = numberTexts(page);
    const qsizetype index = numbers.indexOf(QStringLiteral("P0107.001"));
    ASSERT_GE(index, 0);
    const int row = static_cast<int>(index);
    EXPECT_EQ(page.text(row, ColumnNumber), QStringLiteral("P0107"));
    EXPECT_EQ(page.text(row, ColumnSubIndex), QStringLiteral("001"));
    EXPECT_EQ(page.text(row, ColumnName), QStringLiteral("电机额定频率"));
    EXPECT_EQ(page.text(row, ColumnFactory), QStringLiteral("50"));
    EXPECT_EQ(page.text(row, ColumnUnit), QStringLiteral("Hz"));
    EXPECT_EQ(page.text(row, ColumnComment), QStringLiteral("见电机铭牌"));
}

TEST(ParameterPage, parallelPageDependsOnDeviceClass)
{
    const auto inverter = openSample(QStringLiteral("VRA1/VRA1V11418"));
    const auto rectifier = openSample(QStringLiteral("AIC/AICV20207"));
    EXPECT_TRUE(ParameterPage(inverter->project(), inverter->deviceClass(), QStringLiteral("逆变器并联")).exists());
    EXPECT_FALSE(ParameterPage(inverter->project(), inverter->deviceClass(), QStringLiteral("装置并联")).exists());
    const ParameterPage aicParallel(rectifier->project(), rectifier->deviceClass(), QStringLiteral("装置并联"));
    EXPECT_TRUE(aicParallel.exists());
    EXPECT_GT(aicParallel.rowCount(), 0);
    const ParameterPage missing(rectifier->project(), rectifier->deviceClass(), QStringLiteral("逆变器并联"));
    EXPECT_FALSE(missing.exists());
    EXPECT_EQ(missing.rowCount(), 0);
}

TEST(ParameterPage, dpPageTakesOnlySubIndicesOneToTen)
{
    const auto opened = openSample(QStringLiteral("VRA1/VRA1V11418"));
    const ParameterPage page(opened->project(), opened->deviceClass(), QStringLiteral("DP通讯"));
    bool sawListed = false;
    for (const PageRow& row : page.rows()) {
        if (row.element.number < 733 || row.element.number > 735)
            continue;
        sawListed = true;
        ASSERT_TRUE(row.element.hasSubIndex());
        EXPECT_GE(row.element.subIndex, 1);
        EXPECT_LE(row.element.subIndex, 10);
    }
    EXPECT_TRUE(sawListed);
}

TEST(ParameterPage, customPageFollowsTheListWithRepeatsAndRemembersTheEntry)
{
    model::HeskProject project;
    project.elements = {definition(60, model::kNoSubIndex, true), definition(100, 1, true),
                        definition(100, 2, true), definition(943, 0, false)};
    project.sortElements();
    project.customParameters = {943, 100, 5, 100, 60};  // 5 has no definition
    const ParameterPage page(project, model::DeviceClass::Inverter, model::pages::kCustom);
    ASSERT_TRUE(page.isCustom());
    EXPECT_EQ(numberTexts(page), (QStringList{"r0943.000", "P0100.001", "P0100.002", "P0100.001", "P0100.002", "P0060"}));
    std::vector<int> entries;
    for (const PageRow& row : page.rows())
        entries.push_back(row.customIndex);
    EXPECT_EQ(entries, (std::vector<int>{0, 1, 1, 3, 3, 4}));
}

TEST(ParameterPage, rebuildFollowsAChangedCustomList)
{
    model::HeskProject project;
    project.elements = {definition(60, model::kNoSubIndex, true), definition(61, model::kNoSubIndex, true)};
    project.customParameters = {60};
    ParameterPage page(project, model::DeviceClass::Inverter, model::pages::kCustom);
    EXPECT_EQ(page.rowCount(), 1);
    project.customParameters = {61, 60};
    page.rebuild();
    EXPECT_EQ(numberTexts(page), (QStringList{"P0061", "P0060"}));
}

TEST(ParameterPage, commentStoredIntoTheProjectAndSeenByOtherPages)
{
    const auto opened = openSample(QStringLiteral("VRA1/VRA1V11418"));
    model::HeskProject& project = opened->project();
    ParameterPage parallel(project, opened->deviceClass(), QStringLiteral("逆变器并联"));
    ParameterPage all(project, opened->deviceClass(), model::pages::kAll);

    EXPECT_EQ(parallel.storeComment(0, QStringLiteral("新注释")), CommentStore::Stored);
    EXPECT_EQ(parallel.text(0, ColumnComment), QStringLiteral("新注释"));
    const std::size_t index = parallel.row(0).elementIndex;
    EXPECT_EQ(project.elements[index].comment, QStringLiteral("新注释"));
    EXPECT_EQ(parallel.storeComment(0, QStringLiteral("新注释")), CommentStore::Unchanged);

    const ChangedRows changed = all.refreshComments();
    ASSERT_TRUE(changed.any());
    EXPECT_EQ(changed.first, static_cast<int>(index));
    EXPECT_EQ(changed.last, static_cast<int>(index));
    EXPECT_EQ(all.text(static_cast<int>(index), ColumnComment), QStringLiteral("新注释"));
    EXPECT_FALSE(all.refreshComments().any());
}

TEST(ParameterPage, commentOfARowThatNoLongerMatchesIsRefused)
{
    model::HeskProject project;
    project.elements = {definition(60, model::kNoSubIndex, true), definition(61, model::kNoSubIndex, true)};
    ParameterPage page(project, model::DeviceClass::Inverter, model::pages::kAll);
    EXPECT_EQ(page.storeComment(-1, QStringLiteral("x")), CommentStore::Failed);
    EXPECT_EQ(page.storeComment(2, QStringLiteral("x")), CommentStore::Failed);
    // The project's definitions were replaced behind the page's back.
    project.elements = {definition(70, model::kNoSubIndex, true)};
    EXPECT_EQ(page.storeComment(0, QStringLiteral("x")), CommentStore::Failed);
    EXPECT_EQ(page.storeComment(1, QStringLiteral("x")), CommentStore::Failed);
    EXPECT_EQ(project.elements[0].comment, QString());
}
