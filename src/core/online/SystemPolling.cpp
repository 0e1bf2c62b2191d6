#include "SystemPolling.h"

#include <algorithm>

namespace hesk::online {

void SystemPolling::start(FrameList& list, SystemPollPlan plan)
{
    m_plan = std::move(plan);
    m_referencesRequested = false;
    m_cyclesSinceReferences = 0;
    m_withReferences = true;
    m_watchedChanged = false;
    fill(list, true);
}

void SystemPolling::setWatched(std::vector<link::CommandFrame> requests)
{
    if (requests == m_watched)
        return;
    m_watched = std::move(requests);
    m_watchedChanged = true;
}

void SystemPolling::fill(FrameList& list, bool withReferences) const
{
    fillSystemPollList(list, m_plan, withReferences);
    for (const link::CommandFrame& frame : m_watched)
        list.push(frame);
}

void SystemPolling::nextCycle(FrameList& list)
{
    ++m_cyclesSinceReferences;
    const bool withReferences = m_referencesRequested || m_cyclesSinceReferences >= kReferenceCycles;
    if (withReferences) {
        m_referencesRequested = false;
        m_cyclesSinceReferences = 0;
    }
    if (withReferences != m_withReferences || list.empty() || m_watchedChanged)
        fill(list, withReferences);
    m_watchedChanged = false;
    m_withReferences = withReferences;
}

bool SystemPolling::isReferenceAddress(uint16_t address) const
{
    return std::any_of(m_plan.references.begin(), m_plan.references.end(), [address](const link::CommandFrame& f) {
        return link::wordAt(f, 2) == address;
    });
}

}  // namespace hesk::online
