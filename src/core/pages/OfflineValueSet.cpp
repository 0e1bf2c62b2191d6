#include "OfflineValueSet.h"

#include "model/ParameterNumbering.h"
#include "model/ParameterTypes.h"

namespace hesk::pages {

QString offlineKey(model::DeviceClass deviceClass, const model::HeskParameterElement& element)
{
    const QString number = model::displayNumber(deviceClass, element, false);
    if (number.isEmpty())
        return model::keyText(element);
    if (!element.hasSubIndex())
        return number;
    return number + QLatin1Char('.') + QString::number(element.subIndex);
}

std::optional<QString> OfflineValueSet::value(const QString& key) const
{
    const auto it = m_values.constFind(key);
    if (it == m_values.constEnd())
        return std::nullopt;
    return *it;
}

bool OfflineValueSet::set(const QString& key, const QString& text)
{
    const auto it = m_values.find(key);
    if (it != m_values.end() && *it == text)
        return false;
    m_values.insert(key, text);
    if (!m_modifiedKeys.contains(key))
        m_modifiedKeys << key;
    m_modified = true;
    ++m_revision;
    return true;
}

void OfflineValueSet::clear()
{
    m_values.clear();
    m_modifiedKeys.clear();
    m_modified = false;
    ++m_revision;
}

void OfflineValueSet::clearModifications()
{
    m_modifiedKeys.clear();
    m_modified = false;
}

void OfflineValueSet::setFileName(const QString& fileName)
{
    m_fileName = fileName;
}

}  // namespace hesk::pages
