#include "FaultCatalogue.h"

#include <QStringList>

namespace hesk::model {

namespace {

FaultTable emptyTable()
{
    return std::make_shared<const std::vector<FaultAlarm>>();
}

}  // namespace

ActiveRectifierFirmware activeRectifierFirmwareOf(const QString& deviceVersion)
{
    // The same three versions as the device catalogue's old-firmware test; kept here so
    // the fault catalogue does not depend on the rest of the device catalogue.
    static const QStringList oldVersions = {
        QStringLiteral("V2.01.06"), QStringLiteral("V2.01.07"), QStringLiteral("V2.02.07")};
    return oldVersions.contains(deviceVersion) ? ActiveRectifierFirmware::Old : ActiveRectifierFirmware::Later;
}

FaultCatalogue::FaultCatalogue(const FaultTableLibrary& library) : m_library(&library), m_table(emptyTable()) {}

void FaultCatalogue::build(DeviceClass deviceClass, ActiveRectifierFirmware firmware)
{
    const std::optional<FaultTableId> id = faultTableFor(deviceClass, firmware);
    m_table = id ? m_library->table(*id) : emptyTable();
}

void FaultCatalogue::build(DeviceClass deviceClass, const QString& deviceVersion)
{
    build(deviceClass, activeRectifierFirmwareOf(deviceVersion));
}

void FaultCatalogue::clear()
{
    m_table = emptyTable();
}

std::vector<FaultAlarm> FaultCatalogue::explain(const QString& wordKeyText, uint16_t value) const
{
    std::vector<FaultAlarm> explained;
    for (const FaultAlarm& entry : *m_table) {
        if (entry.word != wordKeyText || entry.bit < 0 || entry.bit > 15)
            continue;
        if ((value >> entry.bit) & 1u)
            explained.push_back(entry);
    }
    return explained;
}

}  // namespace hesk::model
