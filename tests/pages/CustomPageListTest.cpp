// Editing the custom list: entries typed into "自由参数", insert, delete, change, and the
// numbers a custom page file gets.

#include "PageFixtures.h"

#include "pages/CustomPageList.h"

#include <gtest/gtest.h>

using namespace hesk;
using namespace hesk::pages;
using hesk::pages::test::definition;

namespace {

class CustomList : public ::testing::Test {
protected:
    CustomList()
    {
        project.elements = {definition(60, model::kNoSubIndex, true), definition(100, 1, true),
                            definition(100, 2, true), definition(943, 0, false),
                            definition(2005, model::kNoSubIndex, true), definition(8091, model::kNoSubIndex, false)};
        project.sortElements();
    }
    std::vector<uint32_t> numbers() const { return project.customParameters; }

    model::HeskProject project;
    CustomPageState state;
    CustomPageList list{project, model::DeviceClass::Inverter, state};
};

}  // namespace

struct EntryCase {
    const char* text;
    int number;  // -1: refused as format, -2: refused as missing
};

class CustomListEntry : public CustomList, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(CustomListEntry, typedTextNamesANumberOrIsRefused)
{
    const EntryCase& c = GetParam();
    const auto result = list.parseEntry(QString::fromUtf8(c.text));
    if (c.number >= 0) {
        ASSERT_TRUE(std::holds_alternative<uint16_t>(result)) << c.text;
        EXPECT_EQ(std::get<uint16_t>(result), c.number) << c.text;
        return;
    }
    ASSERT_TRUE(std::holds_alternative<model::UserMessage>(result)) << c.text;
    const model::UserMessage& message = std::get<model::UserMessage>(result);
    EXPECT_EQ(message.title, QStringLiteral("提示"));
    EXPECT_EQ(message.text, c.number == -1 ? QStringLiteral("请输入正确的参数号！") : QStringLiteral("参数不存在，请您重新输入！"))
        << c.text;
}

INSTANTIATE_TEST_SUITE_P(Table, CustomListEntry,
                         ::testing::Values(EntryCase{"100", 100}, EntryCase{" 60 ", 60}, EntryCase{"P0100", 100},
                                           EntryCase{"p0100.002", 100}, EntryCase{"r0943.000", 943},
                                           EntryCase{"U005", 2005}, EntryCase{"K0091", 8091},
                                           EntryCase{"", -1}, EntryCase{"-5", -1}, EntryCase{"1e3", -1},
                                           EntryCase{"P", -1}, EntryCase{"101", -2}, EntryCase{"P0101", -2},
                                           EntryCase{"99999999999", -2}, EntryCase{"r0060", -2}));

TEST_F(CustomList, insertDeleteAndChangeMarkTheListChanged)
{
    list.insert(0, 100);  // into an empty list: appended
    list.insert(-1, 60);  // no row selected: appended
    list.insert(1, 943);  // before the entry of the selected row
    EXPECT_EQ(numbers(), (std::vector<uint32_t>{100, 943, 60}));
    EXPECT_TRUE(state.changed);

    state.changed = false;
    EXPECT_TRUE(list.change(2, 2005));
    EXPECT_TRUE(state.changed);
    EXPECT_TRUE(list.remove(0));
    EXPECT_EQ(numbers(), (std::vector<uint32_t>{943, 2005}));

    state.changed = false;
    EXPECT_FALSE(list.remove(2));
    EXPECT_FALSE(list.change(-1, 60));
    EXPECT_FALSE(state.changed);
}

TEST_F(CustomList, savedNumbersCollapseRunsOfEqualNeighbours)
{
    project.customParameters = {100, 100, 60, 100, 5, 100, 943};
    // 5 has no definition and shows no row, so the 100s around it stand together.
    EXPECT_EQ(list.numbersToSave(), (std::vector<uint16_t>{100, 60, 100, 943}));
    EXPECT_TRUE(list.hasRows());
    project.customParameters = {5, 7};
    EXPECT_FALSE(list.hasRows());
    EXPECT_TRUE(list.numbersToSave().empty());
}

TEST_F(CustomList, replaceRemembersTheFileAndSaveClearsTheMark)
{
    list.replace({60, 943}, QStringLiteral("/tmp/a.fpm"));
    EXPECT_EQ(numbers(), (std::vector<uint32_t>{60, 943}));
    EXPECT_EQ(state.filePath, QStringLiteral("/tmp/a.fpm"));
    EXPECT_TRUE(state.changed);
    list.markSaved(QStringLiteral("/tmp/b.fpm"));
    EXPECT_EQ(state.filePath, QStringLiteral("/tmp/b.fpm"));
    EXPECT_FALSE(state.changed);
}
