#include "CliProject.h"

#include "model/ParameterNumbering.h"
#include "model/ParameterTypes.h"
#include "model/ParameterValueText.h"

#include <QJsonArray>

using namespace hesk::model;

namespace hesk::cli {

CliProject::CliProject() : opened_(faultTables_) {}

std::unique_ptr<CliProject> CliProject::open(const QString& path, const CliOutput& out)
{
    std::unique_ptr<CliProject> project(new CliProject());
    if (const auto failure = project->opened_.open(path)) {
        out.fail(failure->text);
        return nullptr;
    }
    return project;
}

const HeskParameterElement* CliProject::parameter(const QString& key, const CliOutput& out) const
{
    const HeskParameterElement* element = opened_.find(key);
    if (!element)
        out.fail(QStringLiteral("heskmon: the project has no parameter %1").arg(key));
    return element;
}

bool CliProject::selectBaseRow(const QString& rowKey, const CliOutput& out)
{
    bool known = false;
    for (const UbaseInfo& row : project().ubaseTable)
        known = known || row.columns[0] == rowKey;
    if (!known) {
        out.fail(QStringLiteral("heskmon: the base-value table has no row with key %1").arg(rowKey));
        return false;
    }
    opened_.applyPowerUnitCode(rowKey);
    return true;
}

QString deviceClassName(DeviceClass deviceClass)
{
    switch (deviceClass) {
    case DeviceClass::Inverter: return QStringLiteral("inverter");
    case DeviceClass::FeedbackRectifier: return QStringLiteral("feedback-rectifier");
    case DeviceClass::ActiveRectifier: return QStringLiteral("active-rectifier");
    case DeviceClass::BasicRectifier: return QStringLiteral("basic-rectifier");
    case DeviceClass::TestBench: return QStringLiteral("test-bench");
    case DeviceClass::None: break;
    }
    return QStringLiteral("none");
}

QJsonObject definitionJson(OpenedProject& opened, const HeskParameterElement& element)
{
    const EffectiveLimits limits = displayLimits(element, opened.formulas());
    QJsonObject row{
        {QStringLiteral("displayNumber"), displayNumber(opened.deviceClass(), element, true)},
        {QStringLiteral("key"), keyText(element)},
        {QStringLiteral("number"), element.number},
        {QStringLiteral("subIndex"), element.hasSubIndex() ? QJsonValue(element.subIndex) : QJsonValue()},
        {QStringLiteral("name"), element.name},
        {QStringLiteral("type"), typeName(element.typeCode)},
        {QStringLiteral("unit"), element.unit},
        {QStringLiteral("min"), limits.lower},
        {QStringLiteral("max"), limits.upper},
        {QStringLiteral("factoryValue"), element.factoryValue},
        {QStringLiteral("decimals"), element.decimals},
        {QStringLiteral("settable"), element.isSettable()},
        {QStringLiteral("connection"), element.isConnection()},
        {QStringLiteral("address"), element.address},
        {QStringLiteral("comment"), element.comment},
    };
    if (element.usesFormulas()) {
        row.insert(QStringLiteral("reverseFormula"), element.reverseFormula);
        row.insert(QStringLiteral("forwardFormula"), element.forwardFormula);
    }
    return row;
}

}  // namespace hesk::cli
