#pragma once
// Helpers for the simulated-drive tests: byte tables written as hex text, a line output
// that records what the drive sends, and a drive with its own clock.

#include "SimProjectFixture.h"
#include "link/FrameCodec.h"
#include "sim/SimulatedDrive.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace hesk::sim::test {

using Bytes = std::vector<uint8_t>;

// "F2 01 00 02 00 00 00 F1" -> bytes.
inline Bytes hex(const char* text)
{
    Bytes bytes;
    for (const QString& word : QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        bytes.push_back(static_cast<uint8_t>(word.toUInt(nullptr, 16)));
    return bytes;
}

inline std::string hexText(const Bytes& bytes)
{
    std::string text;
    for (uint8_t b : bytes) {
        char part[4];
        std::snprintf(part, sizeof part, "%02X ", b);
        text += part;
    }
    if (!text.empty())
        text.pop_back();
    return text;
}

class RecordingOutput final : public LineOutput {
public:
    void write(std::span<const uint8_t> bytes) override { writes.emplace_back(bytes.begin(), bytes.end()); }
    // Everything written since the last take, one entry per write.
    std::vector<Bytes> take()
    {
        std::vector<Bytes> taken;
        taken.swap(writes);
        return taken;
    }
    std::vector<Bytes> writes;
};

// A drive on the fixture project, fed bytes at a clock the test steps.
struct DriveHarness {
    explicit DriveHarness(DriveBehaviour behaviour = {}, Framing framing = Framing::Serial)
        : drive(simProject(), behaviour, framing, output)
    {
    }
    // A drive on another project (an installed sample).
    explicit DriveHarness(model::HeskProject project) : drive(std::move(project), {}, Framing::Serial, output) {}

    // Sends the request (serial bytes) and returns what the drive wrote, as hex texts.
    std::vector<std::string> request(const Bytes& bytes)
    {
        drive.receiveBytes(bytes, now);
        return written();
    }
    std::vector<std::string> request(const char* hexBytes) { return request(hex(hexBytes)); }

    // Advances the clock and lets the drive run; returns what it wrote.
    std::vector<std::string> runFor(SimTime duration, size_t backlog = 0)
    {
        now += duration;
        drive.advance(now, backlog);
        return written();
    }

    std::vector<std::string> written()
    {
        std::vector<std::string> texts;
        for (const Bytes& b : output.take())
            texts.push_back(hexText(b));
        return texts;
    }

    // A confirmed write of a settable value (write, echo, MDY_CONFIRM, answer).
    void write(uint16_t address, uint16_t value)
    {
        const link::CommandFrame frame = link::writeValueRequest(address, value);
        drive.receiveBytes(frame, now);
        const link::CommandFrame confirm = link::modifyConfirmRequest();
        drive.receiveBytes(confirm, now);
        output.take();
    }

    uint16_t settable(uint16_t address) { return drive.tables().value(TableKind::Settable, address).value_or(0); }
    uint16_t readOnly(uint16_t address) { return drive.tables().value(TableKind::ReadOnly, address).value_or(0); }

    RecordingOutput output;
    SimulatedDrive drive;
    SimTime now{0};
};

}  // namespace hesk::sim::test
