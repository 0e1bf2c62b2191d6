#pragma once
// The axis-range dialog's rules, without widgets: the four values shown as "%f" texts, and
// the check of the four typed texts when the person presses OK.
//
// The check runs in a fixed order and stops at the first failure: the four texts must be
// numbers (X minimum, X maximum, Y minimum, Y maximum), then each maximum must be greater
// than its minimum. A text is a number when, without surrounding blanks, it reads as a
// finite decimal number in the C locale ("12", "-3.5", "1e3"); an empty text, "nan" and
// "inf" are not numbers (an infinite or undefined axis end cannot be drawn).

#include "model/UserMessage.h"

#include <QString>

#include <optional>
#include <variant>

namespace hesk::recording {

// The bottom axis (x, milliseconds) and the left axis (y) of a chart.
struct AxisRange {
    double xMin = 0.0;
    double xMax = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;
    bool operator==(const AxisRange&) const = default;
};

// The dialog's four field texts.
struct AxisRangeTexts {
    QString xMin;
    QString xMax;
    QString yMin;
    QString yMax;
    bool operator==(const AxisRangeTexts&) const = default;
};

// The texts the dialog opens with: each value as "%f" ("12.000000").
AxisRangeTexts axisRangeTexts(const AxisRange& range);

// The accepted range, or the warning that refuses the texts.
std::variant<AxisRange, model::UserMessage> checkAxisRange(const AxisRangeTexts& texts);

// A field text as a finite number; nothing when it is not one.
std::optional<double> axisNumber(const QString& text);

}  // namespace hesk::recording
