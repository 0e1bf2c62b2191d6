// The fault-data file: its exact layout, a round trip for controller and drive-board
// records, damaged files refused with the format message, and the fault-word check.
#include "model/FaultCatalogue.h"
#include "model/FaultTableLibrary.h"
#include "recording/FaultDataFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hesk::recording {
namespace {

const QDateTime kWritten(QDate(2026, 12, 11), QTime(3, 33, 2));

FaultRecord controllerRecord()
{
    FaultRecord r;
    r.station = 1;
    r.stationCount = 3;
    FaultEntry a;
    a.number = 1;
    a.channels = {{1, false, {}, {100.0, -25.5, 0.125}}, {2, false, {}, {12.0}}};
    FaultEntry b;
    b.number = 2;
    b.channels = {{1, false, {}, {-200.0, 199.994}}, {10, false, {}, {1.0, 2.0}}};
    r.faults = {a, b};
    for (uint16_t w = 0; w < 24; ++w)
        r.words.push_back(w == 0 ? 0x0008 : w);
    r.words.push_back(4660);
    r.faults[0].faultWords.assign(r.words.begin(), r.words.begin() + 12);
    r.faults[1].faultWords.assign(r.words.begin() + 12, r.words.begin() + 24);
    return r;
}

FaultRecord boardRecord()
{
    FaultRecord r;
    r.driveBoard = true;
    FaultEntry a;
    a.number = 1;
    for (int c = 1; c <= 8; ++c) {
        const bool digital = c != 1 && c != 4;
        a.channels.push_back({c, digital, driveBoardChannelName(c), digital ? std::vector<double>{1, 0}
                                                                            : std::vector<double>{50.5, -12.25}});
    }
    r.faults = {a};
    r.words = {1, 2, 3, 4, 5, 6};
    return r;
}

TEST(FaultDataFile, isWrittenInItsLayout)
{
    FaultRecord r = controllerRecord();
    r.faults.resize(1);
    r.words = {0x0008, 0x00AB};
    r.faults[0].faultWords = r.words;
    r.words.push_back(12);  // up to twelve words per fault are fault words
    const QByteArray bytes = faultDataFileBytes(r, faultFileHeader(r, model::DeviceClass::Inverter,
                                                                   QStringLiteral("V1.14.18"), kWritten));
    EXPECT_EQ(bytes.toStdString(),
              "Data:  2026-12-11   Time:  03:33:02\r\n"
              "Device Style:    VRA1\r\n"
              "Device Version:    V1.14.18\r\n"
              "G   FAULT1  CH1       CH2       \r\n"
              "1           100.000   12.000    \r\n"
              "2           -25.500             \r\n"
              "3           0.125               \r\n"
              "FNM:1\r\n"
              "STN:3\r\n"
              "FW1:0008\r\n"
              "FW2:00ab\r\n"
              "FW3:000c\r\n"
              "STATION:1\r\n");
}

TEST(FaultDataFile, deviceStylesAndTheDriveBoardHeader)
{
    const std::vector<std::pair<model::DeviceClass, const char*>> styles = {
        {model::DeviceClass::Inverter, "VRA1"},      {model::DeviceClass::FeedbackRectifier, "SLM"},
        {model::DeviceClass::BasicRectifier, "BLM"}, {model::DeviceClass::ActiveRectifier, "AIC"},
        {model::DeviceClass::TestBench, "PTB"},      {model::DeviceClass::None, "UNKNOW"}};
    for (const auto& [deviceClass, style] : styles)
        EXPECT_EQ(faultFileDeviceStyle(deviceClass), QString::fromLatin1(style));
    const FaultFileHeader board =
        faultFileHeader(boardRecord(), model::DeviceClass::Inverter, QStringLiteral("V1.14.18"), kWritten);
    EXPECT_EQ(board.deviceStyle, QStringLiteral("DriverBoard"));
    EXPECT_EQ(board.deviceVersion, QStringLiteral("V1.00.00"));
}

TEST(FaultDataFile, readsBackWhatItWrote)
{
    for (const FaultRecord& record : {controllerRecord(), boardRecord()}) {
        const FaultFileHeader header =
            faultFileHeader(record, model::DeviceClass::Inverter, QStringLiteral("V1.14.18"), kWritten);
        const QByteArray bytes = faultDataFileBytes(record, header);
        const FaultFileRead read = parseFaultDataFile(bytes);
        ASSERT_TRUE(read.contents.has_value()) << read.message.toStdString() << "\n" << bytes.toStdString();
        EXPECT_EQ(read.contents->header, header);
        FaultRecord expected = record;
        // Three decimals is what the file keeps.
        expected.faults.back().channels.front().samples.back() =
            record.driveBoard ? -12.25 : 199.994;
        EXPECT_EQ(read.contents->record, expected);
        EXPECT_EQ(faultDataFileBytes(read.contents->record, read.contents->header), bytes);
    }
}

TEST(FaultDataFile, damagedFilesAreRefused)
{
    const FaultRecord record = controllerRecord();
    const QString good = QString::fromLatin1(faultDataFileBytes(
        record, faultFileHeader(record, model::DeviceClass::Inverter, QStringLiteral("V1.14.18"), kWritten)));
    struct Damage {
        const char* name;
        QString from;
        QString to;
    };
    const std::vector<Damage> damages = {
        {"no date line", QStringLiteral("Data:  2026-12-11   Time:  03:33:02\r\n"), {}},
        {"no device line", QStringLiteral("Device Style:    VRA1\r\n"), {}},
        {"no fault count", QStringLiteral("FNM:2\r\n"), {}},
        {"no station count", QStringLiteral("STN:3\r\n"), {}},
        {"no station", QStringLiteral("STATION:1\r\n"), {}},
        {"a fault count that is not the groups'", QStringLiteral("FNM:2"), QStringLiteral("FNM:3")},
        {"a word number skipped", QStringLiteral("FW2:"), QStringLiteral("FW3:")},
        {"a fault word not in hexadecimal", QStringLiteral("FW1:0008"), QStringLiteral("FW1:8")},
        {"a word above 16 bits", QStringLiteral("FW25:4660"), QStringLiteral("FW25:65536")},
        {"a sample that is no number", QStringLiteral("100.000 "), QStringLiteral("1oo.000 ")},
        {"a row out of step", QStringLiteral("\r\n2           -25.500"), QStringLiteral("\r\n5           -25.500")},
        {"a cell out of its column", QStringLiteral("12.000    \r\n"), QStringLiteral("12.000   \r\n")},
        {"a sample after a gap", QStringLiteral("3           0.125             "),
         QStringLiteral("3           0.125     1.000   ")},
        {"faults out of order", QStringLiteral("G   FAULT2"), QStringLiteral("G   FAULT1")},
        {"a stray line", QStringLiteral("FNM:2\r\n"), QStringLiteral("FNM:2\r\nhello\r\n")},
        {"a channel header cut", QStringLiteral("CH10      "), QStringLiteral("CH10")},
    };
    for (const Damage& d : damages) {
        ASSERT_TRUE(good.contains(d.from)) << d.name;
        QString text = good;
        text.replace(text.indexOf(d.from), d.from.size(), d.to);
        const FaultFileRead read = parseFaultDataFile(text.toLatin1());
        EXPECT_FALSE(read.contents.has_value()) << d.name;
        EXPECT_EQ(read.message, QStringLiteral("文件格式不符！")) << d.name;
    }
    EXPECT_FALSE(parseFaultDataFile({}).contents.has_value());
    EXPECT_FALSE(parseFaultDataFile("\xFF\xFE\x00").contents.has_value());
}

TEST(FaultDataFile, writesThroughATemporaryFileAndReportsWhatCannotBeOpened)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const FaultRecord record = controllerRecord();
    const FaultFileHeader header =
        faultFileHeader(record, model::DeviceClass::Inverter, QStringLiteral("V1.14.18"), kWritten);
    const QString path = dir.filePath(faultFileProposedName());
    ASSERT_FALSE(writeFaultDataFile(path, record, header).has_value());
    const FaultFileRead read = readFaultDataFile(path);
    ASSERT_TRUE(read.contents.has_value());
    EXPECT_EQ(read.contents->record.faults.size(), 2u);
    // A folder that does not exist: the old file stays, the failure has a reason.
    EXPECT_TRUE(writeFaultDataFile(dir.filePath(QStringLiteral("no/such/FAULTDATA.txt")), record, header).has_value());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{faultFileProposedName()});
    EXPECT_EQ(readFaultDataFile(dir.filePath(QStringLiteral("missing.txt"))).message, QStringLiteral("文件打开失败！"));
}

TEST(FaultDataFile, faultWordsTheCatalogueCannotShowAreRefused)
{
    const model::FaultTableLibrary library;
    model::FaultCatalogue inverter(library);
    inverter.build(model::DeviceClass::Inverter, QStringLiteral("V1.14.18"));
    model::FaultCatalogue none(library);
    none.build(model::DeviceClass::None, QString());

    FaultRecord record = controllerRecord();
    for (FaultEntry& f : record.faults)
        std::fill(f.faultWords.begin(), f.faultWords.end(), 0);
    record.faults[0].faultWords[0] = 0x0008;   // r0943.0: the catalogue explains it
    record.faults[0].faultWords[9] = 0x0001;   // r0943.9: an alarm word it explains
    EXPECT_FALSE(faultWordMismatch(record, inverter).has_value());
    EXPECT_TRUE(faultWordMismatch(record, none).has_value());
    record.faults[1].faultWords[5] = 0x0002;   // r0943.5: no entry names it
    EXPECT_EQ(faultWordMismatch(record, inverter).value_or(QString()),
              QStringLiteral("导入故障录波文件时，文件中要求显示的故障字信息与当前工程不匹配，导入操作被禁止！"));
    EXPECT_FALSE(faultWordMismatch(boardRecord(), none).has_value());
}

}  // namespace
}  // namespace hesk::recording
