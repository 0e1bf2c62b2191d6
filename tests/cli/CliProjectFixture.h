#pragma once
// A small inverter project encoded byte by byte from the file tables (not with our
// writer), for the heskmon tests: header, an empty program, time bases, a handful of
// definitions covering the data types, formulas, connectors and sub-indices, two
// base-value rows and a custom list.

#include "ByteBuilder.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace hesk::testsupport::cli {

struct Definition {
    uint16_t number;
    uint16_t subIndex;
    uint16_t typeCode;
    bool settable;
    const char* name;
    const char* minText = "";
    const char* maxText = "";
    int decimals = 0;
    const char* factory = "0";
    const char* unit = "";
    const char* commandType = "1";
    const char* reverseFormula = "";
    const char* forwardFormula = "";
    const char* currentValue = "";
    bool connection = false;
    const char* rawMinText = nullptr;  // device units; the display limit when not given
    const char* rawMaxText = nullptr;
};

inline const std::vector<Definition>& inverterDefinitions()
{
    static const std::vector<Definition> list = {
        // number, sub, type, settable, name, min, max, decimals, factory, unit, cmd, reverse, forward, current, bico
        {53, 255, 0, true, "参数访问级", "0x0000", "0xFFFF", 0, "0x0003"},
        {70, 255, 1, true, "功率单元代码", "0", "200", 0, "37", "", "1", "", "", "37"},
        {100, 0, 1, true, "电机额定频率", "0.00", "100.00", 2, "50.00", "Hz"},
        {100, 1, 1, true, "电机额定频率", "0.00", "100.00", 2, "50.00", "Hz"},
        {101, 255, 1, true, "给定百分比", "-200.000", "200.000", 3, "0.000", "%"},
        {340, 255, 3, true, "直流电压设定", "0.0", "1000.0", 1, "540.0", "V", "3",
         "P0340*UDCn/16384", "P0340*16384/UDCn", "", false, "0", "32767"},
        {554, 255, 0, true, "ON/OFF1命令源", "0x0000", "0xFFFF", 0, "0x2000", "", "1", "", "", "", true},
        {848, 255, 2, true, "并联使能", "0", "1", 0, "0"},
        {2005, 255, 3, true, "自由块采样时间", "0", "16", 0, "4"},
        {21, 255, 3, false, "直流电压", "-32768", "32767", 2, "0", "V", "3", "r0021*UDCn/16384", "r0021*16384/UDCn"},
        {943, 0, 0, false, "故障字1", "0x0000", "0xFFFF", 0, "0x0000"},
        {2010, 255, 3, false, "自由块输出", "0", "100", 0, "0"},
        {8012, 255, 3, false, "转速实际值", "-32768", "32767", 0, "0"},
        {9003, 255, 2, false, "运行信号", "0", "1", 0, "0"},
    };
    return list;
}

inline void appendDefinition(ByteBuilder& b, const Definition& d, uint16_t address)
{
    b.i32(0).u16(d.number).u16(d.subIndex).u16(d.typeCode).u16(address);
    b.u16(0).u16(0).u16(d.settable ? 1 : 0).u16(d.connection ? 1 : 0).u16(0);
    b.text("").text(d.currentValue).text(d.rawMaxText ? d.rawMaxText : d.maxText)
        .text(d.rawMinText ? d.rawMinText : d.minText).text("注释").text(d.name);
    for (int i = 0; i < 5; ++i)
        b.text("");
    b.text(d.factory).text("");
    b.i32(0).i32(d.decimals).text(d.reverseFormula).text(d.forwardFormula).text(d.maxText).text(d.minText);
    b.i32(0).text(d.commandType).text(d.unit).text("1").text("").text("0");
    b.text("").text("").text("");
}

inline void appendBaseRow(ByteBuilder& b, const char* key, const char* model, const char* ratedVoltage,
                          const char* ratedTorque, const char* dcVoltage)
{
    for (int column = 0; column < 44; ++column) {
        switch (column) {
        case 0: b.text(key); break;
        case 1: b.text(model); break;
        case 3: b.text(ratedVoltage); break;
        case 5: b.text(ratedTorque); break;
        case 6: b.text(dcVoltage); break;
        default: b.text(""); break;
        }
    }
}

// The definitions are written in an order that differs from the sorted one, so a
// reader that forgets to sort shows it.
inline QByteArray inverterProjectBytes()
{
    ByteBuilder b;
    b.i32(0).text("VRA1").text("V1.14.18");
    for (int i = 0; i < 5; ++i)
        b.text("");
    b.text("V2.16.35").u16(0x1234).u16(0).text("HESK6700");
    b.i32(0).text("").text("").text("").text("").i32(0).text("").count(0);  // empty program
    b.i32(125).i32(250).i32(500).i32(1000).i32(2000).i32(4000);
    const auto& list = inverterDefinitions();
    b.count(static_cast<int32_t>(list.size()));
    for (std::size_t i = list.size(); i-- > 0;)
        appendDefinition(b, list[i], static_cast<uint16_t>(100 + i));
    b.count(0).count(0).count(0).count(0);  // word tables A and B, text table, byte table
    b.count(2);
    appendBaseRow(b, "37", "VRA1-37", "380", "240", "540");
    appendBaseRow(b, "55", "VRA1-55", "400", "350", "600");
    b.count(2).u32(848).u32(100);
    return b;
}

}  // namespace hesk::testsupport::cli
