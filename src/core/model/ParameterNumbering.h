#pragma once
// The display number of a parameter definition (P0100, U005, r0012, n005, K0012, B0003),
// as lists, pages, logs and parameter files show it. The device class of the open
// project selects which number ranges are connectors (K) and binectors (B).

#include "DeviceCatalogue.h"
#include "HeskProject.h"
#include "ProjectRecords.h"

#include <QString>

namespace hesk::model {

// Settable definitions: "U%.3d" of number - 2000 for 2000..2999, else "P%.4d".
// Read-only definitions: K, B, n or r by the class's number ranges.
// Classes None and TestBench have no parameter letters: the text is empty.
// withSubIndex appends "." and the sub-index as three digits ("P0107.001") when the
// definition has one.
QString displayNumber(DeviceClass deviceClass, const HeskParameterElement& element,
                      bool withSubIndex);

// The same with the device class resolved from the project's cpuType.
QString displayNumber(const HeskProject& project, const HeskParameterElement& element,
                      bool withSubIndex);

}  // namespace hesk::model
