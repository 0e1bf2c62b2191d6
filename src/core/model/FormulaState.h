#pragma once
// The formula state of one opened project: the current base values, the values of the
// parameters that formulas may refer to, the active data set and whether the base
// values have been selected since the project opened. The session owns one instance
// per opened project and hands it to conversions as their FormulaContext.
//
// The fixed read-only definitions r0071..r0073 that project creation adds (inverter:
// r0071, r0072, r0073; active rectifier: r0071, r0072) have no device address: their
// values are computed here, as the rated output voltage, current and power of the power
// unit, i.e. the voltage, current and power base values selected for P0070. They reach
// formulas online and offline alike; a value the session supplies for them is ignored.
// The other classes define r0072 and r0073 as parameters the drive reports.
//
// Not thread-safe: used on the thread that owns the session.

#include "BaseValues.h"
#include "DeviceCatalogue.h"
#include "FormulaEvaluator.h"
#include "HeskProject.h"
#include "SpecialParameterTable.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace hesk::model {

inline constexpr int kDataSetCount = 4;  // P0109.1 .. P0109.4

class FormulaState final : public FormulaContext {
public:
    // The references a formula may use besides its own key text. "P0109" stands for
    // the active data set's "P0109.<n>".
    static QStringList referenceKeyTexts();
    // The key texts whose values the session supplies through setReferenceValue():
    // the references above with "P0109" spelled out per data set, and "r0011", the
    // drive's active motor data set, which decides which P0109.<n> "P0109" stands for.
    static QStringList suppliedKeyTexts();

    const BaseValues& baseValues() const { return baseValues_; }

    // Current value text of a referenced parameter (display units); an empty text
    // counts as no value. "r0011" sets the active data set instead (its text read as
    // a number; anything outside 1..kDataSetCount means none).
    void setReferenceValue(const QString& keyText, const QString& valueText);
    void clearReferenceValues() { referenceValues_.clear(); }

    // Active data set 1..kDataSetCount; anything else means none, and "P0109" then
    // does not resolve.
    void setActiveDataSet(std::optional<int> dataSet);
    std::optional<int> activeDataSet() const { return activeDataSet_; }

    // Selects the base values from P0070's currentValueText (found through the
    // special-parameter table); a project without P0070 matches no row. The device
    // class also decides which of r0071..r0073 are computed.
    BaseValueSelection selectBaseValues(const HeskProject& project, const SpecialParameterTable& specials,
                                        DeviceClass deviceClass);

    // Offline, before the drive has reported anything: the settable references from the
    // project's current value texts (the factory value where that is empty) and the
    // first data set active, as a drive fresh from the factory reports them.
    void useProjectValues(const HeskProject& project);

    // The value of a computed definition ("r0071", "r0072", "r0073") for the device
    // class of the last selection: the base value as text, "WrongParameter" while no
    // base-value row matched; nothing for a key that is not computed for the class.
    std::optional<QString> computedValue(const QString& keyText) const;

    // Recomputation after the drive's P0070 has been read. powerUnitText is the drive's
    // P0070 formatted as display text, or nothing while the raw word is 0 (not reported
    // yet): then nothing changes and a pending first selection stays pending. Otherwise,
    // on the first recomputation since the project opened or when the text differs from
    // P0070's currentValueText, the text is stored there and the base values are
    // selected again. Returns true when they were, so the caller converts the
    // formula-dependent values anew.
    bool recompute(HeskProject& project, const SpecialParameterTable& specials, DeviceClass deviceClass,
                   const std::optional<QString>& powerUnitText);

    bool firstRecomputationDone() const { return firstRecomputationDone_; }

    // FormulaContext
    std::optional<QString> referenceValue(const QString& keyText) const override;
    QString baseValue(BaseValueKind kind) const override { return baseValues_.value(kind); }

private:
    BaseValues baseValues_;
    QHash<QString, QString> referenceValues_;
    std::optional<int> activeDataSet_;
    DeviceClass deviceClass_ = DeviceClass::None;
    bool firstRecomputationDone_ = false;
};

}  // namespace hesk::model
