// Typing a parameter number into a list: the search text the keys build, the row it
// selects and the reset 1.2 s after the last key (time passed in, no sleeping).

#include "PageFixtures.h"

#include "pages/ParameterPage.h"
#include "pages/TypeAhead.h"

#include "model/PageCatalogue.h"

#include <gtest/gtest.h>

using namespace hesk;
using namespace hesk::pages;
using namespace std::chrono_literals;

namespace {

class Typing {
public:
    // Keys typed 100 ms apart unless told otherwise; the effect of the last key.
    TypeAhead::KeyEffect type(const QString& keys, std::chrono::milliseconds gap = 100ms)
    {
        TypeAhead::KeyEffect effect = TypeAhead::KeyEffect::Ignored;
        for (QChar key : keys) {
            now += gap;
            effect = typeAhead.key(key, now);
        }
        return effect;
    }
    TypeAhead typeAhead;
    TypeAhead::Clock::time_point now{};
};

}  // namespace

struct SearchTextCase {
    const char* keys;
    const char* expected;
};

class TypeAheadText : public ::testing::TestWithParam<SearchTextCase> {};

TEST_P(TypeAheadText, keysBuildTheSearchText)
{
    Typing typing;
    typing.type(QString::fromLatin1(GetParam().keys));
    EXPECT_EQ(typing.typeAhead.searchText(), QString::fromLatin1(GetParam().expected)) << GetParam().keys;
}

INSTANTIATE_TEST_SUITE_P(Table, TypeAheadText,
                         ::testing::Values(SearchTextCase{"P100", "P100"}, SearchTextCase{"p100", "P100"},
                                           SearchTextCase{"R12", "r12"}, SearchTextCase{"u5", "U5"},
                                           SearchTextCase{"N5", "n5"}, SearchTextCase{"b3", "B3"},
                                           SearchTextCase{"K91", "K91"},
                                           // a letter holds up to four digits, then a digit restarts
                                           SearchTextCase{"P1234", "P1234"}, SearchTextCase{"P12345", "5"},
                                           // digits alone hold four
                                           SearchTextCase{"1234", "1234"}, SearchTextCase{"12345", "5"},
                                           // a letter always starts afresh
                                           SearchTextCase{"12P3", "P3"}, SearchTextCase{"P1r2", "r2"},
                                           // other keys change nothing
                                           SearchTextCase{"P1x2", "P12"}, SearchTextCase{"A", ""}));

TEST(TypeAhead, lettersStartDigitsSearchOthersPassThrough)
{
    Typing typing;
    EXPECT_EQ(typing.type(QStringLiteral("P")), TypeAhead::KeyEffect::Started);
    EXPECT_EQ(typing.type(QStringLiteral("1")), TypeAhead::KeyEffect::Search);
    EXPECT_EQ(typing.type(QStringLiteral("-")), TypeAhead::KeyEffect::Ignored);
    EXPECT_EQ(typing.type(QStringLiteral(" ")), TypeAhead::KeyEffect::Ignored);
}

TEST(TypeAhead, searchTextIsForgottenTwelveHundredMillisecondsAfterTheLastKey)
{
    Typing typing;
    typing.type(QStringLiteral("P10"));
    typing.type(QStringLiteral("0"), 1199ms);
    EXPECT_EQ(typing.typeAhead.searchText(), QStringLiteral("P100"));
    typing.type(QStringLiteral("1"), 1200ms);
    EXPECT_EQ(typing.typeAhead.searchText(), QStringLiteral("1"));
    // Ignored keys do not count as typing.
    typing.type(QStringLiteral("x"), 1000ms);
    typing.type(QStringLiteral("2"), 300ms);
    EXPECT_EQ(typing.typeAhead.searchText(), QStringLiteral("2"));
}

TEST(TypeAhead, completionPadsToFourDigitsOrThreeForUAndN)
{
    EXPECT_EQ(TypeAhead::completedText(QStringLiteral("P1")), QStringLiteral("P0001"));
    EXPECT_EQ(TypeAhead::completedText(QStringLiteral("r943")), QStringLiteral("r0943"));
    EXPECT_EQ(TypeAhead::completedText(QStringLiteral("U5")), QStringLiteral("U005"));
    EXPECT_EQ(TypeAhead::completedText(QStringLiteral("n12")), QStringLiteral("n012"));
    EXPECT_EQ(TypeAhead::completedText(QStringLiteral("K0091")), QStringLiteral("K0091"));
    EXPECT_EQ(TypeAhead::completedText(QStringLiteral("100")), QStringLiteral("100"));
}

class TypeAheadRows : public ::testing::Test {
protected:
    void SetUp() override
    {
        opened = test::openSample(QStringLiteral("VRA1/VRA1V11418"));
        page = std::make_unique<ParameterPage>(opened->project(), opened->deviceClass(), model::pages::kAll);
    }
    std::optional<QString> selected(const QString& keys)
    {
        Typing typing;
        typing.type(keys);
        const std::optional<int> row = TypeAhead::findRow(typing.typeAhead.searchText(), page->rows());
        if (!row)
            return std::nullopt;
        return page->text(*row, ColumnNumber) + QLatin1Char('.') + page->text(*row, ColumnSubIndex);
    }
    std::unique_ptr<model::OpenedProject> opened;
    std::unique_ptr<ParameterPage> page;
};

TEST_F(TypeAheadRows, letterAndDigitsSelectTheFirstRowWithThatNumberText)
{
    EXPECT_EQ(selected(QStringLiteral("P100")), QStringLiteral("P0100.001"));
    EXPECT_EQ(selected(QStringLiteral("p107")), QStringLiteral("P0107.001"));
    EXPECT_EQ(selected(QStringLiteral("K91")), QStringLiteral("K0091."));
    EXPECT_EQ(selected(QStringLiteral("R2")), QStringLiteral("r0002."));
}

TEST_F(TypeAheadRows, digitsAloneSelectTheFirstRowOfThatNumberWhateverItsKind)
{
    EXPECT_EQ(selected(QStringLiteral("100")), QStringLiteral("P0100.001"));
    EXPECT_EQ(selected(QStringLiteral("2")), QStringLiteral("r0002."));
    EXPECT_EQ(selected(QStringLiteral("60")), QStringLiteral("P0060."));
}

TEST_F(TypeAheadRows, nothingMatchesNothingSelected)
{
    EXPECT_EQ(selected(QStringLiteral("P9999")), std::nullopt);
    EXPECT_EQ(selected(QStringLiteral("9999")), std::nullopt);
    EXPECT_EQ(TypeAhead::findRow(QStringLiteral("P"), page->rows()), std::nullopt);
    EXPECT_EQ(TypeAhead::findRow(QString(), page->rows()), std::nullopt);
}
