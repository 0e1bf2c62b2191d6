#pragma once
// The simulated drive: the device end of the protocol, without I/O. Bytes (serial) or
// datagrams (UDP) and the time go in; the drive answers every request of the command
// set from its own tables and models, and whatever it sends leaves through LineOutput.
// The frames are built and the requests cut out of the byte stream with the link's own
// codec (link/FrameCodec.h, link/FrameScanner.h).
//
// Answers, by request code (bytes 2..6 of the 8-byte command frame):
//   01/06/17 read        F2 code aH aL vH vL 00: settable / read-only value, connection
//                        source (the tool negates it); addresses >= 8192 get no answer;
//                        with DriveBehaviour::misaddress the next address and its value
//   02/03/05/30 write    the frame echoed; applied when MDY_CONFIRM (08) arrives; 05
//                        carries the negated source, 30 restores the factory values
//   08 MDY_CONFIRM       F2 08 00 00 00 00 00 (also when nothing is pending, so a
//                        repeated confirm after a lost answer is answered)
//   09/0A CPU load       F2 code r31..r24 r23..r16 r15..r8 r7..r0 00: reference / idle count
//   F0 CPU type          F2 F0 variant device 00 00 00; 0E: F2 0E 00 00 cpuH cpuL 00
//   0C identifier        F2 0C idH idL 00 00 00
//   2F last transfers    F2 2F 00 00 00 download restore: 1 = failed
//   39 heartbeat         echo; with byte 2 = 1 the drive stops the motor after
//                        DriveBehaviour::heartbeatTimeout without a request
//   19 download          echo; on the serial line the raw block transfer follows
//                        (DownloadReceiver)
//   2B upload            echo, then F2 2C Llow Lhigh; after the tool's echo of it the
//                        block frames and F2 2E, which the tool echoes as well (UploadSender)
//   12 fault data        echo (byte 2: station, 0 = master .. slaves); after 08 the
//                        fault memory's frames; E0 the same for the drive board
//   31..34, 38           echo and the recorder (TriggerRecorder); 36 is the tool's echo
//                        of a data information, 3E its data error notice
// A request whose code DriveBehaviour::ignoredCodes holds is counted and dropped.
// The Ethernet connect request F5 0A 01 51 00 00 00 chk is answered with the datagram
// link::ethernetConnectAnswer(). In datagram framing every frame travels inside a
// datagram frame: F5 L 01 code <the whole serial frame> crcLow crcHigh (datagramOf).
//
// Not thread-safe: one thread feeds it and calls advance().

#include "DownloadReceiver.h"
#include "DriveBehaviour.h"
#include "DriveModel.h"
#include "DriveTables.h"
#include "FaultMemory.h"
#include "FrameStream.h"
#include "LineFaults.h"
#include "ProjectFormulas.h"
#include "SimTime.h"
#include "TriggerRecorder.h"
#include "UploadSender.h"

#include "link/FrameCodec.h"
#include "model/HeskProject.h"

#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace hesk::sim {

enum class Framing { Serial, Datagram };

class LineOutput {
public:
    virtual ~LineOutput() = default;
    // Bytes for the line: a frame, raw echo bytes, or (datagram framing) one datagram.
    virtual void write(std::span<const uint8_t> bytes) = 0;
};

// A serial frame wrapped for the datagram link: F5 L 01 code frame... CRC (low, high).
std::vector<uint8_t> datagramOf(std::span<const uint8_t> serialFrame);

struct DriveCounters {
    uint64_t requests = 0;        // frames taken from the tool
    uint64_t requestsIgnored = 0; // of these, dropped for their code (DriveBehaviour::ignoredCodes)
    uint64_t framesSent = 0;
    uint64_t framesDropped = 0;
    uint64_t bytesCorrupted = 0;
};

class SimulatedDrive final : private FrameEmitter, private SampleSource {
public:
    // Bytes the drive lets its streams run ahead of the line.
    static constexpr size_t kStreamLowWater = 512;

    SimulatedDrive(model::HeskProject project, DriveBehaviour behaviour, Framing framing, LineOutput& output,
                   uint64_t seed = 1);
    ~SimulatedDrive() override;

    // Serial: bytes from the line in arrival order (frames may straddle calls).
    void receiveBytes(std::span<const uint8_t> bytes, SimTime now);
    // UDP: one datagram.
    void receiveDatagram(std::span<const uint8_t> datagram, SimTime now);
    // Runs the drive up to `now` and lets streams send while fewer than kStreamLowWater
    // bytes wait for the line (`lineBacklog`: bytes given to LineOutput not yet sent).
    void advance(SimTime now, size_t lineBacklog = 0);

    DriveBehaviour& behaviour() { return m_behaviour; }
    // Applies the behaviour's effects on the tables (the number of slaves in P0089).
    void behaviourChanged();

    const model::HeskProject& project() const { return *m_project; }
    DriveTables& tables() { return m_tables; }
    DriveModel& model() { return *m_model; }
    TriggerRecorder& recorder() { return m_recorder; }
    FaultMemory& faultMemory() { return m_faultMemory; }
    const DriveCounters& counters() const { return m_counters; }
    LineFaults& lineFaults() { return m_lineFaults; }
    bool downloadActive() const { return m_download.active(); }
    bool heartbeatSupervised() const { return m_heartbeatSupervision; }

    uint16_t reportedProgramId() const;
    uint16_t reportedCpuType() const;
    uint16_t projectCpuType() const { return m_projectCpuType; }

    // Trips the drive (r0943.word, bit) or clears the bit; false for a word or bit out of
    // range.
    bool setFaultBit(int word, int bit, bool on, SimTime now);

private:
    enum class PendingKind { None, Write, Restore, FaultData, DriveBoard };
    struct Pending {
        PendingKind kind = PendingKind::None;
        TableKind table = TableKind::Settable;
        uint16_t address = 0;
        uint16_t value = 0;
        uint8_t station = 0;
    };

    // FrameEmitter: everything the drive sends passes here (line faults, framing).
    void emitFrame(std::span<const uint8_t> frame) override;
    // SampleSource
    void advanceTo(SimTime t) override;
    uint16_t readOnlyValue(uint16_t address) const override;

    void run(SimTime now);
    void handleFrame(std::span<const uint8_t> frame, SimTime now);
    void handleRead(uint8_t code, std::span<const uint8_t> frame);
    void handleWrite(uint8_t code, std::span<const uint8_t> frame);
    void handleConfirm(SimTime now);
    void handleRecorder(uint8_t code, std::span<const uint8_t> frame, SimTime now);
    void downloadFinished(bool complete, SimTime now);
    void echo(std::span<const uint8_t> frame);
    void send(const link::CommandFrame& frame);
    void cpuLoad(uint32_t& reference, uint32_t& idle) const;

    std::unique_ptr<model::HeskProject> m_project;  // stable address for the components
    DriveBehaviour m_behaviour;
    Framing m_framing;
    LineOutput& m_output;
    LineFaults m_lineFaults;
    ProjectFormulas m_formulas;
    DriveTables m_tables;
    std::unique_ptr<DriveModel> m_model;
    TriggerRecorder m_recorder;
    FaultMemory m_faultMemory;
    DownloadReceiver m_download;
    FrameStream m_stream;  // fault data
    UploadSender m_upload;
    uint16_t m_projectCpuType = 0;
    std::optional<ParameterSlot> m_slavesSlot;

    SimTime m_now{0};
    SimTime m_lastRequest{0};
    bool m_heartbeatSupervision = false;
    Pending m_pending;
    std::vector<uint8_t> m_input;

    DriveCounters m_counters;
    uint16_t m_powerUps = 1;
};

}  // namespace hesk::sim
