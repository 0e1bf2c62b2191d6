#pragma once
// How an edit reaches the drive: the value tables the pages show and the confirmed write
// of one frame. Offline there is neither. The application fills it from the session;
// tests record the frames and answer them as they like.

#include "link/FrameCodec.h"
#include "link/ValueTables.h"
#include "model/ProjectRecords.h"

#include <functional>
#include <vector>

namespace hesk::editing {

struct DriveAccess {
    // The tables of last known device words; nullptr while offline.
    link::OnlineValueTables* tables = nullptr;
    // Queues the frame and waits for the drive's confirmation; true when confirmed.
    std::function<bool(const link::CommandFrame&)> write;
    // After a confirmed value write: the formula-dependent values are recomputed.
    std::function<void()> valuesWritten;
    // The single read of definitions into the tables; true when every one answered.
    // Needed only by edits that read before they write (the reference cascade).
    std::function<bool(const std::vector<const model::HeskParameterElement*>&)> read;
    // Whether the control panel holds motor control (the factory restore is refused
    // meanwhile); not set means not held.
    std::function<bool()> motorControlHeld;

    bool online() const { return tables != nullptr && static_cast<bool>(write); }
};

}  // namespace hesk::editing
