#pragma once
// The fault and alarm catalogue of the open project: the table of its device class (and,
// for the active rectifier, of its firmware generation), in table order. It is rebuilt
// whenever a project is opened and explains the set bits of the fault words r0943.x.
//
// The catalogue shares its table with the library, so a rebuild copies no entries. It
// keeps a pointer to the library: the library must outlive the catalogue.

#include "DeviceCatalogue.h"
#include "FaultAlarm.h"
#include "FaultTableLibrary.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace hesk::model {

class FaultCatalogue {
public:
    explicit FaultCatalogue(const FaultTableLibrary& library);

    // Empties the catalogue, then takes the table of the device class; class 0 stays
    // empty.
    void build(DeviceClass deviceClass, ActiveRectifierFirmware firmware);
    // The same with the project's deviceVersion deciding the active-rectifier generation.
    void build(DeviceClass deviceClass, const QString& deviceVersion);
    void clear();

    const std::vector<FaultAlarm>& entries() const { return *m_table; }

    // The entries of the fault word (key text "r0943.0", ...) whose bit is set in the
    // value, in table order. A set bit without an entry yields nothing.
    std::vector<FaultAlarm> explain(const QString& wordKeyText, uint16_t value) const;

private:
    const FaultTableLibrary* m_library;
    FaultTable m_table;
};

// Generation of active-rectifier firmware: V2.01.06, V2.01.07 and V2.02.07 are old.
ActiveRectifierFirmware activeRectifierFirmwareOf(const QString& deviceVersion);

}  // namespace hesk::model
