#include "SimProjectFixture.h"

#include "model/ProjectFile.h"

#include <QDir>

namespace hesk::sim::test {

namespace {

struct Def {
    uint16_t number;
    uint16_t sub;
    uint16_t type;      // 0 V2, 1 N2, 2 B1, 3 I2, 8 NK
    bool settable;
    uint16_t address;
    const char* factory;
    int decimals = 0;
    const char* reverse = "";  // formula parameters (commandType "3")
    const char* forward = "";
    bool connection = false;
};

model::HeskParameterElement element(const Def& d)
{
    model::HeskParameterElement e;
    e.number = d.number;
    e.subIndex = d.sub;
    e.typeCode = d.type;
    e.address = d.address;
    e.settable = d.settable ? 1 : 0;
    e.connectionFlag = d.connection ? 1 : 0;
    e.factoryValue = QString::fromUtf8(d.factory);
    e.currentValueText = e.factoryValue;
    e.decimals = d.decimals;
    e.name = QStringLiteral("参数%1").arg(d.number);
    e.rawMinText = QStringLiteral("-32768");
    e.rawMaxText = QStringLiteral("65535");
    e.minText = e.rawMinText;
    e.maxText = e.rawMaxText;
    e.importFlag = d.settable ? QStringLiteral("1") : QStringLiteral("0");
    e.auxFlag = QStringLiteral("0");
    if (*d.reverse) {
        e.commandType = QStringLiteral("3");
        e.reverseFormula = QString::fromUtf8(d.reverse);
        e.forwardFormula = QString::fromUtf8(d.forward);
    } else {
        e.commandType = QStringLiteral("1");
    }
    return e;
}

}  // namespace

model::HeskProject simProject()
{
    model::HeskProject p;
    p.header.deviceType = QStringLiteral("VRA1");
    p.header.deviceVersion = QStringLiteral("V1.14.18");
    p.header.creatorVersion = QStringLiteral("V2.16.35");
    p.header.programId = kProgramId;
    p.header.cpuType = QStringLiteral("HESK6500");
    p.timeBases = {125, 250, 500, 1000, 2000, 4000};

    const Def defs[] = {
        {53, 255, 0, true, kP0053, "0x0003"},
        {60, 255, 3, true, kP0060, "1"},
        {70, 255, 3, true, kP0070, "37"},
        {89, 255, 3, true, kP0089, "0"},
        {100, 255, 1, true, kP0100, "25"},  // 25 % = 4096
        {554, 255, 8, true, kP0554, "K0002", 0, "", "", true},
        {880, 255, 3, true, kP0880, "0"},
        {7000, 4, 2, true, kP7000_4, "0"},
        {7000, 5, 2, true, kP7000_5, "0"},
        {7030, 255, 3, true, kP7030, "0.00", 2, "P7030*50/16384", "P7030*16384/50"},
        {1, 255, 3, false, kR0001, "0"},
        {2, 255, 3, false, kR0002, "0.00", 2, "r0002*50/16384", "r0002*16384/50"},
        {4, 255, 3, false, kR0004, "0.00", 2, "r0004/100", "r0004*100"},
        {6, 0, 3, false, kR0006, "0"},
        {7, 255, 1, false, kR0007, "0"},
        {15, 255, 3, false, kR0015, "0"},
        {550, 255, 0, false, kR0550, "0x0000"},
        {820, 255, 3, false, kR0820, "0"},
        {9106, 255, 2, false, kR9106, "0"},
    };
    for (const Def& d : defs)
        p.elements.push_back(element(d));
    for (uint16_t word = 0; word <= 20; ++word)
        p.elements.push_back(element({943, word, 0, false, static_cast<uint16_t>(kR0943 + word), "0x0000"}));
    for (uint16_t i = 0; i < kSettableCount; ++i)
        p.wordTableB.push_back(i);
    for (uint16_t i = 0; i < kReadOnlyCount; ++i)
        p.wordTableA.push_back(i);
    model::UbaseInfo row;
    row.columns[0] = QStringLiteral("37");
    row.columns[1] = QStringLiteral("VRA1-37");
    row.columns[6] = QStringLiteral("540");
    p.ubaseTable.push_back(row);
    p.sortElements();
    return p;
}

QString writeSimProject(const QString& folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("sim.tmprj"));
    model::saveProject(path, simProject());
    return path;
}

}  // namespace hesk::sim::test
