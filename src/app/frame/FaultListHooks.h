#pragma once
// The workflow hooks with the fault and alarm list added: the session's 3-second refresh
// collects the fault and alarm words as well; every other question goes on to the hooks
// before it (the control panel's).
//
// Thread: UI thread only.

#include "ForwardingHooks.h"

#include "recording/FaultAlarmList.h"

namespace hesk::app {

class FaultListHooks final : public ForwardingHooks {
public:
    // Both must outlive the hooks.
    FaultListHooks(shell::LifecycleHooks& inner, recording::FaultAlarmList& faults)
        : ForwardingHooks(inner), m_faults(faults)
    {
    }

    void periodicRefresh() override
    {
        ForwardingHooks::periodicRefresh();
        m_faults.collect();
    }

private:
    recording::FaultAlarmList& m_faults;
};

}  // namespace hesk::app
