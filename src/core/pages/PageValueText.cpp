#include "PageValueText.h"

#include "model/ParameterNumbering.h"
#include "model/ParameterTypes.h"
#include "model/ParameterValueText.h"

#include <algorithm>

namespace hesk::pages {

namespace {

constexpr int kMaxShownDecimals = 6;  // the raw formats' "%f"

bool isRealType(const QString& name)
{
    static const QStringList real = {QStringLiteral("N2"), QStringLiteral("E2"), QStringLiteral("G2"),
                                     QStringLiteral("G3"), QStringLiteral("H2"), QStringLiteral("H3"),
                                     QStringLiteral("T2")};
    return real.contains(name);
}

}  // namespace

ConnectionSources::ConnectionSources(const model::HeskProject& project, model::DeviceClass deviceClass)
    : m_project(project), m_deviceClass(deviceClass)
{
    // A connection names a connector or binector output, as the factory values and the
    // connection editor write it ("K0000"): where a plain read-only value shares the
    // address (r0001 beside K0000), the output is named, so that the value and the
    // factory value of one word read the same.
    std::unordered_map<uint16_t, std::size_t> firstOutputAt;
    for (std::size_t i = 0; i < project.elements.size(); ++i) {
        const model::HeskParameterElement& element = project.elements[i];
        if (element.isSettable())
            continue;
        m_firstReadOnlyAt.try_emplace(element.address, i);
        const QString number = model::displayNumber(deviceClass, element, false);
        if (number.startsWith(QLatin1Char('K')) || number.startsWith(QLatin1Char('B')))
            firstOutputAt.try_emplace(element.address, i);
    }
    for (const auto& [address, index] : firstOutputAt)
        m_firstReadOnlyAt[address] = index;
}

uint16_t ConnectionSources::sourceAddress(uint16_t storedWord)
{
    return storedWord == 0x8000 ? 0 : static_cast<uint16_t>(-storedWord);
}

QString ConnectionSources::sourceText(uint16_t storedWord) const
{
    if (storedWord == 0)
        return {};
    const auto it = m_firstReadOnlyAt.find(sourceAddress(storedWord));
    if (it == m_firstReadOnlyAt.end())
        return QString::fromLatin1(kUnresolvedConnectionText);
    return model::displayNumber(m_deviceClass, m_project.elements[it->second], false);
}

QString displayValueText(const model::HeskParameterElement& element, uint16_t raw,
                         const model::TimeBases& timeBases, const model::FormulaContext& formulas)
{
    const model::DisplayedValue shown = model::displayRawValue(element, raw, timeBases, formulas);
    // Formula results already carry the definition's decimals; a formula that could not
    // be computed shows "WrongParameter", never a number that is not the value.
    if (element.usesFormulas())
        return shown.text;
    if (!isRealType(model::typeName(element.typeCode)))
        return shown.text;
    bool ok = false;
    const double value = shown.text.toDouble(&ok);
    if (!ok)
        return shown.text;
    QString text = QString::number(value, 'f', std::clamp(element.decimals, 0, kMaxShownDecimals));
    // A small negative value rounded to zero shows without its sign.
    if (text.startsWith(QLatin1Char('-')) && text.toDouble() == 0.0)
        text.remove(0, 1);
    return text;
}

}  // namespace hesk::pages
