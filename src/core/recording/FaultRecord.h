#pragma once
// The fault record the drive keeps about its last trips: per fault its number, the
// station it came from, its fault words and the waveforms around the trip. It comes from
// an upload (FaultRecordDecoder) or from a fault-data file (FaultDataFile) and is what
// the fault-waveform view shows.
//
// Samples are display values: analog channels in % of the nominal value, digital
// channels 0 or 1.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace hesk::recording {

struct FaultChannel {
    int number = 0;      // 1-based, the file's "CH%d"
    bool digital = false;
    QString name;        // the drive board's digital channels have one; else empty
    std::vector<double> samples;
    bool operator==(const FaultChannel&) const = default;
};

struct FaultEntry {
    int number = 0;                  // 1-based, in the order the drive keeps them
    std::vector<uint16_t> faultWords;  // r0943.x as the fault memory holds them (faultWordKeys)
    std::vector<FaultChannel> channels;  // by channel number
    bool operator==(const FaultEntry&) const = default;

    // "第%d次故障", with "(最近的故障)" when it is the newest.
    QString listText(bool newest) const;
};

struct FaultRecord {
    bool driveBoard = false;
    int station = 0;       // 0 the master, 1..n a slave
    int stationCount = 1;  // stations of the group (master and slaves)
    std::vector<FaultEntry> faults;  // by fault number, the newest last
    // Every word of the 0xE1 frames in order of arrival: the fault words of each fault
    // (controller), then any further words; the drive board's information words.
    std::vector<uint16_t> words;
    bool operator==(const FaultRecord&) const = default;

    bool empty() const { return faults.empty() && words.empty(); }
    // "主站故障" or "从站 %d 故障".
    QString stationText() const;
    // How many of `words` are fault words (written in hexadecimal): faults x the fault
    // words per fault, none for the drive board.
    size_t faultWordCount() const;
    // The drive board's information texts (at least four words): run time, fault count,
    // power-ups. Empty otherwise.
    QStringList informationTexts() const;
};

// The fault words the controller sends per fault, in order (key texts "r0943.0", ...).
const QStringList& faultWordKeys();

// The names of the drive board's digital channels by channel number; empty for the
// analog ones.
QString driveBoardChannelName(int channel);

}  // namespace hesk::recording
