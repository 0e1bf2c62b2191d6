// The fault and alarm list: rows in catalogue order from the set bits, the status from
// every set bit of the fault and alarm words, change detection, the empty list after a
// fault reset, and the words of each device type.
#include "SessionFixture.h"

#include <QEventLoop>
#include <QTimer>

#include "model/FaultWordLists.h"
#include "online/ReadRequests.h"
#include "recording/FaultAlarmList.h"


namespace hesk::recording {
namespace {

using namespace std::chrono_literals;
using model::DeviceClass;

QStringList codes(const std::vector<FaultAlarmRow>& rows)
{
    QStringList list;
    for (const FaultAlarmRow& r : rows)
        list << r.code;
    return list;
}

class FaultRows : public ::testing::Test {
protected:
    FaultRows() : inverter(library) { inverter.build(DeviceClass::Inverter, QStringLiteral("V1.14.18")); }
    std::vector<FaultAlarmRow> rows(const FaultWordValues& values) const
    {
        return faultAlarmRows(inverter, model::faultWordLists(DeviceClass::Inverter), values, QStringLiteral("VRA1"),
                              QStringLiteral("V1.14.18"));
    }
    model::FaultTableLibrary library;
    model::FaultCatalogue inverter;
};

TEST_F(FaultRows, setBitsGiveRowsInCatalogueOrderAndTheStatus)
{
    const model::FaultWordLists words = model::faultWordLists(DeviceClass::Inverter);
    struct Case {
        const char* name;
        FaultWordValues values;
        QStringList codes;
        DeviceStatus status;
    };
    const std::vector<Case> cases = {
        {"nothing set", {{"r0943.0", 0}, {"r0943.9", 0}}, {}, DeviceStatus::Normal},
        {"no word reported yet", {}, {}, DeviceStatus::Normal},
        {"two fault bits of r0943.0", {{"r0943.0", 0x0081}}, {"F025", "F008"}, DeviceStatus::Fault},
        {"one bit, three phases: the catalogue's order", {{"r0943.0", 0x0038}}, {"F011", "F011", "F011"},
         DeviceStatus::Fault},
        {"alarm bits only", {{"r0943.9", 0x0003}}, {"A023", "A033"}, DeviceStatus::Alarm},
        {"a fault outranks an alarm; rows of both", {{"r0943.9", 0x0001}, {"r0943.0", 0x0040}}, {"F006", "A023"},
         DeviceStatus::Fault},
        {"an unexplained bit in a fault word: no row, still a fault", {{"r0943.5", 0x0001}}, {}, DeviceStatus::Fault},
        {"an unexplained bit in r0943.20", {{"r0943.20", 0x8000}}, {}, DeviceStatus::Fault},
        {"an unexplained bit in an alarm word: no row, an alarm", {{"r0943.15", 0x0004}}, {}, DeviceStatus::Alarm},
        {"a word that is neither", {{"r0943.17", 0xFFFF}}, {}, DeviceStatus::Normal},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(codes(rows(c.values)), c.codes) << c.name;
        EXPECT_EQ(faultStatus(words, c.values), c.status) << c.name;
    }
}

TEST_F(FaultRows, aRowCarriesItsNumberIconAndTexts)
{
    const std::vector<FaultAlarmRow> r = rows({{"r0943.0", 0x0008}, {"r0943.9", 0x0001}});
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], (FaultAlarmRow{true, 1, QStringLiteral("VRA1"), QStringLiteral("V1.14.18"), QStringLiteral("F011"),
                                   QStringLiteral("A相过流故障"), QStringLiteral("A相电流超过过流关机阈值"),
                                   inverter.explain(QStringLiteral("r0943.0"), 0x0008).front().remedy}));
    EXPECT_FALSE(r[1].fault);
    EXPECT_EQ(r[1].number, 2);
    // The test bench's entries have no code: the alarm icon.
    model::FaultCatalogue bench(library);
    bench.build(DeviceClass::TestBench, QString());
    const std::vector<FaultAlarmRow> b = faultAlarmRows(bench, model::faultWordLists(DeviceClass::TestBench),
                                                        {{"r0943.0", 0x0001}}, QStringLiteral("PTB"), {});
    ASSERT_EQ(b.size(), 1u);
    EXPECT_FALSE(b[0].fault);
    EXPECT_TRUE(b[0].code.isEmpty());
}

TEST(FaultWordLists, eachDeviceTypeCoversItsCatalogueWords)
{
    const model::FaultTableLibrary library;
    for (const DeviceClass c : {DeviceClass::Inverter, DeviceClass::FeedbackRectifier, DeviceClass::ActiveRectifier,
                                DeviceClass::BasicRectifier, DeviceClass::TestBench}) {
        model::FaultCatalogue catalogue(library);
        catalogue.build(c, QStringLiteral("V2.13.05"));
        const model::FaultWordLists lists = model::faultWordLists(c);
        for (const model::FaultAlarm& e : catalogue.entries()) {
            ASSERT_TRUE(lists.all().contains(e.word)) << static_cast<int>(c) << " " << e.word.toStdString();
            // Alarm codes sit in alarm words, fault codes in fault words.
            if (e.code.startsWith(QLatin1Char('A'))) {
                EXPECT_TRUE(lists.alarms.contains(e.word)) << e.code.toStdString();
            }
            if (e.code.startsWith(QLatin1Char('F'))) {
                EXPECT_TRUE(lists.faults.contains(e.word)) << e.code.toStdString();
            }
        }
    }
    EXPECT_EQ(model::faultWordLists(DeviceClass::None), model::FaultWordLists{});
    EXPECT_EQ(deviceStatusText(DeviceStatus::Fault), QStringLiteral("      故障"));
    EXPECT_EQ(deviceStatusText(DeviceStatus::None), QString());
}

// The collection reads the online values: every fault and alarm word the installed
// samples define is in the system poll list, also those no catalogue entry names.
TEST(FaultWordLists, theSystemPollReadsEveryWord)
{
    const model::FaultTableLibrary library;
    for (const char* sample : {"VRA1/VRA1V11418", "AIC/AICV21308", "SLM/SLMV20111"}) {
        const QString key = QString::fromLatin1(sample).section(QLatin1Char('/'), 1);
        model::OpenedProject opened(library);
        ASSERT_FALSE(opened.open(QStringLiteral(HESK_SOURCE_DIR "/data/projects/") + QString::fromLatin1(sample)
                                 + QLatin1Char('/') + key + QStringLiteral(".tmprj"))
                         .has_value());
        online::FrameList list;
        online::buildSystemPollList(list, opened);
        int found = 0;
        for (const QString& word : model::faultWordLists(opened.deviceClass()).all()) {
            const model::HeskParameterElement* e = opened.find(word);
            if (e == nullptr)
                continue;
            EXPECT_GE(list.indexOf(online::readRequestFor(*e)), 0) << sample << " " << word.toStdString();
            ++found;
        }
        EXPECT_GE(found, 3) << sample;
    }
}

// The list object on a session with the simulator's project (offline: values given).
class FaultAlarmListTest : public session::test::SessionTest {};

TEST_F(FaultAlarmListTest, rebuildsOnChangeAndStaysEmptyAfterAResetUntilTheWordsChange)
{
    openSession();
    FaultAlarmList list(*session);
    int rowsChanged = 0, statusChanged = 0;
    QObject::connect(&list, &FaultAlarmList::rowsChanged, [&] { ++rowsChanged; });
    QObject::connect(&list, &FaultAlarmList::statusChanged, [&] { ++statusChanged; });

    list.collectFrom({{"r0943.0", 0x0001}});
    EXPECT_EQ(codes(list.rows()), QStringList{"F025"});
    EXPECT_EQ(list.status(), DeviceStatus::Fault);
    EXPECT_EQ(list.rows().front().deviceType, QStringLiteral("VRA1"));
    EXPECT_EQ(rowsChanged, 1);
    EXPECT_EQ(statusChanged, 1);

    list.collectFrom({{"r0943.0", 0x0001}});  // unchanged: nothing happens
    EXPECT_EQ(rowsChanged, 1);

    list.clear();  // the fault reset
    EXPECT_TRUE(list.rows().empty());
    list.collectFrom({{"r0943.0", 0x0001}});
    EXPECT_TRUE(list.rows().empty());
    EXPECT_EQ(list.status(), DeviceStatus::Fault);

    list.collectFrom({{"r0943.0", 0x0001}, {"r0943.9", 0x0001}});  // a change: rebuilt
    EXPECT_EQ(codes(list.rows()), (QStringList{"F025", "A023"}));
    list.clear();
    list.refresh();  // "刷新" rebuilds at once
    EXPECT_EQ(list.rows().size(), 2u);

    list.collectFrom({{"r0943.9", 0x0001}});
    EXPECT_EQ(list.status(), DeviceStatus::Alarm);
    list.collectFrom({});
    EXPECT_EQ(list.status(), DeviceStatus::Normal);
    EXPECT_TRUE(list.rows().empty());
    EXPECT_EQ(statusChanged, 3);
}

TEST_F(FaultAlarmListTest, followsTheSimulatedDriveThroughATripAndItsReset)
{
    startSerialSim();
    openSession();
    ASSERT_TRUE(connect());
    FaultAlarmList list(*session);
    const auto collectFor = [&](std::chrono::milliseconds time) {
        QEventLoop loop;
        QTimer::singleShot(time, &loop, &QEventLoop::quit);
        loop.exec();
        list.collect();
    };
    collectFor(3500ms);
    EXPECT_EQ(list.status(), DeviceStatus::Normal);
    ASSERT_TRUE(sim.command(QStringLiteral("fault set 0.6")).startsWith(QLatin1String("ok")));
    ASSERT_TRUE(sim.command(QStringLiteral("fault set 12.0")).startsWith(QLatin1String("ok")));
    collectFor(3500ms);
    EXPECT_EQ(list.status(), DeviceStatus::Fault);
    EXPECT_EQ(codes(list.rows()), (QStringList{"F006", "A013"}));
    // The reset (P7000.4) clears the words; the list follows at the next collection.
    ASSERT_TRUE(sim.command(QStringLiteral("fault clear 0.6")).startsWith(QLatin1String("ok")));
    ASSERT_TRUE(sim.command(QStringLiteral("fault clear 12.0")).startsWith(QLatin1String("ok")));
    collectFor(3500ms);
    EXPECT_EQ(list.status(), DeviceStatus::Normal);
    EXPECT_TRUE(list.rows().empty());
    session->disconnectDevice();
    EXPECT_EQ(list.status(), DeviceStatus::None);
}

}  // namespace
}  // namespace hesk::recording
