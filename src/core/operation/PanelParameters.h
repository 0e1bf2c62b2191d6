#pragma once
// The fixed parameters the control panel works on, found in the open project by their
// key texts when the panel is built for it. A parameter the project lacks stays null:
// a write to it succeeds without a frame, a value of it is unknown.

#include "model/OpenedProject.h"

#include <array>
#include <vector>

namespace hesk::operation {

struct PanelParameters {
    using Element = const model::HeskParameterElement*;

    Element controlSource = nullptr;  // P0880: 1 the tool, 0 the keypad
    Element onOff1 = nullptr;         // P7000.5
    Element faultReset = nullptr;     // P7000.4
    Element setpoint = nullptr;       // P7030 on newer controllers, P7200 up to V1.05.04
    Element panelSupport = nullptr;   // P7200: its presence says the controller has the panel
    Element menuLevel = nullptr;      // P0060
    Element referenceSpeed = nullptr; // P0353
    Element state = nullptr;          // r0001
    Element frequency = nullptr;      // r0002
    Element speed = nullptr;          // r0015
    Element current = nullptr;        // r0004
    Element dcVoltage = nullptr;      // r0006.0
    Element torque = nullptr;         // r0007
    Element motorDataSet = nullptr;   // r0011
    Element bicoDataSet = nullptr;    // r0012
    Element functionDataSet = nullptr;// r0013
    Element statusWord = nullptr;     // r0550
    std::vector<Element> faultWords;  // r0943.0 .. .9, .19, .20 (those the project has)

    // Version feature tests on the project's controller version: test 1 chooses P7030,
    // test 3 allows the heartbeat supervision command.
    bool newSetpoint = false;
    bool heartbeatAllowed = false;
    QString version;

    static PanelParameters of(const model::OpenedProject& project);
    // What the panel's refresh shows, for the cyclic reads.
    std::vector<Element> watched() const;
};

}  // namespace hesk::operation
