#pragma once
// The parsed fault and alarm tables, one per device class and, for the active rectifier,
// one per firmware generation. The tables are read from the resources compiled into
// heskcore (":/faults/*.tsv", the files of data/faults) or from another folder, parsed
// once in the constructor and shared from then on, so building a project's catalogue
// costs no parsing.
//
// Thread contract: construct on any thread; afterwards the object is immutable and may
// be read from several threads at once. The tables it hands out stay valid after the
// library is gone.

#include "DeviceCatalogue.h"
#include "FaultAlarm.h"
#include "FaultTableParser.h"

#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace hesk::model {

enum class FaultTableId {
    Inverter,
    FeedbackRectifier,
    ActiveRectifierOld,  // old active-rectifier firmware: V2.01.06, V2.01.07, V2.02.07
    ActiveRectifier,     // every later active-rectifier firmware
    BasicRectifier,
    TestBench,
};

inline constexpr std::array kAllFaultTables = {
    FaultTableId::Inverter,       FaultTableId::FeedbackRectifier, FaultTableId::ActiveRectifierOld,
    FaultTableId::ActiveRectifier, FaultTableId::BasicRectifier,   FaultTableId::TestBench,
};

enum class ActiveRectifierFirmware { Later, Old };

// File name of a table inside the table folder ("inverter.tsv").
QString faultTableFileName(FaultTableId table);

// The table of a device class; nothing for class 0 (and any value outside 0 to 5).
std::optional<FaultTableId> faultTableFor(DeviceClass deviceClass, ActiveRectifierFirmware firmware);

struct FaultTableLoadIssue {
    QString fileName;  // "inverter.tsv"
    int line = 0;      // 0 when the file as a whole failed (missing, unreadable, not UTF-8)
    QString message;
};

using FaultTable = std::shared_ptr<const std::vector<FaultAlarm>>;

class FaultTableLibrary {
public:
    static QString resourceFolder() { return QStringLiteral(":/faults"); }

    // Reads and parses every table of the folder. A missing or malformed file leaves its
    // table empty or short and is listed in issues(); it never fails the construction.
    explicit FaultTableLibrary(const QString& folder = resourceFolder());

    // Never null; empty for a table that could not be read.
    FaultTable table(FaultTableId id) const;

    const std::vector<FaultTableLoadIssue>& issues() const { return m_issues; }

private:
    std::array<FaultTable, kAllFaultTables.size()> m_tables;
    std::vector<FaultTableLoadIssue> m_issues;
};

}  // namespace hesk::model
