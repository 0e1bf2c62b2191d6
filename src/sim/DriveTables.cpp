#include "DriveTables.h"

#include "ProjectFormulas.h"
#include "model/ParameterTypes.h"
#include "model/ParameterValueText.h"

#include <QRegularExpression>

namespace hesk::sim {

namespace {

// The device address of the output that a connection's factory text names: a connector
// or binector text ("K0091", "B0003", "r0091") or a bare decimal number (91). The first
// read-only definition with that number is the output; anything else is source 0.
uint16_t connectionSourceFromText(const model::HeskProject& project, const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*[A-Za-z]?(\\d{1,5})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return 0;
    const uint32_t number = match.captured(1).toUInt();
    for (const model::HeskParameterElement& e : project.elements) {
        if (!e.isSettable() && e.number == number && e.address < kTableSize)
            return e.address;
    }
    return 0;
}

}  // namespace

uint16_t toWireSource(uint16_t source)
{
    return source == 0 ? 0x8000 : static_cast<uint16_t>(-source);
}

uint16_t fromWireSource(uint16_t wire)
{
    return wire == 0x8000 ? 0 : static_cast<uint16_t>(-wire);
}

TableKind tableOf(const model::HeskParameterElement& element)
{
    if (!element.isSettable())
        return TableKind::ReadOnly;
    return element.isConnection() ? TableKind::Connection : TableKind::Settable;
}

std::optional<ParameterSlot> slotOf(const model::HeskProject& project, const QString& keyText)
{
    const std::optional<std::size_t> index = project.findByKeyText(keyText);
    if (!index)
        return std::nullopt;
    const model::HeskParameterElement& element = project.elements[*index];
    if (element.address >= kTableSize)
        return std::nullopt;
    return ParameterSlot{tableOf(element), element.address, &element};
}

DriveTables::DriveTables() = default;

DriveTables DriveTables::fromProject(const model::HeskProject& project)
{
    DriveTables tables;
    tables.setCounts(static_cast<uint32_t>(project.wordTableB.size()), static_cast<uint32_t>(project.wordTableA.size()));
    const ProjectFormulas formulas(project);
    for (const model::HeskParameterElement& e : project.elements) {
        if (e.address >= kTableSize)
            continue;
        const TableKind kind = tableOf(e);
        uint16_t raw = 0;
        if (kind == TableKind::Connection) {
            raw = connectionSourceFromText(project, e.factoryValue);
        } else if (!e.factoryValue.trimmed().isEmpty()) {
            const model::RawConversion conversion =
                model::rawFromDisplayText(e, e.factoryValue, project.timeBases, formulas.context());
            if (conversion.raw)
                raw = *conversion.raw;
            else
                tables.m_factoryFailures << model::keyText(e);
        }
        tables.table(kind)[e.address] = raw;
    }
    tables.m_factorySettable = tables.m_settable;
    tables.m_factoryConnections = tables.m_connections;
    return tables;
}

WordTable& DriveTables::table(TableKind kind)
{
    switch (kind) {
    case TableKind::Settable: return m_settable;
    case TableKind::ReadOnly: return m_readOnly;
    case TableKind::Connection: break;
    }
    return m_connections;
}

const WordTable& DriveTables::table(TableKind kind) const
{
    return const_cast<DriveTables*>(this)->table(kind);
}

std::optional<uint16_t> DriveTables::value(TableKind kind, uint32_t address) const
{
    if (address >= kTableSize)
        return std::nullopt;
    return table(kind)[address];
}

bool DriveTables::setValue(TableKind kind, uint32_t address, uint16_t value)
{
    if (address >= kTableSize)
        return false;
    table(kind)[address] = value;
    return true;
}

void DriveTables::restoreFactory()
{
    m_settable = m_factorySettable;
    m_connections = m_factoryConnections;
}

uint16_t DriveTables::factoryValue(TableKind kind, uint32_t address) const
{
    if (address >= kTableSize)
        return 0;
    switch (kind) {
    case TableKind::Settable: return m_factorySettable[address];
    case TableKind::Connection: return m_factoryConnections[address];
    case TableKind::ReadOnly: break;
    }
    return 0;
}

void DriveTables::setCounts(uint32_t settableCount, uint32_t readOnlyCount)
{
    m_settableCount = std::min(settableCount, kTableSize);
    m_readOnlyCount = std::min(readOnlyCount, kTableSize);
}

}  // namespace hesk::sim
