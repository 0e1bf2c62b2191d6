#pragma once
// One parameter definition of a generated sample project, as the generator builds it
// before it is split into the intermediate file (device-side fields) and the conversion
// workbook (names, limits, units, formulas, factory values).

#include <QString>

#include <cstdint>

namespace hesk::samples {

inline constexpr uint16_t kNoSubIndex = 255;

// What a definition is for the drive: a settable value, a read-only value, or a
// settable connection input whose source is a connector (K) or a binector (B).
enum class DefinitionKind { Value, ReadOnly, ConnectorInput, BinectorInput };

// Which family of sub-indices a parameter has; the drive's data sets use 1-based indices.
enum class SubIndexFamily : uint16_t {
    None = 0,
    MotorDataSet = 1,     // MDS1..MDS4, selected by r0011
    FunctionDataSet = 2,  // FDS1..FDS4, selected by r0013
    BicoDataSet = 3,      // BICO DS1..DS2, selected by r0012
    Indexed = 4,          // any other list of sub-indices
};

struct SampleDefinition {
    uint16_t number = 0;
    uint16_t subIndex = kNoSubIndex;
    DefinitionKind kind = DefinitionKind::Value;
    SubIndexFamily family = SubIndexFamily::None;
    uint16_t typeCode = 1;
    QString unit;
    int decimals = 0;
    QString minText;      // display limits (workbook)
    QString maxText;
    QString rawMinText;   // device-unit limits (intermediate file)
    QString rawMaxText;
    QString factoryText;  // display text (workbook); empty for read-only values
    QString deviceValueText;  // factory value in device units (intermediate file)
    QString name;
    QString comment;
    QString reverseFormula;  // own key text already filled in
    QString forwardFormula;
    QString timeSlice = QStringLiteral("T4");  // task of the drive program that serves it
    uint16_t address = 0;

    // Definitions that project creation adds by itself (r0071 to r0073 on the inverter,
    // r0071 and r0072 on the active rectifier) are written to the workbook only.
    bool inIntermediateFile = true;
    // A few internal diagnostics of the drive program have no workbook row and keep
    // the texts of the intermediate file.
    bool inWorkbook = true;

    bool settable() const { return kind != DefinitionKind::ReadOnly; }
    bool isConnection() const
    {
        return kind == DefinitionKind::ConnectorInput || kind == DefinitionKind::BinectorInput;
    }
    bool hasSubIndex() const { return subIndex != kNoSubIndex; }
    bool usesFormulas() const { return !reverseFormula.isEmpty(); }
    // "P0107.1" / "r0943.0" / "P0053"
    QString keyText() const;
};

}  // namespace hesk::samples
