#include "DigitalBands.h"

#include <algorithm>

namespace hesk::recording {

DigitalBands::DigitalBands(double axisMin, double axisMax)
    : m_axisMin(axisMin), m_axisMax(axisMax)
{
}

void DigitalBands::setAxisRange(double axisMin, double axisMax)
{
    m_axisMin = axisMin;
    m_axisMax = axisMax;
}

int DigitalBands::add(int trace)
{
    if (const std::optional<int> slot = slotOf(trace))
        return *slot;
    m_traces.push_back(trace);
    return count() - 1;
}

bool DigitalBands::remove(int trace)
{
    const auto found = std::find(m_traces.begin(), m_traces.end(), trace);
    if (found == m_traces.end())
        return false;
    m_traces.erase(found);
    return true;
}

std::optional<int> DigitalBands::slotOf(int trace) const
{
    const auto found = std::find(m_traces.begin(), m_traces.end(), trace);
    if (found == m_traces.end())
        return std::nullopt;
    return static_cast<int>(found - m_traces.begin());
}

DigitalBands::Band DigitalBands::bandAt(int slot) const
{
    const double height = bandHeight();
    const double centre = (m_axisMin + m_axisMax) / 2.0;
    const double blockTop = centre + height * count() / 2.0;
    Band band;
    band.top = blockTop - height * slot;
    band.bottom = band.top - height;
    band.low = band.bottom + height / 4.0;
    band.high = band.top - height / 4.0;
    return band;
}

std::optional<DigitalBands::Band> DigitalBands::band(int trace) const
{
    const std::optional<int> slot = slotOf(trace);
    if (!slot)
        return std::nullopt;
    return bandAt(*slot);
}

std::optional<double> DigitalBands::level(int trace, double value) const
{
    const std::optional<Band> found = band(trace);
    if (!found)
        return std::nullopt;
    return value != 0.0 ? found->high : found->low;
}

}  // namespace hesk::recording
