#pragma once
// The base-value workbook (sheet "Sheet1"): one row per power unit, read into the
// project's base-value table. Column 0 ("P参数读取值", the power-unit code that P0070
// reports) and column 1 ("型号", the model) are read for every device class; the other
// columns follow the device class:
//   class 1 (inverter)                    columns 2 to 24
//   class 3 (active rectifier)            its own names for columns 2, 4 to 11, 15 to 18
//   classes 2 and 4 (the other rectifiers) their names for 2 to 10, 13 to 17 and 22
//   class 5 (test bench)                  none: a test bench has no power-unit base
//                                         values (its formulas use none), so its rows
//                                         carry only the key and the model
// Columns a class does not name stay empty, as do columns 25 to 43. Only rows whose
// "P参数读取值" cell is not empty become rows; every cell is trimmed.
//
// Contract: reentrant; failures are return values.

#include "XlsxReader.h"

#include "model/DeviceCatalogue.h"
#include "model/ProjectRecords.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace hesk::creation {

inline const QString kBaseValueSheet = QStringLiteral("Sheet1");

// The workbook column name of each of the 44 table columns for a device class; an
// empty name is a column the class does not fill. All empty for class 0.
std::array<QString, model::kUbaseColumns> baseValueColumnNames(model::DeviceClass deviceClass);

// The column names the class reads, in table-column order.
QStringList requiredBaseValueColumns(model::DeviceClass deviceClass);

// The base-value rows of a sheet read as a table. Nothing when a column the class
// reads is missing; missingColumns then names the ones that are.
std::optional<std::vector<model::UbaseInfo>> baseValueRowsFromTable(const XlsxTable& table,
                                                                     model::DeviceClass deviceClass,
                                                                     QStringList* missingColumns);

}  // namespace hesk::creation
