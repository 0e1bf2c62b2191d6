#pragma once
// The free function blocks of a drive program (the numbers of the page "自由功能参数"):
// adders, limiters, comparators, logic gates, timers and so on, each made of settable
// inputs (connection inputs in U numbers), settings and an output that becomes a
// connector or binector of the device class's free-block range. Blocks are chained so
// that later blocks take earlier outputs as their factory sources.

#include "BicoSources.h"
#include "SampleDefinition.h"
#include "SampleProfile.h"

#include <vector>

namespace hesk::samples {

// The definitions of the free function blocks of the profile's device class; the block
// outputs are recorded in sources. Empty for the test bench.
std::vector<SampleDefinition> makeFreeFunctionBlocks(const SampleProfile& profile, BicoSources& sources);

// "2001-2009, 2011-2187" -> every number of the ranges, in order.
std::vector<uint16_t> expandNumberList(const char* list);

}  // namespace hesk::samples
