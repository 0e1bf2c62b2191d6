#pragma once
// The program description of a sample drive program: packages (control unit, power
// unit, communication, free function blocks), pages of blocks whose ports name the
// parameters they read and write, the lines between the blocks, and page notes. Ports
// and lines come in both record forms (version 0/1 short, 2 long), as exports of older
// and newer programming tools mix them.

#include "SampleDefinition.h"
#include "SampleProfile.h"

#include "model/ProjectRecords.h"

#include <vector>

namespace hesk::samples {

model::HeskProgram makeProgram(const SampleProfile& profile, const std::vector<SampleDefinition>& definitions);

}  // namespace hesk::samples
