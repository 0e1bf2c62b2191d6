#pragma once
// The band arithmetic of a chart's digital axis, where channels in bit mode are drawn.
//
// Every bit trace gets its own horizontal band, one tenth of the axis length high. The
// bands in use form one block centred on the axis centre, stacked from the top in the
// order in which the traces were added (the first trace on top). Within a band the values
// 0 and 1 are two levels, a quarter of the band above its bottom and below its top, so
// neighbouring traces never touch.
//
// Hiding a trace is not the concern of this class: a hidden trace keeps its band, so the
// others stay in place. Removing a trace releases its band; the traces after it move up
// one band and the block is centred again. More than ten traces run past the axis ends.

#include <optional>
#include <vector>

namespace hesk::recording {

class DigitalBands {
public:
    struct Band {
        double bottom = 0.0;
        double top = 0.0;
        double low = 0.0;   // where value 0 is drawn
        double high = 0.0;  // where value 1 is drawn
        double centre() const { return (bottom + top) / 2.0; }
    };

    // The digital axis runs from axisMin to axisMax (axisMax > axisMin).
    explicit DigitalBands(double axisMin = 0.0, double axisMax = 10.0);

    void setAxisRange(double axisMin, double axisMax);
    double axisMin() const { return m_axisMin; }
    double axisMax() const { return m_axisMax; }
    double bandHeight() const { return (m_axisMax - m_axisMin) / 10.0; }

    // Gives the trace a band after the others; a trace that has one keeps it. Returns the
    // trace's place in the stack (0 = top).
    int add(int trace);
    // Releases the trace's band; false when it had none.
    bool remove(int trace);
    void clear() { m_traces.clear(); }

    int count() const { return static_cast<int>(m_traces.size()); }
    bool contains(int trace) const { return slotOf(trace).has_value(); }
    std::optional<int> slotOf(int trace) const;
    // The traces in stack order (top first).
    const std::vector<int>& traces() const { return m_traces; }

    // The trace's band; nothing when it has none.
    std::optional<Band> band(int trace) const;
    // Where a value of the trace is drawn: its low level for 0, its high level otherwise;
    // nothing when the trace has no band.
    std::optional<double> level(int trace, double value) const;

private:
    Band bandAt(int slot) const;

    double m_axisMin;
    double m_axisMax;
    std::vector<int> m_traces;
};

}  // namespace hesk::recording
