#pragma once
// The nine columns of every parameter list: a hidden first column, the parameter number,
// name, an empty marker column, the sub-index, the current value ("跟踪值"), the factory
// value, the unit and the comment.

#include <QString>

#include <array>

namespace hesk::pages {

enum PageColumn : int {
    ColumnHidden = 0,
    ColumnNumber = 1,
    ColumnName = 2,
    ColumnMarker = 3,
    ColumnSubIndex = 4,
    ColumnValue = 5,
    ColumnFactory = 6,
    ColumnUnit = 7,
    ColumnComment = 8,
};
inline constexpr int kPageColumnCount = 9;

struct PageColumnSpec {
    const char* header;  // the source text; pageColumnHeader() gives what is shown
    int width = 0;       // in pixels; 0 hides the column
};

const std::array<PageColumnSpec, kPageColumnCount>& pageColumns();
// The column's header in the language of the translator installed now (empty for the
// hidden and the marker column).
QString pageColumnHeader(int column);

// The colours of a value cell: blue when the value differs from the factory value.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kDifferingValueColour{0, 64, 255};
inline constexpr Rgb kPlainValueColour{0, 0, 0};
inline constexpr Rgb kRowBackground{255, 255, 255};

}  // namespace hesk::pages
