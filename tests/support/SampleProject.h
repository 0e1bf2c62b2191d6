#pragma once
// Generates a realistic project in memory for round-trip tests, benchmarks and the
// sample-project tool: parameter definitions with realistic numbers, sub-indices, types,
// limits, units, formulas and Chinese names (including those special parameters that pages
// look up), a program tree with ports and connections in both the short and the long
// record form, word tables, base-value rows and a custom parameter list.
//
// The output is deterministic for given options, and its definitions are sorted.

#include "model/HeskProject.h"

#include <cstdint>

namespace hesk::testsupport {

struct SampleProjectOptions {
    int definitions = 400;  // exact number of parameter definitions
    uint64_t seed = 0x5EED;
};

model::HeskProject makeSampleProject(const SampleProjectOptions& options = {});

}  // namespace hesk::testsupport
