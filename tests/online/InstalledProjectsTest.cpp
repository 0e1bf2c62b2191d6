// Where the installed projects are looked for: the named folder, the environment, the
// installation beside the executable, the source tree; in that order.

#include "QtPrinters.h"

#include "online/InstalledProjects.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using hesk::online::chooseProjectRoot;
using hesk::online::ProjectRoot;
using hesk::online::ProjectRootInputs;

namespace {

class InstalledProjectsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // An installed layout: <prefix>/bin and <prefix>/share/heskmonitor/projects; and
        // an executable folder with no installation beside it.
        ASSERT_TRUE(QDir(dir.path()).mkpath("installed/bin"));
        ASSERT_TRUE(QDir(dir.path()).mkpath("installed/share/heskmonitor/projects"));
        ASSERT_TRUE(QDir(dir.path()).mkpath("build/src/cli"));
    }
    QString path(const QString& relative) const { return QDir::cleanPath(dir.filePath(relative)); }

    QTemporaryDir dir;
};

TEST_F(InstalledProjectsTest, firstGivenSourceWinsInOrder)
{
    const QString installedBin = path("installed/bin");
    const QString buildBin = path("build/src/cli");
    const QString sourceTree = path("source/data/projects");
    struct Case {
        const char* name;
        ProjectRootInputs inputs;
        ProjectRoot expected;
    };
    const Case cases[] = {
        {"option before everything", {path("mine"), path("env"), installedBin, sourceTree}, {path("mine"), "option"}},
        {"empty option counts as none", {QString(), path("env"), installedBin, sourceTree}, {path("env"), "environment"}},
        {"environment before installation", {std::nullopt, path("env"), installedBin, sourceTree},
         {path("env"), "environment"}},
        {"installation beside the executable", {std::nullopt, QString(), installedBin, sourceTree},
         {path("installed/share/heskmonitor/projects"), "installation"}},
        {"build tree falls back to the source tree", {std::nullopt, QString(), buildBin, sourceTree},
         {sourceTree, "source tree"}},
        {"no executable folder", {std::nullopt, QString(), QString(), sourceTree}, {sourceTree, "source tree"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(chooseProjectRoot(c.inputs), c.expected);
    }
}

TEST_F(InstalledProjectsTest, relativeFoldersAreMadeAbsoluteAgainstTheCurrentFolder)
{
    const QString current = QDir::currentPath();
    EXPECT_EQ(chooseProjectRoot({QStringLiteral("projects"), QString(), QString(), QString()}).folder,
              QDir(current).absoluteFilePath("projects"));
    EXPECT_EQ(chooseProjectRoot({std::nullopt, QStringLiteral("env/projects"), QString(), QString()}).folder,
              QDir(current).absoluteFilePath("env/projects"));
}

TEST_F(InstalledProjectsTest, installationFolderMustBeAFolder)
{
    // A file where the installed folder would be does not count.
    QDir(dir.path()).mkpath("odd/bin");
    QDir(dir.path()).mkpath("odd/share/heskmonitor");
    QFile file(path("odd/share/heskmonitor/projects"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(chooseProjectRoot({std::nullopt, QString(), path("odd/bin"), path("src")}),
              (ProjectRoot{path("src"), "source tree"}));
}

}  // namespace
