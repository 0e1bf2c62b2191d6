#pragma once
// The formula context of a freshly installed sample project: base values of the power
// unit that P0070's factory value selects, the factory values of the parameters that
// formulas may refer to, and data set 1 active. The generator converts factory values
// with it, so the texts in the workbook are what the drive shows for its factory setting.

#include "BaseValueRows.h"
#include "SampleDefinition.h"
#include "SampleProfile.h"

#include "model/BaseValues.h"
#include "model/FormulaEvaluator.h"
#include "model/ProjectRecords.h"

#include <QHash>
#include <QString>

#include <vector>

namespace hesk::samples {

class SampleFormulaContext final : public model::FormulaContext {
public:
    SampleFormulaContext(const SampleProfile& profile, const BaseValueSheet& sheet);

    // Takes the factory values of the definitions that formulas may refer to
    // (P0071..P0073, P0109.1..4). Call again after factory values change.
    void setReferenceDefinitions(const std::vector<SampleDefinition>& definitions);

    std::optional<QString> referenceValue(const QString& keyText) const override;
    QString baseValue(model::BaseValueKind kind) const override { return baseValues_.value(kind); }

private:
    model::BaseValues baseValues_;
    QHash<QString, QString> references_;
};

// The project-side record of a definition, as the conversions of the core expect it.
model::HeskParameterElement toElement(const SampleDefinition& definition);

}  // namespace hesk::samples
