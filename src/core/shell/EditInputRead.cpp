#include "EditInputRead.h"

#include "editing/EditContextSource.h"
#include "link/PumpedWait.h"
#include "online/ReadRequests.h"

#include <chrono>
#include <thread>

namespace hesk::shell {

namespace {

using namespace std::chrono_literals;

constexpr int kAttempts = 4;
constexpr auto kTimeout = 500ms;

// One request, answered when the reply for its address was stored (the value reply
// handlers wake the waiter for the awaited address).
bool readOne(MonitorSession& session, const model::HeskParameterElement& element)
{
    link::LinkState& state = session.link().state();
    link::ConnectionState& connection = session.connection();
    link::CommandFrame request = online::readRequestFor(element);
    bool answered = false;
    for (int attempt = 0; attempt < kAttempts && !answered && session.isOnline(); ++attempt) {
        // Reset first, then arm: a reply that comes in between finds the read armed and
        // wakes it, instead of being swallowed by the reset.
        state.replyEvent.reset();
        state.replyStatus.store(link::ReplyStatus::Pending);
        connection.awaitedAddress.store(element.address);
        connection.singleReadWaiting.store(true);
        session.link().SendFrame(request);
        link::waitPumping(state.replyEvent, kTimeout);
        answered = state.replyStatus.load() == link::ReplyStatus::Success;
        if (!answered && state.replyStatus.load() != link::ReplyStatus::Pending)
            break;  // the link ended the wait (closed): no use sending again
    }
    connection.singleReadWaiting.store(false);
    return answered;
}

}  // namespace

bool readUnreportedEditInputs(MonitorSession& session, const model::HeskParameterElement& parameter)
{
    if (!session.isOnline())
        return false;
    const link::OnlineValueTables& tables = session.values();
    const std::vector<const model::HeskParameterElement*> unreported = editing::unreportedEditInputs(
        session.project(), parameter, [&tables](const model::HeskParameterElement& e) {
            return online::valueTableFor(tables, e).received(e.address);
        });
    if (unreported.empty())
        return true;
    // Come in through a queued call while the link waits for a reader thread to end: the
    // line is not there to ask.
    if (session.link().stoppingReader())
        return false;
    online::SendScheduler& scheduler = session.scheduler();
    const bool wasPaused = scheduler.pollingPaused();
    scheduler.setPollingPaused(true);
    // The frame the scheduler sent last leaves the line before the first request.
    std::this_thread::sleep_for(online::SendScheduler::kTickPeriod);
    bool answered = true;
    for (const model::HeskParameterElement* element : unreported) {
        // An address beyond the tables is never stored, so never read.
        if (element->address >= link::kAddressLimit)
            continue;
        if (!readOne(session, *element)) {
            answered = false;
            break;
        }
    }
    scheduler.setPollingPaused(wasPaused);
    return answered;
}

}  // namespace hesk::shell
