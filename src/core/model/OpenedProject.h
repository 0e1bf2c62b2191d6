#pragma once
// The open project together with what is resolved once when it opens: its path and
// name, CPU type and device class, the special-parameter index table, the formula state
// (base values) and the fault catalogue. The session owns one; the CLI owns one per call.
//
// Not thread-safe: used on the thread that owns it.

#include "DeviceCatalogue.h"
#include "FaultCatalogue.h"
#include "FormulaState.h"
#include "HeskProject.h"
#include "SpecialParameterTable.h"
#include "UserMessage.h"

#include <QString>

#include <optional>

namespace hesk::model {

class OpenedProject {
public:
    // The fault tables must outlive this object.
    explicit OpenedProject(const FaultTableLibrary& faultTables);

    // Loads the project file. On success the project, its path and everything resolved
    // from it are replaced; on failure nothing changes and the message says why.
    std::optional<UserMessage> open(const QString& path);
    void close();

    bool isOpen() const { return open_; }
    const HeskProject& project() const { return project_; }
    HeskProject& project() { return project_; }
    const QString& path() const { return path_; }
    QString folder() const;
    QString name() const;  // the file's name without ".tmprj"

    const CpuTypeInfo& cpu() const { return cpu_; }
    DeviceClass deviceClass() const { return cpu_.deviceClass; }
    const SpecialParameterTable& specials() const { return specials_; }
    const FaultCatalogue& faults() const { return faults_; }
    FormulaState& formulas() { return formulas_; }
    const FormulaState& formulas() const { return formulas_; }

    // The element of a key text ("P0107.1") or a display number ("P0100", "K0012",
    // "P0107.001"); nothing when the project has none.
    const HeskParameterElement* find(const QString& keyOrDisplayNumber) const;

    // Runs the recomputation as if the drive had reported this power-unit code (the
    // display text of P0070); true when the base values were selected again.
    bool applyPowerUnitCode(const QString& powerUnitText);

private:
    bool open_ = false;
    HeskProject project_;
    QString path_;
    CpuTypeInfo cpu_;
    SpecialParameterTable specials_;
    FormulaState formulas_;
    FaultCatalogue faults_;
};

}  // namespace hesk::model
