// The offline import against the installed inverter project: every per-row check and its
// log line, the offline set updated only by differing texts, the counts and end
// messages, opening a file with its project, and the import in steps from the event loop.
#include "DnlProjectFixture.h"

#include "files/DnlImport.h"
#include "files/DnlOpen.h"

#include "QtPrinters.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace hesk::files::test {
namespace {

struct RowCase {
    const char* key;
    const char* value;
    bool imported;
    const char* stored;  // the value imported (when imported)
    const char* log;     // the log prefix; nullptr: no log line
    int level = 0;
};

void PrintTo(const RowCase& c, std::ostream* os) { *os << c.key << " \"" << c.value << '"'; }

class DnlImportRow : public DnlProjectTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(DnlImportRow, isCheckedByTheParameterKindAndLoggedWithTheRow)
{
    const RowCase& c = GetParam();
    const QString line = row(c.key, QString::fromUtf8(c.value));
    DnlImporter importer(opened, offline, log, {line});
    const DnlImportRowOutcome outcome = importer.checkRow(line);
    EXPECT_EQ(outcome.imported, c.imported);
    if (c.imported) {
        EXPECT_EQ(outcome.value, QString::fromUtf8(c.stored));
    }
    if (c.log) {
        const QString mark = c.level == kImportErrorLevel ? QStringLiteral("<错误>") : QString();
        EXPECT_EQ(outcome.logText, mark + QString::fromUtf8(c.log) + line);
        EXPECT_EQ(outcome.logLevel, c.level);
    } else {
        EXPECT_TRUE(outcome.logText.isEmpty()) << outcome.logText.toStdString();
    }
}

constexpr int E = kImportErrorLevel;
constexpr int I = kImportInfoLevel;

INSTANTIATE_TEST_SUITE_P(
    SettableValues, DnlImportRow,
    ::testing::Values(RowCase{"P0089", "3", true, "3", nullptr},
                      RowCase{"P0089", "", false, nullptr, "修改值项值不能为空：", E},
                      RowCase{"P0089", "abc", false, nullptr, "修改值项值格式不符合要求：", E},
                      RowCase{"P0089", "9", true, "7", "修改值项值超过上限：", I},
                      RowCase{"P0089", "-1", true, "0", "修改值项值超过下限：", I},
                      RowCase{"P0089", "3.5", true, "3", "修改值项值被保留为整数：", I},
                      RowCase{"P0102.1", "10.129", true, "10.12", "修改值项值被截取了小数点：", I},
                      RowCase{"P0102.1", "300.555", true, "208.99", "修改值项值被截取了小数点：", I}));

INSTANTIATE_TEST_SUITE_P(
    HexadecimalSpecialAndReadOnly, DnlImportRow,
    ::testing::Values(RowCase{"P0053", "1A2B", true, "0X1A2B", nullptr},
                      RowCase{"P0053", "0x1a2b", true, "0X1A2B", nullptr},
                      RowCase{"P0053", "XYZ", false, nullptr, "修改值项值格式不符合要求：", E},
                      RowCase{"P0749", "1", true, "1.0", nullptr},
                      RowCase{"P0749", "2.75", false, nullptr, "修改值项值不在范围内：", E},
                      RowCase{"r0002", "1.5", true, "1.50", nullptr},
                      RowCase{"r0002", "fast", false, nullptr, "r参数值项值格式不符合要求：", E},
                      RowCase{"r0002", "500", true, "199.99", "r参数值项值超过上限：", I}));

INSTANTIATE_TEST_SUITE_P(
    Connections, DnlImportRow,
    ::testing::Values(RowCase{"P0232.1", "91", true, "K0091", nullptr},
                      RowCase{"P0232.1", "0", true, "K0000", nullptr},
                      // The inverter's speed source never takes K0000: K0091 stands for it.
                      RowCase{"P0222.1", "0", true, "K0091", nullptr},
                      RowCase{"P0232.1", "9998", false, nullptr, "修改连线项值不正确：", E},
                      RowCase{"P0232.1", "123456", false, nullptr, "修改连线项值不正确：", E},
                      RowCase{"P0232.1", "K91", false, nullptr, "P参数值项值格式不符合要求：", E}));

TEST_F(DnlProjectTest, rowsOfNoParameterAndInputsWithoutKOrBConnectionAreRefused)
{
    DnlImporter importer(opened, offline, log, {});
    const QString unknown = QStringLiteral("9999|000|00|               1");
    EXPECT_EQ(importer.checkRow(unknown).logText, QStringLiteral("<错误>未找到对应参数：") + unknown);
    // Labels that are not NNNN|SSS|XX|: taken apart as far as they go, found nowhere.
    for (const char* junk : {"|||||||||||||", "abcd|efg|hi|  5", "\x01\x02\x03|\xff\xfe|00|  1"}) {
        const DnlImportRowOutcome outcome = importer.checkRow(QString::fromLatin1(junk));
        EXPECT_FALSE(outcome.imported) << junk;
        EXPECT_EQ(outcome.logLevel, kImportErrorLevel) << junk;
    }
    ASSERT_TRUE(offline.set(QStringLiteral("P0232.1"), QStringLiteral("error")));
    const QString line = row("P0232.1", QStringLiteral("91"));
    EXPECT_EQ(importer.checkRow(line).logText, QStringLiteral("<错误>不允许修改连线项：") + line);
    // A binector connection keeps its letter.
    ASSERT_TRUE(offline.set(QStringLiteral("P0232.1"), QStringLiteral("B0106")));
    EXPECT_FALSE(importer.checkRow(line).logText.contains(QStringLiteral("不允许修改连线项")));
}

TEST_F(DnlProjectTest, importStoresOnlyChangedValuesCountsRowsAndLogsEachFailure)
{
    const QStringList rows{row("P0060", QStringLiteral("5")), row("P0089", QStringLiteral("9")),
                           QStringLiteral("9999|000|00|               1"), row("P0053", QStringLiteral("1A2B"))};
    DnlImporter first(opened, offline, log, rows);
    first.importAll();
    EXPECT_EQ(first.summary().rows, 4);
    EXPECT_EQ(first.summary().imported, 3);
    EXPECT_EQ(first.summary().changed, 3);
    EXPECT_EQ(offline.value(QStringLiteral("P0060")), QStringLiteral("5"));
    EXPECT_EQ(offline.value(QStringLiteral("P0089")), QStringLiteral("7"));
    EXPECT_EQ(offline.value(QStringLiteral("P0053")), QStringLiteral("0X1A2B"));
    EXPECT_TRUE(offline.isModified());
    EXPECT_TRUE(log.contains(QStringLiteral("修改值项值超过上限：") + rows[1], kImportInfoLevel));
    EXPECT_TRUE(log.contains(QStringLiteral("<错误>未找到对应参数：") + rows[2], kImportErrorLevel));
    EXPECT_EQ(dnlImportEndText(first.summary()),
              QStringLiteral("导入dnl数据成功！\ndnl文件中共有4个参数，成功导入3个参数！\n导入失败信息详见日志。"));

    // The same file again finds equal values: the changed mark is not set again.
    offline.clearModifications();
    DnlImporter second(opened, offline, log, rows);
    second.importAll();
    EXPECT_EQ(second.summary().changed, 0);
    EXPECT_FALSE(offline.isModified());

    DnlImporter all(opened, offline, log, {rows[0]});
    all.importAll();
    EXPECT_EQ(dnlImportEndText(all.summary()), QStringLiteral("导入dnl数据成功！\ndnl文件中共有1个参数，全部导入成功！"));
}

TEST_F(DnlProjectTest, openingAFileChecksItAgainstTheProjectAndReportsUnreadableFiles)
{
    DnlOpenEnvironment env{opened, offline, prompt, log, installedProjects(), {}};
    const QString good = write(QStringLiteral("good.dnl"), header() + row("P0060", QStringLiteral("5")).toLatin1());
    prompt.chooseFile(good);
    const std::optional<DnlImportRequest> request = prepareDnlImport(env);
    ASSERT_TRUE(request);
    EXPECT_EQ(prompt.fileDialogs().at(0).spec.title, QStringLiteral("打开DNL文件"));
    EXPECT_EQ(prompt.fileDialogs().at(0).spec.filter, QStringLiteral("dnl File (*.dnl)"));
    DnlImporter importer(opened, offline, log, request->rows);
    importer.importAll();
    finishDnlImport(env, *request, importer.summary());
    EXPECT_EQ(offline.fileName(), QStringLiteral("good.dnl"));
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("导入dnl数据成功！\ndnl文件中共有1个参数，全部导入成功！"));

    // Cancel ends without a word; a missing file, no rows, a foreign style each say why.
    prompt.chooseFile(std::nullopt);
    EXPECT_FALSE(prepareDnlImport(env));
    const std::size_t shown = prompt.messages().size();
    EXPECT_FALSE(prepareDnlImport(env, dir.filePath(QStringLiteral("missing.dnl"))));
    EXPECT_EQ(prompt.messages().at(shown).text, QStringLiteral("文件打开失败！"));
    EXPECT_FALSE(prepareDnlImport(env, write(QStringLiteral("empty.dnl"), header() + QByteArray(5000, '\0'))));
    EXPECT_EQ(prompt.messages().at(shown + 1).text, QStringLiteral("您所打开的文件没有有效项，请您重新尝试打开其它文件！"));
    EXPECT_FALSE(prepareDnlImport(env, write(QStringLiteral("slm.dnl"), header("SLM", "V2.01.11"))));
    EXPECT_EQ(prompt.messages().at(shown + 2).text, QStringLiteral("dnl文件中的设备类型与当前工程不匹配，禁止导入！"));
    // A huge line without a line end: no row, no crash.
    EXPECT_FALSE(prepareDnlImport(env, write(QStringLiteral("huge.dnl"), QByteArray(4 * 1024 * 1024, 'x'))));
    EXPECT_EQ(prompt.messages().at(shown + 3).text, QStringLiteral("您所打开的文件没有有效项，请您重新尝试打开其它文件！"));
}

// A file of another version: after the version question, the migration report asks
// whether to go on; "No" imports nothing, "Yes" goes on.
TEST_F(DnlProjectTest, aFileOfAnotherVersionShowsTheMigrationReportFirst)
{
    DnlOpenEnvironment env{opened, offline, prompt, log, installedProjects(), {}};
    const QString older = write(QStringLiteral("older.dnl"), header("VRA1", "V1.14.17") + row("P0060", QStringLiteral("5")).toLatin1());
    prompt.answer(model::PromptAnswer::Yes).answer(model::PromptAnswer::No);
    EXPECT_FALSE(prepareDnlImport(env, older));
    ASSERT_EQ(prompt.questions().size(), 2u);
    EXPECT_EQ(prompt.questions()[1].title, QStringLiteral("版本迁移报告"));
    EXPECT_TRUE(prompt.questions()[1].text.startsWith(QStringLiteral("dnl文件版本V1.14.17与工程版本V1.14.18不同。文件共1行")))
        << prompt.questions()[1].text.toStdString();
    EXPECT_TRUE(prompt.questions()[1].text.endsWith(QStringLiteral("是否继续导入？")));
    EXPECT_TRUE(log.contains(QStringLiteral("[文件中没有] P0350：工程中有此参数，dnl文件中没有 → 离线值保持不变"), 2));

    prompt.answer(model::PromptAnswer::Yes).answer(model::PromptAnswer::Yes);
    EXPECT_TRUE(prepareDnlImport(env, older));
}

TEST_F(DnlProjectTest, withoutAProjectTheInstalledProjectOfTheFileIsOpened)
{
    const QString file = write(QStringLiteral("v.dnl"), header() + row("P0060", QStringLiteral("5")).toLatin1());
    opened.close();
    QStringList openedPaths;
    DnlOpenEnvironment env{opened, offline, prompt, log, installedProjects(), [&](const QString& path) {
                               openedPaths << path;
                               return !opened.open(path).has_value();
                           }};
    ASSERT_TRUE(prepareDnlImport(env, file));
    ASSERT_EQ(openedPaths.size(), 1);
    EXPECT_TRUE(openedPaths[0].endsWith(QStringLiteral("VRA1V11418.tmprj")));

    // The project cannot be opened: the warning, no import.
    opened.close();
    env.openProject = [](const QString&) { return false; };
    EXPECT_FALSE(prepareDnlImport(env, file));
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("根据dnl文件中的设备类型和版本打开对应工程失败！"));
    env.projectRoot = dir.filePath(QStringLiteral("nothing-installed"));
    EXPECT_FALSE(prepareDnlImport(env, file));
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("根据dnl文件中的设备类型和版本打开对应工程失败！"));
}

TEST_F(DnlProjectTest, theImportRunsInStepsFromTheEventLoopWithProgress)
{
    int argc = 1;
    char name[] = "test_files";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QStringList rows;
    for (int i = 0; i < 10'000; ++i)
        rows << row("P0089", QString::number(i % 8));
    DnlImportRun run(opened, offline, log, rows);
    std::vector<int> progress;
    bool finished = false;
    QEventLoop loop;
    QObject::connect(&run, &DnlImportRun::progress, [&progress](int done, int) { progress.push_back(done); });
    QObject::connect(&run, &DnlImportRun::finished, [&] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(20'000, &loop, &QEventLoop::quit);
    run.start();
    loop.exec();
    ASSERT_TRUE(finished);
    EXPECT_EQ(progress.size(), 1u + 10'000 / DnlImportRun::kChunkRows);
    EXPECT_EQ(progress.back(), 10'000);
    EXPECT_EQ(run.summary().imported, 10'000);
    EXPECT_EQ(offline.value(QStringLiteral("P0089")), QStringLiteral("7"));
}

}  // namespace
}  // namespace hesk::files::test
