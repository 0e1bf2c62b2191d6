#pragma once
// Lowers the scheduling priority of the calling thread, for background workers (the log
// file writer) that must never compete with the UI thread or the link's reader thread.

namespace hesk::shell {

// Puts the calling thread one step below normal priority where the platform allows it
// (Linux: a higher nice value for this thread only; Windows: below-normal priority).
// Returns false when the platform refused or has no such notion; the thread then simply
// runs at its current priority.
bool lowerCurrentThreadPriority();

}  // namespace hesk::shell
