// The .xlsx sheet reader: workbooks written by libxlsxwriter (shared and inline
// strings, numbers, booleans, rich text, gaps), by a spreadsheet program (fixture), and
// hand-made packages for what no writer produces, including damaged ones.

#include "RawXlsx.h"

#include "QtPrinters.h"
#include "WorkbookWriter.h"

#include "creation/XlsxReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hesk::creation;
using namespace hesk::testsupport;
namespace raw = hesk::testsupport::rawxlsx;

namespace {

class XlsxReader : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString write(const std::vector<XSheet>& sheets, bool inlineStrings = false)
    {
        const QString path = dir.filePath(QStringLiteral("book%1.xlsx").arg(++files));
        EXPECT_TRUE(writeWorkbook(path, sheets, inlineStrings));
        return path;
    }

    XlsxReadResult readRaw(const raw::Parts& parts, const XlsxLimits& limits = {})
    {
        const QByteArray bytes = raw::zipParts(dir, parts);
        EXPECT_FALSE(bytes.isEmpty());
        return readXlsxSheet(bytes, QStringLiteral("PARAM"), limits);
    }

    QTemporaryDir dir;
    int files = 0;
};

// Header with a gap (column C) and the columns in no particular order; typed cells.
XSheet typedSheet()
{
    XSheet sheet{"PARAM", {}};
    sheet.rows.push_back({XCell::str("值"), XCell::str(" 名称 "), XCell::blank(), XCell::str("标志"), XCell::str("说明")});
    sheet.rows.push_back({XCell::num(3), XCell::str("整数"), XCell::str("no header"), XCell::boolean(true),
                          XCell::rich({"ab", "cd", "ef"})});
    sheet.rows.push_back({XCell::num(12.5), XCell::str("实数"), XCell::blank(), XCell::boolean(false), XCell::blank()});
    sheet.rows.push_back({});  // an empty row
    sheet.rows.push_back({XCell::num(0.1 + 0.2), XCell::blank(), XCell::blank(), XCell::blank(), XCell::str("  ")});
    // Blank in every named column (the unnamed column C does not count).
    sheet.rows.push_back({XCell::blank(), XCell::str(" "), XCell::str("unnamed"), XCell::blank(), XCell::str("  ")});
    sheet.rows.push_back({XCell::num(-7), XCell::str("负数"), XCell::blank(), XCell::blank(), XCell::str("末行")});
    return sheet;
}

void expectTypedTable(const XlsxReadResult& read)
{
    ASSERT_TRUE(read.ok()) << read.detail.toStdString();
    EXPECT_EQ(read.table.columnNames, QStringList({"值", "名称", "标志", "说明"}));
    ASSERT_EQ(read.table.rows.size(), 4u);  // the empty row and the all-blank row are left out
    EXPECT_EQ(read.table.rows[0].sheetRow, 2);
    EXPECT_EQ(read.table.rows[0].cells, QStringList({"3", "整数", "1", "abcdef"}));
    EXPECT_EQ(read.table.rows[1].cells, QStringList({"12.5", "实数", "0", ""}));
    EXPECT_EQ(read.table.rows[2].sheetRow, 5);
    EXPECT_EQ(read.table.rows[2].cells, QStringList({"0.3", "", "", "  "}));
    EXPECT_EQ(read.table.rows[3].sheetRow, 7);
    EXPECT_EQ(read.table.rows[3].cells, QStringList({"-7", "负数", "", "末行"}));
}

TEST_F(XlsxReader, readsSharedStringsNumbersBooleansRichTextAndGaps)
{
    const QString path = write({XSheet{"Sheet1", {textRow({"x"})}}, typedSheet()});
    expectTypedTable(readXlsxSheet(path, "PARAM"));
}

TEST_F(XlsxReader, readsInlineStringsAsSharedOnes)
{
    const QString path = write({typedSheet()}, true);
    // The constant-memory mode of the writer stores texts inline: no shared strings.
    EXPECT_FALSE(raw::zipHasEntry(path, "xl/sharedStrings.xml"));
    EXPECT_TRUE(raw::zipHasEntry(write({typedSheet()}), "xl/sharedStrings.xml"));
    expectTypedTable(readXlsxSheet(path, "PARAM"));
}

TEST_F(XlsxReader, findsTheSheetByNameExactFirstThenWithoutCase)
{
    const QString path = write({XSheet{"Other", {textRow({"A"}), textRow({"other"})}},
                                XSheet{"PARAM", {textRow({"A"}), textRow({"upper"})}},
                                XSheet{"Sheet1", {textRow({"A"}), textRow({"base"})}}});
    EXPECT_EQ(readXlsxSheet(path, "PARAM").table.rows.at(0).cells, QStringList({"upper"}));
    EXPECT_EQ(readXlsxSheet(path, "param").table.rows.at(0).cells, QStringList({"upper"}));
    EXPECT_EQ(readXlsxSheet(path, "SHEET1").table.rows.at(0).cells, QStringList({"base"}));
    const XlsxReadResult missing = readXlsxSheet(path, "Sheet2");
    EXPECT_EQ(missing.status, XlsxStatus::SheetMissing);
    EXPECT_TRUE(missing.detail.contains("Sheet2")) << missing.detail.toStdString();

    // Two names that differ only in case (no spreadsheet program writes that): the
    // exact one wins.
    raw::Parts parts = raw::packageWithSheet("<row r=\"1\"><c t=\"str\"><v>exact</v></c></row>");
    parts["xl/workbook.xml"] = raw::workbookXml("PARAM").replace("name=\"Other\"", "name=\"param\"");
    parts["xl/worksheets/other.xml"] = raw::sheetXml("<row r=\"1\"><c t=\"str\"><v>case</v></c></row>");
    EXPECT_EQ(readRaw(parts).table.columnNames, QStringList({"exact"}));
}

TEST_F(XlsxReader, numbersRenderAsASpreadsheetShowsThem)
{
    const std::vector<std::pair<QString, QString>> cases = {
        {"3", "3"},       {"3.0", "3"},         {"-0", "0"},           {"12.5", "12.5"},
        {"0.1", "0.1"},   {"0.30000000000000004", "0.3"},            {"1E-3", "0.001"},
        {"540", "540"},   {"123456789012345", "123456789012345"},  {"1e20", "1e+20"},
        {" 7 ", "7"},     {"abc", "abc"},       {"1.5E+2", "150"},     {"-2.25", "-2.25"},
    };
    for (const auto& [stored, shown] : cases)
        EXPECT_EQ(renderXlsxNumber(stored), shown) << stored.toStdString();
}

TEST_F(XlsxReader, decodesTheFormatsCharacterEscapes)
{
    EXPECT_EQ(decodeXlsxEscapes("a_x000D_b"), QString("a\rb"));
    EXPECT_EQ(decodeXlsxEscapes("_x005F_x0041_"), QString("_x0041_"));
    EXPECT_EQ(decodeXlsxEscapes("_x00zz_ _x12_"), QString("_x00zz_ _x12_"));
    EXPECT_EQ(decodeXlsxEscapes("P0100_1"), QString("P0100_1"));
}

TEST_F(XlsxReader, handMadePackageReadsPrefixedPartsReferencesAndStringKinds)
{
    // Row 1: shared strings and an inline rich string with a phonetic run; row 3 has
    // cells without references (they follow the previous cell), row 2 comes after it
    // in the file, and cells beyond column IV or row 65536 are outside the query range.
    const QByteArray data =
        "<x:row r=\"1\"><x:c r=\"B1\" t=\"s\"><x:v>0</x:v></x:c><x:c r=\"A1\" t=\"inlineStr\"><x:is><x:r><x:t>K</x:t>"
        "</x:r><x:r><x:t>ey</x:t></x:r><x:rPh><x:t>no</x:t></x:rPh></x:is></x:c><x:c r=\"C1\" t=\"s\"><x:v>1</x:v></x:c>"
        "<x:c r=\"IW1\" t=\"str\"><x:v>beyond IV</x:v></x:c></x:row>"
        "<x:row r=\"3\"><x:c t=\"str\"><x:v>k3_x000A_x</x:v></x:c><x:c t=\"s\"><x:v>2</x:v></x:c>"
        "<x:c t=\"e\"><x:v>#DIV/0!</x:v></x:c></x:row>"
        "<x:row r=\"2\"><x:c r=\"C2\"><x:v>4.50</x:v></x:c><x:c r=\"A2\" t=\"b\"><x:v>1</x:v></x:c></x:row>"
        "<x:row r=\"65537\"><x:c r=\"A65537\" t=\"str\"><x:v>below the range</x:v></x:c></x:row>";
    raw::Parts parts = raw::packageWithSheet({});
    parts["xl/worksheets/param.xml"] = raw::sheetXml(data, "x");
    parts["xl/workbook.xml"] = raw::workbookXml("PARAM", "x");
    const XlsxReadResult read = readRaw(parts);
    ASSERT_TRUE(read.ok()) << read.detail.toStdString();
    EXPECT_EQ(read.table.columnNames, QStringList({"Key", "名称", "值"}));
    ASSERT_EQ(read.table.rows.size(), 2u);
    EXPECT_EQ(read.table.rows[0].sheetRow, 2);
    EXPECT_EQ(read.table.rows[0].cells, QStringList({"1", "", "4.5"}));
    EXPECT_EQ(read.table.rows[1].cells, QStringList({"k3\nx", "abcd", ""}));
}

TEST_F(XlsxReader, aRowNumberGivenTwiceIsOneRowWhoseLaterCellsWin)
{
    // Row 1 and row 2 each appear twice; the second element of each adds a column and
    // overrides one cell. One sheet row comes out per number, in ascending order.
    const QByteArray data =
        "<row r=\"1\"><c r=\"A1\" t=\"str\"><v>Key</v></c><c r=\"B1\" t=\"str\"><v>old</v></c></row>"
        "<row r=\"2\"><c r=\"A2\" t=\"str\"><v>a</v></c><c r=\"B2\" t=\"str\"><v>b</v></c></row>"
        "<row r=\"1\"><c r=\"B1\" t=\"str\"><v>名称</v></c><c r=\"C1\" t=\"str\"><v>值</v></c></row>"
        "<row r=\"2\"><c r=\"B2\" t=\"str\"><v>b2</v></c><c r=\"C2\"><v>7</v></c></row>"
        "<row r=\"3\"><c r=\"A3\" t=\"str\"><v>x</v></c></row>"
        "<row r=\"3\"><c r=\"A3\" t=\"str\"><v> </v></c></row>";
    const XlsxReadResult read = readRaw(raw::packageWithSheet(data));
    ASSERT_TRUE(read.ok()) << read.detail.toStdString();
    EXPECT_EQ(read.table.columnNames, QStringList({"Key", "名称", "值"}));
    ASSERT_EQ(read.table.rows.size(), 1u);  // row 3 ends blank once its later cell wins
    EXPECT_EQ(read.table.rows[0].sheetRow, 2);
    EXPECT_EQ(read.table.rows[0].cells, QStringList({"a", "b2", "7"}));
}

TEST_F(XlsxReader, aSheetWithoutHeaderRowHasNoColumns)
{
    const XlsxReadResult read = readRaw(raw::packageWithSheet("<row r=\"2\"><c t=\"s\"><v>0</v></c></row>"));
    ASSERT_TRUE(read.ok());
    EXPECT_TRUE(read.table.columnNames.isEmpty());
    EXPECT_TRUE(read.table.rows.empty());
    EXPECT_EQ(read.table.missingColumns({"名称", "值"}), QStringList({"名称", "值"}));
}

TEST_F(XlsxReader, damagedPackagesFailCleanly)
{
    struct Case {
        const char* what;
        raw::Parts parts;
        XlsxStatus status;
    };
    auto without = [](const QString& part) {
        raw::Parts parts = raw::packageWithSheet("<row r=\"1\"><c t=\"s\"><v>0</v></c></row>");
        parts.erase(part);
        return parts;
    };
    auto withPart = [](const QString& part, const QByteArray& xml) {
        raw::Parts parts = raw::packageWithSheet("<row r=\"1\"><c t=\"s\"><v>0</v></c></row>");
        parts[part] = xml;
        return parts;
    };
    auto withSheet = [](const QByteArray& data) { return raw::packageWithSheet(data); };
    const std::vector<Case> cases = {
        {"no workbook part", without("xl/workbook.xml"), XlsxStatus::UnsupportedFormat},
        {"no workbook relationships", without("xl/_rels/workbook.xml.rels"), XlsxStatus::Damaged},
        {"sheet part missing", without("xl/worksheets/param.xml"), XlsxStatus::Damaged},
        {"shared strings part missing", without("xl/strings.xml"), XlsxStatus::Damaged},
        {"malformed workbook", withPart("xl/workbook.xml", "<workbook><sheets><sheet name="), XlsxStatus::Damaged},
        {"malformed relationships", withPart("xl/_rels/workbook.xml.rels", "<Relationships>"), XlsxStatus::Damaged},
        {"malformed shared strings", withPart("xl/strings.xml", "<sst><si><t>x</si></sst>"), XlsxStatus::Damaged},
        {"malformed sheet", withPart("xl/worksheets/param.xml", "<worksheet><sheetData><row>"), XlsxStatus::Damaged},
        {"wrong root element", withPart("xl/worksheets/param.xml", "<html/>"), XlsxStatus::Damaged},
        {"shared string index out of range", withSheet("<row r=\"1\"><c t=\"s\"><v>3</v></c></row>"), XlsxStatus::Damaged},
        {"negative shared string index", withSheet("<row r=\"1\"><c t=\"s\"><v>-1</v></c></row>"), XlsxStatus::Damaged},
        {"column beyond XFD", withSheet("<row r=\"1\"><c r=\"XFE1\" t=\"str\"><v>x</v></c></row>"), XlsxStatus::Damaged},
        {"row beyond the grid", withSheet("<row r=\"1048577\"><c t=\"str\"><v>x</v></c></row>"), XlsxStatus::Damaged},
        {"row number zero", withSheet("<row r=\"0\"/>"), XlsxStatus::Damaged},
        {"row number of 20 digits", withSheet("<row r=\"99999999999999999999\"/>"), XlsxStatus::Damaged},
        {"garbage reference", withSheet("<row r=\"1\"><c r=\"1A\" t=\"str\"><v>x</v></c></row>"), XlsxStatus::Damaged},
        {"relationship climbing out", withPart("xl/_rels/workbook.xml.rels",
                                               R"(<Relationships><Relationship Id="rId2" Type="t" Target="../../x.xml"/></Relationships>)"),
         XlsxStatus::Damaged},
    };
    for (const Case& c : cases) {
        const XlsxReadResult read = readRaw(c.parts);
        EXPECT_EQ(read.status, c.status) << c.what << ": " << read.detail.toStdString();
        EXPECT_FALSE(read.detail.isEmpty()) << c.what;
    }
}

TEST_F(XlsxReader, partsAndFilesBeyondTheLimitsAreRefused)
{
    QByteArray many;
    for (int i = 1; i <= 200; ++i)
        many += QStringLiteral("<row r=\"%1\"><c t=\"str\"><v>value %1</v></c></row>").arg(i).toUtf8();
    XlsxLimits limits;
    limits.maxPartBytes = 4096;  // the sheet inflates to more, whatever the archive claims
    EXPECT_EQ(readRaw(raw::packageWithSheet(many), limits).status, XlsxStatus::TooLarge);

    const QByteArray bytes = raw::zipParts(dir, raw::packageWithSheet(many));
    limits = XlsxLimits();
    limits.maxFileBytes = bytes.size() - 1;
    EXPECT_EQ(readXlsxSheet(bytes, "PARAM", limits).status, XlsxStatus::TooLarge);
    const QString path = dir.filePath("big.xlsx");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    EXPECT_EQ(readXlsxSheet(path, "PARAM", limits).status, XlsxStatus::TooLarge);
    EXPECT_TRUE(readXlsxSheet(path, "PARAM").ok());
}

TEST_F(XlsxReader, filesThatAreNoWorkbookOrAreCutShortFailCleanly)
{
    const QString good = write({typedSheet()});
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();

    EXPECT_EQ(readXlsxSheet(QByteArray("Name,Value\n1,2\n"), "PARAM").status, XlsxStatus::UnsupportedFormat);
    EXPECT_EQ(readXlsxSheet(QByteArray(), "PARAM").status, XlsxStatus::UnsupportedFormat);
    // An old binary workbook begins with the compound-file signature.
    EXPECT_EQ(readXlsxSheet(QByteArray::fromHex("D0CF11E0A1B11AE1") + QByteArray(512, '\0'), "PARAM").status,
              XlsxStatus::UnsupportedFormat);
    for (const qsizetype cut : {qsizetype(4), qsizetype(100), bytes.size() / 2, bytes.size() - 10}) {
        const XlsxReadResult read = readXlsxSheet(bytes.left(cut), "PARAM");
        EXPECT_EQ(read.status, XlsxStatus::Damaged) << "cut at " << cut << ": " << read.detail.toStdString();
    }

    // Flip bytes inside the compressed data of every member: inflating or the CRC fails.
    QByteArray flipped = bytes;
    for (qsizetype i = 200; i < flipped.size() - 400; i += 97)
        flipped[i] = static_cast<char>(flipped[i] ^ 0x5A);
    const XlsxReadResult damaged = readXlsxSheet(flipped, "PARAM");
    EXPECT_FALSE(damaged.ok());
    EXPECT_NE(damaged.status, XlsxStatus::UnsupportedFormat) << damaged.detail.toStdString();

    EXPECT_EQ(readXlsxSheet(dir.filePath("none.xlsx"), "PARAM").status, XlsxStatus::FileMissing);
    EXPECT_EQ(readXlsxSheet(dir.path(), "PARAM").status, XlsxStatus::FileUnreadable);
}

TEST_F(XlsxReader, randomlyDamagedWorkbooksNeverCrashTheReader)
{
    const QString good = write({typedSheet()});
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    uint32_t state = 12345;
    auto next = [&state] { return state = state * 1664525u + 1013904223u; };
    int failures = 0;
    for (int round = 0; round < 400; ++round) {
        QByteArray damaged = bytes;
        const int flips = 1 + static_cast<int>(next() % 8);
        for (int i = 0; i < flips; ++i)
            damaged[next() % damaged.size()] = static_cast<char>(next() >> 24);
        if (round % 4 == 0)
            damaged.truncate(static_cast<qsizetype>(next() % damaged.size()));
        const XlsxReadResult read = readXlsxSheet(damaged, "PARAM");
        if (!read.ok()) {
            ++failures;
            EXPECT_FALSE(read.detail.isEmpty()) << "round " << round;
        }
    }
    EXPECT_GT(failures, 0);
}

TEST_F(XlsxReader, readsTheWorkbooksASpreadsheetProgramSaved)
{
    const QString folder = QStringLiteral(HESK_TEST_FIXTURES "/creation/spreadsheet");
    const XlsxReadResult param = readXlsxSheet(folder + "/PARAM.xlsx", "PARAM");
    ASSERT_TRUE(param.ok()) << param.detail.toStdString();
    EXPECT_EQ(param.table.columnNames.size(), 15);  // the 14 of the rules and 备注
    // The first data row of PARAM.csv; the program stored 3, 2 and 1 as numbers and
    // 100.00 as the number 100.
    const int reference = param.table.columnIndex("参考描述");
    const int command = param.table.columnIndex("命令类型");
    const int max = param.table.columnIndex("最大值");
    const int decimals = param.table.columnIndex("小数点");
    ASSERT_GE(reference, 0);
    ASSERT_FALSE(param.table.rows.empty());
    EXPECT_EQ(param.table.rows[0].cells[reference], "0100.000    |电机|额定频率");
    EXPECT_EQ(param.table.rows[0].cells[command], "3");
    EXPECT_EQ(param.table.rows[0].cells[max], "100");
    EXPECT_EQ(param.table.rows[0].cells[decimals], "2");

    const XlsxReadResult base = readXlsxSheet(folder + "/Sheet1.xlsx", "Sheet1");
    ASSERT_TRUE(base.ok()) << base.detail.toStdString();
    EXPECT_EQ(base.table.columnNames.first(), "P参数读取值");
}

}  // namespace
