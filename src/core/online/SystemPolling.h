#pragma once
// Which system poll list each cycle of timer 6 sends: the plan's everyCycle part always,
// its references on the first cycle after a connect, then on every kReferenceCycles-th
// cycle, and on the cycle after someone asked for them (a write to a reference, a
// workflow that changed the drive's parameters). The list is filled anew only when its
// composition changes, just before the cycle is cleared, so a cycle never changes under
// way.
//
// Thread: the session's (UI) thread, which owns the scheduler's system list.

#include "FrameList.h"
#include "ReadRequests.h"

namespace hesk::online {

class SystemPolling {
public:
    // Every 10th cycle of 3 s: the references are at most 30 s old.
    static constexpr int kReferenceCycles = 10;

    // At connect: fills the list with every part of the plan.
    void start(FrameList& list, SystemPollPlan plan);
    // Before each new cycle (timer 6): fills the list for the coming cycle.
    void nextCycle(FrameList& list);
    // The coming cycle reads the references too.
    void requestReferences() { m_referencesRequested = true; }
    // The cycle under way reads the references.
    bool referencesInList() const { return m_withReferences; }
    // Whether a frame's address (bytes 2 and 3) is one the references are read from, so a
    // write to it changes a reference value.
    bool isReferenceAddress(uint16_t address) const;
    // Further requests read on every cycle (the control panel's values and free display
    // slots), after the plan's everyCycle part; the list takes them from the next cycle on.
    void setWatched(std::vector<link::CommandFrame> requests);
    const std::vector<link::CommandFrame>& watched() const { return m_watched; }

private:
    void fill(FrameList& list, bool withReferences) const;

    SystemPollPlan m_plan;
    std::vector<link::CommandFrame> m_watched;
    bool m_watchedChanged = false;
    bool m_withReferences = false;
    bool m_referencesRequested = false;
    int m_cyclesSinceReferences = 0;
};

}  // namespace hesk::online
