#pragma once
// Which rows of a page hold a value changed from the factory value, and how many: the
// page filter "仅显示与出厂值不同", its count, and `heskmon read --changed`.
//
// A row counts when its parameter can be set and has a factory value, its value is known
// (read since the connect, or present in the offline set) and differs from the factory
// value: texts of the same number are equal ("0.50" on the drive is its factory "0.5",
// "0X0003" its "0x0003"),
// and beyond that the approximate comparison decides, whatever the colouring setting.
// Measured values (read-only) have no factory state to differ from, and a value not read
// yet or not convertible ("WrongParameter") is not known to differ.

#include "ParameterPage.h"

#include <QString>

namespace hesk::pages {

// The row's parameter has a factory state: settable with a factory value text.
bool comparableWithFactory(const PageRow& row);
// The row's value is known (not blank, not "WrongParameter").
bool valueKnown(const PageRow& row);
bool differsFromFactory(const PageRow& row);

struct FactoryDifferenceCount {
    int differing = 0;   // comparable rows whose known value differs
    int known = 0;       // comparable rows whose value is known
    int comparable = 0;  // rows with a factory state
    bool operator==(const FactoryDifferenceCount&) const = default;
};

FactoryDifferenceCount countFactoryDifferences(const ParameterPage& page);

// "与出厂值不同：3 项", and while some values are not known yet "与出厂值不同：3 项（已读取
// 40/120）", so that a partial count is never taken for the whole page.
QString factoryDifferenceText(const FactoryDifferenceCount& count);

}  // namespace hesk::pages
