#include "model/PageCatalogue.h"

#include <gtest/gtest.h>

using namespace hesk::model;

namespace {

HeskParameterElement definition(uint16_t number, uint16_t subIndex, bool settable)
{
    HeskParameterElement e;
    e.number = number;
    e.subIndex = subIndex;
    e.settable = settable ? 1 : 0;
    return e;
}

// A small project: P0060, P0100.0-1, P0142, r0587, P0733 with sub-indices 0, 1, 10, 11,
// P0848, r0943.0, P2001.
HeskProject sampleProject()
{
    HeskProject p;
    p.elements = {definition(60, kNoSubIndex, true), definition(100, 0, true),
                  definition(100, 1, true),          definition(142, kNoSubIndex, true),
                  definition(587, kNoSubIndex, false), definition(733, 0, true),
                  definition(733, 1, true),          definition(733, 10, true),
                  definition(733, 11, true),         definition(848, kNoSubIndex, true),
                  definition(943, 0, false),         definition(2001, kNoSubIndex, true)};
    p.sortElements();
    return p;
}

std::vector<QString> keys(const HeskProject& p, const std::vector<std::size_t>& rows)
{
    std::vector<QString> out;
    for (std::size_t i : rows) {
        const auto& e = p.elements[i];
        out.push_back(QStringLiteral("%1%2.%3").arg(e.isSettable() ? "P" : "r").arg(e.number).arg(e.subIndex));
    }
    return out;
}

}  // namespace

TEST(PageCatalogue, pageSetsDependOnDeviceClass)
{
    const PageCatalogue inverter(DeviceClass::Inverter);
    EXPECT_EQ(inverter.pageNames().size(), 23);
    EXPECT_TRUE(inverter.hasPage(QStringLiteral("逆变器并联")));
    EXPECT_FALSE(inverter.hasPage(QStringLiteral("装置并联")));

    for (DeviceClass rectifier : {DeviceClass::ActiveRectifier, DeviceClass::FeedbackRectifier,
                                  DeviceClass::BasicRectifier}) {
        const PageCatalogue catalogue(rectifier);
        EXPECT_TRUE(catalogue.hasPage(QStringLiteral("装置并联")));
        EXPECT_FALSE(catalogue.hasPage(QStringLiteral("逆变器并联")));
        EXPECT_EQ(catalogue.pageNames().size(), 14);
    }
    const QStringList universal{QStringLiteral("P参数"), QStringLiteral("r参数"),
                                QStringLiteral("所有参数"), QStringLiteral("自定义参数")};
    EXPECT_EQ(PageCatalogue(DeviceClass::TestBench).pageNames(), universal);
    EXPECT_EQ(PageCatalogue(DeviceClass::None).pageNames(), universal);
}

TEST(PageCatalogue, rowsFollowTheNumberListsAndSubIndexRules)
{
    const HeskProject p = sampleProject();
    const PageCatalogue inverter(DeviceClass::Inverter);
    struct Case {
        const char* page;
        std::vector<QString> expected;
    };
    const std::vector<Case> cases = {
        {"DP通讯", {"P60.255", "P733.1", "P733.10"}},
        {"PN通讯", {"P60.255", "P733.0", "P733.1", "P733.10", "P733.11"}},
        {"无码盘矢量控制", {"P60.255", "P100.0", "P100.1"}},
        {"有码盘矢量控制", {"P60.255", "P100.0", "P100.1", "P142.255"}},
        {"转矩控制", {"P60.255", "P100.0", "P100.1", "P142.255", "r587.255"}},
        {"r参数", {"r587.255", "r943.0"}},
        {"故障/报警", {"r943.0"}},
        {"no such page", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keys(p, inverter.rows(p, QString::fromUtf8(c.page))), c.expected) << c.page;
    EXPECT_EQ(inverter.rows(p, QStringLiteral("所有参数")).size(), p.elements.size());
    EXPECT_EQ(inverter.rows(p, QStringLiteral("P参数")).size(), p.elements.size() - 2);
}

TEST(PageCatalogue, customPageFollowsListOrderAndRepeats)
{
    HeskProject p = sampleProject();
    // Only the low 16 bits name a parameter; 999 has no definition.
    p.customParameters = {848, 100, 0x10000u + 848, 999};
    const PageCatalogue catalogue(DeviceClass::Inverter);
    EXPECT_EQ(keys(p, catalogue.rows(p, QStringLiteral("自定义参数"))),
              (std::vector<QString>{"P848.255", "P100.0", "P100.1", "P848.255"}));
}
