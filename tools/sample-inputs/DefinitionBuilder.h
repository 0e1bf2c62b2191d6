#pragma once
// Builds every parameter definition of one sample project: the catalogue rows of the
// device type and version, the connector and binector outputs, the free function blocks,
// a few internal diagnostics without workbook rows, and the definitions that project
// creation adds by itself (workbook rows only). Factory values are converted into device
// units, checked against their limits, and device addresses are given out per table.

#include "BaseValueRows.h"
#include "SampleDefinition.h"
#include "SampleProfile.h"

#include <QStringList>

#include <vector>

namespace hesk::samples {

struct SampleDefinitions {
    std::vector<SampleDefinition> definitions;  // sorted by number, then sub-index
    int settableSlots = 0;  // addresses 0..n-1 of the settable table
    int readOnlySlots = 0;  // addresses 0..n-1 of the read-only table
    QStringList errors;     // inconsistencies found while building; empty when sound
};

SampleDefinitions buildDefinitions(const SampleProfile& profile, const BaseValueSheet& sheet);

}  // namespace hesk::samples
