#pragma once
// Opening a project for one heskmon call, and the small JSON/text helpers the commands
// share.

#include "CliOutput.h"

#include "model/FaultTableLibrary.h"
#include "model/OpenedProject.h"

#include <QJsonObject>
#include <QString>

#include <memory>
#include <optional>

namespace hesk::cli {

// The fault tables and the opened project of one call. Opening prints the system's
// message on failure.
class CliProject {
public:
    // Fails (message printed, nothing returned) when the project cannot be loaded.
    static std::unique_ptr<CliProject> open(const QString& path, const CliOutput& out);

    model::OpenedProject& opened() { return opened_; }
    const model::HeskProject& project() const { return opened_.project(); }

    // The definition named by a key text or display number; prints the failure.
    const model::HeskParameterElement* parameter(const QString& key, const CliOutput& out) const;

    // Selects the base-value row as the drive's P0070 would; prints the failure.
    bool selectBaseRow(const QString& rowKey, const CliOutput& out);

private:
    CliProject();
    model::FaultTableLibrary faultTables_;
    model::OpenedProject opened_;
};

// One definition as the parameter lists show it (display number, key, name, type,
// unit, limits, factory value, ...).
QJsonObject definitionJson(model::OpenedProject& opened, const model::HeskParameterElement& element);

QString deviceClassName(model::DeviceClass deviceClass);

}  // namespace hesk::cli
