#pragma once
// The serial line of the program: a pseudo-terminal behind an optional stable name (a
// symbolic link), with the adapter that can be pulled and plugged in again at run time.
// Pulling closes the pseudo-terminal, so the tool's descriptor on it fails with an I/O
// error; plugging in creates a new one and points the stable name at it. The name is
// moved atomically (a new link renamed over the old one), so whoever opens it meets
// either the old device or the new one, never a missing name.

#include "PtyPort.h"

#include "sim/LinePlug.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace hesk::sim {

class PtyLine final : public LinePlug {
public:
    // Opens the first pseudo-terminal and, with a link path, makes it the stable name
    // (an existing symbolic link is replaced; any other file there is refused). Nothing
    // on failure, with the reason in *error.
    static std::unique_ptr<PtyLine> open(const QString& linkPath, QString* error);
    // Closes the pseudo-terminal and removes the stable name.
    ~PtyLine() override;

    // The current port; nullptr while unplugged.
    PtyPort* port() const { return m_port.get(); }
    // Counts every change of the port, so the owner can drop what it queued for the
    // port that went away.
    uint64_t generation() const { return m_generation; }

    PlugOutcome replug() override;
    PlugOutcome unplug() override;
    PlugOutcome plug() override;
    QString devicePath() const override;

private:
    explicit PtyLine(QString linkPath) : m_linkPath(std::move(linkPath)) {}

    // Points the stable name at the device (nothing to do without one).
    bool pointLinkAt(const QString& device, QString* error) const;
    void removeLink() const;

    QString m_linkPath;
    std::unique_ptr<PtyPort> m_port;
    uint64_t m_generation = 0;
};

}  // namespace hesk::sim
