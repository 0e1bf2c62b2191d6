#pragma once
// The reference values P0350 to P0353 (current, voltage, frequency and speed in % of the
// rated values) scale other percentage parameters of the inverter. When a reference
// changes online, each of its dependents is written anew so that the absolute value it
// stands for stays the same: new word = old word x old reference / new reference.
//
// The steps: the dependents' words are read first (nothing is written when the read
// fails), the person is told that this takes a few seconds, the reference is written,
// then each dependent in list order, with the progress advancing by one per dependent.
// The first failed write stops the cascade.

#include "ValueEdit.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace hesk::editing {

// The progress bar's range: the longest dependency list has this many entries.
inline constexpr int kCascadeSteps = 13;

// The parameter numbers whose values are relative to the reference `number` (350 to 353),
// in write order; empty for any other number.
const std::vector<uint16_t>& cascadeDependencyNumbers(uint16_t number);

// True when editing the parameter online runs the cascade: an inverter reference
// parameter P0350 to P0353 without sub-index.
bool isCascadeReference(const model::OpenedProject& project, const model::HeskParameterElement& parameter);

// The project's definitions of the reference's dependents, in list order and sub-index
// order within a number, at most kCascadeSteps of them. Read-only and connection
// definitions are left out.
std::vector<const model::HeskParameterElement*> cascadeDependents(const model::OpenedProject& project,
                                                                  const model::HeskParameterElement& reference);

// The dependent's new word: old word x old reference / new reference, rounded to the
// nearest, clamped to the type's range (signed for the signed types). Nothing when a
// reference word is not positive.
std::optional<uint16_t> rescaledWord(const model::HeskParameterElement& dependent, uint16_t oldWord,
                                     uint16_t oldReference, uint16_t newReference);

// The online write of a reference with its cascade; `raw` is the reference's new word,
// already converted from the accepted text. Reports every failure through the prompt;
// true when the reference and every dependent were confirmed.
bool writeReferenceCascade(EditEnvironment& environment, const model::HeskParameterElement& reference, uint16_t raw,
                           const CascadeProgress& progress);

}  // namespace hesk::editing
