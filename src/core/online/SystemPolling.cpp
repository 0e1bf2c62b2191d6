#include "SystemPolling.h"

#include <algorithm>

namespace hesk::online {

void SystemPolling::start(FrameList& list, SystemPollPlan plan)
{
    m_plan = std::move(plan);
    m_referencesRequested = false;
    m_cyclesSinceReferences = 0;
    m_withReferences = true;
    fillSystemPollList(list, m_plan, true);
}

void SystemPolling::nextCycle(FrameList& list)
{
    ++m_cyclesSinceReferences;
    const bool withReferences = m_referencesRequested || m_cyclesSinceReferences >= kReferenceCycles;
    if (withReferences) {
        m_referencesRequested = false;
        m_cyclesSinceReferences = 0;
    }
    if (withReferences != m_withReferences || list.empty())
        fillSystemPollList(list, m_plan, withReferences);
    m_withReferences = withReferences;
}

bool SystemPolling::isReferenceAddress(uint16_t address) const
{
    return std::any_of(m_plan.references.begin(), m_plan.references.end(), [address](const link::CommandFrame& f) {
        return link::wordAt(f, 2) == address;
    });
}

}  // namespace hesk::online
