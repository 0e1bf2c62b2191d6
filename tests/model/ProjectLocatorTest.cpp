#include "model/ProjectLocator.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace hesk::model;

namespace {

// An install root with project files for the given keys (<code>/<key>/<key>.tmprj).
class ProjectLocatorTest : public ::testing::Test {
protected:
    void install(const QString& code, const QString& key)
    {
        const QString folder = root.filePath(code + QLatin1Char('/') + key);
        ASSERT_TRUE(QDir().mkpath(folder));
        QFile file(folder + QLatin1Char('/') + key + QStringLiteral(".tmprj"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QString expectedPath(const QString& code, const QString& key) const
    {
        return root.filePath(code + QLatin1Char('/') + key + QLatin1Char('/') + key + QStringLiteral(".tmprj"));
    }

    QTemporaryDir root;
    ProjectLocator locator{root.path()};
};

TEST_F(ProjectLocatorTest, findsTheRequestedVersion)
{
    install(QStringLiteral("VRA1"), QStringLiteral("VRA1V11418"));
    install(QStringLiteral("AIC"), QStringLiteral("AICV21305"));
    install(QStringLiteral("AIC"), QStringLiteral("AICV21308"));

    const ProjectLocateResult vra = locator.locate(QStringLiteral("VRA1"), QStringLiteral("V1.14.18"));
    EXPECT_EQ(vra.status, ProjectLocateStatus::Found);
    EXPECT_EQ(vra.path, expectedPath(QStringLiteral("VRA1"), QStringLiteral("VRA1V11418")));
    EXPECT_FALSE(vra.message.has_value());

    const ProjectLocateResult aic = locator.locate(QStringLiteral("AIC"), QStringLiteral("V2.13.05"));
    EXPECT_EQ(aic.status, ProjectLocateStatus::Found);
    EXPECT_EQ(aic.path, expectedPath(QStringLiteral("AIC"), QStringLiteral("AICV21305")));
}

struct FallbackCase {
    const char* code;
    const char* version;
    const char* fallbackKey;
};

void PrintTo(const FallbackCase& c, std::ostream* os)
{
    *os << c.code << " " << c.version;
}

class ProjectLocatorFallback : public ProjectLocatorTest,
                               public ::testing::WithParamInterface<FallbackCase> {};

TEST_P(ProjectLocatorFallback, missingVersionOpensTheFallbackProject)
{
    const FallbackCase& c = GetParam();
    const QString code = QString::fromLatin1(c.code);
    const QString key = QString::fromLatin1(c.fallbackKey);
    install(code, key);
    // A project of another fallback must not be chosen.
    install(QStringLiteral("AIC"), QStringLiteral("AICV20111"));

    const ProjectLocateResult result = locator.locate(code, QString::fromLatin1(c.version));
    EXPECT_EQ(result.status, ProjectLocateStatus::FoundFallback);
    EXPECT_EQ(result.path, expectedPath(code, key));
    EXPECT_TRUE(result.found());
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ProjectLocatorFallback,
    ::testing::Values(FallbackCase{"AIC", "V2.13.05", "AICV21308"},
                      FallbackCase{"AIC", "V2.01.07", "AICV20207"},
                      FallbackCase{"AIC", "V2.01.06", "AICV20207"},
                      FallbackCase{"AIC", "V2.11.03", "AICV21308"},
                      FallbackCase{"VRA1", "V1.99.99", "VRA1V11418"},
                      FallbackCase{"SLM", "V2.00.04", "SLMV20111"},
                      FallbackCase{"BLM", "V2.00.02", "BLMV20001"},
                      FallbackCase{"PTB", "V1.00.01", "PTBV10000"}));

TEST_F(ProjectLocatorTest, bothMissingNamesTheFallbackPath)
{
    install(QStringLiteral("AIC"), QStringLiteral("AICV20207"));  // the other AIC fallback
    const ProjectLocateResult result = locator.locate(QStringLiteral("AIC"), QStringLiteral("V2.13.05"));
    const QString fallback = expectedPath(QStringLiteral("AIC"), QStringLiteral("AICV21308"));
    EXPECT_EQ(result.status, ProjectLocateStatus::Missing);
    EXPECT_FALSE(result.found());
    EXPECT_EQ(result.path, fallback);
    ASSERT_TRUE(result.message.has_value());
    EXPECT_EQ(result.message->kind, MessageKind::Error);
    EXPECT_EQ(result.message->title, QStringLiteral("错误"));
    EXPECT_EQ(result.message->text,
              QStringLiteral("文件%1不存在，装载失败！").arg(QDir::toNativeSeparators(fallback)));
}

TEST_F(ProjectLocatorTest, unknownCodeFailsWithoutMessage)
{
    install(QStringLiteral("XYZ"), QStringLiteral("XYZV100"));
    for (const char* code : {"XYZ", "aic", "UNKNOW", ""}) {
        const ProjectLocateResult result = locator.locate(QString::fromLatin1(code), QStringLiteral("V1.00"));
        EXPECT_EQ(result.status, ProjectLocateStatus::UnknownDeviceCode) << code;
        EXPECT_FALSE(result.message.has_value()) << code;
        EXPECT_TRUE(result.path.isEmpty()) << code;
    }
}

TEST_F(ProjectLocatorTest, aFolderNamedLikeTheFileIsNoProject)
{
    ASSERT_TRUE(QDir().mkpath(expectedPath(QStringLiteral("SLM"), QStringLiteral("SLMV20111"))));
    EXPECT_EQ(locator.locate(QStringLiteral("SLM"), QStringLiteral("V2.01.11")).status,
              ProjectLocateStatus::Missing);
}

TEST(ProjectLocatorKeys, keyDropsEveryDot)
{
    EXPECT_EQ(ProjectLocator::projectKey(QStringLiteral("VRA1"), QStringLiteral("V1.14.18")),
              QStringLiteral("VRA1V11418"));
    EXPECT_EQ(ProjectLocator::projectKey(QStringLiteral("AIC"), QStringLiteral("V2..13.05.")),
              QStringLiteral("AICV21305"));
    EXPECT_FALSE(ProjectLocator::fallbackVersionKey(QStringLiteral("XYZ"), QString()).has_value());
}

}  // namespace
