#pragma once
// The serial line's adapter as the control channel sees it: it can be pulled out and
// plugged in again, which the tool notices as a device that fails and a new device that
// appears under the same stable name. The program implements it for its pseudo-terminal
// line; the UDP line has none.

#include <QString>

namespace hesk::sim {

struct PlugOutcome {
    bool ok = false;
    QString text;  // the device path on success (empty after unplug), else the reason
};

class LinePlug {
public:
    virtual ~LinePlug() = default;

    // Pulls the adapter (when plugged) and plugs it in again: a new device.
    virtual PlugOutcome replug() = 0;
    // Pulls the adapter: the device goes away and the stable name with it.
    virtual PlugOutcome unplug() = 0;
    // Plugs the adapter in: a new device behind the stable name.
    virtual PlugOutcome plug() = 0;
    // The device path, empty while unplugged.
    virtual QString devicePath() const = 0;
};

}  // namespace hesk::sim
