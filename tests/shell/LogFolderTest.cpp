// The folder a project's log files go to: beside the project, or under the user's data
// folder for an installed sample or a folder that cannot be written.

#include "shell/LogFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using hesk::shell::projectLogFolder;

namespace {

TEST(ProjectLogFolder, besideTheProjectUnlessInstalledOrNotWritable)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.filePath(QStringLiteral("installed"));
    const QString sample = root + QStringLiteral("/VRA1/VRA1V11418");
    const QString own = dir.filePath(QStringLiteral("work/Drive"));
    // A folder whose name only begins like the root is not inside it.
    const QString lookalike = dir.filePath(QStringLiteral("installed2/Drive"));
    const QString user = dir.filePath(QStringLiteral("user"));
    for (const QString& folder : {sample, own, lookalike})
        ASSERT_TRUE(QDir().mkpath(folder));

    struct Case {
        QString projectFolder;
        QString installedRoot;
        QString expected;
    };
    const std::vector<Case> cases = {
        {own, root, own + QStringLiteral("/logs")},
        {lookalike, root, lookalike + QStringLiteral("/logs")},
        {sample, root, user + QStringLiteral("/logs/VRA1V11418")},
        {sample + QLatin1Char('/'), root + QLatin1Char('/'), user + QStringLiteral("/logs/VRA1V11418")},
        {root, root, user + QStringLiteral("/logs/installed")},
        {sample, QString(), sample + QStringLiteral("/logs")},  // no installed root known
        {dir.filePath(QStringLiteral("missing/Drive")), QString(), user + QStringLiteral("/logs/Drive")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QDir::cleanPath(projectLogFolder(c.projectFolder, c.installedRoot, user)), c.expected)
            << c.projectFolder.toStdString();
}

TEST(ProjectLogFolder, aFolderThatCannotBeWrittenLogsUnderTheUsersDataFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString project = dir.filePath(QStringLiteral("Drive"));
    const QString user = dir.filePath(QStringLiteral("user"));
    ASSERT_TRUE(QDir().mkpath(project + QStringLiteral("/logs")));

    // A logs folder that cannot be written: the project folder alone is not enough.
    QFile::setPermissions(project + QStringLiteral("/logs"), QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(project + QStringLiteral("/logs")).isWritable())
        GTEST_SKIP() << "permissions are not enforced for this user";
    EXPECT_EQ(projectLogFolder(project, QString(), user), user + QStringLiteral("/logs/Drive"));

    QFile::setPermissions(project + QStringLiteral("/logs"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(project, QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(projectLogFolder(project, QString(), user), user + QStringLiteral("/logs/Drive"));
    QFile::setPermissions(project, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(projectLogFolder(project, QString(), user), project + QStringLiteral("/logs"));
}

}  // namespace
