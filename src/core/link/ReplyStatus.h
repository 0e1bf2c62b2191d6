#pragma once
// The link's wait status: reply handlers write it (and then signal the reply event) to
// tell a waiting sender how its request ended.

#include <cstdint>

namespace hesk::link {

enum class ReplyStatus : int32_t {
    Success = 0,                    // reply received
    Pending = 1,                    // request pending; still 1 when a wait ends: time-out
    LinkNotOpened = 3,              // the serial port or UDP socket could not be opened
    NoProgram = 4,                  // the device holds no program (boot reply 0x90)
    IdentifierCheckFailed = 5,      // program identifier check failed (0xC0, 0x0C)
    LastDownloadFailed = 6,         // reply 0x2F
    LastRestoreFailed = 7,          // reply 0x2F
    DownloadAndRestoreFailed = 8,   // reply 0x2F
};

}  // namespace hesk::link
