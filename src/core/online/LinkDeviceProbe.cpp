#include "LinkDeviceProbe.h"

#include "link/CDeviceLink.h"
#include "link/ConnectionState.h"
#include "link/FrameCodec.h"
#include "link/FrameDispatchTable.h"
#include "link/ReplyContext.h"
#include "link/ValueTables.h"

#include <memory>

namespace hesk::online {

namespace {

using Status = DeviceProbeResult::Status;
using link::ReplyStatus;

// A link with everything its reply handlers reach. No workflow ports: the identification
// replies need none, and any other frame is dropped as for a window that is not open.
// The connection state only reads the identifier (checkProgramId false).
struct ProbeLink {
    explicit ProbeLink(model::LogSink& log)
        : link(log)
        , table(link::ReplyContext{link.state(), link, values, connection, link.faultData(), log, pause, {}})
    {
        link.setDispatchTable(&table);
    }

    link::CDeviceLink link;
    link::OnlineValueTables values;
    link::ConnectionState connection;
    link::SleepingPause pause;
    link::FrameDispatchTable table;
};

// Closes the link when the probe leaves, on every path: the reader thread ends before
// the dispatch table it calls into goes away.
class CloseOnExit {
public:
    explicit CloseOnExit(link::CDeviceLink& link) : m_link(link) {}
    ~CloseOnExit() { m_link.close(); }
    CloseOnExit(const CloseOnExit&) = delete;
    CloseOnExit& operator=(const CloseOnExit&) = delete;

private:
    link::CDeviceLink& m_link;
};

}  // namespace

DeviceProbeResult LinkDeviceProbe::probe(const ConnectionSettings& settings, std::stop_token stop)
{
    // On the heap: three value tables of 8192 words do not belong on a worker's stack.
    const auto probeLink = std::make_unique<ProbeLink>(m_log);
    link::CDeviceLink& device = probeLink->link;
    const CloseOnExit closing(device);

    if (!device.openSerial(settings.portPath, settings.baudRate))
        return {Status::PortOpenFailed, 0, 0};

    device.state().connectInProgress.store(true);  // a connect exchange, not the boot protocol
    if (!device.startConnectionThread())
        return {Status::PortOpenFailed, 0, 0};  // the link logged why: the port cannot be used

    // A stop ends the wait in progress as a link that went away would. Registered after
    // the closer, so it is gone before the link closes.
    const std::stop_callback wakeOnStop(stop, [&device] { device.state().wakeWaiter(ReplyStatus::LinkNotOpened); });
    if (stop.stop_requested())
        return {Status::ProgramIdTimeout, 0, 0};

    link::CommandFrame identifierRequest = link::programIdentifierRequest();
    device.SendAndWait(identifierRequest, kProgramIdAttempts, kProgramIdTimeout);
    const ReplyStatus identifierStatus = device.replyStatus();
    if (stop.stop_requested() || identifierStatus == ReplyStatus::Pending)
        return {Status::ProgramIdTimeout, 0, 0};
    if (identifierStatus != ReplyStatus::Success)
        return {Status::ProgramIdRefused, 0, 0};
    const uint16_t programId = probeLink->connection.deviceProgramId.load();

    link::CommandFrame cpuTypeRequest = link::cpuTypeWordRequest();
    device.SendAndWait(cpuTypeRequest, kCpuTypeAttempts, kCpuTypeTimeout);
    if (stop.stop_requested() || device.replyStatus() != ReplyStatus::Success)
        return {Status::CpuTypeTimeout, programId, 0};
    return {Status::Identified, programId, probeLink->connection.deviceCpuType.load()};
}

}  // namespace hesk::online
