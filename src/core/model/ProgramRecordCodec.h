#pragma once
// Reading and writing of the program tree records (HeskProgram and everything below it)
// in file order. Project creation reads a HeskProgram from the intermediate file with
// the same functions, so each record can be read on its own.
//
// Contract: read functions read one record at the reader's position; a failure is left
// on the reader (sticky) and the record then holds partial values that must not be used.
// Port and connection records keep the form their version selects: version 0 and 1
// (compared unsigned) are the short form, every other value the long form.

#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "ProjectRecords.h"

#include <vector>

namespace hesk::model {

// Smallest number of bytes each record can take in a file: every text as the one-byte
// empty 8-bit text, every array empty. Array counts are checked against these before
// memory is reserved, so they must never be larger than a real record can be.
inline constexpr qsizetype kMinPointBytes = 8;
inline constexpr qsizetype kMinPortBytes = 8 * 4 + 12 * 1 + 2;
inline constexpr qsizetype kMinConnectionBytes = 4 + 1 + 4 * 4 + 8 * 1 + 4 + 2 * 1 + 2 * 4;
inline constexpr qsizetype kMinExplainBytes = 4 + 1 + 4 * 4 + 1;
inline constexpr qsizetype kMinBlockBytes = 4 + 6 + 6 * 4 + 3 + 4 + 4 + 1 + 2 * 4 + 2 + 4;
inline constexpr qsizetype kMinPageBytes = 4 + 1 + 4 + 1 + 3 * 4 + 4;
inline constexpr qsizetype kMinPackageBytes = 4 + 2 * 1 + 4;

void readRecord(ArchiveReader& reader, HeskPoint& point);
void readRecord(ArchiveReader& reader, HeskPort& port);
void readRecord(ArchiveReader& reader, HeskConnection& connection);
void readRecord(ArchiveReader& reader, HeskExplain& explain);
void readRecord(ArchiveReader& reader, HeskBlock& block);
void readRecord(ArchiveReader& reader, HeskPage& page);
void readRecord(ArchiveReader& reader, HeskPackage& package);
void readRecord(ArchiveReader& reader, HeskProgram& program);

void writeRecord(ArchiveWriter& writer, const HeskPoint& point);
void writeRecord(ArchiveWriter& writer, const HeskPort& port);
void writeRecord(ArchiveWriter& writer, const HeskConnection& connection);
void writeRecord(ArchiveWriter& writer, const HeskExplain& explain);
void writeRecord(ArchiveWriter& writer, const HeskBlock& block);
void writeRecord(ArchiveWriter& writer, const HeskPage& page);
void writeRecord(ArchiveWriter& writer, const HeskPackage& package);
void writeRecord(ArchiveWriter& writer, const HeskProgram& program);

// An int32 count and that many records; minRecordBytes is the record's kMin...Bytes.
template <typename Record>
void readRecordArray(ArchiveReader& reader, std::vector<Record>& out, qsizetype minRecordBytes)
{
    reader.readArray(out, minRecordBytes, [](ArchiveReader& r, Record& record) { readRecord(r, record); });
}

template <typename Record>
void writeRecordArray(ArchiveWriter& writer, const std::vector<Record>& records)
{
    writer.writeArray(records, [](ArchiveWriter& w, const Record& record) { writeRecord(w, record); });
}

}  // namespace hesk::model
