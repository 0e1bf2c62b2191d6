#pragma once
// Everything a reply handler may touch: the link's status, events and flags, the sender
// for answers, the value tables, the connection state, the fault-data store, the log, a
// pause between answers and the workflow ports. Handlers touch nothing else (they run on
// a reader thread or the UI thread, see FrameDispatchTable.h).

#include "ConnectionState.h"
#include "FaultDataStore.h"
#include "FrameSender.h"
#include "LinkState.h"
#include "ValueTables.h"
#include "WorkflowPorts.h"
#include "model/LogSink.h"

namespace hesk::link {

struct ReplyContext {
    LinkState& link;
    FrameSender& sender;
    OnlineValueTables& values;
    ConnectionState& connection;
    FaultDataStore& faultData;
    model::LogSink& log;
    HandlerPause& pause;
    WorkflowPorts ports;
};

// The pause of the link's own threads: the handler's thread sleeps once (no loop).
class SleepingPause final : public HandlerPause {
public:
    void pause(std::chrono::milliseconds duration) override;
};

}  // namespace hesk::link
