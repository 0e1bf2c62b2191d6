#include "DefinitionBuilder.h"

#include "BicoSources.h"
#include "DefinitionCatalogue.h"
#include "FreeFunctionBlocks.h"
#include "SampleFormulaContext.h"

#include "model/InputValidation.h"
#include "model/ParameterTypes.h"
#include "model/ParameterValueText.h"

#include <QFile>

#include <algorithm>
#include <set>
#include <utility>

namespace hesk::samples {

namespace {

using model::DeviceClass;

int subIndexSortKey(uint16_t subIndex)
{
    return subIndex == kNoSubIndex ? -255 : static_cast<int>(subIndex);
}

bool isFixedDefinition(DeviceClass deviceClass, uint16_t number)
{
    if (deviceClass == DeviceClass::Inverter)
        return number >= 71 && number <= 73;
    if (deviceClass == DeviceClass::ActiveRectifier)
        return number == 71 || number == 72;
    return false;
}

std::vector<SampleDefinition> internalDiagnostics()
{
    std::vector<SampleDefinition> out;
    for (int i = 0; i < 5; ++i) {
        SampleDefinition d;
        d.number = static_cast<uint16_t>(990 + i);
        d.kind = DefinitionKind::ReadOnly;
        d.typeCode = 0;
        d.rawMinText = defaultRawMin(0);
        d.rawMaxText = defaultRawMax(0);
        d.name = QStringLiteral("内部诊断字%1").arg(i + 1);
        d.comment = QStringLiteral("调试用，不在转换文件中");
        d.timeSlice = QStringLiteral("T1");
        d.inWorkbook = false;
        out.push_back(d);
    }
    return out;
}

class Builder {
public:
    Builder(const SampleProfile& profile, const BaseValueSheet& sheet)
        : profile_(profile), sheet_(sheet), context_(profile, sheet)
    {
    }

    SampleDefinitions run()
    {
        addCatalogue();
        BicoSources sources(profile_);
        result_.errors << sources.errors();
        append(makeFreeFunctionBlocks(profile_, sources));
        append(sources.definitions());
        append(internalDiagnostics());
        for (SampleDefinition& d : result_.definitions)
            d.inIntermediateFile = !isFixedDefinition(profile_.deviceClass, d.number);
        sortAndCheckKeys();
        resolveFactoryValues(sources);
        assignAddresses();
        return std::move(result_);
    }

private:
    void error(const QString& text) { result_.errors << QStringLiteral("%1: %2").arg(profile_.key, text); }

    void append(std::vector<SampleDefinition> definitions)
    {
        for (SampleDefinition& d : definitions)
            result_.definitions.push_back(std::move(d));
    }

    void addCatalogue()
    {
        QFile file(catalogueResource(profile_.deviceClass));
        if (!file.open(QIODevice::ReadOnly)) {
            error(QStringLiteral("no catalogue"));
            return;
        }
        const CatalogueParse parse = parseCatalogue(QString::fromUtf8(file.readAll()));
        for (const QString& e : parse.errors)
            error(file.fileName() + QLatin1Char(' ') + e);
        for (const CatalogueRow& row : parse.rows) {
            if (!row.appliesTo(profile_))
                continue;
            std::vector<SampleDefinition> expanded = expandRow(row);
            if (row.factoryDeviceValue)
                for (SampleDefinition& d : expanded)
                    d.deviceValueText = QString::number(*row.factoryDeviceValue);
            if (row.number < 100 || (row.number >= 550 && row.number < 560))
                for (SampleDefinition& d : expanded)
                    d.timeSlice = d.settable() ? QStringLiteral("T3") : QStringLiteral("T2");
            append(std::move(expanded));
        }
    }

    void sortAndCheckKeys()
    {
        auto& defs = result_.definitions;
        std::stable_sort(defs.begin(), defs.end(), [](const SampleDefinition& a, const SampleDefinition& b) {
            return std::pair(a.number, subIndexSortKey(a.subIndex)) < std::pair(b.number, subIndexSortKey(b.subIndex));
        });
        for (std::size_t i = 1; i < defs.size(); ++i)
            if (defs[i].number == defs[i - 1].number && defs[i].subIndex == defs[i - 1].subIndex)
                error(QStringLiteral("%1 is defined twice").arg(defs[i].keyText()));
    }

    // Display factory texts of formula rows come from their device values; every other
    // factory text is converted into its device value. Each result must lie inside the
    // definition's effective range, and each connection must name an existing source.
    void resolveFactoryValues(const BicoSources& sources)
    {
        const model::TimeBases timeBases = profile_.timeBases;
        context_.setReferenceDefinitions(result_.definitions);
        for (SampleDefinition& d : result_.definitions) {
            if (d.settable() && !d.deviceValueText.isEmpty()) {
                const model::HeskParameterElement e = toElement(d);
                const auto shown = model::displayRawValue(e, static_cast<uint16_t>(d.deviceValueText.toInt()),
                                                          timeBases, context_);
                if (shown.conversionFailed)
                    error(QStringLiteral("%1: factory value cannot be converted").arg(d.keyText()));
                d.factoryText = shown.text;
            }
        }
        context_.setReferenceDefinitions(result_.definitions);
        for (SampleDefinition& d : result_.definitions) {
            if (!d.settable()) {
                d.deviceValueText = QStringLiteral("0");
                continue;
            }
            if (d.isConnection()) {
                if (!sources.contains(d.factoryText))
                    error(QStringLiteral("%1: source %2 does not exist").arg(d.keyText(), d.factoryText));
                d.deviceValueText = d.factoryText;
                continue;
            }
            if (d.factoryText.isEmpty()) {
                error(QStringLiteral("%1: no factory value").arg(d.keyText()));
                continue;
            }
            const model::HeskParameterElement e = toElement(d);
            const QString type = model::typeName(d.typeCode);
            const model::EffectiveLimits limits = model::displayLimits(e, context_);
            const auto check =
                model::validateInput(d.factoryText, limits.lower, limits.upper, d.decimals, model::radixOf(type), type);
            if (!check.accepted())
                error(QStringLiteral("%1: factory value %2 outside [%3, %4] (%5)")
                          .arg(d.keyText(), d.factoryText, limits.lower, limits.upper, check.resultText()));
            const auto raw = model::rawFromDisplayText(e, d.factoryText, timeBases, context_);
            if (!raw.raw) {
                error(QStringLiteral("%1: factory value %2 has no device value").arg(d.keyText(), d.factoryText));
                continue;
            }
            if (d.deviceValueText.isEmpty())
                d.deviceValueText = model::deviceValueText(e, *raw.raw);
        }
        checkPowerUnitCode();
    }

    void checkPowerUnitCode()
    {
        for (const SampleDefinition& d : result_.definitions) {
            if (d.keyText() != QLatin1String("P0070"))
                continue;
            const bool isKey = std::any_of(sheet_.rows.begin(), sheet_.rows.end(),
                                           [&d](const model::UbaseInfo& row) { return row.columns[0] == d.factoryText; });
            if (!isKey || d.factoryText != sheet_.defaultKey)
                error(QStringLiteral("P0070 factory value %1 is not the default base-value key %2")
                          .arg(d.factoryText, sheet_.defaultKey));
        }
    }

    // One slot per definition of the intermediate file, in parameter order, numbered
    // separately in the settable and the read-only table.
    void assignAddresses()
    {
        for (SampleDefinition& d : result_.definitions) {
            if (!d.inIntermediateFile) {
                d.address = 0xFFFF;
                continue;
            }
            int& slots = d.settable() ? result_.settableSlots : result_.readOnlySlots;
            d.address = static_cast<uint16_t>(slots++);
        }
        if (result_.settableSlots > 8192 || result_.readOnlySlots > 8192)
            error(QStringLiteral("more than 8192 slots in a device table"));
    }

    const SampleProfile& profile_;
    const BaseValueSheet& sheet_;
    SampleFormulaContext context_;
    SampleDefinitions result_;
};

}  // namespace

SampleDefinitions buildDefinitions(const SampleProfile& profile, const BaseValueSheet& sheet)
{
    return Builder(profile, sheet).run();
}

}  // namespace hesk::samples
