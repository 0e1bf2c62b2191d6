#pragma once
// The base-value table of a sample project: one row per power unit, keyed by the value
// of the power-unit code P0070, with the columns that the device class reads from the
// base-value workbook (sheet "Sheet1").

#include "SampleProfile.h"

#include "model/ProjectRecords.h"

#include <QString>

#include <utility>
#include <vector>

namespace hesk::samples {

struct BaseValueColumn {
    int index;     // column of UbaseInfo
    QString name;  // header in the workbook
};

struct BaseValueSheet {
    std::vector<BaseValueColumn> columns;  // in workbook order, key and model first
    std::vector<model::UbaseInfo> rows;
    QString defaultKey;  // the factory value of P0070: one of the keys
};

BaseValueSheet makeBaseValueSheet(const SampleProfile& profile);

}  // namespace hesk::samples
