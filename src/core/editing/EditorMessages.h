#pragma once
// The messages of the value, bit and connection editors, each with its caption and icon.

#include "model/UserMessage.h"

namespace hesk::editing {

// A confirmed value write failed (value, bit and special editors; also the P0060 write
// around a connection change).
model::UserMessage valueWriteFailed();
// A confirmed connection write failed.
model::UserMessage connectionWriteFailed();
// The forward conversion of an accepted text could not be done.
model::UserMessage conversionFailed();

// Connection editor.
model::UserMessage connectionSourceMissing();    // OK with no parameter number
model::UserMessage connectionSourceUnknown();    // a number the project lacks
model::UserMessage connectionSourceKindRefusal();  // the source is neither K nor B
model::UserMessage notReconnectable();           // the parameter holds no connection
model::UserMessage connectionCloseRefusal();     // closing while the write runs

// Value editors: closing while the write runs.
model::UserMessage valueCloseRefusal();

}  // namespace hesk::editing
