// Finding installed projects by header-only reads: walk order, damaged files, several
// matches, link loops, stopping, and the add-device lookup.

#include "NamedPipes.h"
#include "ProjectTree.h"
#include "QtPrinters.h"
#include "ScriptedPrompt.h"

#include "online/AddDevice.h"
#include "online/ProjectFolderSearch.h"

#include <QFile>

#include <gtest/gtest.h>

#include <stop_token>

using namespace hesk::online;
using namespace hesk::online::testing;
using hesk::testsupport::ScriptedPrompt;

namespace {

const QString vra1 = QStringLiteral("VRA1");
const QString activeRectifier = QStringLiteral("有源整流电源");

class ProjectFolderSearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.writeProject("VRA1/VRA1V11418/VRA1V11418.tmprj", vra1, "V1.14.18", 0x1111);
        tree.writeProject("VRA1/VRA1V11517/VRA1V11517.tmprj", vra1, "V1.15.17", 0x2222);
        tree.writeProject("AIC/AICV21308/AICV21308.TMPRJ", activeRectifier, "V2.13.08", 0x3333);
        // Damaged: not a project, cut inside the header, empty.
        tree.writeRaw("broken/garbage.tmprj", QByteArray(64, '\x7F'));
        tree.writeRaw("broken/cut-header.tmprj", projectBytes(vra1, "V9.99.99", 0x7777).left(12));
        tree.writeRaw("broken/empty.tmprj", QByteArray());
        // The body is cut off but the header is whole: a header-only read still knows it.
        const QByteArray whole = projectBytes(vra1, "V1.01.01", 0x8888);
        tree.writeRaw("broken/cut-body.tmprj", whole.left(whole.size() - 16));
        // Not project files.
        tree.writeRaw("notes/copy.tmprj.bak", projectBytes(vra1, "V1.14.18", 0x4444));
        tree.writeRaw("notes/tmprj", projectBytes(vra1, "V1.14.18", 0x4444));
        // Shared identifier: the shallow file wins although its name sorts last.
        tree.writeProject("deep/a/b/first-by-name.tmprj", vra1, "V1.12.13", 0x5555);
        tree.writeProject("z.tmprj", vra1, "V1.12.14", 0x5555);
        // Shared identifier in one folder: name order without case.
        tree.writeProject("dup/B.tmprj", vra1, "V1.13.15", 0x6666);
        tree.writeProject("dup/a.tmprj", vra1, "V1.13.16", 0x6666);
        tree.writeProject("dup/.hidden.tmprj", vra1, "V1.13.17", 0x9999);
    }

    ProjectTree tree;
};

TEST_F(ProjectFolderSearchTest, walksBreadthFirstInNameOrderWithoutCase)
{
    QStringList visited;
    walkProjectFiles(tree.root(), [&](const QString& path) {
        visited.append(QDir(tree.root()).relativeFilePath(path));
        return false;
    });
    EXPECT_EQ(visited, (QStringList{
                           "z.tmprj",
                           "broken/cut-body.tmprj",
                           "broken/cut-header.tmprj",
                           "broken/empty.tmprj",
                           "broken/garbage.tmprj",
                           "dup/.hidden.tmprj",
                           "dup/a.tmprj",
                           "dup/B.tmprj",
                           "AIC/AICV21308/AICV21308.TMPRJ",
                           "VRA1/VRA1V11418/VRA1V11418.tmprj",
                           "VRA1/VRA1V11517/VRA1V11517.tmprj",
                           "deep/a/b/first-by-name.tmprj",
                       }));
}

TEST_F(ProjectFolderSearchTest, findsByProgramIdentifier)
{
    struct Case {
        uint16_t programId;
        const char* path;  // nullptr: no match
    };
    const Case cases[] = {
        {0x1111, "VRA1/VRA1V11418/VRA1V11418.tmprj"},
        {0x2222, "VRA1/VRA1V11517/VRA1V11517.tmprj"},
        {0x3333, "AIC/AICV21308/AICV21308.TMPRJ"},
        {0x5555, "z.tmprj"},
        {0x6666, "dup/a.tmprj"},
        {0x9999, "dup/.hidden.tmprj"},
        {0x8888, "broken/cut-body.tmprj"},
        {0x4444, nullptr},  // only in files that are no project files
        {0x7777, nullptr},  // only in a file cut inside its header
        {0x0000, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.programId);
        const std::optional<FoundProject> found = findProjectByProgramId(tree.root(), c.programId);
        if (!c.path) {
            EXPECT_EQ(found, std::nullopt);
            continue;
        }
        ASSERT_TRUE(found);
        EXPECT_EQ(found->path, tree.path(c.path));
        EXPECT_EQ(found->programId, c.programId);
    }
    const std::optional<FoundProject> aic = findProjectByProgramId(tree.root(), 0x3333);
    ASSERT_TRUE(aic);
    EXPECT_EQ(aic->deviceType, activeRectifier);
    EXPECT_EQ(aic->deviceVersion, QStringLiteral("V2.13.08"));
}

TEST_F(ProjectFolderSearchTest, findsByDeviceTypeAndVersion)
{
    const std::optional<FoundProject> found = findProjectByTypeAndVersion(tree.root(), activeRectifier, "V2.13.08");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->path, tree.path("AIC/AICV21308/AICV21308.TMPRJ"));
    EXPECT_EQ(findProjectByTypeAndVersion(tree.root(), vra1, "V2.13.08"), std::nullopt);
    EXPECT_EQ(findProjectByTypeAndVersion(tree.root(), activeRectifier, "V2.13.07"), std::nullopt);
    EXPECT_EQ(findProjectByTypeAndVersion(tree.root(), "AIC", "V2.13.08"), std::nullopt);  // the header holds the long text
}

TEST_F(ProjectFolderSearchTest, aRequestedStopEndsTheWalkWithoutResult)
{
    std::stop_source source;
    source.request_stop();
    int visits = 0;
    walkProjectFiles(tree.root(), [&](const QString&) { return ++visits, false; }, source.get_token());
    EXPECT_EQ(visits, 0);
    EXPECT_EQ(findProjectByProgramId(tree.root(), 0x1111, source.get_token()), std::nullopt);

    // A stop requested from inside the walk takes effect before the next entry.
    std::stop_source midway;
    visits = 0;
    walkProjectFiles(tree.root(), [&](const QString&) { midway.request_stop(); return ++visits, false; },
                     midway.get_token());
    EXPECT_EQ(visits, 1);
}

TEST(ProjectFolderWalk, linkLoopsAndMissingRootsEnd)
{
    ProjectTree tree;
    tree.writeProject("sub/p.tmprj", "VRA1", "V1.14.18", 1);
    ASSERT_TRUE(QFile::link(tree.root(), tree.path("sub/back-to-root")));
    ASSERT_TRUE(QFile::link(tree.path("sub"), tree.path("again")));
    QStringList visited;
    walkProjectFiles(tree.root(), [&](const QString& path) { return visited.append(path), false; });
    EXPECT_EQ(visited, QStringList{tree.path("again/p.tmprj")});  // "again" sorts before "sub"

    int visits = 0;
    walkProjectFiles(tree.path("no such folder"), [&](const QString&) { return ++visits, false; });
    EXPECT_EQ(visits, 0);
}

TEST(ProjectFolderWalk, onlyRegularFilesAreVisitedWhateverTheirName)
{
    ProjectTree tree;
    tree.writeProject("sub/real.tmprj", "VRA1", "V1.14.18", 0x1234);
    // A pipe, a link to a device node and a link to a pipe, all named like projects and
    // sorting before the real one; a link to the real project is visited.
    ASSERT_TRUE(hesk::testsupport::makeNamedPipe(tree.path("a-pipe.tmprj")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), tree.path("b-device.tmprj")));
    ASSERT_TRUE(QFile::link(tree.path("a-pipe.tmprj"), tree.path("c-pipe-link.tmprj")));
    ASSERT_TRUE(QFile::link(tree.path("sub/real.tmprj"), tree.path("d-link.tmprj")));

    QStringList visited;
    walkProjectFiles(tree.root(), [&](const QString& path) {
        visited.append(QDir(tree.root()).relativeFilePath(path));
        return false;
    });
    EXPECT_EQ(visited, (QStringList{"d-link.tmprj", "sub/real.tmprj"}));

    // The search over the same tree ends (a header read of the pipe would block it).
    const auto [found, blocked] = hesk::testsupport::runUnblockingPipe(
        tree.path("a-pipe.tmprj"), [&] { return findProjectByProgramId(tree.root(), 0x1234); });
    EXPECT_FALSE(blocked);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->path, tree.path("d-link.tmprj"));
}

TEST_F(ProjectFolderSearchTest, addDeviceOpensTheProjectOfTypeAndVersionOrSaysNoneWasFound)
{
    ScriptedPrompt prompt;
    EXPECT_EQ(lookUpAddDevice(tree.root(), vra1, "V1.15.17", prompt),
              tree.path("VRA1/VRA1V11517/VRA1V11517.tmprj"));
    EXPECT_TRUE(prompt.messages().empty());

    EXPECT_EQ(lookUpAddDevice(tree.root(), QStringLiteral("基本型整流电源"), "V2.00.01", prompt), std::nullopt);
    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages()[0],
              hesk::model::UserMessage::warning(QStringLiteral("没有找到设备，请您重新选择！")));
}

TEST(AddDeviceLists, typesAndTheirVersions)
{
    EXPECT_EQ(addDeviceTypes(), (QStringList{"VRA1", QStringLiteral("整流回馈电源"), QStringLiteral("有源整流电源"),
                                             QStringLiteral("基本型整流电源")}));
    EXPECT_EQ(addDeviceVersions(QStringLiteral("基本型整流电源")), QStringList{"V2.00.01"});
    const QStringList aic = addDeviceVersions(QStringLiteral("有源整流电源"));
    ASSERT_FALSE(aic.isEmpty());
    EXPECT_EQ(aic.front(), QStringLiteral("V2.01.06"));
    EXPECT_EQ(aic.back(), QStringLiteral("V2.14.04"));
}

}  // namespace
