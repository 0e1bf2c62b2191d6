#pragma once
// The board check's exchange over a real link: a CDeviceLink of its own on the serial
// port of the settings, in connection-thread mode, asking 0x0C (program identifier, read
// only) and then 0x0E (CPU type word).
//
// Threads: probe() runs on the calling thread (the device-search worker, a plain
// std::jthread without an event loop). The link, its dispatch table and its state are
// made, used and destroyed inside one probe() call on that thread, so nothing of it
// outlives the call or is touched by another thread except through the link's own
// reader thread. A stop request ends the request in progress at once (the link is then
// closed and the result is not meant to be used).
//
// The log sink receives the link's protocol lines (connection thread start and end,
// replies); it must accept calls from any thread and outlive the probe.

#include "BoardCheck.h"
#include "model/LogSink.h"

#include <chrono>

namespace hesk::online {

class LinkDeviceProbe final : public DeviceIdentityProbe {
public:
    // The request attempts of the board check.
    static constexpr int kProgramIdAttempts = 2;
    static constexpr std::chrono::milliseconds kProgramIdTimeout{1000};
    static constexpr int kCpuTypeAttempts = 4;
    static constexpr std::chrono::milliseconds kCpuTypeTimeout{250};

    explicit LinkDeviceProbe(model::LogSink& log) : m_log(log) {}

    DeviceProbeResult probe(const ConnectionSettings& settings, std::stop_token stop) override;

private:
    model::LogSink& m_log;
};

}  // namespace hesk::online
