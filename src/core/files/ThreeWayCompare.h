#pragma once
// The three-way compare: the drive's values (a fresh upload), a parameter file and the
// project's factory values side by side, merged by (main number, aux number) as the file
// compare merges two sources. A row is equal when all three hold it and every pair of
// values is equal: texts of the same number ("100.00" uploaded, "100" as factory value),
// else the file compare's rule (the approximate comparison when it is on). The filters
// "全部 / 相同 / 不同" apply across all three. Rows of read-only parameters (measured
// values in an uploaded file) are left out: they have no factory state.
//
// Contract: pure functions and plain values; any thread.

#include "DnlCompare.h"

#include <array>
#include <vector>

namespace hesk::files {

enum class ThreeWaySource { Drive = 0, File = 1, Factory = 2 };

// "设备", "文件", "出厂值": the column captions and the text of the side that stands apart.
QString threeWaySourceText(ThreeWaySource source);

struct ThreeWayRow {
    QString main;
    QString aux;
    QString name;
    QString comment;
    std::array<QString, 3> values;   // by ThreeWaySource
    std::array<bool, 3> present{};   // the source holds the row
    bool equal = false;
    // The source whose value differs from the other two, when exactly one does.
    std::optional<ThreeWaySource> odd;
};

std::vector<ThreeWayRow> compareThreeWays(const std::vector<CompareEntry>& drive, const std::vector<CompareEntry>& file,
                                          const std::vector<CompareEntry>& factory, const model::OpenedProject* project,
                                          bool approximateComparison);

bool passesFilter(const ThreeWayRow& row, CompareFilter filter);

}  // namespace hesk::files
