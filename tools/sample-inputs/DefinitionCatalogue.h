#pragma once
// The parameter catalogues of the sample projects (catalogue/*.txt, compiled in as
// resources): one row per parameter number with its kind, sub-indices, type, unit,
// limits, factory value, name, comment and formulas. Rows apply to device codes and
// firmware versions by their tags.

#include "SampleDefinition.h"
#include "SampleProfile.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace hesk::samples {

struct CatalogueRow {
    int line = 0;
    uint16_t number = 0;
    DefinitionKind kind = DefinitionKind::Value;
    SubIndexFamily family = SubIndexFamily::None;
    std::vector<uint16_t> subIndices;  // empty: no sub-index
    uint16_t typeCode = 1;
    QString unit;
    int decimals = 0;
    QString minText, maxText;
    QString factoryText;       // display text, or empty
    std::optional<int> factoryDeviceValue;  // "raw:N": a device value for the formulas
    QString name, comment;
    QString reverseFormula, forwardFormula;  // "#" stands for the own key text
    QStringList tags;          // device codes and versions; empty: every one
    QString rawMinText, rawMaxText;          // empty: the type's full range

    bool appliesTo(const SampleProfile& profile) const;
};

struct CatalogueParse {
    std::vector<CatalogueRow> rows;
    QStringList errors;  // "line N: ..." for rows that could not be read
};

// Reads the text of one catalogue file.
CatalogueParse parseCatalogue(const QString& text);

// The catalogue resource for a device class (":/sample-catalogue/inverter.txt", ...).
QString catalogueResource(model::DeviceClass deviceClass);

// Type code of a type name ("V2" -> 0, "H3" -> 25); nothing for unknown names.
std::optional<uint16_t> typeCodeOfName(const QString& name);

// The device-unit range of a type when the catalogue gives none.
QString defaultRawMin(uint16_t typeCode);
QString defaultRawMax(uint16_t typeCode);

// The definitions of a row, one per sub-index, with "#" in the formulas replaced by each
// definition's key text. Factory texts of "raw:N" rows are left empty for the caller.
std::vector<SampleDefinition> expandRow(const CatalogueRow& row);

}  // namespace hesk::samples
