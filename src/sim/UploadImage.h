#pragma once
// The parameter upload block as the drive sends it (all 16-bit numbers little-endian):
//
//   offset 0        2 bytes  0 (not used by the tool)
//   offset 2        2 bytes  A = 2 x N in (settable table bytes)
//   offset 4        2 bytes  0
//   offset 6        2 bytes  B = 2 x N out (read-only table bytes)
//   offset 8        2 bytes  0
//   offset 10       2 bytes  C = A (connection table bytes)
//   offset 12       A bytes  settable value of address 0, 1, ... N in - 1
//   12 + A          B bytes  read-only value of address 0, 1, ... N out - 1
//   12 + A + B      C bytes  connection source of settable address i, negated (0x8000
//                            for source 0), as the tool stores connection values
//
// and the frames that carry it: the length frame F2 2C Llow Lhigh 00 00 00, block frames
// of 64 bytes each (the last one padded with zeros) and the end frame F2 2E.

#include "DriveTables.h"

#include <cstdint>
#include <vector>

namespace hesk::sim {

std::vector<uint8_t> uploadBlock(const DriveTables& tables);

// The block cut into block frames (F2 2D, 64 data bytes, 0, check).
std::vector<std::vector<uint8_t>> uploadBlockFrames(const std::vector<uint8_t>& block);

}  // namespace hesk::sim
