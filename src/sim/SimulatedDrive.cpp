#include "SimulatedDrive.h"

#include "link/FrameScanner.h"
#include "model/DeviceCatalogue.h"

#include <algorithm>
#include <cmath>

namespace hesk::sim {

namespace {

using link::CommandFrame;
namespace code = link::code;

uint8_t high(uint16_t w) { return static_cast<uint8_t>(w >> 8); }
uint8_t low(uint16_t w) { return static_cast<uint8_t>(w & 0xFF); }

CommandFrame longFrame(uint8_t code, uint32_t value)
{
    return link::commandFrame(code, static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
                              static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value));
}

bool isEthernetConnectRequest(std::span<const uint8_t> d)
{
    return d.size() >= 8 && d[0] == link::kDatagramStart && d[1] == 0x0A && d[2] == 0x01 && d[3] == 0x51
           && link::xorOf(d.first(7)) == d[7];
}

// The start of a 68-byte frame (block F2 2D, long boot 02 44).
bool startsLongFrame(std::span<const uint8_t> bytes)
{
    return bytes.size() >= 2
           && ((bytes[0] == link::kCommandStart && bytes[1] == link::code::UploadBlock)
               || (bytes[0] == link::kBootStart && bytes[1] == link::kLongBootLengthByte));
}

}  // namespace

std::vector<uint8_t> datagramOf(std::span<const uint8_t> serialFrame)
{
    const uint8_t routing = serialFrame.size() > 1 ? serialFrame[1] : 0;
    return link::datagramFrame(0x01, routing, serialFrame);
}

SimulatedDrive::SimulatedDrive(model::HeskProject project, DriveBehaviour behaviour, Framing framing,
                               LineOutput& output, uint64_t seed)
    : m_project(std::make_unique<model::HeskProject>(std::move(project))),
      m_behaviour(behaviour),
      m_framing(framing),
      m_output(output),
      m_lineFaults(seed),
      m_formulas(*m_project),
      m_tables(DriveTables::fromProject(*m_project)),
      m_recorder(SimTime(m_project->timeBases[0])),
      m_projectCpuType(model::resolveCpuType(m_project->header.cpuType).code),
      m_slavesSlot(slotOf(*m_project, QStringLiteral("P0089")))
{
    m_model = std::make_unique<DriveModel>(*m_project, m_tables, m_formulas);
    m_model->setTripListener([this](int word, int bit, SimTime when) {
        m_faultMemory.capture(word, bit, when, *m_model);
    });
    behaviourChanged();
}

SimulatedDrive::~SimulatedDrive() = default;

void SimulatedDrive::behaviourChanged()
{
    if (m_slavesSlot && m_slavesSlot->table == TableKind::Settable)
        m_tables.setValue(TableKind::Settable, m_slavesSlot->address, m_behaviour.slaves);
}

uint16_t SimulatedDrive::reportedProgramId() const
{
    return m_behaviour.programId.value_or(m_project->header.programId);
}

uint16_t SimulatedDrive::reportedCpuType() const
{
    return m_behaviour.cpuType.value_or(m_projectCpuType);
}

bool SimulatedDrive::setFaultBit(int word, int bit, bool on, SimTime now)
{
    run(now);
    return m_model->setFaultBit(word, bit, on, now);
}

// ---- output ---------------------------------------------------------------------------

void SimulatedDrive::emitFrame(std::span<const uint8_t> frame)
{
    if (frame.empty() || !m_behaviour.answering(m_now))
        return;
    if (m_lineFaults.dropFrame(m_behaviour.dropShare)) {
        ++m_counters.framesDropped;
        return;
    }
    std::vector<uint8_t> bytes;
    if (m_framing == Framing::Datagram && frame[0] != link::kDatagramStart)
        bytes = datagramOf(frame);
    else
        bytes.assign(frame.begin(), frame.end());
    m_counters.bytesCorrupted += m_lineFaults.corrupt(bytes, m_behaviour.noiseRate);
    ++m_counters.framesSent;
    m_output.write(bytes);
}

void SimulatedDrive::send(const CommandFrame& frame)
{
    emitFrame(frame);
}

void SimulatedDrive::echo(std::span<const uint8_t> frame)
{
    CommandFrame copy{};
    std::copy_n(frame.begin(), link::kCommandFrameSize, copy.begin());
    link::sealFrame(copy);
    emitFrame(copy);
}

// ---- time -----------------------------------------------------------------------------

void SimulatedDrive::advanceTo(SimTime t)
{
    m_model->advance(t);
    m_faultMemory.observe(t, *m_model);
}

uint16_t SimulatedDrive::readOnlyValue(uint16_t address) const
{
    return m_tables.value(TableKind::ReadOnly, address).value_or(0);
}

void SimulatedDrive::run(SimTime now)
{
    if (now < m_now)
        now = m_now;
    // The recorder samples on its own grid and advances the model to each sample time.
    m_now = now;
    m_recorder.advance(now, *this, *this, m_behaviour.variantFlag, 0);
    advanceTo(now);
    if (m_heartbeatSupervision && now - m_lastRequest > m_behaviour.heartbeatTimeout) {
        m_heartbeatSupervision = false;
        m_model->heartbeatLost(now);
    }
    if (m_download.active() && m_download.advance(now) == DownloadReceiver::Outcome::BrokenOff)
        downloadFinished(false, now);
}

void SimulatedDrive::advance(SimTime now, size_t lineBacklog)
{
    run(now);
    size_t budget = lineBacklog < kStreamLowWater ? kStreamLowWater - lineBacklog : 0;
    if (!m_behaviour.answering(m_now))
        budget = 0;  // a silent drive holds its streams back
    budget -= std::min(budget, m_stream.pump(*this, budget));
    budget -= std::min(budget, m_upload.advance(m_now, *this, budget));
    m_recorder.advance(m_now, *this, *this, m_behaviour.variantFlag, budget);
}

// ---- input ----------------------------------------------------------------------------

void SimulatedDrive::receiveBytes(std::span<const uint8_t> bytes, SimTime now)
{
    run(now);
    if (m_download.active()) {
        const DownloadReceiver::Progress progress = m_download.receive(bytes, m_now, *this);
        if (progress.outcome != DownloadReceiver::Outcome::Finished)
            return;
        downloadFinished(true, m_now);
        bytes = bytes.subspan(progress.consumed);
    }
    m_input.insert(m_input.end(), bytes.begin(), bytes.end());
    // A download signal switches the line to raw bytes: what follows its frame is image
    // data, not frames.
    std::optional<size_t> rawFrom;
    size_t scanned = 0;
    for (;;) {
        const std::span<const uint8_t> rest = std::span<const uint8_t>(m_input).subspan(scanned);
        scanned += link::scanSerialFrames(rest, [&](uint8_t, std::span<const uint8_t> frame) {
            if (rawFrom)
                return;
            handleFrame(frame, m_now);
            if (m_download.active())
                rawFrom = static_cast<size_t>(frame.data() - m_input.data()) + frame.size();
        });
        // The scanner waits for the 68 bytes of a block or long boot frame that starts
        // here; the tool sends neither, so such a start is noise and must not hold up the
        // requests behind it.
        if (rawFrom || !startsLongFrame(std::span<const uint8_t>(m_input).subspan(scanned)))
            break;
        ++scanned;
    }
    if (rawFrom) {
        const std::vector<uint8_t> rest(m_input.begin() + static_cast<std::ptrdiff_t>(*rawFrom), m_input.end());
        m_input.clear();
        if (!rest.empty())
            receiveBytes(rest, now);
        return;
    }
    m_input.erase(m_input.begin(), m_input.begin() + static_cast<std::ptrdiff_t>(std::min(scanned, m_input.size())));
    if (m_input.size() > 4096)
        m_input.erase(m_input.begin(), m_input.end() - static_cast<std::ptrdiff_t>(link::kBlockFrameSize));
}

void SimulatedDrive::receiveDatagram(std::span<const uint8_t> datagram, SimTime now)
{
    run(now);
    if (isEthernetConnectRequest(datagram)) {
        ++m_counters.requests;
        m_lastRequest = m_now;
        const std::vector<uint8_t> answer = link::ethernetConnectAnswer();
        emitFrame(answer);
        return;
    }
    link::scanSerialFrames(datagram, [this](uint8_t, std::span<const uint8_t> frame) { handleFrame(frame, m_now); });
}

void SimulatedDrive::handleFrame(std::span<const uint8_t> frame, SimTime now)
{
    if (frame.size() != link::kCommandFrameSize || frame[0] != link::kCommandStart)
        return;  // boot answers and blocks are nothing the drive waits for
    ++m_counters.requests;
    m_lastRequest = now;
    if (!m_behaviour.answering(now))
        return;  // a silent drive does not act on requests either
    const uint8_t c = frame[1];
    if (m_behaviour.ignores(c)) {
        ++m_counters.requestsIgnored;
        return;
    }
    switch (c) {
    case code::ReadParameter:
    case code::ReadReadOnly:
    case code::ReadConnection:
        handleRead(c, frame);
        break;
    case code::WritePlainValue:
    case code::WriteValue:
    case code::WriteConnection:
    case code::FactoryRestore:
    case code::FaultDataTrigger:
    case code::DriveBoardWaveform:
        handleWrite(c, frame);
        break;
    case code::ModifyConfirm:
        handleConfirm(now);
        break;
    case code::CpuLoadReference:
    case code::CpuIdle: {
        uint32_t reference = 0;
        uint32_t idle = 0;
        cpuLoad(reference, idle);
        send(longFrame(c, c == code::CpuLoadReference ? reference : idle));
        break;
    }
    case code::CpuType:
        send(link::commandFrame(code::CpuType, m_behaviour.variantFlag, m_behaviour.deviceFlag));
        break;
    case code::CpuTypeWord:
        send(link::commandFrame(code::CpuTypeWord, 0, 0, high(reportedCpuType()), low(reportedCpuType())));
        break;
    case code::ProgramIdentifier:
        send(link::commandFrame(code::ProgramIdentifier, high(reportedProgramId()), low(reportedProgramId())));
        break;
    case code::LastTransferFlags:
        send(link::commandFrame(code::LastTransferFlags, 0, 0, 0, m_behaviour.lastDownloadFailed ? 1 : 0,
                                m_behaviour.lastRestoreFailed ? 1 : 0));
        break;
    case code::HeartbeatSupervision:
        m_heartbeatSupervision = frame[2] == 1;
        echo(frame);
        break;
    case code::DownloadSignal:
        echo(frame);
        if (m_framing == Framing::Serial)
            m_download.begin(now, {m_behaviour.downloadStopAfterBlocks, m_behaviour.downloadBadEchoBlock,
                                   m_behaviour.downloadBadEchoAlways});
        break;
    case code::UploadStart:
        echo(frame);
        m_stream.clear();
        m_upload.start(m_tables, now, *this);
        break;
    case code::UploadLength:
        m_upload.lengthEchoed();
        break;
    case code::UploadEnd:
        m_upload.endEchoed();
        break;
    default:
        handleRecorder(c, frame, now);
        break;
    }
}

void SimulatedDrive::handleRead(uint8_t c, std::span<const uint8_t> frame)
{
    const uint16_t address = link::wordAt(frame, 2);
    const TableKind kind = c == code::ReadParameter  ? TableKind::Settable
                           : c == code::ReadReadOnly ? TableKind::ReadOnly
                                                     : TableKind::Connection;
    if (address >= kTableSize)
        return;  // no such slot in the drive: no answer
    // A misaddressing drive answers for the neighbouring slot.
    const uint16_t answered = m_behaviour.misaddress ? static_cast<uint16_t>((address + 1u) % kTableSize) : address;
    send(link::addressFrame(c, answered, m_tables.value(kind, answered).value_or(0)));
}

void SimulatedDrive::handleWrite(uint8_t c, std::span<const uint8_t> frame)
{
    Pending pending;
    pending.address = link::wordAt(frame, 2);
    pending.value = link::wordAt(frame, 4);
    switch (c) {
    case code::WritePlainValue:
    case code::WriteValue:
        if (pending.address >= kTableSize)
            return;
        pending.kind = PendingKind::Write;
        pending.table = TableKind::Settable;
        break;
    case code::WriteConnection:
        if (pending.address >= kTableSize)
            return;
        pending.kind = PendingKind::Write;
        pending.table = TableKind::Connection;
        pending.value = fromWireSource(pending.value);
        break;
    case code::FactoryRestore:
        pending.kind = PendingKind::Restore;
        break;
    case code::FaultDataTrigger:
        pending.station = frame[2];
        if (pending.station > m_behaviour.slaves)
            return;  // no such station in the group: nobody answers
        pending.kind = PendingKind::FaultData;
        break;
    default:
        pending.kind = PendingKind::DriveBoard;
        break;
    }
    m_pending = pending;
    echo(frame);
}

void SimulatedDrive::handleConfirm(SimTime now)
{
    const Pending pending = m_pending;
    m_pending = {};
    switch (pending.kind) {
    case PendingKind::Write: {
        const uint16_t old = m_tables.value(pending.table, pending.address).value_or(0);
        m_tables.setValue(pending.table, pending.address, pending.value);
        if (pending.table == TableKind::Settable)
            m_model->settableWritten(pending.address, old, pending.value, now);
        break;
    }
    case PendingKind::Restore:
        m_tables.restoreFactory();
        behaviourChanged();
        m_model->settingsReplaced(now);
        m_behaviour.lastRestoreFailed = false;
        break;
    case PendingKind::FaultData:
    case PendingKind::DriveBoard:
    case PendingKind::None:
        break;
    }
    send(link::commandFrame(code::ModifyConfirm));
    if (pending.kind == PendingKind::FaultData || pending.kind == PendingKind::DriveBoard) {
        m_stream.clear();
        m_upload.cancel();
        m_faultMemory.finishPending();
        const auto frames = pending.kind == PendingKind::FaultData
                                ? m_faultMemory.controllerFrames(pending.station)
                                : m_faultMemory.driveBoardFrames(now, m_powerUps);
        for (const auto& f : frames)
            m_stream.push(f);
    }
}

void SimulatedDrive::handleRecorder(uint8_t c, std::span<const uint8_t> frame, SimTime now)
{
    switch (c) {
    case code::TriggerChannel:
        m_recorder.setChannel(frame[2], link::wordAt(frame, 3));
        break;
    case code::TriggerData:
        m_recorder.setData(frame[2], link::wordAt(frame, 3));
        break;
    case code::TriggerCondition:
        m_recorder.setCondition(link::wordAt(frame, 2), frame[4], link::wordAt(frame, 5));
        break;
    case code::TriggerStart:
        echo(frame);
        if (frame[2] == 0x01)
            m_recorder.startImmediate(now);
        else
            m_recorder.startArmed(frame[3] == 0x02, now);
        return;
    case code::TriggerStop:
        m_recorder.stop();
        break;
    case code::TriggerDataInformation:
        m_recorder.dataInformationEcho(frame, now, *this);
        return;
    case code::TriggerDataError:
        m_recorder.dataErrorNotice(now);
        return;
    default:
        return;  // not a request the drive knows: no answer
    }
    echo(frame);
}

// ---- download -------------------------------------------------------------------------

void SimulatedDrive::downloadFinished(bool complete, SimTime now)
{
    const std::optional<DownloadImage> image =
        complete ? parseDownloadImage(m_download.image()) : std::nullopt;
    if (!image) {
        // A drive whose download broke off returns to its factory values and says so
        // at the next connection.
        m_tables.restoreFactory();
        behaviourChanged();
        m_model->settingsReplaced(now);
        m_behaviour.lastDownloadFailed = true;
        return;
    }
    for (const DownloadEntry& entry : image->values) {
        const std::optional<uint16_t> old = m_tables.value(TableKind::Settable, entry.address);
        if (!old)
            continue;
        m_tables.setValue(TableKind::Settable, entry.address, entry.value);
        m_model->settableWritten(entry.address, *old, entry.value, now);
    }
    for (const DownloadEntry& entry : image->connections)
        m_tables.setValue(TableKind::Connection, entry.address, fromWireSource(entry.value));
    m_model->settingsReplaced(now);
    m_behaviour.lastDownloadFailed = false;
}

// ---- CPU load -------------------------------------------------------------------------

void SimulatedDrive::cpuLoad(uint32_t& reference, uint32_t& idle) const
{
    constexpr uint32_t kReference = 1000000;
    const double seconds = static_cast<double>(m_now.count()) / 1e6;
    double load = 0.18 + 0.02 * std::sin(seconds * 0.7);
    if (m_model->state() == DriveState::Run)
        load += 0.15;
    reference = kReference;
    idle = static_cast<uint32_t>(std::lround(kReference * (1.0 - load)));
}

}  // namespace hesk::sim
