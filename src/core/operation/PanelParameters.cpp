#include "PanelParameters.h"

#include "model/DeviceCatalogue.h"

namespace hesk::operation {

PanelParameters PanelParameters::of(const model::OpenedProject& project)
{
    PanelParameters p;
    if (!project.isOpen())
        return p;
    const auto find = [&](const char* key) { return project.find(QString::fromLatin1(key)); };
    p.version = project.project().header.deviceVersion.trimmed();
    p.newSetpoint = model::isNewFirmware(1, p.version);
    p.heartbeatAllowed = model::isNewFirmware(3, p.version);
    p.controlSource = find("P0880");
    p.onOff1 = find("P7000.5");
    p.faultReset = find("P7000.4");
    p.panelSupport = find("P7200");
    p.setpoint = p.newSetpoint ? find("P7030") : p.panelSupport;
    p.menuLevel = find("P0060");
    p.referenceSpeed = find("P0353");
    p.state = find("r0001");
    p.frequency = find("r0002");
    p.speed = find("r0015");
    p.current = find("r0004");
    p.dcVoltage = find("r0006.0");
    p.torque = find("r0007");
    p.motorDataSet = find("r0011");
    p.bicoDataSet = find("r0012");
    p.functionDataSet = find("r0013");
    p.statusWord = find("r0550");
    for (int word : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 19, 20})
        if (Element e = project.find(QStringLiteral("r0943.%1").arg(word)))
            p.faultWords.push_back(e);
    return p;
}

std::vector<PanelParameters::Element> PanelParameters::watched() const
{
    std::vector<Element> list;
    for (Element e : {controlSource, onOff1, setpoint, menuLevel, referenceSpeed, state, frequency, speed, current,
                      dcVoltage, torque, motorDataSet, bicoDataSet, functionDataSet, statusWord})
        if (e)
            list.push_back(e);
    list.insert(list.end(), faultWords.begin(), faultWords.end());
    return list;
}

}  // namespace hesk::operation
