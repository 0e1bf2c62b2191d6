#include "OpenedProject.h"

#include "ParameterNumbering.h"
#include "ParameterTypes.h"
#include "ProjectFile.h"

#include <QFileInfo>

namespace hesk::model {

OpenedProject::OpenedProject(const FaultTableLibrary& faultTables) : faults_(faultTables) {}

std::optional<UserMessage> OpenedProject::open(const QString& path)
{
    HeskProject loaded;
    if (auto failure = loadProject(path, loaded))
        return failure;
    project_ = std::move(loaded);
    path_ = QFileInfo(path).absoluteFilePath();
    cpu_ = resolveCpuType(project_.header.cpuType);
    specials_ = SpecialParameterTable(project_);
    formulas_ = FormulaState();
    formulas_.selectBaseValues(project_, specials_, cpu_.deviceClass);
    formulas_.useProjectValues(project_);
    faults_.build(cpu_.deviceClass, project_.header.deviceVersion);
    open_ = true;
    return std::nullopt;
}

void OpenedProject::close()
{
    project_ = HeskProject();
    path_.clear();
    cpu_ = CpuTypeInfo();
    specials_ = SpecialParameterTable();
    formulas_ = FormulaState();
    faults_.clear();
    open_ = false;
}

QString OpenedProject::folder() const
{
    return QFileInfo(path_).absolutePath();
}

QString OpenedProject::name() const
{
    return QFileInfo(path_).completeBaseName();
}

const HeskParameterElement* OpenedProject::find(const QString& keyOrDisplayNumber) const
{
    if (const auto index = project_.findByKeyText(keyOrDisplayNumber))
        return &project_.elements[*index];
    for (const HeskParameterElement& element : project_.elements) {
        if (displayNumber(cpu_.deviceClass, element, true) == keyOrDisplayNumber)
            return &element;
        if (!element.hasSubIndex() && displayNumber(cpu_.deviceClass, element, false) == keyOrDisplayNumber)
            return &element;
    }
    return nullptr;
}

bool OpenedProject::applyPowerUnitCode(const QString& powerUnitText)
{
    return formulas_.recompute(project_, specials_, cpu_.deviceClass, powerUnitText);
}

}  // namespace hesk::model
