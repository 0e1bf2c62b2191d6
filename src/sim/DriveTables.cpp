#include "DriveTables.h"

#include "ProjectFormulas.h"
#include "model/ParameterTypes.h"
#include "model/ParameterValueText.h"

#include <QRegularExpression>

namespace hesk::sim {

namespace {

// The device address of the output that a connection's factory text names: a connector
// or binector text ("K0091", "B0003", "r0091") or a bare decimal number (91). A connector
// or binector below 1000 is the read-only parameter 8000 + n or 9000 + n ("K0091" is
// r8091, "B0003" r9003), a larger one the parameter itself (K3001 is r3001); a project
// without that output is searched for the bare number. The first read-only definition
// with the number is the output; anything else is source 0.
uint16_t connectionSourceFromText(const model::HeskProject& project, const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*([A-Za-z]?)(\\d{1,5})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return 0;
    const uint32_t digits = match.captured(2).toUInt();
    const QString letter = match.captured(1).toUpper();
    const auto addressOf = [&project](uint32_t number) -> std::optional<uint16_t> {
        for (const model::HeskParameterElement& e : project.elements) {
            if (!e.isSettable() && e.number == number && e.address < kTableSize)
                return e.address;
        }
        return std::nullopt;
    };
    if (digits < 1000 && (letter == QLatin1String("K") || letter == QLatin1String("B"))) {
        if (const auto address = addressOf(digits + (letter == QLatin1String("K") ? 8000 : 9000)))
            return *address;
    }
    return addressOf(digits).value_or(0);
}

}  // namespace

std::optional<uint16_t> connectionSourceOf(const model::HeskProject& project, const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^[KB]\\d{4}$"));
    if (!pattern.match(text.trimmed()).hasMatch())
        return std::nullopt;
    const uint16_t address = connectionSourceFromText(project, text);
    return address == 0 ? std::nullopt : std::optional<uint16_t>(address);
}

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
