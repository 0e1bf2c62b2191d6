#pragma once
// Read requests for parameter definitions and the system poll list built from them.
//
// The request code follows from the definition: a read-only parameter (settable 0) is
// read with 0x06 into the read-only table, a settable one with 0x01 into the parameter
// table, a connection (BICO) parameter with 0x17 into the connection table. The frame is
// F2 code addrHi addrLo 00 00 00 check.

#include "FrameList.h"
#include "link/FrameCodec.h"
#include "link/ValueTables.h"
#include "model/HeskProject.h"
#include "model/OpenedProject.h"
#include "model/SpecialParameterTable.h"

namespace hesk::online {

link::CommandFrame readRequestFor(const model::HeskParameterElement& element);
// The table that request's reply fills: read-only, parameter or connection table.
const link::ValueTable& valueTableFor(const link::OnlineValueTables& tables, const model::HeskParameterElement& element);

// Empties the list and fills it with the system poll: the CPU-load requests 0x09 and
// 0x0A, then the read request of every special parameter the project has, in the order
// of SpecialParameterTable::standardKeyTexts() (absent ones are skipped; one request
// serves a parameter listed twice).
void buildSystemPollList(FrameList& list, const model::OpenedProject& project);
// The same from a project and a table resolved against it.
void buildSystemPollList(FrameList& list, const model::HeskProject& project,
                         const model::SpecialParameterTable& specials);

}  // namespace hesk::online
