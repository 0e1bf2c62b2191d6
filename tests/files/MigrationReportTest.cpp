// The migration report of a parameter file from another firmware version: the import's
// and the download's own checks, run on a copy, name every row the project does not
// take, every value refused or corrected and every parameter the file lacks.

#include "files/DownloadImage.h"
#include "files/MigrationReport.h"

#include "model/FaultTableLibrary.h"

#include "MarkingTranslator.h"
#include "RecordingLog.h"
#include "ScriptedPrompt.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace hesk::files {
namespace {

using Kind = MigrationItem::Kind;

class MigrationReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto failure = opened.open(QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj"));
        ASSERT_FALSE(failure.has_value()) << failure->text.toStdString();
        // The file a drive of the project's own version would give: every downloadable
        // parameter at its factory value.
        for (const model::HeskParameterElement& e : opened.project().elements)
            if (isDownloadable(e) && buildDownloadRowKeys(opened.project()).contains(e.referenceKey.left(8)))
                rows << row(e, e.factoryValue);
        header = {QStringLiteral("VRA1"), QStringLiteral("V1.14.17")};
    }
    const model::HeskParameterElement& element(const char* key) const
    {
        const model::HeskParameterElement* e = opened.find(QString::fromLatin1(key));
        EXPECT_NE(e, nullptr) << key;
        return *e;
    }
    // A row as the upload writes it: a connection as the source's number, a hexadecimal
    // value without its "0x".
    static QString row(const model::HeskParameterElement& e, QString value)
    {
        if (e.isConnection() && value.size() == 5 && (value.startsWith(QLatin1Char('K')) || value.startsWith(QLatin1Char('B'))))
            value = QString::number(value.mid(1).toInt());
        else if (value.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            value = value.mid(2);
        return QString::fromLatin1(dnlRowBytes(e.referenceKey, value)).trimmed();
    }
    void replace(const char* key, const QString& value)
    {
        const model::HeskParameterElement& e = element(key);
        const QString old = row(e, e.factoryValue);
        const qsizetype at = rows.indexOf(old);
        ASSERT_GE(at, 0) << key;
        rows[at] = row(e, value);
    }
    void remove(const char* key)
    {
        const model::HeskParameterElement& e = element(key);
        ASSERT_TRUE(rows.removeOne(row(e, e.factoryValue))) << key;
    }
    static std::vector<Kind> kinds(const MigrationReport& report)
    {
        std::vector<Kind> k;
        for (const MigrationItem& item : report.items)
            k.push_back(item.kind);
        return k;
    }

    model::FaultTableLibrary faultTables;
    model::OpenedProject opened{faultTables};
    QStringList rows;
    DnlHeader header;
};

TEST_F(MigrationReportTest, aFileThatFitsTheProjectHasNothingToReport)
{
    ASSERT_GT(rows.size(), 100);
    EXPECT_TRUE(importMigrationReport(opened, header, rows).items.empty())
        << importMigrationReport(opened, header, rows).lines().join('\n').toStdString();
    EXPECT_TRUE(downloadMigrationReport(opened, header, rows).items.empty())
        << downloadMigrationReport(opened, header, rows).lines().join('\n').toStdString();
    EXPECT_TRUE(versionsDiffer(header, opened.project()));
    EXPECT_FALSE(versionsDiffer({QStringLiteral("VRA1"), QStringLiteral(" V1.14.18 ")}, opened.project()));
}

// A row the project does not know, a value beyond its range, and a parameter the file
// lacks: each named once, with what the import and the download will do.
TEST_F(MigrationReportTest, unknownRowsRefusedValuesAndMissingParametersAreNamed)
{
    rows << QStringLiteral("9999|000|0001 = 5");
    replace("P0060", QStringLiteral("99"));
    remove("P0350");
    for (const MigrationUse use : {MigrationUse::Import, MigrationUse::Download}) {
        SCOPED_TRACE(use == MigrationUse::Import ? "import" : "download");
        const MigrationReport report = use == MigrationUse::Import ? importMigrationReport(opened, header, rows)
                                                                   : downloadMigrationReport(opened, header, rows);
        EXPECT_EQ(report.count(Kind::UnknownRow), 1) << report.lines().join('\n').toStdString();
        EXPECT_EQ(report.count(Kind::Refused), 1) << report.lines().join('\n').toStdString();
        EXPECT_EQ(report.count(Kind::MissingInFile), 1) << report.lines().join('\n').toStdString();
        const QStringList lines = report.lines();
        EXPECT_TRUE(lines.filter(QStringLiteral("9999|000")).size() == 1);
        EXPECT_TRUE(lines.filter(QStringLiteral("P0350")).size() == 1);
        EXPECT_EQ(report.rows, rows.size());
        EXPECT_TRUE(report.summary().startsWith(QStringLiteral("dnl文件版本V1.14.17与工程版本V1.14.18不同。"))) << report.summary().toStdString();
    }
}

TEST_F(MigrationReportTest, theQuestionGoesOnOnlyWithYesAndTheLogHasEveryLine)
{
    rows << QStringLiteral("9999|000|0001 = 5");
    const MigrationReport report = importMigrationReport(opened, header, rows);
    ASSERT_EQ(report.items.size(), 1u);
    testsupport::ScriptedPrompt prompt;
    testsupport::RecordingLog log;
    prompt.answer(model::PromptAnswer::No);
    EXPECT_FALSE(confirmMigration(report, prompt, log));
    prompt.answer(model::PromptAnswer::Yes);
    EXPECT_TRUE(confirmMigration(report, prompt, log));
    ASSERT_EQ(prompt.messages().size(), 0u);
    EXPECT_TRUE(log.contains(report.lines().front(), 2));
    // Nothing to report: no question at all.
    EXPECT_TRUE(confirmMigration(MigrationReport{}, prompt, log));
}

// With a translator the question is in the window's language, the log keeps the lines as
// they read without one: the report's own words are translated, the corrected value and
// the file's row are kept as they are.
TEST_F(MigrationReportTest, theQuestionIsTranslatedAndTheLogIsNot)
{
    rows << QStringLiteral("9999|000|0001 = 5");
    replace("P0353", QStringLiteral("99999999"));
    const MigrationReport report = importMigrationReport(opened, header, rows);
    ASSERT_EQ(report.count(Kind::UnknownRow), 1) << report.lines().join('\n').toStdString();
    ASSERT_EQ(report.count(Kind::Corrected), 1) << report.lines().join('\n').toStdString();
    const QStringList untranslated = report.lines();
    const QString summary = report.summary();

    // Without a translator the shown form is the logged one.
    EXPECT_EQ(report.lines(MigrationText::Shown), untranslated);
    EXPECT_EQ(report.summary(MigrationText::Shown), summary);

    testsupport::ScopedMarkingTranslator translation;
    ASSERT_TRUE(translation.installed());
    testsupport::ScriptedPrompt prompt;
    testsupport::RecordingLog log;
    prompt.answer(model::PromptAnswer::Yes);
    ASSERT_TRUE(confirmMigration(report, prompt, log));

    // The log: word for word what the report gives without a translator.
    std::vector<testsupport::RecordingLog::Line> expected{{summary, 2}};
    for (const QString& line : untranslated)
        expected.push_back({line, 2});
    EXPECT_EQ(log.lines(), expected);

    ASSERT_EQ(prompt.questions().size(), 1u);
    const QString& question = prompt.questions().front().text;
    EXPECT_EQ(prompt.questions().front().title, testsupport::MarkingTranslator::marked(QStringLiteral("版本迁移报告")));
    EXPECT_TRUE(question.startsWith(testsupport::MarkingTranslator::marked(summary))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("EN|[EN|工程不接受] 9999|000|0001 = 5："))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("→ EN|不导入"))) << question.toStdString();
    const MigrationItem& corrected = *std::find_if(report.items.begin(), report.items.end(),
                                                   [](const MigrationItem& i) { return i.kind == Kind::Corrected; });
    EXPECT_FALSE(corrected.value.isEmpty());
    EXPECT_TRUE(question.contains(QStringLiteral("→ EN|以修正后的值%1导入").arg(corrected.value))) << question.toStdString();
    EXPECT_TRUE(question.endsWith(testsupport::MarkingTranslator::marked(QStringLiteral("\n\n是否继续导入？")))) << question.toStdString();
}

}  // namespace
}  // namespace hesk::files
