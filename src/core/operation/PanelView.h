#pragma once
// What the control panel shows after a refresh, computed from the drive's latest words:
// the state text, the device status from the fault catalogue, the seven status-word
// lamps, the data sets, the actual values and the free display slots. A value the drive
// has not reported since the connect is unknown: an empty text, a dark lamp, no data set.

#include "PanelParameters.h"
#include "SetpointUnits.h"

#include "link/ValueTables.h"
#include "pages/PageValueText.h"

#include <QString>

#include <array>
#include <optional>

namespace hesk::operation {

// The captions of the lamps of r0550 bits 0 to 6.
std::array<QString, 7> statusLampCaptions();

struct FreeDisplaySlot {
    QString number;                                 // the parameter number text, empty: unused
    const model::HeskParameterElement* element = nullptr;
};

struct PanelView {
    QString stateText;                  // "运行", ...; empty while not reported
    std::optional<int> state;           // r0001
    QString deviceStatus;               // first catalogue entry whose bit is set, or "正常"
    bool deviceFault = false;           // a catalogue bit is set (deviceStatus names it)
    std::array<bool, 7> lamps{};        // r0550 bits 0..6
    std::optional<int> motorDataSet;    // r0011 (1..4), nothing when unknown or out of range
    std::optional<int> bicoDataSet;     // r0012 (1..2)
    std::optional<int> functionDataSet; // r0013 (1..4)
    QString actualCaption;              // "实际频率(Hz)", ...
    QString actualValue;                // r0002 or r0015 by the unit
    QString current, dcVoltage, torque; // r0004, r0006.0, r0007
    std::array<QString, 2> freeTexts;   // slots 1 and 2
    std::array<bool, 2> freeLamps{};    // slots 3 and 4: lit when the text is "1"

    // The offline view: every text "未知", lamps dark, no data set.
    static PanelView offline(SetpointUnit unit);
};

PanelView computePanelView(model::OpenedProject& project, const link::OnlineValueTables& tables,
                           const PanelParameters& parameters, SetpointUnit unit,
                           const std::array<FreeDisplaySlot, 4>& freeDisplay);

// The online text of a definition as the pages show it; empty while not reported.
QString panelValueText(model::OpenedProject& project, const link::OnlineValueTables& tables,
                       const model::HeskParameterElement* element);
// The same with the project's connection index built by the caller, for many values at once.
QString panelValueText(model::OpenedProject& project, const link::OnlineValueTables& tables,
                       const pages::ConnectionSources& sources, const model::HeskParameterElement* element);

}  // namespace hesk::operation
