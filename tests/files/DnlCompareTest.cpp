// File compare, CSV export and the offline save against the installed inverter project:
// the strict reader's order messages, the merge and the filters, the factory values, the
// CSV's code page and field form, and the saved file read back.
#include "DnlProjectFixture.h"

#include "files/CompareCsvExport.h"
#include "files/DnlImport.h"
#include "files/FileCompare.h"
#include "files/OfflineDnlSave.h"

#include "MarkingTranslator.h"
#include "QtPrinters.h"

#include <QDir>
#include <QStringDecoder>

namespace hesk::files::test {
namespace {

struct ReadCase {
    const char* bytes;
    CompareReadStatus status;
    int rowNumber;
};

TEST(DnlCompareReading, rowsMustAscendAndViolationsNameTheRow)
{
    const ReadCase cases[] = {
        {";Device Style:    VRA1\r\n0100|000|00|  5\r\n0100|001|00|  6\n0101|000|00|  7\r\n", CompareReadStatus::Read, 0},
        {"0100|000|00|  5\r\n0099|000|00|  6\r\n", CompareReadStatus::MainOrder, 2},
        {"0100|000|00|  5\r\n0100|001|00|  6\r\n0100|001|00|  7\r\n", CompareReadStatus::AuxOrder, 3},
        {"0100|002|00|  5\r\n0100|001|00|  6\r\n", CompareReadStatus::AuxOrder, 2},
        {";Data: only a header\r\n\r\n|000|00|  5\r\n0100|000\r\n", CompareReadStatus::NoData, 0},
        {"", CompareReadStatus::NoData, 0},
        {"\xff\xfe\x01|\x80|\x90|\r\n", CompareReadStatus::Read, 0},
    };
    for (const ReadCase& c : cases) {
        const CompareRead read = parseCompareRows(QByteArray(c.bytes, static_cast<qsizetype>(strlen(c.bytes))));
        EXPECT_EQ(read.status, c.status) << c.bytes;
        EXPECT_EQ(read.rowNumber, c.rowNumber) << c.bytes;
    }
    const CompareRead read = parseCompareRows("0100|000|00|     5 \r\n");
    ASSERT_EQ(read.entries.size(), 1u);
    EXPECT_EQ(read.entries[0].main, QStringLiteral("0100"));
    EXPECT_EQ(read.entries[0].aux, QStringLiteral("000"));
    EXPECT_EQ(read.entries[0].value, QStringLiteral("5"));

    EXPECT_EQ(compareReadMessage({CompareReadStatus::MainOrder, 2, {}}, {})->text,
              QStringLiteral("文件中第 2 行参数的主参顺序不对，打开失败！"));
    EXPECT_EQ(compareReadMessage({CompareReadStatus::AuxOrder, 3, {}}, {})->text,
              QStringLiteral("文件第 3 行参数的辅参顺序不对或参数重复，打开失败！"));
    EXPECT_EQ(compareReadMessage({CompareReadStatus::NoData, 0, {}}, QStringLiteral("a.dnl"))->text,
              QStringLiteral("文件 a.dnl 中没有有效数据！"));
}

TEST_F(DnlProjectTest, compareMergesTwoFilesAndFiltersEqualAndDifferentRows)
{
    const QString base = write(QStringLiteral("base.dnl"),
                               header() + (row("P0060", QStringLiteral("1")) + "\r\n" + row("P0089", QStringLiteral("3")) +
                                           "\r\n" + row("P0102.1", QStringLiteral("1,5")) + "\r\n")
                                              .toLatin1());
    const QString other = write(QStringLiteral("other.dnl"),
                                header() + (row("P0060", QStringLiteral("1")) + "\r\n" +
                                            row("P0089", QStringLiteral("4")) + "\r\n")
                                               .toLatin1());
    FileCompare compare;
    EXPECT_FALSE(compare.start(&opened, false, prompt));
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("基准文件不能为空！"));
    prompt.chooseFile(base);
    ASSERT_TRUE(compare.choose(CompareSide::Base, CompareSource::File, &opened, prompt));
    EXPECT_EQ(prompt.fileDialogs().back().spec.fileName, QStringLiteral("Monitor.dnl"));
    EXPECT_FALSE(compare.start(&opened, false, prompt));
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("比对文件不能为空！"));
    ASSERT_TRUE(compare.loadFile(CompareSide::Compare, other, prompt));

    QStringList status;
    const auto rows = compare.start(&opened, false, prompt, [&status](const QString& s) { status << s; });
    ASSERT_TRUE(rows);
    EXPECT_EQ(status, (QStringList{QStringLiteral("正在比较数据(1/2)"), QStringLiteral("正在比较数据(2/2)"),
                                   QStringLiteral("正在刷新列表")}));
    ASSERT_EQ(rows->size(), 3u);
    EXPECT_TRUE((*rows)[0].equal);
    EXPECT_EQ((*rows)[0].name, element("P0060").name);
    EXPECT_FALSE((*rows)[1].equal);
    EXPECT_EQ((*rows)[2].base, QStringLiteral("1,5"));
    EXPECT_TRUE((*rows)[2].compare.isEmpty());
    EXPECT_FALSE((*rows)[2].equal);
    int different = 0;
    for (const CompareRow& r : *rows)
        different += passesFilter(r, CompareFilter::Different) ? 1 : 0;
    EXPECT_EQ(different, 2);

    // A file of another extension, rows out of order: the side stays empty.
    EXPECT_FALSE(compare.loadFile(CompareSide::Compare, write(QStringLiteral("x.txt"), "0100|000|00| 1\r\n"), prompt));
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("项目文件%1错误，打开失败！").arg(dir.filePath(QStringLiteral("x.txt"))));
    EXPECT_TRUE(compare.empty(CompareSide::Compare));

    // CSV: the GB code page, the ="..." form, the full-width comma in value fields.
    CompareCsvRequest request;
    request.all = request.different = true;
    request.folder = dir.filePath(QStringLiteral("csv/out"));
    request.baseLabel = QStringLiteral("基准文件");
    request.compareLabel = QStringLiteral("比对文件");
    request.time = QDateTime(QDate(2026, 12, 5), QTime(12, 15, 0));
    const QStringList written = exportCompareCsv(*rows, request, prompt);
    ASSERT_EQ(written.size(), 2);
    EXPECT_TRUE(written[0].endsWith(QStringLiteral("20261205_121500_all.csv")));
    EXPECT_TRUE(written[1].endsWith(QStringLiteral("20261205_121500_unequal.csv")));
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("文件导出成功！"));
    QFile csv(written[0]);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    QStringDecoder gb("GB18030");
    const QString text = gb.decode(bytes);
    const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("=\"主参\",=\"辅参\",=\"参数名称\",=\"注释\",=\"基准文件\",=\"比对文件\""));
    EXPECT_TRUE(lines[3].contains(QStringLiteral("=\"1，5\""))) << lines[3].toStdString();
    EXPECT_FALSE(bytes.contains("\xe4\xb8\xbb"));  // not UTF-8

    for (auto [all, folder, message] :
         {std::tuple{false, QStringLiteral("x"), "不能导出，未选择导出参数类型。"},
          std::tuple{true, QString(), "不能导出，未选择文件路径。"},
          std::tuple{true, write(QStringLiteral("plainfile"), "x") + QStringLiteral("/sub"), "创建文件路径失败。"}}) {
        CompareCsvRequest r;
        r.all = all;
        r.folder = folder;
        EXPECT_TRUE(exportCompareCsv(*rows, r, prompt).isEmpty());
        EXPECT_EQ(prompt.messages().back().text, QString::fromUtf8(message));
    }
}

TEST_F(DnlProjectTest, factoryValuesComparedWithThemselvesHaveNoDifferentRow)
{
    FileCompare compare;
    ASSERT_TRUE(compare.choose(CompareSide::Base, CompareSource::Factory, &opened, prompt));
    compare.loadFactory(CompareSide::Compare, opened);
    EXPECT_EQ(compare.sourceName(CompareSide::Base), QStringLiteral("出厂值"));
    const auto rows = compare.start(&opened, true, prompt);
    ASSERT_TRUE(rows);
    EXPECT_GT(rows->size(), 1000u);
    for (const CompareRow& r : *rows)
        EXPECT_FALSE(passesFilter(r, CompareFilter::Different)) << r.main.toStdString();
    // Without a project there are no factory values: the side stays empty.
    EXPECT_FALSE(compare.choose(CompareSide::Base, CompareSource::Factory, nullptr, prompt));
}

// The factory values' name heads the exported column as it is; the window shows it
// translated. A file loaded over it shows its path, translated or not.
TEST_F(DnlProjectTest, theFactoryValuesNameIsTranslatedOnlyWhereShown)
{
    FileCompare compare;
    compare.loadFactory(CompareSide::Base, opened);
    EXPECT_EQ(compare.shownSourceName(CompareSide::Base), QStringLiteral("出厂值"));

    testsupport::ScopedMarkingTranslator translation;
    ASSERT_TRUE(translation.installed());
    EXPECT_EQ(compare.sourceName(CompareSide::Base), QStringLiteral("出厂值"));
    EXPECT_EQ(compare.shownSourceName(CompareSide::Base), testsupport::MarkingTranslator::marked(QStringLiteral("出厂值")));
    const QString path = write(QStringLiteral("base.dnl"), header() + (row("P0060", QStringLiteral("1")) + "\r\n").toLatin1());
    ASSERT_TRUE(compare.loadFile(CompareSide::Base, path, prompt));
    EXPECT_EQ(compare.shownSourceName(CompareSide::Base), path);
    compare.loadFactory(CompareSide::Base, opened);
    compare.clear(CompareSide::Base);
    EXPECT_EQ(compare.shownSourceName(CompareSide::Base), QString());
}

TEST_F(DnlProjectTest, offlineSaveWritesTheRowsInProjectOrderAndClearsTheMarkOnlyWhenWritten)
{
    ASSERT_TRUE(offline.set(QStringLiteral("P0089"), QStringLiteral("3")));
    ASSERT_TRUE(offline.set(QStringLiteral("P0060"), QStringLiteral("5")));
    ASSERT_TRUE(offline.set(QStringLiteral("P0053"), QStringLiteral("0x1a2b")));
    ASSERT_TRUE(offline.set(QStringLiteral("P0232.1"), QStringLiteral("K0091")));
    const QDateTime time(QDate(2026, 12, 5), QTime(12, 15, 0));

    prompt.chooseFile(std::nullopt);
    EXPECT_FALSE(saveOfflineValuesAsDnl(opened, offline, prompt, log, time));
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("请选择导出dnl文件路径！"));
    const model::FileDialogSpec& spec = prompt.fileDialogs().back().spec;
    EXPECT_EQ(spec.fileName, QStringLiteral("VRA1_V1.14.18_20261205_121500.dnl"));
    EXPECT_EQ(spec.filter, QStringLiteral("dnl File (*.dnl)"));
    EXPECT_EQ(spec.defaultSuffix, QStringLiteral("dnl"));

    // A folder that does not exist: nothing written, the mark stays.
    prompt.chooseFile(dir.filePath(QStringLiteral("no/such/folder/x.dnl")));
    EXPECT_FALSE(saveOfflineValuesAsDnl(opened, offline, prompt, log, time));
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("建立输出文件失败，请您重新尝试！"));
    EXPECT_TRUE(offline.isModified());

    const QString path = dir.filePath(QStringLiteral("saved.dnl"));
    prompt.chooseFile(path);
    ASSERT_TRUE(saveOfflineValuesAsDnl(opened, offline, prompt, log, time));
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("导出dnl文件成功，文件路径：\n") + path);
    EXPECT_FALSE(offline.isModified());
    EXPECT_EQ(offline.fileName(), QStringLiteral("saved.dnl"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray expected = dnlHeaderBytes(time, QStringLiteral("VRA1"), QStringLiteral("V1.14.18")) +
                                dnlRowBytes(element("P0053").referenceKey, QStringLiteral("1A2B")) +
                                dnlRowBytes(element("P0060").referenceKey, QStringLiteral("5")) +
                                dnlRowBytes(element("P0089").referenceKey, QStringLiteral("3")) +
                                dnlRowBytes(element("P0232.1").referenceKey, QStringLiteral("91"));
    EXPECT_EQ(file.readAll(), expected);

    // Read back by the import into an empty set: the same values.
    pages::OfflineValueSet back;
    DnlImporter importer(opened, back, log, readDnlRows(path).rows);
    importer.importAll();
    EXPECT_TRUE(importer.summary().allImported());
    EXPECT_EQ(back.value(QStringLiteral("P0053")), QStringLiteral("0X1A2B"));
    EXPECT_EQ(back.value(QStringLiteral("P0232.1")), QStringLiteral("K0091"));
    EXPECT_EQ(back.value(QStringLiteral("P0089")), QStringLiteral("3"));
}

}  // namespace
}  // namespace hesk::files::test
