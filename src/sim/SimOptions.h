#pragma once
// The command line of hesk-drive-sim: where to serve (pseudo-terminal or UDP), the
// project, the line speed, the control socket and the misbehaviour at start.

#include "DriveBehaviour.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace hesk::sim {

struct SimOptions {
    QString projectPath;
    bool pty = false;
    QString linkPath;           // symlink to the pseudo-terminal's device
    QString udpAddress;         // empty: no UDP
    uint16_t udpPort = 8001;
    uint32_t baud = 0;          // 0: no pacing
    QString controlPath;        // Unix socket for control commands; empty: stdin only
    uint64_t seed = 1;
    DriveBehaviour behaviour;
    double bootDelaySeconds = 0.0;
    std::vector<std::pair<int, int>> faults;  // r0943 word, bit set at start
    bool help = false;
};

struct ParsedOptions {
    std::optional<SimOptions> options;
    QString error;  // set when options is empty
};

ParsedOptions parseSimOptions(const QStringList& arguments);  // without the program name

QString simUsage();

}  // namespace hesk::sim
