#pragma once
// A small inverter project for the simulated drive: the parameters the drive model and
// the control panel use (r0001, r0002, r0004, r0006.0, r0007, r0015, r0550, r0943.x,
// r9106, P0880, P7000.4/.5, P7030), a connection input, hexadecimal, binary, percent and
// formula types, and word tables that size the upload block. Settable and read-only
// parameters share address numbers (each table has its own), so a read answered from
// the wrong table shows.
//
// Addresses: settable P0053 0, P0060 1, P0070 2, P0089 3, P0100 4, P0554 5 (connection,
// factory K0002), P0880 6, P7000.4 7, P7000.5 8, P7030 9 (Hz, 16384 = 50 Hz);
// read-only r0001 0, r0002 1 (Hz, 16384 = 50 Hz), r0004 2 (A x 100), r0006.0 3 (V),
// r0007 4 (%, N2), r0015 5 (r/min), r0550 6, r0820 7, r9106 8, r0943.0..20 9..29.

#include "model/HeskProject.h"

#include <QString>

namespace hesk::sim::test {

inline constexpr uint16_t kProgramId = 0x4A21;
inline constexpr uint16_t kCpuCode = 0x6500;  // "HESK6500", an inverter

// Settable addresses.
inline constexpr uint16_t kP0053 = 0, kP0060 = 1, kP0070 = 2, kP0089 = 3, kP0100 = 4, kP0554 = 5, kP0880 = 6,
                          kP7000_4 = 7, kP7000_5 = 8, kP7030 = 9;
inline constexpr uint16_t kSettableCount = 10;
// Read-only addresses.
inline constexpr uint16_t kR0001 = 0, kR0002 = 1, kR0004 = 2, kR0006 = 3, kR0007 = 4, kR0015 = 5, kR0550 = 6,
                          kR0820 = 7, kR9106 = 8, kR0943 = 9;
inline constexpr uint16_t kReadOnlyCount = 30;

model::HeskProject simProject();

// Writes the project to a .tmprj file in `folder`; returns its path.
QString writeSimProject(const QString& folder);

}  // namespace hesk::sim::test
