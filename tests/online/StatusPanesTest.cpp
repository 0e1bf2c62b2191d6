// The connection panes of the status bar: texts and widths by state, and the CPU load
// text with its edge cases.

#include "online/StatusPanes.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace hesk::online {
namespace {

TEST(CpuLoadText, table)
{
    struct Case {
        uint32_t reference;
        uint32_t idle;
        QString text;
    };
    const std::vector<Case> cases = {
        {65536, 0, QStringLiteral("CPU负荷:100.00%")},
        {80000, 50000, QStringLiteral("CPU负荷:37.50%")},
        {3, 1, QStringLiteral("CPU负荷:66.67%")},
        {0xFFFFFFFFu, 0xFFFFFFFFu, QStringLiteral("CPU负荷:0.00%")},  // full 32 bits, unsigned
        {0x80000000u, 0x40000000u, QStringLiteral("CPU负荷:50.00%")},
        {100, 150, QStringLiteral("CPU负荷:0.00%")},   // more idle than reference: no negative load
        {0, 0, QStringLiteral("CPU负荷:未知")},        // nothing measured: no division by zero
        {0, 5, QStringLiteral("CPU负荷:未知")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cpuLoadText(c.reference, c.idle), c.text) << c.reference << "/" << c.idle;
}

TEST(StatusPanes, textsAndWidthsByState)
{
    struct Case {
        const char* name;
        PaneState state;
        PaneText connection;
        PaneText program;
        PaneText load;
    };
    const int w = 1920;
    PaneState serialOnline{true, true, InterfaceMode::Serial, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("38400"),
                           QStringLiteral("CPU负荷:12.00%")};
    PaneState suspended = serialOnline;
    suspended.monitoring = false;
    const std::vector<Case> cases = {
        {"online serial", serialOnline, {QStringLiteral("在线(/dev/ttyUSB0 | 38400bps)"), 300},
         {QStringLiteral("程序状态:运行中"), 180}, {QStringLiteral("CPU负荷:12.00%"), 165}},
        {"online, not monitoring", suspended, {QStringLiteral("在线(/dev/ttyUSB0 | 38400bps)"), 300},
         {QStringLiteral("程序状态:挂起"), 180}, {QStringLiteral("CPU负荷:未知"), 180}},
        {"online Ethernet", {true, true, InterfaceMode::Ethernet, {}, {}, {}},
         {QStringLiteral("在线，通信接口：以太网"), 300}, {QStringLiteral("程序状态:运行中"), 180},
         {QStringLiteral("CPU负荷:未知"), 165}},
        {"offline serial set", offlinePaneState(ConnectionSettings{InterfaceMode::Serial, QStringLiteral("COM3"),
                                                                   QStringLiteral("COM3"), QStringLiteral("38400"), {}}),
         {QStringLiteral("离线，串口已设置：(COM3 | 38400bps)"), 435}, {QStringLiteral("程序状态:未知"), 180},
         {QStringLiteral("CPU负荷:未知"), 180}},
        {"offline Ethernet set", offlinePaneState(ConnectionSettings{InterfaceMode::Ethernet, {}, {}, {}, {}}),
         {QStringLiteral("离线，通信接口：以太网"), 435}, {QStringLiteral("程序状态:未知"), 180},
         {QStringLiteral("CPU负荷:未知"), 180}},
        {"offline, settings do not load", offlinePaneState(std::nullopt),
         {QStringLiteral("离线：端口没有设置！"), 435}, {QStringLiteral("程序状态:未知"), 180},
         {QStringLiteral("CPU负荷:未知"), 180}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(connectionPane(c.state, w).text, c.connection.text) << c.name;
        EXPECT_EQ(connectionPane(c.state, w).width, c.connection.width) << c.name;
        EXPECT_EQ(programStatePane(c.state, w).text, c.program.text) << c.name;
        EXPECT_EQ(programStatePane(c.state, w).width, c.program.width) << c.name;
        EXPECT_EQ(cpuLoadPane(c.state, w).text, c.load.text) << c.name;
        EXPECT_EQ(cpuLoadPane(c.state, w).width, c.load.width) << c.name;
    }
}

}  // namespace
}  // namespace hesk::online
