#pragma once
// The control channel of the simulated drive: one text line per command, one reply line
// ("ok ..." or "error: ..."). The program reads commands from its standard input and
// from its control socket; tests drive failure paths with them at run time.
//
//   fault set W.B | fault clear W.B   set or clear bit B of fault word r0943.W (setting
//                                     trips the drive; a reset through P7000.4 clears)
//   noise RATE                        corrupt this share of the bytes sent (0.01 or 1%)
//   drop RATE                         never send this share of the frames
//   mute on|off                       stop answering / answer again
//   ignore CODE...|off                take no notice of requests with these codes (0x0E;
//                                     adds to the codes already ignored); off: none
//   misaddress on|off                 read answers carry the next address and its value
//   replug | unplug | plug            pull the serial adapter and plug it back (a new
//                                     pseudo-terminal behind the --link name; the reply
//                                     names it), pull it, plug it in (pty only)
//   boot SECONDS                      slow boot: no answer for SECONDS from now
//   program-id ID|project             report this program identifier (hex 0x.., or decimal)
//   cpu-type CODE|project             report this CPU type code
//   last-download ok|failed           flag of the last download (reply 0x2F byte 5)
//   last-restore ok|failed            flag of the last factory restore (byte 6)
//   variant 0|1                       device variant flag (byte 2 of the 0xF0 answer)
//   device-flag 0|1                   device flag (byte 3 of the 0xF0 answer)
//   slaves N                          number of slaves (also P0089)
//   get KEY                           raw word of a parameter ("get r0001")
//   set KEY VALUE                     raw word of a parameter ("set P7030 2500"); the
//                                     signals the drive model owns (r0001, r0002, ...)
//                                     are written again at its next step; a connection
//                                     input also takes its source ("set P0578.1 B0001")
//   load PERCENT                      load torque in % of the rated torque added to the
//                                     machine's own (-150..150)
//   status                            state, motor, data sets and counters on one line
//   help                              the list of commands
//   quit                              end the program

#include "SimTime.h"

#include <QString>
#include <QStringList>

#include <bitset>
#include <cstdint>
#include <optional>

namespace hesk::sim {

class LinePlug;
class SimulatedDrive;

struct ControlReply {
    QString text;      // "ok ..." or "error: ..."
    bool quit = false;
};

// `plug` is the line's adapter; without one (UDP) replug, unplug and plug are refused.
ControlReply executeControl(const QString& line, SimulatedDrive& drive, SimTime now, LinePlug* plug = nullptr);

QString controlHelp();

// Value readers shared with the program's options.
// A share: "0.01", "1%", "0" .. "1" (or "0%" .. "100%").
std::optional<double> parseShare(const QString& text);
// A 16-bit word: decimal or 0x-prefixed hexadecimal.
std::optional<uint16_t> parseWord(const QString& text);
// "W.B" with W 0..20 and B 0..15.
std::optional<std::pair<int, int>> parseFaultBit(const QString& text);
// A non-negative number of seconds.
std::optional<double> parseSeconds(const QString& text);
// "0" or "1".
std::optional<uint8_t> parseFlag(const QString& text);
// A request code in hexadecimal with its prefix: "0x0E", "0xf0" (0x00 .. 0xFF).
std::optional<uint8_t> parseRequestCode(const QString& text);
// The set codes as "0x08,0x0E", or "none".
QString requestCodesText(const std::bitset<256>& codes);

}  // namespace hesk::sim
