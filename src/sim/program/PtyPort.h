#pragma once
// The pseudo-terminal the simulated drive listens on: the master side is the drive's end
// of the line, the slave side is the device the tool opens. The slave is switched to raw
// mode at once and kept open for the port's lifetime, so the master never sees a hang-up
// when the tool closes and reopens the device. Closing the port (destruction) hangs the
// device up: the tool's descriptor on it then fails with an I/O error.

#include <QString>

#include <cstdint>
#include <memory>
#include <span>

namespace hesk::sim {

class PtyPort {
public:
    // Nothing on failure, with the reason in *error.
    static std::unique_ptr<PtyPort> open(QString* error);
    ~PtyPort();

    const QString& devicePath() const { return m_devicePath; }
    int descriptor() const { return m_master; }

    // Non-blocking: bytes read (0 when none), or -1 on an error.
    long read(std::span<uint8_t> buffer);
    // Non-blocking: bytes written (0 when the line is full), or -1 on an error.
    long write(std::span<const uint8_t> bytes);

private:
    PtyPort(int master, int slave, QString devicePath);

    int m_master;
    int m_slave;
    QString m_devicePath;
};

}  // namespace hesk::sim
