// Row rules of the conversion workbook and the merge into definitions.

#include "CreationInputs.h"
#include "QtPrinters.h"

#include "creation/ConversionWorkbook.h"
#include "model/ParameterTypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

using namespace hesk::creation;
using hesk::model::HeskParameterElement;
using hesk::testsupport::creation::ParamRow;

namespace {

ConversionCells conversionCells(const ParamRow& r)
{
    return {r.reference, r.aux,      r.command,   r.forward, r.reverse, r.import,  r.max,
            r.min,       r.unit,     r.decimals,  r.attribute, r.name,  r.comment, r.factory};
}

ParamRow row(const QString& reference, const QString& command = "1", const QString& aux = "0",
             const QString& attribute = "1")
{
    ParamRow r;
    r.reference = reference;
    r.command = command;
    r.aux = aux;
    r.attribute = attribute;
    r.forward = "F";
    r.reverse = "R";
    return r;
}

TEST(ConversionRows, referenceKeyNeedsTwelveCharactersAfterTrimming)
{
    struct Case {
        QString reference;
        bool kept;
        QString key;
        QString text;
    };
    const std::vector<Case> cases = {
        {"0100.000|abc", true, "0100.000|abc", "abc"},            // exactly 12
        {"0100.000|ab", false, "", ""},                            // 11 characters
        {"  0100.000|ab  ", false, "", ""},                        // 11 after trimming
        {"0100.000    |电机|额定频率", true, "0100.000    ", "额定频率"},  // after the last "|"
        {"0100.000 no bar", true, "0100.000 no ", "0100.000 no bar"},  // no "|": all of it
        {"", false, "", ""},
    };
    for (const Case& c : cases) {
        const auto item = rowItemFromCells(conversionCells(row(c.reference)));
        ASSERT_EQ(item.has_value(), c.kept) << c.reference.toStdString();
        if (!item)
            continue;
        EXPECT_EQ(item->referenceKey, c.key);
        EXPECT_EQ(item->referenceText, c.text);
    }
}

TEST(ConversionRows, commandTypeDecidesRowAndFormulas)
{
    struct Case {
        QString command;
        bool kept;
        bool formulas;
    };
    const std::vector<Case> cases = {
        {"0", true, false}, {"1", true, false},  {"2", true, false}, {"3", true, true},
        {"4", true, false}, {"5", false, false}, {"-1", false, false}, {"", true, false},
        {"abc", true, false},  // no digits: 0
        {"3.0", true, false},  // integer value 3, but only the text "3" reads formulas
        {" 3 ", true, true},   // cells are trimmed
        {"12", false, false},
    };
    for (const Case& c : cases) {
        const auto item = rowItemFromCells(conversionCells(row("0100.000    |x", c.command)));
        ASSERT_EQ(item.has_value(), c.kept) << c.command.toStdString();
        if (!item)
            continue;
        EXPECT_EQ(item->forwardFormula, c.formulas ? "F" : "") << c.command.toStdString();
        EXPECT_EQ(item->reverseFormula, c.formulas ? "R" : "") << c.command.toStdString();
        EXPECT_EQ(item->commandType, c.command.trimmed());
    }
}

TEST(ConversionRows, keyTextFromAttributeIndexedFlagAndReferenceKey)
{
    struct Case {
        QString reference, aux, attribute;
        QString keyText;
        int indexed;
    };
    const std::vector<Case> cases = {
        {"0107.002    |x", "1", "1", "P0107.2", 1},
        {"0107.002    |x", "1", "0", "r0107.2", 1},
        {"0107.002    |x", "0", "1", "P0107", 0},
        {"0107.002    |x", "", "2", "r0107", 0},
        {"0943.020    |x", "1", "", "r0943.20", 1},
        {"0107.002    |x", "1.0", "1", "P0107", 0},  // the flag must be exactly "1"
        {"0107.002    |x", " 1 ", "1", "P0107.2", 1},
        {"0107.abc    |x", "1", "1", "P0107.0", 1},  // no digits: sub-index 0
        {"0107.000    |x", "1", "1.0", "r0107.0", 1},
    };
    for (const Case& c : cases) {
        const auto item = rowItemFromCells(conversionCells(row(c.reference, "1", c.aux, c.attribute)));
        ASSERT_TRUE(item);
        EXPECT_EQ(item->keyText, c.keyText) << c.reference.toStdString() << " " << c.aux.toStdString();
        EXPECT_EQ(item->indexed, c.indexed);
    }
}

TEST(ConversionRows, otherCellsAreTrimmedAndDecimalsReadAsInteger)
{
    ParamRow r = row("  0340.000    |直流电压  ", "3");
    r.forward = " P0340*16384/UDCn ";
    r.reverse = "\tP0340*UDCn/16384";
    r.import = " 1";
    r.max = "1000.0 ";
    r.min = " 0.0";
    r.unit = " V ";
    r.decimals = "";
    r.name = " 直流电压设定 ";
    r.comment = " 注释 ";
    r.factory = " 540.0 ";
    auto item = rowItemFromCells(conversionCells(r));
    ASSERT_TRUE(item);
    DnlRowItem expected;
    expected.referenceKey = "0340.000    ";
    expected.keyText = "P0340";
    expected.commandType = "3";
    expected.referenceText = "直流电压";
    expected.forwardFormula = "P0340*16384/UDCn";
    expected.reverseFormula = "P0340*UDCn/16384";
    expected.maxText = "1000.0";
    expected.minText = "0.0";
    expected.decimals = 0;
    expected.unit = "V";
    expected.importFlag = "1";
    expected.attribute = "1";
    expected.name = "直流电压设定";
    expected.comment = "注释";
    expected.factoryValue = "540.0";
    EXPECT_EQ(*item, expected);

    for (const auto& [text, value] : std::vector<std::pair<QString, int>>{
             {"2", 2}, {"", 0}, {"3.7", 3}, {"-1", -1}, {"x", 0}, {"  +4x", 4}, {"99999999999", INT_MAX}}) {
        r.decimals = text;
        EXPECT_EQ(rowItemFromCells(conversionCells(r))->decimals, value) << text.toStdString();
        EXPECT_EQ(leadingInteger(text), value);
    }
}

TEST(ConversionRows, tableRowsNeedEveryColumn)
{
    XlsxTable table;
    table.columnNames = hesk::testsupport::creation::paramColumns();
    table.columnNames.removeAll("反推算公式");
    table.columnNames.removeAll("出厂值");
    QStringList missing;
    EXPECT_FALSE(conversionRowsFromTable(table, &missing));
    EXPECT_EQ(missing, QStringList({"反推算公式", "出厂值"}));

    // Columns in another order are found by name; skipped rows are counted.
    table.columnNames = hesk::testsupport::creation::paramColumns();
    std::reverse(table.columnNames.begin(), table.columnNames.end());
    for (const ParamRow& r : {row("0100.000    |a"), row("short"), row("0101.000    |b", "7")}) {
        QStringList cells = hesk::testsupport::creation::cellsOf(r);
        std::reverse(cells.begin(), cells.end());
        table.rows.push_back({0, cells});
    }
    const auto rows = conversionRowsFromTable(table, nullptr);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->rows.size(), 1u);
    EXPECT_EQ(rows->rows[0].keyText, "P0100");
    EXPECT_EQ(rows->skippedRows, 2);
}

HeskParameterElement definition(uint16_t number, uint16_t subIndex, bool settable, const QString& name)
{
    HeskParameterElement e;
    e.number = number;
    e.subIndex = subIndex;
    e.settable = settable ? 1 : 0;
    e.name = name;
    e.comment = name + "注释";
    e.rawMaxText = "100";
    return e;
}

TEST(ConversionMerge, firstRowWinsAndUnmatchedDefinitionsKeepTheirTexts)
{
    std::vector<HeskParameterElement> definitions = {
        definition(340, 255, true, "中间名340"),
        definition(21, 255, false, "中间名21"),
        definition(107, 2, true, "中间名107.2"),
        definition(500, 255, false, "中间名500"),  // no row
    };
    ParamRow first = row("0340.000    |first", "3");
    first.name = "第一行";
    first.comment = "";
    first.max = "1000.0";
    first.decimals = "1";
    first.factory = "540.0";
    first.unit = "V";
    first.import = "1";
    ParamRow second = row("0340.000    |second", "1");
    second.name = "第二行";
    ParamRow r21 = row("0021.000    |r", "2", "0", "0");
    r21.name = "直流电压";
    ParamRow p21 = row("0021.000    |P", "1", "0", "1");  // P0021: the definition is r0021
    p21.name = "错的";
    ParamRow indexed = row("0107.002    |x", "4", "1", "1");
    indexed.name = "数据组2";
    ParamRow orphan = row("0999.000    |x");

    std::vector<DnlRowItem> rows;
    for (const ParamRow& r : {p21, first, second, r21, indexed, orphan})
        rows.push_back(*rowItemFromCells(conversionCells(r)));

    const std::vector<HeskParameterElement> before = definitions;
    EXPECT_EQ(mergeRowsIntoDefinitions(definitions, rows), 3);

    const HeskParameterElement& p340 = definitions[0];
    EXPECT_EQ(p340.name, "第一行");
    EXPECT_EQ(p340.comment, "");  // the row sets it, empty or not
    EXPECT_EQ(p340.commandType, "3");
    EXPECT_EQ(p340.forwardFormula, "F");
    EXPECT_EQ(p340.reverseFormula, "R");
    EXPECT_EQ(p340.maxText, "1000.0");
    EXPECT_EQ(p340.decimals, 1);
    EXPECT_EQ(p340.factoryValue, "540.0");
    EXPECT_EQ(p340.unit, "V");
    EXPECT_EQ(p340.importFlag, "1");
    EXPECT_EQ(p340.referenceKey, "0340.000    ");
    EXPECT_EQ(p340.auxFlag, "0");
    EXPECT_EQ(p340.rawMaxText, "100");  // intermediate-file fields stay

    EXPECT_EQ(definitions[1].name, "直流电压");
    EXPECT_EQ(definitions[1].commandType, "2");
    EXPECT_EQ(definitions[1].forwardFormula, "");  // no formulas without "3"
    EXPECT_EQ(definitions[2].name, "数据组2");
    EXPECT_EQ(definitions[2].auxFlag, "1");
    EXPECT_EQ(definitions[3], before[3]);
}

}  // namespace
