#pragma once
// Before an online value edit decides: reads the words it needs that the drive has not
// reported since the connect (editing::unreportedEditInputs). The rule inputs are in the
// system poll list and the edited parameter is polled with its page, so normally there is
// nothing to read and this returns at once; only right after a connect, before the polls
// came round, is a word read.
//
// Such a read goes out beside the polls, one request at a time (up to 4 x 500 ms each),
// while polling is held and the event loop keeps running, user input excluded: no switch
// of the reader thread, no purge of the port, so no poll reply or write echo in flight is
// lost, and the window keeps drawing. It ends early when the link goes offline.
//
// Thread: the session's (UI) thread.

#include "MonitorSession.h"

#include "model/ProjectRecords.h"

namespace hesk::shell {

// True when every word the edit needs has been reported (read now or polled before);
// false when the session is offline, the link is switching its reader thread (a call
// that came in inside that wait), or a read got no answer.
bool readUnreportedEditInputs(MonitorSession& session, const model::HeskParameterElement& parameter);

}  // namespace hesk::shell
