// The parameter file's lines: header, rows, the two readers' acceptance and splitting,
// row resolution against a project.
#include "files/DnlFormat.h"
#include "model/HeskProject.h"
#include "model/ParameterTypes.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace hesk::files {
namespace {

const QDateTime kTime(QDate(2026, 12, 5), QTime(12, 15, 0));

TEST(DnlWriting, headerAndRowsHaveTheirExactBlanksAndLineEnds)
{
    EXPECT_EQ(dnlHeaderBytes(kTime, QStringLiteral("SLM"), QStringLiteral("V1.04.00")),
              QByteArray(";Data:  2026-12-05   Time:  12:15:00\r\n"
                         ";Device Style:    SLM\r\n"
                         ";Device Version:    V1.04.00\r\n"));
    const QByteArray row = dnlRowBytes(QStringLiteral("0100|000|00|"), QStringLiteral("50.00"));
    EXPECT_EQ(row, QByteArray("0100|000|00|           50.00\r\n"));
    EXPECT_EQ(row.size(), 28 + 2);
    // A value of 16 characters or more is written whole.
    EXPECT_EQ(dnlRowBytes(QStringLiteral("0100|000|00|"), QStringLiteral("12345678901234567")),
              QByteArray("0100|000|00|12345678901234567\r\n"));
    EXPECT_EQ(defaultDnlFileName(QStringLiteral("SLM"), QStringLiteral("V1.04.00"), kTime),
              QStringLiteral("SLM_V1.04.00_20261205_121500.dnl"));
}

TEST(DnlWriting, styleNamesFollowTheDeviceType)
{
    EXPECT_EQ(dnlStyleName(QStringLiteral("VRA1")), QStringLiteral("VRA1"));
    EXPECT_EQ(dnlStyleName(QStringLiteral("整流回馈电源")), QStringLiteral("SLM"));
    EXPECT_EQ(dnlStyleName(QStringLiteral("有源整流电源")), QStringLiteral("AIC"));
    EXPECT_EQ(dnlStyleName(QStringLiteral("基本型整流电源")), QStringLiteral("BLM"));
    EXPECT_EQ(dnlStyleName(QStringLiteral("标准产品测试台")), QStringLiteral("UNKNOW"));
    EXPECT_EQ(dnlStyleName(QString()), QStringLiteral("UNKNOW"));
}

TEST(DnlWriting, fileValuesOfConnectionsAndHexadecimalWords)
{
    model::HeskParameterElement connection;
    connection.settable = 1;
    connection.connectionFlag = 1;
    EXPECT_EQ(dnlFileValue(connection, QStringLiteral("K0091")), QStringLiteral("91"));
    EXPECT_EQ(dnlFileValue(connection, QStringLiteral("B0000")), QStringLiteral("0"));
    EXPECT_EQ(dnlFileValue(connection, QStringLiteral("error")), QStringLiteral("error"));

    model::HeskParameterElement hex;
    hex.typeCode = 0;  // "V2"
    ASSERT_EQ(model::typeName(hex.typeCode), QStringLiteral("V2"));
    EXPECT_EQ(dnlFileValue(hex, QStringLiteral("0x1a2b")), QStringLiteral("1A2B"));

    model::HeskParameterElement plain;
    EXPECT_EQ(dnlFileValue(plain, QStringLiteral("0.320")), QStringLiteral("0.320"));
}

TEST(DnlReading, acceptsTrimmedRowsWithABarOfAtLeastTwelveCharactersInFileOrder)
{
    const QByteArray bytes = ";Data:  2026-12-05   Time:  12:15:00\r\n"
                             ";Device Style:    VRA1\n"
                             "\r\n"
                             "   0107|001|00|     100.00   \r\n"  // re-aligned, LF or CR LF alike
                             "0100|000|00|\n"                      // exactly 12: empty value
                             "0100|000|0\r\n"                      // 11 characters
                             "no bar in this long line\r\n"
                             "0050|000|00|  1\n";
    const QStringList rows = acceptedDnlRows(bytes);
    ASSERT_EQ(rows, (QStringList{QStringLiteral("0107|001|00|     100.00"), QStringLiteral("0100|000|00|"),
                                 QStringLiteral("0050|000|00|  1")}));
    const DnlRow first = splitDnlRow(rows[0]);
    EXPECT_EQ(first.number, 107);
    EXPECT_EQ(first.subIndex, 1);
    EXPECT_EQ(first.value, QStringLiteral("100.00"));
    EXPECT_EQ(first.rowKey, QStringLiteral("0107|001"));
    EXPECT_EQ(splitDnlRow(rows[1]).value, QString());
    // A value longer than the field reads back whole.
    EXPECT_EQ(splitDnlRow(QStringLiteral("0100|000|00|12345678901234567")).value,
              QStringLiteral("12345678901234567"));
}

TEST(DnlReading, headerComesFromTheFirstThreeLinesInAnyOrder)
{
    DnlHeader h = parseDnlHeader("Device Version:   V2.13.08 \nx\n;Device Style:  AIC\n");
    EXPECT_EQ(h.style, QStringLiteral("AIC"));
    EXPECT_EQ(h.version, QStringLiteral("V2.13.08"));
    // A style on line 4 is not a header.
    h = parseDnlHeader("a\nb\nc\n;Device Style:    SLM\n");
    EXPECT_TRUE(h.style.isEmpty());
    EXPECT_TRUE(h.version.isEmpty());
}

TEST(DnlReading, filesThatCannotBeReadSaySo)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(readDnlHeader(dir.filePath(QStringLiteral("missing.dnl"))).has_value());
    EXPECT_FALSE(readDnlRows(dir.filePath(QStringLiteral("missing.dnl"))).ok());
    EXPECT_FALSE(readDnlRows(dir.path()).ok());  // a folder
    EXPECT_EQ(readDnlRows(dir.path()).status, model::FileReadStatus::NotAFile);
}

TEST(DnlRowResolution, subIndexZeroFallsBackToTheParameterWithoutSubIndex)
{
    model::HeskProject project;
    model::HeskParameterElement a;
    a.number = 100;
    a.settable = 1;
    model::HeskParameterElement b;
    b.number = 107;
    b.subIndex = 1;
    b.settable = 1;
    project.elements = {a, b};
    project.sortElements();
    EXPECT_EQ(resolveDnlRow(project, splitDnlRow(QStringLiteral("0100|000|00|  1"))), std::optional<std::size_t>(0));
    EXPECT_EQ(resolveDnlRow(project, splitDnlRow(QStringLiteral("0107|001|00|  1"))), std::optional<std::size_t>(1));
    EXPECT_FALSE(resolveDnlRow(project, splitDnlRow(QStringLiteral("0107|000|00|  1"))).has_value());
    EXPECT_FALSE(resolveDnlRow(project, splitDnlRow(QStringLiteral("0107|002|00|  1"))).has_value());
}

}  // namespace
}  // namespace hesk::files
