#pragma once
// The meanings of the bits of a bit-coded parameter, as the project carries them in the
// definition's comment (the "注释" text), for the bit editor's "比特位含义" column.
//
// Convention: a bit's meaning is written as "Bit<n>: <text>" inside the comment, where
// "Bit" may be in any letter case, <n> is the bit number in decimal (0 for the lowest
// bit), blanks may stand around the number, and the colon may be ":" or "：". The text
// runs to the next such marker, line break or semicolon (";" or "；"), blanks trimmed.
// The marker must not follow a Latin letter ("xBit1:" is no marker). Anything else in the
// comment (a general remark before the first marker) is no bit's meaning. Examples:
//
//   "控制字1 Bit0: ON/OFF1; Bit1: OFF2; Bit2: OFF3"
//   "Bit0：准备合闸\nBit1：准备运行\nBit3：故障"
//
// Bits beyond the parameter's type (bitCount) are ignored; when a bit is named twice the
// first text counts.

#include "model/ProjectRecords.h"

#include <QString>

#include <vector>

namespace hesk::editing {

// One text per bit of the parameter (bitCount entries), empty where the comment names none.
std::vector<QString> bitTexts(const model::HeskParameterElement& parameter);

}  // namespace hesk::editing
