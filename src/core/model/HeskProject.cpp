#include "HeskProject.h"

#include "ParameterTypes.h"

#include <algorithm>

namespace hesk::model {

namespace {
bool elementLess(uint16_t numberA, uint16_t subA, uint16_t numberB, uint16_t subB)
{
    if (numberA != numberB)
        return numberA < numberB;
    return subIndexSortKey(subA) < subIndexSortKey(subB);
}
}  // namespace

void HeskProject::sortElements()
{
    std::stable_sort(elements.begin(), elements.end(),
                     [](const HeskParameterElement& a, const HeskParameterElement& b) {
                         return elementLess(a.number, a.subIndex, b.number, b.subIndex);
                     });
}

std::optional<std::size_t> HeskProject::findElement(uint16_t number, uint16_t subIndex) const
{
    const auto it = std::lower_bound(
        elements.begin(), elements.end(), std::pair{number, subIndex},
        [](const HeskParameterElement& e, const std::pair<uint16_t, uint16_t>& key) {
            return elementLess(e.number, e.subIndex, key.first, key.second);
        });
    if (it != elements.end() && it->number == number && it->subIndex == subIndex)
        return static_cast<std::size_t>(it - elements.begin());
    return std::nullopt;
}

std::optional<std::size_t> HeskProject::findByKeyText(const QString& keyText) const
{
    const auto parsed = parseKeyText(keyText);
    if (!parsed)
        return std::nullopt;
    const auto index = findElement(parsed->number, parsed->subIndex);
    if (!index)
        return std::nullopt;
    // A P and an r parameter may share number and sub-index (P0071 and the r0071 that
    // project creation adds); look through all definitions of that pair.
    for (std::size_t i = *index; i < elements.size() && elements[i].number == parsed->number
                                 && elements[i].subIndex == parsed->subIndex;
         ++i)
        if (elements[i].isSettable() == parsed->settable)
            return i;
    return std::nullopt;
}

}  // namespace hesk::model
