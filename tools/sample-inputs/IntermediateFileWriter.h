#pragma once
// Writes the intermediate file (.monitorary) that the drive-programming tool exports for
// a drive program, in the archive encoding of the project file:
//   1 program identifier (uint16)      2 second header word (uint16)
//   3 CPU type name (text)             4 program (HeskProgram)
//   5 time bases (6 x int32)           6 first definitions: the settable table
//   7 second definitions: the read-only table
//   8 word table A (one word per read-only slot)
//   9 word table B (one word per settable slot)
//  10 text table                       11 byte table
// Every array is an int32 count and its elements.

#include "DefinitionBuilder.h"
#include "SampleProfile.h"

#include "model/ProjectRecords.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace hesk::samples {

struct IntermediateContent {
    model::HeskProgram program;
    std::vector<model::TTemporaryElement> settableElements;
    std::vector<model::TTemporaryElement> readOnlyElements;
    std::vector<uint16_t> wordTableA;
    std::vector<uint16_t> wordTableB;
    QStringList textTable;
    QByteArray byteTable;
};

// The device-side record of a definition: number, sub-index, type, address, group,
// access level, settable, connection flag, sub-index family; symbol, device value,
// device limits, comment, name, port symbol, type, unit, spare, time slice.
model::TTemporaryElement toTemporaryElement(const SampleDefinition& definition);

IntermediateContent makeIntermediateContent(const SampleProfile& profile, const SampleDefinitions& definitions);

QByteArray serializeIntermediateFile(const SampleProfile& profile, const IntermediateContent& content);

// Writes the file through a temporary file; an error text on failure.
std::optional<QString> writeFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace hesk::samples
