#pragma once
// Reads one fault table file (data/faults/*.tsv): UTF-8, tab-separated, the header line
// "word\tbit\tcode\tname\tdescription\tremedy", one entry per line. An empty cell keeps
// the previous entry's value (the tables are one template entry changed field by field),
// "\n", "\t" and "\\" in a cell stand for a line break, a tab and a backslash, and blank
// lines and lines starting with "#" are skipped. data/faults/README.md has the details.
//
// A malformed line is skipped and reported; it never stops the rest of the table from
// loading and does not change the template the next lines build on.

#include "FaultAlarm.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace hesk::model {

struct FaultTableIssue {
    int line = 0;  // 1-based line of the file; 0 for the file as a whole
    QString message;
    bool operator==(const FaultTableIssue&) const = default;
};

struct FaultTableParseResult {
    std::vector<FaultAlarm> entries;  // in file order, every field filled in
    std::vector<FaultTableIssue> issues;
    bool ok() const { return issues.empty(); }
};

// Parses the bytes of one table file.
FaultTableParseResult parseFaultTable(const QByteArray& utf8Bytes);

// Sub-index of a fault word key text: "r0943.12" -> 12; nothing unless the text is
// exactly "r0943." followed by 0 to 15 without leading zeros.
std::optional<int> faultWordIndex(QStringView wordKeyText);

// True for "F" or "A" followed by three digits.
bool isFaultAlarmCode(QStringView code);

}  // namespace hesk::model
