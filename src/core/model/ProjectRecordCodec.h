#pragma once
// Reading and writing of the project record (HeskProject), its header, the parameter
// definitions, the base-value rows and the intermediate file's TTemporaryElement, in
// file order. Same failure contract as ProgramRecordCodec.h.

#include "HeskProject.h"
#include "ProgramRecordCodec.h"

#include <QLatin1StringView>

namespace hesk::model {

// When the cpuType of the project being filled holds this text before reading starts,
// readRecord(reader, HeskProject&) reads header fields 1 to 11 only and stops before
// cpuType: device search and adding a device list projects by type and version that way.
inline constexpr QLatin1StringView kHeaderOnlySentinel{"FINDDEVICE-ADDDEVICE"};

inline constexpr qsizetype kMinElementBytes = 4 * 4 + 9 * 2 + 25 * 1;
inline constexpr qsizetype kMinUbaseBytes = kUbaseColumns * 1;
inline constexpr qsizetype kMinTemporaryElementBytes = 9 * 2 + 11 * 1;

// Header fields 1 to 11 (everything before cpuType); cpuType is left as it was.
void readHeaderBeforeCpuType(ArchiveReader& reader, HeskProjectHeader& header);
void writeHeaderBeforeCpuType(ArchiveWriter& writer, const HeskProjectHeader& header);

void readRecord(ArchiveReader& reader, HeskParameterElement& element);
void readRecord(ArchiveReader& reader, UbaseInfo& row);
void readRecord(ArchiveReader& reader, TTemporaryElement& element);

// The whole project in file order, or only header fields 1 to 11 when the project's
// cpuType equals kHeaderOnlySentinel (see above). Arrays are replaced, not appended to.
void readRecord(ArchiveReader& reader, HeskProject& project);

void writeRecord(ArchiveWriter& writer, const HeskParameterElement& element);
void writeRecord(ArchiveWriter& writer, const UbaseInfo& row);
// Never part of a project file; written only to build intermediate files for tests and
// sample data.
void writeRecord(ArchiveWriter& writer, const TTemporaryElement& element);
void writeRecord(ArchiveWriter& writer, const HeskProject& project);

}  // namespace hesk::model
