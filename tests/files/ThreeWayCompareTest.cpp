// The three-way compare of drive, file and factory values: the merge by key, equality
// across all three, which source stands apart, and the filters.

#include "files/ThreeWayCompare.h"

#include "model/FaultTableLibrary.h"

#include <gtest/gtest.h>

namespace hesk::files {
namespace {

CompareEntry entry(int main, int aux, const char* value)
{
    return {QStringLiteral("%1").arg(main, 4, 10, QLatin1Char('0')), QStringLiteral("%1").arg(aux, 3, 10, QLatin1Char('0')),
            QString::fromLatin1(value), main, aux};
}

TEST(ThreeWayCompare, rowsMergeByKeyAndTheSourceThatStandsApartIsNamed)
{
    const std::vector<CompareEntry> drive{entry(60, 0, "1"), entry(89, 0, "3"), entry(100, 1, "5"), entry(100, 2, "7"),
                                          entry(200, 0, "1"), entry(300, 0, "4")};
    const std::vector<CompareEntry> file{entry(60, 0, "1"), entry(89, 0, "0"), entry(100, 1, "6"), entry(100, 2, "7"),
                                         entry(200, 0, "2")};
    const std::vector<CompareEntry> factory{entry(60, 0, "1"), entry(89, 0, "0"), entry(100, 1, "5"), entry(100, 2, "0"),
                                            entry(200, 0, "3"), entry(300, 0, "4")};
    const std::vector<ThreeWayRow> rows = compareThreeWays(drive, file, factory, nullptr, false);
    ASSERT_EQ(rows.size(), 6u);
    const struct {
        const char* main;
        bool equal;
        std::optional<ThreeWaySource> odd;
    } expected[] = {
        {"0060", true, std::nullopt},                  // the same everywhere
        {"0089", false, ThreeWaySource::Drive},        // changed on the drive only
        {"0100", false, ThreeWaySource::File},         // the file's value stands apart
        {"0100", false, ThreeWaySource::Factory},      // drive as backed up, changed from factory
        {"0200", false, std::nullopt},                 // all three differ
        {"0300", false, ThreeWaySource::File},         // missing from the file only
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].main, QString::fromLatin1(expected[i].main));
        EXPECT_EQ(rows[i].equal, expected[i].equal);
        EXPECT_EQ(rows[i].odd, expected[i].odd);
    }
    EXPECT_EQ(rows[5].present, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(rows[5].values[1], QString());
    EXPECT_EQ(rows[2].values, (std::array<QString, 3>{"5", "6", "5"}));

    int equal = 0, different = 0, all = 0;
    for (const ThreeWayRow& row : rows) {
        equal += passesFilter(row, CompareFilter::Equal);
        different += passesFilter(row, CompareFilter::Different);
        all += passesFilter(row, CompareFilter::All);
    }
    EXPECT_EQ(equal, 1);
    EXPECT_EQ(different, 5);
    EXPECT_EQ(all, 6);
}

// With the project the rows get their names and the approximate comparison may apply.
TEST(ThreeWayCompare, theProjectNamesRowsAndTheApproximateComparisonApplies)
{
    model::FaultTableLibrary tables;
    model::OpenedProject project(tables);
    ASSERT_FALSE(project.open(QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj")).has_value());
    const model::HeskParameterElement* p0350 = project.find(QStringLiteral("P0350"));
    ASSERT_NE(p0350, nullptr);
    CompareEntry a = entry(350, 0, "100.00");
    CompareEntry b = entry(350, 0, "100");
    CompareEntry c = entry(350, 0, "100.004");
    // The same number written otherwise is equal; a near number only with the
    // approximate comparison (P0350 is N2: 0.0061 tolerance).
    const std::vector<ThreeWayRow> rows = compareThreeWays({a}, {b}, {c}, &project, false);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, p0350->name);
    EXPECT_FALSE(rows[0].equal);
    EXPECT_EQ(rows[0].odd, ThreeWaySource::Factory);
    EXPECT_TRUE(compareThreeWays({a}, {b}, {c}, &project, true)[0].equal);
    // A measured value (r0002) in the uploaded file and the backup is no setting.
    EXPECT_TRUE(compareThreeWays({entry(2, 0, "12.5")}, {entry(2, 0, "0.0")}, {}, &project, false).empty());
}

}  // namespace
}  // namespace hesk::files
