#pragma once
// Waits that keep the calling thread's Qt events flowing (timers, queued calls, frames
// handed over by the reader threads) while they wait for a manual-reset event: the
// platform's form of a message-pumping wait. Used when the UI thread waits for a reader
// thread to end, and by the workflows' pumped waits (modify result, acknowledged sends).
// User input (clicks, keys) is never taken inside such a wait: it stays queued and is
// handled once the wait is over.
//
// Without a QCoreApplication the wait blocks without pumping.

#include "ManualResetEvent.h"

#include <chrono>
#include <initializer_list>
#include <optional>

namespace hesk::link {

// Returns the index (in the list) of the first event found set, or nullopt when the
// time-out passed first. No time-out waits for ever.
std::optional<size_t> waitAnyPumping(std::initializer_list<ManualResetEvent*> events,
                                     std::optional<std::chrono::milliseconds> timeout = std::nullopt);

inline bool waitPumping(ManualResetEvent& event,
                        std::optional<std::chrono::milliseconds> timeout = std::nullopt)
{
    return waitAnyPumping({&event}, timeout).has_value();
}

}  // namespace hesk::link
