#pragma once
// Project file fixtures spelled out byte by byte in file order with ByteBuilder, and the
// records they must read as, built member by member. Shared by the model tests.

#include "model/HeskProject.h"
#include "model/ProjectRecords.h"

#include "ByteBuilder.h"

#include <cstdint>
#include <ostream>
#include <vector>

namespace hesk::testsupport::fixtures {

using hesk::model::HeskBlock;
using hesk::model::HeskConnection;
using hesk::model::HeskExplain;
using hesk::model::HeskPackage;
using hesk::model::HeskPage;
using hesk::model::HeskPort;
using hesk::model::HeskProgram;
using hesk::model::kNoSubIndex;

inline void appendPort(ByteBuilder& b, int32_t version, bool longForm)
{
    b.i32(version).text("t1").text("t2").i32(101).text("t3").i32(102).text("t4").text("t5").text("t6").i32(103);
    b.text("t7").text("t8").i32(104).text("t9").text("t10").i32(105).text("t11").text("t12").i32(106).i32(107);
    b.u16(0xBEEF);
    if (longForm)
        b.text("t13").i32(108).i32(109);
}

inline HeskPort expectedPort(int32_t version, bool longForm)
{
    HeskPort p;
    p.version = version;
    p.text1 = "t1", p.text2 = "t2", p.word1 = 101, p.text3 = "t3", p.word2 = 102;
    p.text4 = "t4", p.text5 = "t5", p.text6 = "t6", p.word3 = 103, p.text7 = "t7", p.text8 = "t8";
    p.word4 = 104, p.text9 = "t9", p.text10 = "t10", p.word5 = 105, p.text11 = "t11", p.text12 = "t12";
    p.word6 = 106, p.word7 = 107, p.shortWord = 0xBEEF;
    if (longForm)
        p.text13 = "t13", p.word8 = 108, p.word9 = 109;
    return p;
}

inline void appendConnection(ByteBuilder& b, int32_t version, bool longForm)
{
    b.i32(version).text("c1").i32(1).i32(2).i32(3).i32(4);
    for (const char* t : {"c2", "c3", "c4", "c5", "c6", "c7", "c8", "c9"})
        b.text(t);
    b.count(2).i32(10).i32(-20).i32(30).i32(-40);
    b.text("c10").text("c11").i32(5).i32(6);
    if (longForm)
        b.i32(7);
}

inline HeskConnection expectedConnection(int32_t version, bool longForm)
{
    HeskConnection c;
    c.version = version;
    c.text1 = "c1";
    c.words1to4 = {1, 2, 3, 4};
    c.texts2to9 = {"c2", "c3", "c4", "c5", "c6", "c7", "c8", "c9"};
    c.points = {{10, -20}, {30, -40}};
    c.text10 = "c10", c.text11 = "c11", c.word5 = 5, c.word6 = 6;
    if (longForm)
        c.word7 = 7;
    return c;
}

// A program as the intermediate file of project creation carries it: one package, one
// page with a block (a short and a long port), a short and a long connection and an
// explanatory text.
inline void appendProgram(ByteBuilder& b)
{
    b.i32(41).text("p1").text("p2").text("p3").text("p4").i32(42).text("p5");
    b.count(1).i32(51).text("pkg1").text("pkg2");
    b.count(1).i32(61).text("page1").i32(62).text("page2");
    b.count(1).i32(71);
    for (const char* t : {"b1", "b2", "b3", "b4", "b5", "b6"})
        b.text(t);
    b.i32(72).i32(73).i32(74).i32(75).i32(76).i32(77).text("b7").text("b8").text("b9");
    b.count(1);
    appendPort(b, 1, false);
    b.count(1);
    appendPort(b, 2, true);
    b.text("b10").i32(78).i32(79).text("b11").text("b12").i32(80);
    b.count(2);
    appendConnection(b, 1, false);
    appendConnection(b, -3, true);
    b.count(1).i32(91).text("e1").i32(92).i32(93).i32(94).i32(95).text("e2");
    b.i32(63);
}

inline HeskProgram expectedProgram()
{
    HeskBlock block;
    block.word1 = 71;
    block.texts1to6 = {"b1", "b2", "b3", "b4", "b5", "b6"};
    block.words2to7 = {72, 73, 74, 75, 76, 77};
    block.texts7to9 = {"b7", "b8", "b9"};
    block.firstPorts = {expectedPort(1, false)};
    block.secondPorts = {expectedPort(2, true)};
    block.text10 = "b10", block.word8 = 78, block.word9 = 79, block.text11 = "b11", block.text12 = "b12";
    block.word10 = 80;

    HeskPage page;
    page.word1 = 61, page.text1 = "page1", page.word2 = 62, page.text2 = "page2";
    page.blocks = {block};
    page.connections = {expectedConnection(1, false), expectedConnection(-3, true)};
    page.explains = {HeskExplain{91, "e1", {92, 93, 94, 95}, "e2"}};
    page.word3 = 63;

    HeskProgram program;
    program.word1 = 41;
    program.texts1to4 = {"p1", "p2", "p3", "p4"};
    program.word2 = 42;
    program.text5 = "p5";
    program.packages = {HeskPackage{51, "pkg1", "pkg2", {page}}};
    return program;
}

// ---- whole project files ----

// Header fields 1 to 11.
inline void appendHeader(ByteBuilder& b, QStringView deviceType = u"VRA1", QStringView deviceVersion = u"V1.14.18")
{
    b.i32(1).text(deviceType).text(deviceVersion);
    b.text("VRA1V11418").text("变频器").text("2023-06-01").text("").text("示例");
    b.text("V2.16.35").u16(0x4A21).u16(3);
}

struct ElementSpec {
    uint16_t number;
    uint16_t subIndex;
    const char* name;
};

inline void appendElement(ByteBuilder& b, const ElementSpec& e)
{
    b.i32(3).u16(e.number).u16(e.subIndex).u16(1).u16(e.number).u16(0).u16(0).u16(1).u16(0).u16(0);
    b.text("src").text("0").text("100").text("0").text("").text(e.name);
    b.text("").text("").text("").text("").text("").text("10").text("");
    b.i32(0).i32(1).text("").text("").text("100.0").text("0.0").i32(0);
    b.text("1").text("V").text("1").text("REF").text("0").text("").text("").text("");
}

// Which array of the project gets a count far beyond the data (for the bound tests).
enum class HugeCount { None, Packages, Elements, WordTableA, TextTable, ByteTable, UbaseTable, CustomList };
inline const char* nameOf(HugeCount which)
{
    static const char* const names[] = {"none",      "packages",  "elements",   "wordTableA",
                                        "textTable", "byteTable", "ubaseTable", "customList"};
    return names[static_cast<int>(which)];
}
inline void PrintTo(HugeCount which, std::ostream* os)
{
    *os << nameOf(which);
}

// A small complete project: header, cpuType, the program of appendProgram, time bases,
// the given definitions and one entry in every table.
inline QByteArray projectBytes(const std::vector<ElementSpec>& elements = {{53, kNoSubIndex, "电机额定电压"}},
                               HugeCount huge = HugeCount::None)
{
    auto count = [huge](HugeCount which, int32_t n) { return huge == which ? 0x7FFFFFFF : n; };
    ByteBuilder b;
    appendHeader(b);
    b.text("HESK6504");
    if (huge == HugeCount::Packages)
        b.i32(41).text("p1").text("p2").text("p3").text("p4").i32(42).text("p5").count(0x7FFFFFFF);
    else
        appendProgram(b);
    b.i32(125).i32(250).i32(500).i32(1000).i32(2000).i32(4000);
    b.count(count(HugeCount::Elements, static_cast<int32_t>(elements.size())));
    for (const ElementSpec& e : elements)
        appendElement(b, e);
    b.count(count(HugeCount::WordTableA, 2)).u16(7).u16(8);
    b.count(1).u16(9);
    b.count(count(HugeCount::TextTable, 1)).text("CU");
    b.count(count(HugeCount::ByteTable, 3)).raw({0x00, 0x7F, 0xFF});
    b.count(count(HugeCount::UbaseTable, 1));
    for (int i = 0; i < hesk::model::kUbaseColumns; ++i)
        b.text(QString::number(i));
    b.count(count(HugeCount::CustomList, 2)).u32(53).u32(0x10035);
    return b;
}

}  // namespace hesk::testsupport::fixtures
