#pragma once
// Intermediate files (.monitorary) spelled out byte by byte in field order with
// ByteBuilder, independent of the production reader and writer:
//   u16 program id, u16 second header word, text CPU type, program, 6 x i32 time bases,
//   count + first TTemporaryElements, count + second TTemporaryElements,
//   count + u16 word table A, count + u16 word table B, count + texts, count + bytes.
// A TTemporaryElement is nine u16 words (number, sub-index, type code, address, word 5,
// word 6, settable, connection flag, word 9) and eleven texts (source text 1, current
// value, raw max, raw min, comment, name, source texts 7 to 11).

#include "ByteBuilder.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace hesk::testsupport::intermediate {

struct TempDefinition {
    uint16_t number = 0;
    uint16_t subIndex = 255;
    uint16_t typeCode = 1;
    uint16_t address = 0;
    bool settable = true;
    const char* name = "";
    const char* comment = "";
    const char* rawMin = "0";
    const char* rawMax = "100";
    const char* currentValue = "";
    bool connection = false;
};

inline void appendTemporaryElement(ByteBuilder& b, const TempDefinition& d)
{
    b.u16(d.number).u16(d.subIndex).u16(d.typeCode).u16(d.address);
    b.u16(0x0505).u16(0x0606).u16(d.settable ? 1 : 0).u16(d.connection ? 1 : 0).u16(0x0909);
    b.text("s1").text(d.currentValue).text(d.rawMax).text(d.rawMin).text(d.comment).text(d.name);
    b.text("s7").text("s8").text("s9").text("s10").text("s11");
}

struct IntermediateSpec {
    uint16_t programId = 0x4242;
    uint16_t secondHeaderWord = 7;
    const char* cpuType = "HESK6700";  // an inverter CPU (class 1)
    std::vector<TempDefinition> first;
    std::vector<TempDefinition> second;
};

// One package with one empty page, so the program tree is read record by record.
inline void appendProgram(ByteBuilder& b)
{
    b.i32(11).text("prog1").text("prog2").text("prog3").text("prog4").i32(12).text("prog5");
    b.count(1);                                              // packages
    b.i32(21).text("pkg1").text("pkg2").count(1);            // package with one page
    b.i32(31).text("page1").i32(32).text("page2").count(0).count(0).count(0).i32(33);
}

inline QByteArray intermediateFileBytes(const IntermediateSpec& spec)
{
    ByteBuilder b;
    b.u16(spec.programId).u16(spec.secondHeaderWord).text(spec.cpuType);
    appendProgram(b);
    b.i32(125).i32(250).i32(500).i32(1000).i32(2000).i32(4000);
    b.count(static_cast<int32_t>(spec.first.size()));
    for (const TempDefinition& d : spec.first)
        appendTemporaryElement(b, d);
    b.count(static_cast<int32_t>(spec.second.size()));
    for (const TempDefinition& d : spec.second)
        appendTemporaryElement(b, d);
    b.count(3).u16(0xA001).u16(0xA002).u16(0xA003);  // word table A
    b.count(2).u16(0xB001).u16(0xB002);              // word table B
    b.count(2).text("text one").text("第二");         // text table
    b.count(4).raw({0xDE, 0xAD, 0xBE, 0xEF});        // byte table
    return b;
}

// A small inverter program: P0100 (with sub-indices 0 and 1 in the second list),
// P0107.1 and .2, P0340 and r0021, listed out of order.
inline IntermediateSpec inverterSpec()
{
    IntermediateSpec spec;
    spec.first = {
        {340, 255, 3, 12, true, "中间名340", "中间注释340", "0", "32767"},
        {21, 255, 3, 40, false, "中间名21", "中间注释21", "-32768", "32767"},
        {107, 1, 1, 13, true, "中间名107.1", "", "0", "1000"},
        {107, 2, 1, 14, true, "中间名107.2", "", "0", "1000"},
    };
    spec.second = {
        {100, 1, 1, 11, true, "中间名100.1"},
        {100, 0, 1, 10, true, "中间名100.0"},
        {100, 255, 1, 9, true, "中间名100"},
    };
    return spec;
}

}  // namespace hesk::testsupport::intermediate
