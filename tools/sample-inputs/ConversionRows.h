#pragma once
// The rows of the conversion workbook (sheet "PARAM") and of the base-value workbook
// (sheet "Sheet1") of a sample project.
//
// A conversion row per parameter and sub-index: the reference description
// "NNNN|SSS|XX|name" (its first 12 characters are the row label of parameter files, XX
// the type code), the indexed flag, the command type (0 value display, 1 settable value,
// 2 connection, 3 formula, 4 bit-coded word), the formulas, the import flag, limits,
// unit, decimals, P/r attribute, name, comment and factory value.
//
// The workbook is kept per device type, as a drive family's workbook is: it also holds
// the rows of the type's other firmware versions, which match no definition here. It
// carries the traces such sheets gather: a note line, a withdrawn row (command type 9)
// before a live one, a repeated row after a live one, and a formula left in a row that
// is not of command type 3.

#include "BaseValueRows.h"
#include "DefinitionBuilder.h"
#include "XlsxSheetWriter.h"

#include <vector>

namespace hesk::samples {

// definitions: this project's; siblings: those of the other versions of the device type.
SheetContent makeConversionSheet(const SampleDefinitions& definitions,
                                 const std::vector<const SampleDefinitions*>& siblings);

SheetContent makeBaseValueWorkbookSheet(const BaseValueSheet& sheet);

// The 12-character row label "NNNN|SSS|XX|".
QString referenceKey(const SampleDefinition& definition);

}  // namespace hesk::samples
