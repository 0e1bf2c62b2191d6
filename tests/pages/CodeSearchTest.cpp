// The function-code search across pages: order of pages and rows, continuing after the
// last hit, direction, which texts take part, and the end of the search.

#include "PageFixtures.h"

#include "pages/CodeSearch.h"
#include "pages/ParameterPage.h"

#include "model/PageCatalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace hesk;
using namespace hesk::pages;
using hesk::pages::test::definition;

namespace {

model::HeskParameterElement named(uint16_t number, bool settable, const char* name, const char* comment = "")
{
    model::HeskParameterElement e = definition(number, model::kNoSubIndex, settable, number);
    e.name = QString::fromUtf8(name);
    e.comment = QString::fromUtf8(comment);
    return e;
}

class Search : public ::testing::Test {
protected:
    Search()
    {
        project.elements = {named(1, false, "驱动状态"), named(60, true, "菜单选择", "Menu"),
                            named(100, true, "电机类型"), named(101, true, "电机额定电压"),
                            named(943, false, "故障代码")};
        project.customParameters = {101};
        for (const QString& name : order)
            pages[name] = std::make_unique<ParameterPage>(project, model::DeviceClass::Inverter, name);
    }

    CodeSearch::PageSource source()
    {
        return [this](const QString& name) -> const ParameterPage* {
            const auto it = pages.find(name);
            return it == pages.end() ? nullptr : it->second.get();
        };
    }
    std::optional<SearchHit> next(CodeSearch& search, const char* keyword, SearchDirection direction = SearchDirection::Down,
                                  bool includeValues = false)
    {
        return search.findNext(QString::fromUtf8(keyword), direction, source(), includeValues);
    }

    const QStringList order{model::pages::kSettable, model::pages::kReadOnly, model::pages::kAll,
                            model::pages::kCustom};
    model::HeskProject project;
    std::map<QString, std::unique_ptr<ParameterPage>> pages;
};

SearchHit hit(const QString& page, int row)
{
    return SearchHit{page, row};
}

}  // namespace

TEST_F(Search, downwardsRunsThroughThePagesInTheirOrderThenReportsTheEnd)
{
    CodeSearch search(order);
    EXPECT_EQ(next(search, "电机"), hit(model::pages::kSettable, 1));
    EXPECT_EQ(next(search, "电机"), hit(model::pages::kSettable, 2));
    EXPECT_EQ(next(search, "电机"), hit(model::pages::kAll, 2));
    EXPECT_EQ(next(search, "电机"), hit(model::pages::kAll, 3));
    EXPECT_EQ(next(search, "电机"), hit(model::pages::kCustom, 0));
    EXPECT_EQ(next(search, "电机"), std::nullopt);
    // After the end the search starts again from the first page.
    EXPECT_EQ(next(search, "电机"), hit(model::pages::kSettable, 1));
}

TEST_F(Search, upwardsRunsBackThroughEachPage)
{
    CodeSearch search(order);
    EXPECT_EQ(next(search, "电机", SearchDirection::Up), hit(model::pages::kSettable, 2));
    EXPECT_EQ(next(search, "电机", SearchDirection::Up), hit(model::pages::kSettable, 1));
    EXPECT_EQ(next(search, "电机", SearchDirection::Up), hit(model::pages::kAll, 3));
    // Turning round continues from the last hit in the new direction.
    EXPECT_EQ(next(search, "电机", SearchDirection::Down), hit(model::pages::kCustom, 0));
}

TEST_F(Search, caseIsIgnoredAndNumbersCommentsTakePart)
{
    CodeSearch search(order);
    EXPECT_EQ(next(search, "MENU"), hit(model::pages::kSettable, 0));
    search.reset();
    EXPECT_EQ(next(search, "r0943"), hit(model::pages::kReadOnly, 1));
    search.reset();
    EXPECT_EQ(next(search, ""), std::nullopt);
}

TEST_F(Search, valuesTakePartOnlyWhenAsked)
{
    OfflineValueSet offline;
    offline.set(QStringLiteral("P0100"), QStringLiteral("42.5"));
    ValueSource values;
    values.offline = &offline;
    pages[model::pages::kSettable]->refreshAllValues(values);
    CodeSearch search(order);
    EXPECT_EQ(next(search, "42.5"), std::nullopt);
    EXPECT_EQ(next(search, "42.5", SearchDirection::Down, true), hit(model::pages::kSettable, 1));
}

TEST_F(Search, keywordIsCutToFiftyCharacters)
{
    project.elements[2].name = QString(50, QLatin1Char('a'));
    pages[model::pages::kSettable]->rebuild();
    CodeSearch search(order);
    EXPECT_EQ(search.findNext(QString(50, QLatin1Char('a')) + QLatin1Char('b'), SearchDirection::Down, source(), false),
              hit(model::pages::kSettable, 1));
}

TEST_F(Search, aPageThatCannotBeHadIsSkippedAndReported)
{
    pages.erase(model::pages::kSettable);
    CodeSearch search(order);
    bool missing = false;
    EXPECT_EQ(search.findNext(QStringLiteral("电机"), SearchDirection::Down, source(), false, &missing),
              hit(model::pages::kAll, 2));
    EXPECT_TRUE(missing);
}

TEST_F(Search, upwardsInAPageThatShrankSinceTheLastHitStartsAtItsLastRow)
{
    project.customParameters = {100, 101, 100, 101};
    pages[model::pages::kCustom]->rebuild();
    CodeSearch search(order);
    std::optional<SearchHit> last;
    for (int i = 0; i < 8; ++i)
        last = next(search, "电机");
    ASSERT_EQ(last, hit(model::pages::kCustom, 3));
    project.customParameters = {100, 101};
    pages[model::pages::kCustom]->rebuild();
    EXPECT_EQ(next(search, "电机", SearchDirection::Up), hit(model::pages::kCustom, 1));
}

TEST(CodeSearchSupport, testBenchHasNoFunctionCodeSearch)
{
    EXPECT_FALSE(codeSearchSupported(model::DeviceClass::TestBench));
    for (model::DeviceClass c : {model::DeviceClass::Inverter, model::DeviceClass::ActiveRectifier,
                                 model::DeviceClass::FeedbackRectifier, model::DeviceClass::BasicRectifier})
        EXPECT_TRUE(codeSearchSupported(c));
}

TEST(CodeSearchSample, findsAParameterOfTheLargestSampleOnItsGroupPage)
{
    const auto opened = test::openSample(QStringLiteral("VRA1/VRA1V11418"));
    const QStringList order = model::PageCatalogue(opened->deviceClass()).pageNames();
    EXPECT_EQ(order.size(), 23);
    std::map<QString, std::unique_ptr<ParameterPage>> built;
    const CodeSearch::PageSource source = [&](const QString& name) -> const ParameterPage* {
        auto& page = built[name];
        if (!page)
            page = std::make_unique<ParameterPage>(opened->project(), opened->deviceClass(), name);
        return page.get();
    };
    CodeSearch search(order);
    const auto first = search.findNext(QStringLiteral("从站数量"), SearchDirection::Down, source, false);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->pageName, model::pages::kSettable);
    EXPECT_EQ(built[first->pageName]->text(first->row, ColumnNumber), QStringLiteral("P0089"));
    // P参数, 所有参数, then the group pages that list P0089.
    QStringList pagesWithHit{first->pageName};
    while (const auto more = search.findNext(QStringLiteral("从站数量"), SearchDirection::Down, source, false))
        pagesWithHit << more->pageName;
    EXPECT_EQ(pagesWithHit, (QStringList{model::pages::kSettable, model::pages::kAll, QStringLiteral("逆变器并联"),
                                         QStringLiteral("功率部分定义")}));
}
