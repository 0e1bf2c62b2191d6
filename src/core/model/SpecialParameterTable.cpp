#include "SpecialParameterTable.h"

namespace hesk::model {

namespace {

// Appends "<base>.<first>" .. "<base>.<last>".
void appendSubIndices(QStringList& list, const char* base, int first, int last)
{
    for (int sub = first; sub <= last; ++sub)
        list << QStringLiteral("%1.%2").arg(QLatin1String(base)).arg(sub);
}

// Appends "<letter><number>" for every number of the range, zero-padded to four digits.
void appendNumbers(QStringList& list, QChar letter, int first, int last)
{
    for (int number = first; number <= last; ++number)
        list << QStringLiteral("%1%2").arg(letter).arg(number, 4, 10, QLatin1Char('0'));
}

}  // namespace

QStringList SpecialParameterTable::standardKeyTexts()
{
    QStringList list;
    // Edit rules (with r0001 and r0011 below), control panel, quick commissioning, power
    // unit and base values.
    list << QStringLiteral("P0053") << QStringLiteral("P0060") << QStringLiteral("P0089") << QStringLiteral("P0070")
         << QStringLiteral("P0071") << QStringLiteral("P0072") << QStringLiteral("P0073")
         << QStringLiteral("r0071") << QStringLiteral("r0072") << QStringLiteral("r0073");
    appendSubIndices(list, "P0107", 1, 4);
    // Data sets: P0109 and the per-data-set values that formulas read as "P0109".
    list << QStringLiteral("P0109");
    appendSubIndices(list, "P0109", 1, 4);
    // Drive state, versions and identification.
    list << QStringLiteral("r0001") << QStringLiteral("r0002") << QStringLiteral("r0004")
         << QStringLiteral("r0006.0") << QStringLiteral("r0007");
    appendNumbers(list, QLatin1Char('r'), 11, 13);
    list << QStringLiteral("r0015") << QStringLiteral("r0550") << QStringLiteral("r0820")
         << QStringLiteral("r0828") << QStringLiteral("P0880") << QStringLiteral("P0100")
         << QStringLiteral("P0115") << QStringLiteral("P0340");
    appendNumbers(list, QLatin1Char('P'), 350, 354);
    list << QStringLiteral("P0749") << QStringLiteral("P0830") << QStringLiteral("P0970")
         << QStringLiteral("P7000.4") << QStringLiteral("P7000.5") << QStringLiteral("P7030")
         << QStringLiteral("P7200");
    // Fault and alarm words.
    appendSubIndices(list, "r0943", 0, 20);
    return list;
}

SpecialParameterTable::SpecialParameterTable(const HeskProject& project)
    : SpecialParameterTable(project, standardKeyTexts())
{
}

SpecialParameterTable::SpecialParameterTable(const HeskProject& project, const QStringList& keyTexts)
{
    indices_.reserve(keyTexts.size());
    for (const QString& key : keyTexts)
        indices_.insert(key, project.findByKeyText(key));
}

std::optional<std::size_t> SpecialParameterTable::indexOf(const QString& keyText) const
{
    const auto it = indices_.constFind(keyText);
    if (it == indices_.constEnd())
        return std::nullopt;
    return it.value();
}

const HeskParameterElement* SpecialParameterTable::element(const HeskProject& project,
                                                           const QString& keyText) const
{
    const auto index = indexOf(keyText);
    if (!index || *index >= project.elements.size())
        return nullptr;
    return &project.elements[*index];
}

HeskParameterElement* SpecialParameterTable::element(HeskProject& project, const QString& keyText) const
{
    const auto index = indexOf(keyText);
    if (!index || *index >= project.elements.size())
        return nullptr;
    return &project.elements[*index];
}

}  // namespace hesk::model
