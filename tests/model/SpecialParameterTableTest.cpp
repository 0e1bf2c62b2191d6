#include "model/ParameterTypes.h"
#include "model/SpecialParameterTable.h"

#include <gtest/gtest.h>

#include <QSet>

using hesk::model::HeskParameterElement;
using hesk::model::HeskProject;
using hesk::model::kNoSubIndex;
using hesk::model::SpecialParameterTable;

namespace {

HeskParameterElement element(uint16_t number, uint16_t subIndex, bool settable)
{
    HeskParameterElement e;
    e.number = number;
    e.subIndex = subIndex;
    e.settable = settable ? 1 : 0;
    e.name = QStringLiteral("#%1.%2").arg(number).arg(subIndex);
    return e;
}

class SpecialParameterTableTest : public ::testing::Test {
protected:
    SpecialParameterTableTest()
    {
        project.elements = {element(1, kNoSubIndex, false),  element(53, kNoSubIndex, false),
                            element(70, kNoSubIndex, true),  element(107, 1, true),
                            element(107, 4, true),           element(943, 0, false),
                            element(943, 20, false),         element(7000, 4, true)};
        project.sortElements();
    }
    HeskProject project;
};

TEST_F(SpecialParameterTableTest, resolvesPresentKeyTextsToTheirElements)
{
    const SpecialParameterTable table(project);
    for (const char* key : {"r0001", "P0070", "P0107.1", "P0107.4", "r0943.0", "r0943.20", "P7000.4"}) {
        const auto index = table.indexOf(QString::fromLatin1(key));
        ASSERT_TRUE(index.has_value()) << key;
        EXPECT_EQ(hesk::model::keyText(project.elements[*index]), QString::fromLatin1(key));
        EXPECT_EQ(table.element(project, QString::fromLatin1(key)), &project.elements[*index]);
    }
}

TEST_F(SpecialParameterTableTest, listedKeyWithoutElementIsRememberedAsAbsent)
{
    const SpecialParameterTable table(project);
    // "P0053" is listed, but the project only has the read-only r0053.
    for (const char* key : {"P0053", "P0107.2", "r0943.1", "P7000.5", "P0109"}) {
        EXPECT_TRUE(table.isListed(QString::fromLatin1(key))) << key;
        EXPECT_FALSE(table.indexOf(QString::fromLatin1(key))) << key;
        EXPECT_EQ(table.element(project, QString::fromLatin1(key)), nullptr) << key;
    }
}

TEST_F(SpecialParameterTableTest, keyOutsideTheListLooksUpAsNothing)
{
    const SpecialParameterTable table(project);
    EXPECT_FALSE(table.isListed(QStringLiteral("r0053")));
    EXPECT_FALSE(table.indexOf(QStringLiteral("r0053")));
    EXPECT_FALSE(SpecialParameterTable().indexOf(QStringLiteral("P0070")));
}

TEST_F(SpecialParameterTableTest, customListExtendsTheTable)
{
    const SpecialParameterTable table(project, {QStringLiteral("r0053"), QStringLiteral("P0070")});
    EXPECT_EQ(table.listedCount(), 2);
    EXPECT_TRUE(table.indexOf(QStringLiteral("r0053")));
    EXPECT_FALSE(table.isListed(QStringLiteral("r0001")));
}

TEST_F(SpecialParameterTableTest, mutableElementWritesIntoTheProject)
{
    const SpecialParameterTable table(project);
    table.element(project, QStringLiteral("P0070"))->currentValueText = QStringLiteral("12");
    EXPECT_EQ(project.elements[*table.indexOf(QStringLiteral("P0070"))].currentValueText, "12");
}

TEST_F(SpecialParameterTableTest, staleIndexBeyondTheProjectGivesNoElement)
{
    const SpecialParameterTable table(project);
    HeskProject smaller;
    EXPECT_EQ(table.element(smaller, QStringLiteral("P7000.4")), nullptr);
}

TEST(SpecialParameterTableList, holdsTheKnownKeyTextsOnceEach)
{
    const QStringList keys = SpecialParameterTable::standardKeyTexts();
    const QSet<QString> unique(keys.begin(), keys.end());
    EXPECT_EQ(unique.size(), keys.size());
    for (const char* key : {"P0053", "P0060", "P0089", "P0070", "P0071", "P0072", "P0073", "r0071", "r0072",
                            "r0073", "P0107.1", "P0107.4", "P0109", "P0109.1", "P0109.4", "r0001",
                            "r0002", "r0004", "r0006.0", "r0007", "r0011", "r0012", "r0013", "r0015",
                            "r0550", "r0820", "r0828", "P0880", "P0100", "P0115", "P0340", "P0350",
                            "P0354", "P0749", "P0830", "P0970", "P7000.4", "P7000.5", "P7030", "P7200",
                            "r0943.0", "r0943.20"})
        EXPECT_TRUE(unique.contains(QString::fromLatin1(key))) << key;
    EXPECT_FALSE(unique.contains(QStringLiteral("r0943.21")));
    EXPECT_FALSE(unique.contains(QStringLiteral("P0107.0")));
    // Every entry is a well-formed key text.
    for (const QString& key : keys)
        EXPECT_TRUE(hesk::model::parseKeyText(key)) << key.toStdString();
}

}  // namespace
