#pragma once
// The points of one chart curve: x in milliseconds, ascending, and the value at each x.
// A plain value shared by the series conversion, the cursor readout and the chart widget.

#include <QList>

namespace hesk::recording {

struct SeriesPoints {
    QList<double> x;  // ascending
    QList<double> y;  // same length as x
    bool operator==(const SeriesPoints&) const = default;
    qsizetype size() const { return x.size(); }
    bool empty() const { return x.isEmpty(); }
};

}  // namespace hesk::recording
