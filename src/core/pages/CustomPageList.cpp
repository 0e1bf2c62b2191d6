#include "CustomPageList.h"

#include "model/ParameterNumbering.h"

#include <QCoreApplication>

#include <algorithm>

namespace hesk::pages {

namespace {

bool allDigits(const QString& text)
{
    return !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

model::UserMessage badEntry()
{
    return model::UserMessage::hint(QCoreApplication::translate("CustomPageList", "请输入正确的参数号！"));
}

model::UserMessage missingParameter()
{
    return model::UserMessage::hint(QCoreApplication::translate("CustomPageList", "参数不存在，请您重新输入！"));
}

}  // namespace

CustomPageList::CustomPageList(model::HeskProject& project, model::DeviceClass deviceClass, CustomPageState& state)
    : m_project(project), m_deviceClass(deviceClass), m_state(state)
{
}

bool CustomPageList::projectHasNumber(uint32_t number) const
{
    if (number > 0xFFFF)
        return false;
    const auto& elements = m_project.elements;
    const auto it = std::lower_bound(elements.begin(), elements.end(), number,
                                     [](const model::HeskParameterElement& e, uint32_t n) { return e.number < n; });
    return it != elements.end() && it->number == number;
}

std::variant<uint16_t, model::UserMessage> CustomPageList::parseEntry(const QString& text) const
{
    const QString entry = text.trimmed();
    if (allDigits(entry)) {
        bool ok = false;
        const uint number = entry.toUInt(&ok);
        if (!ok || !projectHasNumber(number))
            return missingParameter();
        return static_cast<uint16_t>(number);
    }
    if (entry.size() < 2 || !entry.front().isLetter())
        return badEntry();
    for (const model::HeskParameterElement& element : m_project.elements) {
        const QString plain = model::displayNumber(m_deviceClass, element, false);
        if (plain.isEmpty())
            continue;
        if (plain.compare(entry, Qt::CaseInsensitive) == 0
            || model::displayNumber(m_deviceClass, element, true).compare(entry, Qt::CaseInsensitive) == 0)
            return element.number;
    }
    return missingParameter();
}

void CustomPageList::insert(int position, uint16_t number)
{
    auto& list = m_project.customParameters;
    if (position < 0 || position >= static_cast<int>(list.size()))
        list.push_back(number);
    else
        list.insert(list.begin() + position, number);
    m_state.changed = true;
}

bool CustomPageList::remove(int position)
{
    auto& list = m_project.customParameters;
    if (position < 0 || position >= static_cast<int>(list.size()))
        return false;
    list.erase(list.begin() + position);
    m_state.changed = true;
    return true;
}

bool CustomPageList::change(int position, uint16_t number)
{
    auto& list = m_project.customParameters;
    if (position < 0 || position >= static_cast<int>(list.size()))
        return false;
    list[static_cast<std::size_t>(position)] = number;
    m_state.changed = true;
    return true;
}

void CustomPageList::replace(std::vector<uint32_t> numbers, const QString& filePath)
{
    m_project.customParameters = std::move(numbers);
    m_state.filePath = filePath;
    m_state.changed = true;
}

bool CustomPageList::hasRows() const
{
    return std::any_of(numbers().begin(), numbers().end(), [this](uint32_t n) { return projectHasNumber(n & 0xFFFF); });
}

std::vector<uint16_t> CustomPageList::numbersToSave() const
{
    std::vector<uint16_t> result;
    for (uint32_t listed : numbers()) {
        const auto number = static_cast<uint16_t>(listed & 0xFFFF);
        if (!projectHasNumber(number))
            continue;  // shows no row
        if (result.empty() || result.back() != number)
            result.push_back(number);
    }
    return result;
}

void CustomPageList::markSaved(const QString& filePath)
{
    m_state.filePath = filePath;
    m_state.changed = false;
}

}  // namespace hesk::pages
