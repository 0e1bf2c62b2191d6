#pragma once
// Whether two value texts of a parameter count as equal: the colouring of the pages and
// the file compare use it.
//
// Without approximate comparison (the setting "近似值比较优化" off) only equal texts are
// equal. With it, the texts of a parameter that has no formulas (commandType not "3"),
// is no connection input and has two non-empty texts are compared as numbers, equal when
// their difference is strictly below the precision of the display type:
//   "N2" 0.006103515625, "E2" 0.007812744148254632, "G2"/"G3" 0.125, "H2"/"H3" 0.032.
// Other types, and texts that are not numbers, compare as text.

#include "model/ProjectRecords.h"

#include <QString>

#include <optional>

namespace hesk::pages {

// The tolerance of a display type name; nothing for types compared as text.
std::optional<double> approximateTolerance(const QString& typeName);

bool valuesEqual(const model::HeskParameterElement& element, const QString& a, const QString& b,
                 bool approximateComparison);

// Two texts of the same number: decimal texts equal as numbers ("0.50" and "0.5"), or
// hexadecimal texts with "0x"/"0X" equal by value ("0X0003" and "0x0003"). The
// changed-from-factory view and the three-way compare count them as one value whatever
// the display type, where the pages' colouring keeps the system's text comparison.
bool sameNumber(const QString& a, const QString& b);

}  // namespace hesk::pages
