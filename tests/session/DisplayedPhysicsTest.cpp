// What the engineer reads on the pages agrees with the physics of the motor: the
// installed inverter sample runs in the real simulated drive (pseudo-terminal), the
// session reads the values and feeds its formulas as it does online, and every value is
// converted exactly as the pages convert it. The expected values are worked out here,
// independently of the drive model, from the motor data the pages show for the active
// motor data set (an asynchronous motor on V/f: synchronous speed 60 f / p, slip in
// proportion to torque, voltage U_N f / f_N, current from its magnetising and torque
// components, power = torque x angular speed / efficiency).

#include "SessionFixture.h"

#include "pages/PageValueText.h"

#include <QFile>

#include <cmath>
#include <numbers>

namespace hesk::session::test {
namespace {

const QString kSample = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");

class DisplayedPhysics : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        // A copy: the session writes its logs beside the project.
        projectPath = dir.filePath(QStringLiteral("VRA1V11418.tmprj"));
        ASSERT_TRUE(QFile::copy(kSample, projectPath));
        startSerialSim();
        openSession();
        ASSERT_TRUE(connect()) << messageTexts().join(QLatin1Char('|')).toStdString();
    }

    bool simSays(const QString& command) { return sim.command(command).startsWith(QLatin1String("ok")); }

    // Reads the parameters from the drive, lets the session feed its formulas, and
    // returns the texts the pages show.
    std::map<QString, QString> shown(const QStringList& keys)
    {
        std::vector<const model::HeskParameterElement*> list;
        for (const QString& key : keys)
            list.push_back(&element(key.toLatin1().constData()));
        std::vector<const model::HeskParameterElement*> references;
        for (const char* key : {"P0070", "P0109.1", "P0109.2", "P0109.3", "P0109.4", "r0011"})
            references.push_back(&element(key));
        EXPECT_TRUE(session->readParameters(references));
        session->refreshFormulas();
        EXPECT_TRUE(session->readParameters(list));
        std::map<QString, QString> texts;
        const model::HeskProject& project = session->project().project();
        for (const model::HeskParameterElement* e : list) {
            const std::optional<uint16_t> raw = session->onlineRaw(*e);
            EXPECT_TRUE(raw.has_value()) << model::keyText(*e).toStdString();
            texts[model::keyText(*e)] =
                pages::displayValueText(*e, raw.value_or(0), project.timeBases, session->project().formulas());
        }
        return texts;
    }

    static double number(const std::map<QString, QString>& texts, const QString& key)
    {
        const auto it = texts.find(key);
        if (it == texts.end()) {
            ADD_FAILURE() << "not read: " << key.toStdString();
            return std::nan("");
        }
        bool ok = false;
        const double value = it->second.toDouble(&ok);
        EXPECT_TRUE(ok) << key.toStdString() << " shows " << it->second.toStdString();
        return ok ? value : std::nan("");
    }

    static uint16_t word(const std::map<QString, QString>& texts, const QString& key)
    {
        bool ok = false;
        const uint value = texts.at(key).mid(2).toUInt(&ok, 16);  // "0X007F"
        EXPECT_TRUE(ok && texts.at(key).startsWith(QLatin1String("0X"), Qt::CaseInsensitive))
            << key.toStdString() << " shows " << texts.at(key).toStdString();
        return static_cast<uint16_t>(value);
    }

    // The motor at its setpoint: start through the control word and wait until the
    // drive reports the setpoint reached (status word 2, bit 4).
    void runAt(const QString& setpointRaw, const QString& load)
    {
        for (const QString& command : {QStringLiteral("load ") + load, QStringLiteral("set P7030 ") + setpointRaw,
                                       QStringLiteral("set P0880 1"), QStringLiteral("set P7000.5 1")})
            ASSERT_TRUE(simSays(command)) << command.toStdString();
        const auto setpointReached = [&] {
            const QString reply = sim.command(QStringLiteral("get r0551"));  // "ok r0551=19"
            return (reply.section(QLatin1Char('='), 1).toUInt() & 0x10) != 0;
        };
        ASSERT_TRUE(sim::test::pumpUntil(setpointReached, 10s)) << sim.command(QStringLiteral("status")).toStdString();
        // The bit comes within 0.1 Hz of the setpoint; the ramp ends a few milliseconds later.
        sim::test::pumpUntil([] { return false; }, 300ms);
    }

    struct Row {
        const char* key;
        double expected;
        double tolerance;
    };
    static void expectRows(const std::map<QString, QString>& texts, const std::vector<Row>& rows)
    {
        for (const Row& row : rows)
            EXPECT_NEAR(number(texts, QString::fromLatin1(row.key)), row.expected, row.tolerance)
                << row.key << " shows " << texts.at(QString::fromLatin1(row.key)).toStdString();
    }
};

const QStringList kMotorData = {"P0101.1", "P0102.1", "P0103.1", "P0104.1", "P0105.1", "P0106.1",
                                "P0107.1", "P0108.1", "P0109.1", "P0113.1", "P0353",   "P7030"};
const QStringList kActualValues = {"r0002", "r0003", "r0004", "r0005", "r0006.0", "r0006.1", "r0006.2",
                                   "r0007", "r0008", "r0009", "r0010", "r0011",   "r0012",   "r0013",
                                   "r0014", "r0015", "r0017", "r0024", "r0025",   "r0026",   "r0027",
                                   "r0031", "r0550", "r0551", "r0552", "r0553"};

// One operating point: the setpoint's raw word (P7030 in % of the reference speed,
// 16384 = 100 %) and the load the machine adds, in % of the rated torque.
struct OperatingPoint {
    const char* name;
    const char* setpointRaw;
    const char* load;
    double setpointPercent;
};

void PrintTo(const OperatingPoint& point, std::ostream* os)
{
    *os << point.name << " (P7030 " << point.setpointPercent << " %, load " << point.load << " %)";
}

class DisplayedPhysicsAt : public DisplayedPhysics, public ::testing::WithParamInterface<OperatingPoint> {};

TEST_P(DisplayedPhysicsAt, actualValuesAgreeWithTheMotorData)
{
    const OperatingPoint point = GetParam();
    runAt(QString::fromLatin1(point.setpointRaw), QString::fromLatin1(point.load));
    const auto motor = shown(kMotorData);
    const auto actual = shown(kActualValues);
    const model::FormulaState& formulas = session->project().formulas();

    // The motor data set the pages show, in SI units.
    const double ratedVoltage = number(motor, "P0101.1"), ratedCurrent = number(motor, "P0102.1");
    const double magnetising = number(motor, "P0103.1") / 100.0, efficiency = number(motor, "P0106.1") / 100.0;
    const double ratedFrequency = number(motor, "P0107.1"), ratedSpeed = number(motor, "P0108.1");
    const double polePairs = number(motor, "P0109.1"), ratedTorque = number(motor, "P0113.1");
    // A consistent nameplate: P = M 2 pi n / 60 = sqrt(3) U I cos(phi) eta.
    EXPECT_NEAR(ratedTorque * 2 * std::numbers::pi * ratedSpeed / 60 / 1000, number(motor, "P0105.1"), 0.2);
    EXPECT_NEAR(std::sqrt(3.0) * ratedVoltage * ratedCurrent * number(motor, "P0104.1") * efficiency / 1000,
                number(motor, "P0105.1"), 0.5);
    // The rated output of the power unit, computed from its base values.
    const double deviceCurrent = formulas.referenceValue(QStringLiteral("r0072")).value_or(QString()).toDouble();
    const double devicePower = formulas.referenceValue(QStringLiteral("r0073")).value_or(QString()).toDouble();
    const double dcBase = formulas.baseValue(model::BaseValueKind::DcVoltage).toDouble();
    ASSERT_GT(deviceCurrent, 0.0);
    ASSERT_GT(devicePower, 0.0);
    ASSERT_GT(dcBase, 0.0);

    // The setpoint in % of the reference speed 3000 r/min x P0353.
    EXPECT_NEAR(number(motor, "P7030"), point.setpointPercent, 0.01);
    const double setpointSpeed = point.setpointPercent / 100 * 3000 * number(motor, "P0353") / 100;
    const double frequency = number(actual, "r0002");
    const double torque = number(actual, "r0007");  // % of rated torque
    const double t = torque / 100;
    const double synchronous = 60 * frequency / polePairs;
    const double speed = synchronous - (60 * ratedFrequency / polePairs - ratedSpeed) * t;
    const double voltage = ratedVoltage * std::abs(frequency) / ratedFrequency;
    const double torqueCurrent = std::sqrt(1 - magnetising * magnetising) * t;
    const double current = ratedCurrent * std::hypot(magnetising, torqueCurrent);
    const double mechanical = t * ratedTorque * 2 * std::numbers::pi * speed / 60 / 1000;  // kW
    const double electrical = mechanical >= 0 ? mechanical / efficiency : mechanical * efficiency;
    const double dcFiltered = dcBase * (1 - 0.01 * electrical / devicePower);

    EXPECT_NEAR(torque * (frequency < 0 ? -1 : 1), 10 + 30 * std::pow(frequency / ratedFrequency, 2) + std::atof(point.load),
                0.05);
    expectRows(actual, {
                           {"r0002", setpointSpeed * polePairs / 60, 0.01},
                           {"r0014", synchronous, 0.2},
                           {"r0015", speed, 0.3},
                           {"r0024", point.setpointPercent, 0.01},
                           {"r0003", voltage, 0.2},
                           {"r0025", voltage, 0.2},
                           {"r0004", current, 0.01 * current + 0.02},
                           {"r0026", 100 * magnetising, 0.05},
                           {"r0027", 100 * torqueCurrent, 0.05},
                           {"r0008", t * ratedTorque, 0.1},
                           {"r0005", 100 * electrical / devicePower, 0.05},
                           {"r0017", std::abs(electrical) / (std::sqrt(3.0) * voltage * current / 1000), 0.01},
                           {"r0006.1", dcFiltered, 0.2},
                           {"r0006.0", dcFiltered, number(actual, "r0006.2") / 2 + 0.2},
                           {"r0011", 1, 0},
                           {"r0012", 1, 0},
                           {"r0013", 1, 0},
                       });
    // Temperatures above the ambient of 35 deg C, the heatsink warming under load and
    // the IGBTs above the heatsink.
    EXPECT_GE(number(actual, "r0009"), 35.0);
    EXPECT_GT(number(actual, "r0010"), 35.0);
    EXPECT_GT(number(actual, "r0031"), number(actual, "r0010"));
    // Status and control words: running with every lamp on, setpoint reached, the
    // tool in control, data set 1 selected.
    EXPECT_EQ(word(actual, "r0550"), 0x007F);
    EXPECT_EQ(word(actual, "r0551"), 0x0013 | (frequency < 0 ? 0x0040 : 0));
    EXPECT_EQ(word(actual, "r0552"), 0x047F);
    EXPECT_EQ(word(actual, "r0553"), 0x0000);
}

INSTANTIATE_TEST_SUITE_P(Setpoints, DisplayedPhysicsAt,
                         ::testing::Values(OperatingPoint{"forward40Hz", "6554", "0", 40.00},  // 1200 r/min
                                           OperatingPoint{"reverseLoaded", "57344", "50", -50.00}),
                         [](const ::testing::TestParamInfo<OperatingPoint>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(DisplayedPhysics, standbyShowsNoMotionAndTheComputedRatedOutput)
{
    const auto actual = shown({"r0001", "r0002", "r0003", "r0004", "r0007", "r0015", "r0006.0", "r0550", "r0551"});
    expectRows(actual, {{"r0001", 9, 0}, {"r0002", 0, 0}, {"r0003", 0, 0}, {"r0004", 0, 0}, {"r0007", 0, 0},
                        {"r0015", 0, 0}});
    EXPECT_EQ(word(actual, "r0550"), 0x0006);  // no OFF2, no OFF3
    EXPECT_EQ(word(actual, "r0551"), 0x0020);  // zero speed
    // r0071..r0073 are the base values of the power unit in P0070 (row 109: 380 V, 55 kW).
    const model::FormulaState& formulas = session->project().formulas();
    EXPECT_EQ(formulas.referenceValue(QStringLiteral("r0071")).value_or(QString()).toDouble(), 380.0);
    EXPECT_EQ(formulas.referenceValue(QStringLiteral("r0072")).value_or(QString()).toDouble(), 104.5);
    EXPECT_EQ(formulas.referenceValue(QStringLiteral("r0073")).value_or(QString()).toDouble(), 55.0);
    EXPECT_NEAR(number(actual, "r0006.0"), 540.0, 0.05);
}

// The motor data set follows its selection bits; the formulas follow the drive's r0011,
// so the speed shown uses the pole pairs of the data set that runs.
TEST_F(DisplayedPhysics, switchingTheMotorDataSetChangesTheMotorAndTheFormulas)
{
    // Data set 2: a two-pole motor (one pole pair, 2960 r/min at 50 Hz).
    ASSERT_TRUE(simSays(QStringLiteral("set P0109.2 1")));
    ASSERT_TRUE(simSays(QStringLiteral("set P0108.2 2960")));
    ASSERT_TRUE(simSays(QStringLiteral("set P0578.1 B0001")));  // MDS bit 0 from fixed 1
    const auto sets = shown({"r0011", "r0012", "r0013", "r0553", "P0109.2"});
    expectRows(sets, {{"r0011", 2, 0}, {"r0012", 1, 0}, {"r0013", 1, 0}, {"P0109.2", 1, 0}});
    EXPECT_EQ(word(sets, "r0553"), 0x0001);
    EXPECT_EQ(session->project().formulas().activeDataSet(), 2);

    runAt(QStringLiteral("6554"), QStringLiteral("0"));  // 40 %: 1200 r/min
    const auto actual = shown({"r0002", "r0007", "r0015", "r0011", "P0107.2", "P0108.2"});
    // 1200 r/min with one pole pair is 20 Hz; the speed is shown with the data set's P0109.
    EXPECT_NEAR(number(actual, "r0002"), 20.0, 0.01);
    const double t = number(actual, "r0007") / 100;
    const double ratedSlip = 60 * number(actual, "P0107.2") / 1 - number(actual, "P0108.2");
    EXPECT_NEAR(number(actual, "r0015"), 1200 - ratedSlip * t, 0.5);
    // The selection does not change the motor while it runs.
    ASSERT_TRUE(simSays(QStringLiteral("set P0578.1 B0000")));
    EXPECT_EQ(shown({"r0011"}).at(QStringLiteral("r0011")), QStringLiteral("2"));
    ASSERT_TRUE(simSays(QStringLiteral("set P7000.5 0")));
    ASSERT_TRUE(sim::test::pumpUntil([&] { return sim.command(QStringLiteral("get r0001")) == QStringLiteral("ok r0001=9"); }, 10s));
    EXPECT_EQ(shown({"r0011"}).at(QStringLiteral("r0011")), QStringLiteral("1"));
}

}  // namespace
}  // namespace hesk::session::test
