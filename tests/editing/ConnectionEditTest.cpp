// The connection editor's OK without widgets: the candidates, which typed texts name a
// source, the stored connection word, the offline store, the online write with the P0060
// bracket of P0554/P0568/P0569, failures, and P0942 carried along with P0941.

#include "EditingFixture.h"

#include "editing/ConnectionEdit.h"
#include "model/ParameterNumbering.h"

namespace hesk::editing::test {
namespace {

class ConnectionEdit : public EditingTest {};

TEST_F(ConnectionEdit, candidatesAreTheConnectorsAndBinectors)
{
    QStringList texts;
    for (const ConnectionCandidate& c : connectionCandidates(opened))
        texts << c.numberText + QLatin1Char('/') + c.name;
    EXPECT_EQ(texts, (QStringList{QStringLiteral("K0000/参数8000"), QStringLiteral("K0091/参数8091"),
                                  QStringLiteral("B0106/参数9106")}));
}

TEST_F(ConnectionEdit, typedTextsNameSourcesOrAreRefused)
{
    struct Case {
        const char* typed;
        const char* source;   // number text of the source found, or empty
        const char* refusal;  // "title:text", or empty
    };
    const Case cases[] = {
        {"K0091", "K0091", ""},
        {" B0106 ", "B0106", ""},
        {"91", "K0091", ""},
        {"106", "B0106", ""},
        {"0", "K0000", ""},
        {"", "", "提示:请您输入参数号或双击列表相应行，修改连线！"},
        {"K0092", "", "提示:参数不存在，请您重新输入或双击列表相应行，修改连线！"},
        {"P0100", "", "提示:参数不存在，请您重新输入或双击列表相应行，修改连线！"},
        {"-91", "", "提示:参数不存在，请您重新输入或双击列表相应行，修改连线！"},
        {"r0002", "", "警告:此连接型参数即不是K参数也不是B参数，请联系开发人员！"},
        {"2", "", "警告:此连接型参数即不是K参数也不是B参数，请联系开发人员！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const SourceLookup lookup = findConnectionSource(opened, QString::fromLatin1(c.typed));
        if (*c.source) {
            ASSERT_NE(lookup.source, nullptr);
            EXPECT_EQ(model::displayNumber(opened.deviceClass(), *lookup.source, false), QString::fromLatin1(c.source));
            EXPECT_FALSE(lookup.refusal);
        } else {
            EXPECT_EQ(lookup.source, nullptr);
            ASSERT_TRUE(lookup.refusal);
            EXPECT_EQ(lookup.refusal->title + QLatin1Char(':') + lookup.refusal->text, QString::fromUtf8(c.refusal));
        }
    }
}

TEST_F(ConnectionEdit, storedWordIsTheNegatedAddress)
{
    EXPECT_EQ(connectionWord(element("K0091")), 0xFFF4);
    EXPECT_EQ(connectionWord(element("K0000")), 0x8000);
}

TEST_F(ConnectionEdit, offlineStoresTheSourceNumber)
{
    EditEnvironment env = offlineEnvironment();
    const EditOutcome outcome = applyConnection(env, element("P0554"), QStringLiteral("91"));
    EXPECT_TRUE(outcome.applied);
    EXPECT_EQ(outcome.text, QStringLiteral("K0091"));
    EXPECT_EQ(offline.value(QStringLiteral("P0554")), QStringLiteral("K0091"));
    EXPECT_TRUE(offline.isModified());
    EXPECT_TRUE(drive.frames.empty());
    EXPECT_TRUE(prompt.messages().empty());
}

TEST_F(ConnectionEdit, parameterWithoutConnectionIsRefused)
{
    EditEnvironment env = onlineEnvironment();
    EXPECT_FALSE(applyConnection(env, element("P0310"), QStringLiteral("K0091")).applied);
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("警告:此参数不允许修改连线！")});
    EXPECT_TRUE(drive.frames.empty());
}

TEST_F(ConnectionEdit, refusedSourceWritesNothing)
{
    EditEnvironment env = onlineEnvironment();
    EXPECT_FALSE(applyConnection(env, element("P0554"), QStringLiteral("r0002")).applied);
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("警告:此连接型参数即不是K参数也不是B参数，请联系开发人员！")});
    EXPECT_TRUE(drive.frames.empty());
}

TEST_F(ConnectionEdit, bracketedConnectionWritesMenuLevelAroundIt)
{
    tables.parameters.store(1, 3);  // menu level before the change
    EditEnvironment env = onlineEnvironment();
    const EditOutcome outcome = applyConnection(env, element("P0568"), QStringLiteral("B0106"));
    EXPECT_TRUE(outcome.applied);
    EXPECT_EQ(outcome.text, QStringLiteral("B0106"));
    // P0060 = 5, the connection, P0060 back to 3 (not to the 5 the table held meanwhile).
    EXPECT_EQ(frames(), (std::vector<std::string>{"03 0001 0005", "05 0006 FFF8", "03 0001 0003"}));
    EXPECT_EQ(tables.connections.valueOr0(6), 0xFFF8);
    EXPECT_EQ(tables.parameters.valueOr0(1), 3);
    EXPECT_TRUE(prompt.messages().empty());
    EXPECT_EQ(offline.size(), 0);
}

TEST_F(ConnectionEdit, unbracketedConnectionIsOneWrite)
{
    EditEnvironment env = onlineEnvironment();
    EXPECT_TRUE(applyConnection(env, element("P0941.2"), QStringLiteral("K0000")).applied);
    // P0942.2 is a value: it gets the source's address.
    EXPECT_EQ(frames(), (std::vector<std::string>{"05 0016 8000", "03 0017 0000"}));
}

TEST_F(ConnectionEdit, channelInputCarriesItsCompanionAlong)
{
    EditEnvironment env = onlineEnvironment();
    EXPECT_TRUE(applyConnection(env, element("P0941.1"), QStringLiteral("K0091")).applied);
    EXPECT_EQ(frames(), (std::vector<std::string>{"05 0014 FFF4", "05 0015 FFF4"}));
    EXPECT_EQ(tables.connections.valueOr0(21), 0xFFF4);

    EditEnvironment offlineEnv = offlineEnvironment();
    EXPECT_TRUE(applyConnection(offlineEnv, element("P0941.2"), QStringLiteral("K0091")).applied);
    EXPECT_EQ(offline.value(QStringLiteral("P0941.2")), QStringLiteral("K0091"));
    EXPECT_EQ(offline.value(QStringLiteral("P0942.2")), QStringLiteral("12"));
}

TEST_F(ConnectionEdit, failedWritesShowTheirMessages)
{
    struct Case {
        const char* name;
        std::deque<bool> answers;
        std::vector<std::string> frames;
        QStringList messages;
        uint16_t menuLevelAfter;
        uint16_t connectionAfter;
    };
    const QString valueFailed = QStringLiteral("警告:在线修改参数值失败！");
    const QString connectionFailed = QStringLiteral("警告:在线修改参数连线失败！");
    const std::vector<Case> cases = {
        // P0060 = 5 not confirmed: nothing else is written.
        {"level", {false}, {"03 0001 0005"}, {valueFailed}, 3, 0xFFF7},
        // The connection failed: the level still goes back, the old source stays.
        {"connection", {true, false, true}, {"03 0001 0005", "05 0005 FFF4", "03 0001 0003"}, {connectionFailed}, 3,
         0xFFF7},
        // Level back failed after a confirmed connection.
        {"level back", {true, true, false}, {"03 0001 0005", "05 0005 FFF4", "03 0001 0003"}, {valueFailed}, 5,
         0xFFF4},
        {"both", {true, false, false}, {"03 0001 0005", "05 0005 FFF4", "03 0001 0003"},
         {valueFailed, connectionFailed}, 5, 0xFFF7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tables.parameters.store(1, 3);
        tables.connections.store(5, 0xFFF7);
        drive.frames.clear();
        drive.answers = c.answers;
        const std::size_t before = prompt.messages().size();
        EditEnvironment env = onlineEnvironment();
        EXPECT_FALSE(applyConnection(env, element("P0554"), QStringLiteral("K0091")).applied);
        EXPECT_EQ(frames(), c.frames);
        EXPECT_EQ(messageTexts(before), c.messages);
        EXPECT_EQ(tables.parameters.valueOr0(1), c.menuLevelAfter);
        EXPECT_EQ(tables.connections.valueOr0(5), c.connectionAfter);
    }
}

}  // namespace
}  // namespace hesk::editing::test
