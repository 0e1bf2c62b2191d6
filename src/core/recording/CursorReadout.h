#pragma once
// The texts beside the two chart cursors X1 and X2.
//
// X1, X2 and X2-X1 are milliseconds as "%.3f". The distance is shown once more in a fitting
// unit: beyond +-1000 ms as "(%.1f s)", from +-1 ms on as "(%.1f ms)", below that as
// "(%.1f us)". Y1, Y2 and Y2-Y1 are values in percent as "%.3f %".
//
// The value of a cursor is read from one series: the sample nearest at or before the
// cursor's x (what the curve held at that moment; a line between two samples is not a
// measurement). A cursor left of the first sample, or a series without points, has no
// value: its Y text and the Y2-Y1 text are empty.

#include "SeriesPoints.h"

#include <QString>

#include <optional>

namespace hesk::recording {

struct CursorReadoutTexts {
    QString x1;
    QString x2;
    QString dx;
    QString dxUnit;
    QString y1;
    QString y2;
    QString dy;
    bool operator==(const CursorReadoutTexts&) const = default;
};

// "%.3f" of a time in milliseconds.
QString cursorTimeText(double ms);

// The distance in its unit: "(1.5 s)", "(2.0 ms)", "(500.0 us)".
QString cursorSpanText(double ms);

// "%.3f %" of a value; empty without value.
QString cursorValueText(std::optional<double> value);

// The value of the sample nearest at or before x; nothing before the first sample.
std::optional<double> seriesValueAt(const SeriesPoints& points, double x);

// All texts for cursors at x1 and x2 read from points (nothing: Y texts empty).
CursorReadoutTexts cursorReadout(double x1, double x2, const SeriesPoints* points);

}  // namespace hesk::recording
