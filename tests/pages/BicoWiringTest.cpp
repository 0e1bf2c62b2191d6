// The wiring of connection inputs: built from the installed inverter sample offline, both
// directions of lookup, offline values over factory values, and the search text.
#include "pages/BicoWiring.h"

#include "PageFixtures.h"

#include <gtest/gtest.h>

namespace hesk::pages {
namespace {

class BicoWiringTest : public ::testing::Test {
protected:
    std::unique_ptr<model::OpenedProject> opened = test::openSample(QStringLiteral("VRA1/VRA1V11418"));
    OfflineValueSet offline;
    BicoWiring wiring() const
    {
        return BicoWiring(opened->project(), opened->deviceClass(), offlineBicoSource(opened->deviceClass(), offline));
    }
};

TEST_F(BicoWiringTest, everyConnectionInputIsListedWithItsFactorySourceAndTheSourcesName)
{
    const BicoWiring w = wiring();
    int inputs = 0;
    for (const model::HeskParameterElement& e : opened->project().elements)
        inputs += e.isSettable() && e.isConnection() ? 1 : 0;
    ASSERT_GT(inputs, 0);
    EXPECT_EQ(static_cast<int>(w.connections().size()), inputs);

    const std::vector<BicoConnection> speed = w.feeding(QStringLiteral("P0222.1"));
    ASSERT_EQ(speed.size(), 1u);
    EXPECT_EQ(speed[0].input, QStringLiteral("P0222.001"));
    EXPECT_EQ(speed[0].inputName, QStringLiteral("转速实际值来源"));
    EXPECT_EQ(speed[0].source, QStringLiteral("K0091"));
    EXPECT_EQ(speed[0].sourceName, QStringLiteral("编码器转速实际值"));
    ASSERT_TRUE(speed[0].sourceIndex.has_value());
    EXPECT_EQ(opened->project().elements[*speed[0].sourceIndex].number, 8091);
}

TEST_F(BicoWiringTest, anInputWithoutSubIndexNamesEveryDataSetAndAnExactOneNamesOne)
{
    const BicoWiring w = wiring();
    const auto all = w.feeding(QStringLiteral("p0222"));
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].input, QStringLiteral("P0222.001"));
    EXPECT_EQ(all[1].input, QStringLiteral("P0222.002"));
    EXPECT_EQ(w.feeding(QStringLiteral("P0222.002")).size(), 1u);
    EXPECT_TRUE(w.feeding(QStringLiteral("P0222.9")).empty());
    EXPECT_TRUE(w.feeding(QStringLiteral("P0222.x")).empty());
    EXPECT_TRUE(w.feeding(QStringLiteral("P0100")).empty());  // not a connection input
}

TEST_F(BicoWiringTest, whatAnOutputFeedsFollowsTheOfflineValues)
{
    EXPECT_EQ(wiring().fedBy(QStringLiteral("K0091")).size(), 2u);  // P0222.1 and .2 from the factory
    offline.set(QStringLiteral("P0232.1"), QStringLiteral("K0091"));
    offline.set(QStringLiteral("P0222.2"), QStringLiteral("K0000"));
    const auto fed = wiring().fedBy(QStringLiteral(" k0091 "));
    ASSERT_EQ(fed.size(), 2u);
    EXPECT_EQ(fed[0].input, QStringLiteral("P0222.001"));
    EXPECT_EQ(fed[1].input, QStringLiteral("P0232.001"));
    EXPECT_TRUE(wiring().fedBy(QString()).empty());
}

TEST_F(BicoWiringTest, aSourceTheProjectDoesNotHaveKeepsItsTextWithoutAName)
{
    offline.set(QStringLiteral("P0222.1"), QStringLiteral("K9999"));
    const auto c = wiring().feeding(QStringLiteral("P0222.1"));
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].source, QStringLiteral("K9999"));
    EXPECT_TRUE(c[0].sourceName.isEmpty());
    EXPECT_FALSE(c[0].sourceIndex.has_value());
}

TEST(BicoSearch, matchesInputSourceAndNamesIgnoringCase)
{
    BicoConnection c;
    c.input = QStringLiteral("P0222.001");
    c.inputName = QStringLiteral("转速实际值来源");
    c.source = QStringLiteral("K0091");
    c.sourceName = QStringLiteral("编码器转速实际值");
    for (const char* text : {"", "p0222", "k0091", "编码器", "实际值来源"})
        EXPECT_TRUE(bicoMatches(c, QString::fromUtf8(text))) << text;
    EXPECT_FALSE(bicoMatches(c, QStringLiteral("P0317")));
}

}  // namespace
}  // namespace hesk::pages
