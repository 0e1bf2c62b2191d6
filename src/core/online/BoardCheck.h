#pragma once
// The board check of the device search: ask the device on the serial line for its
// program identifier and CPU type, and tell a QB27 control board (CPU type 0x71) apart.
//
// The exchange itself belongs to the connection layer, which implements
// DeviceIdentityProbe; the decisions and texts are here, so they are tested without a
// device.

#include "InterfaceSettings.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <stop_token>

namespace hesk::online {

inline constexpr uint16_t kQb27CpuType = 0x71;

struct DeviceProbeResult {
    enum class Status {
        Identified,        // both requests answered
        PortOpenFailed,    // the serial port did not open
        ProgramIdTimeout,  // no answer to the program identifier request
        ProgramIdRefused,  // the identifier request ended with another reply status (a
                           // device answering in its boot protocol): no identifier
        CpuTypeTimeout,    // identifier answered, CPU type request not answered
    };
    Status status = Status::PortOpenFailed;
    uint16_t programId = 0;  // Identified and CpuTypeTimeout
    uint16_t cpuType = 0;    // Identified
};

class DeviceIdentityProbe {
public:
    virtual ~DeviceIdentityProbe() = default;

    // Contract for the implementation: open the serial port of settings (mode Serial),
    // run the connection thread, send command 0x0C with 2 attempts of 1000 ms in reading
    // mode (the answer stores the device's identifier, no comparison), and when answered
    // command 0x0E with 4 attempts of 250 ms. The link is closed again on every path,
    // including ProgramIdRefused, before probe returns.
    // Called on the search worker thread; when stop is requested the probe may give up
    // early (its result is then not used).
    virtual DeviceProbeResult probe(const ConnectionSettings& settings, std::stop_token stop) = 0;
};

struct BoardCheckResult {
    // Empty: the device answered and is no QB27 board. Otherwise qb27ResultText() or an
    // error text: "程序执行异常，请联系开发人员！" (settings not in serial mode),
    // "串口打开失败！", "请求设备程序ID超时。", "请求设备CPU类型超时。". The text stays the
    // untranslated source (it is compared and reported by the CLI); the search translates it
    // where it shows it (context "DeviceSearch").
    QString text;
    // The identifier the device reported; nothing when it reported none (then the text
    // may still be empty, for ProgramIdRefused, and there is nothing to search for).
    std::optional<uint16_t> programId;
};

// The result text that marks a QB27 board: "QB27板卡提示".
QString qb27ResultText();

BoardCheckResult runBoardCheck(const ConnectionSettings& settings, DeviceIdentityProbe& probe,
                               std::stop_token stop = {});

// The advice shown for a QB27 board, chosen by the identifier it reported (0x7ADF and
// 0xE2E2 name their projects; any other shows the identifier as "%.4x").
QString qb27AdviceText(uint16_t programId);

}  // namespace hesk::online
