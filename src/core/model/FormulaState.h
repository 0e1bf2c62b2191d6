#pragma once
// The formula state of one opened project: the current base values, the values of the
// parameters that formulas may refer to, the active data set and whether the base
// values have been selected since the project opened. The session owns one instance
// per opened project and hands it to conversions as their FormulaContext.
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
    // the references above with "P0109" spelled out per data set.
    static QStringList suppliedKeyTexts();

    const BaseValues& baseValues() const { return baseValues_; }

    // Current value text of a referenced parameter (display units); an empty text
    // counts as no value.
    void setReferenceValue(const QString& keyText, const QString& valueText);
    void clearReferenceValues() { referenceValues_.clear(); }

    // Active data set 1..kDataSetCount; anything else means none, and "P0109" then
    // does not resolve.
    void setActiveDataSet(std::optional<int> dataSet);
    std::optional<int> activeDataSet() const { return activeDataSet_; }

    // Selects the base values from P0070's currentValueText (found through the
    // special-parameter table); a project without P0070 matches no row.
    BaseValueSelection selectBaseValues(const HeskProject& project, const SpecialParameterTable& specials,
                                        DeviceClass deviceClass);

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
    bool firstRecomputationDone_ = false;
};

}  // namespace hesk::model
