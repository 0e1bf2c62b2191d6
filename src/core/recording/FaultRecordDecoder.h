#pragma once
// Turns the bytes of the fault-data ring and the 0xE1 word list into a FaultRecord.
//
// The ring holds blocks: a header AA 00 00 00 h0 h1 h2 (written for each 0x16 frame)
// followed by the data of the 0x15 frames, four bytes each, read as 16-bit words high
// byte first. A block runs until the next header or the end. Because the data arrive in
// four-byte steps, the next header is looked for only at four-byte steps after the block's
// header: sample pairs whose bytes happen to read AA 00 00 00 across a word boundary do not
// split a channel. Bytes before the first header and a trailing odd byte are dropped.
//
// Controller record: block = channel h0 + 1 of fault h2 + 1 (h1: the station). Analog
// samples are signed words, 16384 = 100 %.
// Drive-board record: h0 is the block type, h2 + 1 the fault number:
//   type 0  channel 1 phase current (low 12 bits, 2048 = 0, 1024 counts = 100 %) and
//           channel 7 lower gate pulse (bit 15)
//   type 1  channel 2 lower push-pull pulse (high byte), channel 3 lower supply (low byte)
//   type 2  channel 4 DC link (low 12 bits, 2048 counts = 100 %) and channel 8 upper gate
//           pulse (bit 15)
//   type 3  channel 5 upper push-pull pulse (high byte), channel 6 upper supply (low byte)
// Blocks of another type are skipped.
//
// Any byte stream is accepted; the result is bounded by its length. Pure functions.

#include "FaultRecord.h"

#include <cstdint>
#include <span>
#include <vector>

namespace hesk::recording {

struct FaultBlock {
    uint8_t h0 = 0;
    uint8_t h1 = 0;
    uint8_t h2 = 0;
    std::vector<uint16_t> words;
    bool operator==(const FaultBlock&) const = default;
};

std::vector<FaultBlock> faultBlocks(std::span<const uint8_t> ring);

struct FaultRecordSource {
    bool driveBoard = false;
    int station = 0;
    int stationCount = 1;
};

FaultRecord decodeFaultRecord(std::span<const uint8_t> ring, std::span<const uint16_t> words,
                              const FaultRecordSource& source);

}  // namespace hesk::recording
