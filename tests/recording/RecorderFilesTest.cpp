// The recorder's files: the settings record as an archive byte stream (round trip, the
// byte layout of its head, damaged and foreign files, the automatic file's place), the
// data table (the layout's edge cases, an exact round trip, files that do not follow the
// layout) and the automatic save with its free-space guard on a faked full disk.

#include "MessagePrinters.h"
#include "QtPrinters.h"
#include "RecordingLog.h"

#include "recording/RecordingAutoSave.h"
#include "recording/TricfgFile.h"
#include "recording/TriggerDataFile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hesk::recording {
namespace {

TriggerSettings sampleSettings()
{
    TriggerSettings s;
    s.headText = QStringLiteral("头");
    s.channels[0] = {8021, QStringLiteral("K0021"), 8021, QStringLiteral("K0021 频率实际值"), 7, -3};
    s.channels[2] = {8081, QStringLiteral("K0081"), 8081, QStringLiteral("K0081 模型转速实际值"), 0, 0};
    s.samplingPeriod = 10;
    s.preTrigger = 25;
    s.condition1On = 1;
    s.condition1Parameter = QStringLiteral("K0021");
    s.condition1Address = 8021;
    s.conditionOperator = 1;
    s.value = QStringLiteral("50.5");
    s.condition2Parameter = QStringLiteral("B0003");
    s.condition2Address = 9003;
    s.condition2Value = 1;
    s.condition2ValueText = QStringLiteral("1");
    s.startMode = QStringLiteral("连续触发");
    s.deviceCode = 1;
    s.savePath = QStringLiteral("/tmp/录波");
    s.lastText = QStringLiteral("end");
    return s;
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

TEST(TricfgFile, roundTripAndTheLayoutOfItsHead)
{
    const TriggerSettings s = sampleSettings();
    const QByteArray bytes = encodeTricfg(s);
    // Head text "头" (FF FE FF 01 + one UTF-16LE unit), count 4, channel 1: address 8021
    // (55 1F 00 00), "K0021", slot 8021 (2 bytes).
    const QByteArray head = QByteArray::fromHex("fffeff01 3459 04000000 551f0000 fffeff05 4b0030003000320031 00 551f");
    EXPECT_EQ(bytes.left(head.size()).toHex(), QByteArray(head).replace(" ", "").toHex());
    const std::optional<TriggerSettings> back = decodeTricfg(bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, s);
}

TEST(TricfgFile, damagedRecordsAreRefused)
{
    const QByteArray good = encodeTricfg(sampleSettings());
    EXPECT_FALSE(decodeTricfg(good.left(good.size() - 1)).has_value());  // short
    EXPECT_FALSE(decodeTricfg(good + QByteArray(1, '\0')).has_value());   // trailing byte
    EXPECT_FALSE(decodeTricfg(QByteArray()).has_value());
    QByteArray threeChannels = good;
    threeChannels[6] = 3;  // the channel count after the 6-byte head text
    EXPECT_FALSE(decodeTricfg(threeChannels).has_value());
    QByteArray hugeCount = good;
    hugeCount[9] = char(0x7F);
    EXPECT_FALSE(decodeTricfg(hugeCount).has_value());
}

TEST(TricfgFile, loadChecksTheDeviceAndNamesAnUnreadableFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.tricfg"));
    ASSERT_TRUE(writeTricfg(path, sampleSettings()).ok);
    auto loaded = loadTricfg(path, 1);
    ASSERT_TRUE(std::holds_alternative<TriggerSettings>(loaded));
    EXPECT_EQ(std::get<TriggerSettings>(loaded), sampleSettings());

    auto foreign = loadTricfg(path, 3);
    ASSERT_TRUE(std::holds_alternative<model::UserMessage>(foreign));
    EXPECT_EQ(std::get<model::UserMessage>(foreign),
              model::UserMessage::error(QStringLiteral("配置文件所属的设备类型与当前工程不符，加载失败！")));

    writeAll(path, QByteArray("not a record"));
    auto bad = loadTricfg(path, 1);
    ASSERT_TRUE(std::holds_alternative<model::UserMessage>(bad));
    EXPECT_EQ(std::get<model::UserMessage>(bad).text,
              QStringLiteral("读取配置文件%1发生错误，加载失败！\n由于软件更新，旧版本保存的配置文件将无法加载！").arg(path));
    EXPECT_TRUE(std::holds_alternative<model::UserMessage>(loadTricfg(dir.filePath(QStringLiteral("none")), 1)));

    // The automatic load falls back to the defaults for a file it cannot take.
    TriggerSettings defaults;
    defaults.deviceCode = 1;
    EXPECT_EQ(loadAutomaticTricfg(path, defaults), defaults);
}

TEST(TricfgFile, automaticFileBesideTheProgramOrInTheConfigFolder)
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("bin"));
    const QString config = dir.filePath(QStringLiteral("config"));
    ASSERT_TRUE(QDir().mkpath(program));
    const char* names[] = {"", "Trsys_VRA1.tricfg", "Trsys_SLM.tricfg", "Trsys_AIC.tricfg", "Trsys_BLM.tricfg"};
    for (int code = 1; code <= 4; ++code)
        EXPECT_EQ(automaticTricfgPath(code, program, config), program + QLatin1Char('/') + QString::fromLatin1(names[code]));
    EXPECT_EQ(automaticTricfgPath(0, program, config), QString());
    QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (!QFileInfo(program).isWritable()) {  // (root writes anywhere)
        EXPECT_EQ(automaticTricfgPath(1, program, config), config + QStringLiteral("/Trsys_VRA1.tricfg"));
    }
    QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // Written into a folder that does not exist yet.
    EXPECT_TRUE(writeTricfg(config + QStringLiteral("/Trsys_VRA1.tricfg"), sampleSettings()).ok);
    EXPECT_EQ(proposedTricfgName(QDateTime(QDate(2026, 12, 11), QTime(4, 5, 6))), QStringLiteral("_20261211_040506.tricfg"));
}

TriggerRecording sampleRecording()
{
    TriggerRecording r;
    r.deviceStyle = QStringLiteral("VRA1");
    r.deviceVersion = QStringLiteral("V1.14.18");
    for (int i = 0; i < 4; ++i) {
        r.channels[size_t(i)].number = i + 1;
        r.channels[size_t(i)].label = TriggerRecording::noSignalLabel(i + 1);
    }
    RecordedChannel& one = r.channels[0];
    one.label = QStringLiteral("K0021 频率实际值");
    one.triggerPosition = 2048;
    for (int k = 0; k < 4096; ++k)
        one.words.push_back(uint16_t(k * 16));
    one.words[0] = 0x8000;
    one.words[1] = 0x4000;
    one.words[2] = 0x7FFF;
    RecordedChannel& three = r.channels[2];
    three.label = QStringLiteral("K0032 状态字1");
    three.triggerPosition = 2048;
    three.words.assign(4096, 0x0003);
    r.information = {QStringLiteral("2026-12-11  04:05:06"), QStringLiteral("K0021 > 50"), QStringLiteral("10"), 400,
                     {{QStringLiteral("P0350"), QStringLiteral("100.000"), QStringLiteral("16384")},
                      {QStringLiteral("P0351"), QStringLiteral("99.993"), QStringLiteral("16383")}}};
    return r;
}

TEST(TriggerDataFile, tableLayoutEdgeCases)
{
    const QByteArray bytes = encodeTriggerData(sampleRecording());
    QStringDecoder gbk("GB18030");
    const QStringList lines = QString(gbk.decode(bytes)).split(QLatin1Char('\n'));
    EXPECT_EQ(lines[0], QStringLiteral("Device Style:    VRA1"));
    EXPECT_EQ(lines[1], QStringLiteral("Device Version:    V1.14.18"));
    EXPECT_EQ(lines[2], QStringLiteral("TR    CH1       CH2       CH3       CH4       "));
    // 2048 of 4096 samples: "2048/50%"; channels 2 and 4 blank.
    EXPECT_EQ(lines[3], QStringLiteral("PRE   2048/50%            2048/50%            "));
    EXPECT_EQ(lines[4], QStringLiteral("1     -200.000            0.018               "));
    EXPECT_EQ(lines[5], QStringLiteral("2     100.000             0.018               "));
    EXPECT_EQ(lines[6], QStringLiteral("3     199.994             0.018               "));
    EXPECT_EQ(lines[4 + 4095].left(6), QStringLiteral("4096  "));
    EXPECT_EQ(lines[4 + 4096], QStringLiteral("TIME  2026-12-11  04:05:06"));
    EXPECT_EQ(lines[4 + 4097], QStringLiteral("COND  K0021 > 50"));
    EXPECT_EQ(lines[4 + 4098], QStringLiteral("SAMP  10"));
    EXPECT_EQ(lines[4 + 4099], QStringLiteral("FREQ  400"));
    EXPECT_EQ(lines[4 + 4100], QStringLiteral("BASE  P0350 = 100.000/16384"));
    EXPECT_EQ(lines[4 + 4102], QStringLiteral("CHAN1  K0021 频率实际值"));
    EXPECT_EQ(lines[4 + 4103], QStringLiteral("CHAN2  通道2无数据信号"));
    EXPECT_EQ(lines.back(), QString());  // every line ends with "\n"

    // 2048 of 8192 gives 2048/25%.
    TriggerRecording quarter = sampleRecording();
    quarter.channels[0].words.resize(8192);
    quarter.channels[2] = {3, TriggerRecording::noSignalLabel(3), {}, 0};
    const QString pre = QString(gbk.decode(encodeTriggerData(quarter))).split(QLatin1Char('\n'))[3];
    EXPECT_EQ(pre, QStringLiteral("PRE   2048/25%                                "));
}

TEST(TriggerDataFile, whatItWritesReadsBackIdentically)
{
    TriggerRecording aic = sampleRecording();
    aic.deviceStyle = QStringLiteral("AIC");
    aic.information.references = {{QStringLiteral("r0071"), QStringLiteral("400.000"), {}},
                                  {QStringLiteral("r0072"), QStringLiteral("120.500"), {}},
                                  {QStringLiteral("UDCn"), QStringLiteral("540.000"), {}}};
    for (const TriggerRecording& r : {sampleRecording(), aic}) {
        const auto back = decodeTriggerData(encodeTriggerData(r));
        ASSERT_TRUE(std::holds_alternative<TriggerRecording>(back)) << std::get<model::UserMessage>(back).text.toStdString();
        EXPECT_TRUE(std::get<TriggerRecording>(back) == r) << r.deviceStyle.toStdString();
    }
    // Every word survives the three decimals.
    TriggerRecording all = sampleRecording();
    all.channels[0].words.resize(8192);
    for (int k = 0; k < 8192; ++k)
        all.channels[0].words[size_t(k)] = uint16_t(k * 8 + (k & 7));
    all.channels[2] = {3, TriggerRecording::noSignalLabel(3), {}, 0};
    const auto back = decodeTriggerData(encodeTriggerData(all));
    ASSERT_TRUE(std::holds_alternative<TriggerRecording>(back));
    EXPECT_EQ(std::get<TriggerRecording>(back).channels[0].words, all.channels[0].words);
}

TEST(TriggerDataFile, filesThatDoNotFollowTheLayoutAreRefused)
{
    const QString good = QStringDecoder("GB18030").decode(encodeTriggerData(sampleRecording()));
    const struct { const char* name; QString text; } cases[] = {
        {"empty", QString()},
        {"not a table", QStringLiteral("hello\nworld\n")},
        {"no style", QString(good).replace(QStringLiteral("Device Style:"), QStringLiteral("Style:"))},
        {"row number skipped", QString(good).replace(QStringLiteral("\n2     "), QStringLiteral("\n7     "))},
        {"value not a number", QString(good).replace(QStringLiteral("100.000 "), QStringLiteral("abc.def "))},
        {"value too large", QString(good).replace(QStringLiteral("100.000 "), QStringLiteral("300.000 "))},
        {"unknown line", QString(good).replace(QStringLiteral("SAMP  10"), QStringLiteral("XYZ  10"))},
        {"no FREQ", QString(good).replace(QStringLiteral("FREQ  400\n"), QString())},
        {"FREQ not a number", QString(good).replace(QStringLiteral("FREQ  400"), QStringLiteral("FREQ  fast"))},
        {"label missing", QString(good).replace(QStringLiteral("CHAN4  "), QStringLiteral("CHAN9  "))},
        {"data without PRE", QString(good).replace(QStringLiteral("PRE   2048/50%  "), QStringLiteral("PRE             "))},
        {"trigger beyond the data", QString(good).replace(QStringLiteral("PRE   2048/50%"), QStringLiteral("PRE   5000/50%"))},
        {"no TIME line", good.left(good.indexOf(QStringLiteral("TIME")))},
    };
    for (const auto& c : cases) {
        QStringEncoder gbk("GBK");
        const QByteArray bytes = gbk.encode(c.text);
        const auto result = decodeTriggerData(bytes);
        ASSERT_TRUE(std::holds_alternative<model::UserMessage>(result)) << c.name;
        EXPECT_EQ(std::get<model::UserMessage>(result), model::UserMessage::error(QStringLiteral("文件格式不符！"))) << c.name;
    }
    const auto missing = readTriggerDataFile(QStringLiteral("/nonexistent/file.txt"));
    ASSERT_TRUE(std::holds_alternative<model::UserMessage>(missing));
    EXPECT_EQ(std::get<model::UserMessage>(missing).text, QStringLiteral("数据文件打开失败！"));
}

TEST(TriggerRecordingValues, timesValuesAndTheInformationView)
{
    TriggerRecording r = sampleRecording();
    // Period 10 x TA 400 us: samples 4 ms apart, the trigger sample at 0.
    EXPECT_DOUBLE_EQ(r.sampleIntervalMs(), 4.0);
    EXPECT_DOUBLE_EQ(r.sampleTimeMs(r.channels[0], 2048), 0.0);
    EXPECT_DOUBLE_EQ(r.sampleTimeMs(r.channels[0], 0), -8192.0);
    EXPECT_EQ(r.timeSpanMs(), std::make_pair(-8192.0, 4095 * 4.0 - 8192.0));
    EXPECT_DOUBLE_EQ(TriggerRecording::analogValue(0x8000), -200.0);
    EXPECT_DOUBLE_EQ(TriggerRecording::analogValue(0x4000), 100.0);
    EXPECT_EQ(TriggerRecording::bitValue(0x0008, 3), 1);
    EXPECT_EQ(TriggerRecording::bitValue(0x0008, 2), 0);
    EXPECT_EQ(cutToThreeDecimals(3.14159), QStringLiteral("3.141"));
    EXPECT_EQ(cutToThreeDecimals(-3.14159), QStringLiteral("-3.141"));
    const auto rows = r.informationRows();
    EXPECT_EQ(rows[2].second, QStringLiteral("10 * TA(400us)"));
    EXPECT_EQ(rows[3].second, QStringLiteral("50 %"));
    EXPECT_EQ(rows[4].second, QStringLiteral("P0350 = 100.000 %"));
    r.information.condition = QStringLiteral("Fault Trigger");
    EXPECT_EQ(r.informationRows()[1].second, QStringLiteral("故障触发"));
    r.information.condition = QStringLiteral("Start Immediately");
    EXPECT_EQ(r.informationRows()[1].second, QStringLiteral("立即启动"));
}

class AutoSave : public ::testing::Test {
protected:
    void touch(const QString& name)
    {
        writeAll(dir.filePath(name), QByteArray("x"));
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir dir;
    testsupport::RecordingLog log;
    qint64 free = 0;
    RecordingAutoSave saver{log, [this](const QString&) { return free; }};
    const QDateTime now{QDate(2026, 12, 11), QTime(4, 5, 6)};
};

TEST_F(AutoSave, fullDiskWithoutOldRecordingsSavesNothing)
{
    touch(QStringLiteral("other.txt"));
    free = 1048575;
    const auto result = saver.save(sampleRecording(), dir.path(), now);
    EXPECT_FALSE(result.saved);
    ASSERT_TRUE(result.message.has_value());
    EXPECT_EQ(*result.message, model::UserMessage::error(QStringLiteral("磁盘空间不足，自动保存触发录波文件失败！")));
    EXPECT_EQ(files(), QStringList{QStringLiteral("other.txt")});
}

TEST_F(AutoSave, oldRecordingsAreDeletedOneByOneUntilTheSpaceSuffices)
{
    touch(QStringLiteral("TrigRec_20260101_000000.txt"));
    touch(QStringLiteral("TrigRec_20260101_000001.txt"));
    touch(QStringLiteral("TrigRec_keep.dat"));
    touch(QStringLiteral("notes.txt"));
    int asked = 0;
    RecordingAutoSave counting(log, [&](const QString&) { return ++asked >= 2 ? kAutoSaveMinimumFree : 0; });
    const auto result = counting.save(sampleRecording(), dir.path(), now);
    ASSERT_TRUE(result.saved);
    EXPECT_EQ(QFileInfo(result.path).fileName(), QStringLiteral("TrigRec_20261211_040506.txt"));
    EXPECT_EQ(log.count(QStringLiteral("磁盘空间不足，自动删除触发录波文件")), 1);
    EXPECT_EQ(files().size(), 4);  // one old recording went, the new one came
    EXPECT_TRUE(files().contains(QStringLiteral("TrigRec_keep.dat")));
    EXPECT_TRUE(files().contains(QStringLiteral("notes.txt")));
    const auto back = readTriggerDataFile(result.path);
    ASSERT_TRUE(std::holds_alternative<TriggerRecording>(back));
    EXPECT_TRUE(std::get<TriggerRecording>(back) == sampleRecording());
}

TEST_F(AutoSave, twoRecordingsInOneSecondKeepBothAndTheFolderIsCreated)
{
    free = kAutoSaveMinimumFree;
    const QString folder = dir.filePath(QStringLiteral("new/sub"));
    const auto first = saver.save(sampleRecording(), folder, now);
    const auto second = saver.save(sampleRecording(), folder, now);
    ASSERT_TRUE(first.saved && second.saved);
    EXPECT_NE(first.path, second.path);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2);
    EXPECT_EQ(freeSpaceHint(qint64(1536) * 1024 * 1024), QStringLiteral("提示：当前选择路径剩余存储空间为1.500GB"));
}

}  // namespace
}  // namespace hesk::recording
