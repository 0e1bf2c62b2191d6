// The drive model on the installed inverter sample, in-process with a stepped clock:
// the motor equations at the rated point and beyond, the data sets chosen through
// their selection inputs (and the motor data set held while the motor runs), the
// formula context following the drive's own values, and temperatures that rise under
// load and fall after a stop.

#include "SimTestSupport.h"

#include "model/FormulaState.h"
#include "model/ParameterValueText.h"
#include "model/ProjectFile.h"
#include "sim/MotorPhysics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace hesk::sim::test {
namespace {

const QString kSample = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");

// The sample's motor: 55 kW, 380 V, 104.5 A, cos phi 0.86, 93 %, 50 Hz, 1480 r/min, two
// pole pairs, 354.9 N*m, magnetising current 30 %.
MotorRating sampleMotor()
{
    MotorRating r;
    r.voltage = 380.0;
    r.current = 104.5;
    r.magnetisingShare = 0.30;
    r.powerFactor = 0.86;
    r.power = 55.0;
    r.efficiency = 0.93;
    r.frequency = 50.0;
    r.speed = 1480.0;
    r.polePairs = 2.0;
    r.torque = 354.9;
    return r;
}

TEST(MotorPhysics, theRatedPointGivesTheNameplate)
{
    const MotorQuantities q = motorQuantities(sampleMotor(), 50.0, 100.0, true);
    EXPECT_NEAR(q.speed, 1480.0, 1e-9);
    EXPECT_NEAR(q.voltage, 380.0, 1e-9);
    EXPECT_NEAR(q.current, 104.5, 1e-9);
    EXPECT_NEAR(q.torqueNm, 354.9, 1e-9);
    EXPECT_NEAR(q.mechanicalPower, 55.0, 0.05);
    EXPECT_NEAR(q.electricalPower, 55.0 / 0.93, 0.05);
    EXPECT_NEAR(q.powerFactor, 0.86, 0.005);
}

TEST(MotorPhysics, operatingPoints)
{
    const struct {
        double frequency, torque;
        double speed, voltage, current;  // expected
    } points[] = {
        // below the rated frequency: V/f, slip 20 r/min at rated torque
        {25.0, 50.0, 740.0, 190.0, 104.5 * std::hypot(0.3, std::sqrt(0.91) * 0.5)},
        // reverse motoring: the slip keeps the speed below the synchronous one
        {-25.0, -50.0, -740.0, 190.0, 104.5 * std::hypot(0.3, std::sqrt(0.91) * 0.5)},
        // braking: above the synchronous speed
        {25.0, -50.0, 760.0, 190.0, 104.5 * std::hypot(0.3, std::sqrt(0.91) * 0.5)},
        // field weakening at 100 Hz: half the flux, four times the slip, voltage held
        {100.0, 25.0, 3000.0 - 80.0 * 0.25, 380.0, 104.5 * std::hypot(0.15, std::sqrt(0.91) * 0.5)},
        // no torque: the magnetising current alone
        {40.0, 0.0, 1200.0, 304.0, 104.5 * 0.3},
    };
    for (const auto& p : points) {
        const MotorQuantities q = motorQuantities(sampleMotor(), p.frequency, p.torque, true);
        EXPECT_NEAR(q.speed, p.speed, 1e-6) << p.frequency << " Hz, " << p.torque << " %";
        EXPECT_NEAR(q.voltage, p.voltage, 1e-6) << p.frequency << " Hz, " << p.torque << " %";
        EXPECT_NEAR(q.current, p.current, 1e-6) << p.frequency << " Hz, " << p.torque << " %";
        // Power balance: torque x angular speed, and power from the DC link only when motoring.
        const double mechanical = q.torqueNm * 2 * std::numbers::pi * q.speed / 60000.0;
        EXPECT_NEAR(q.mechanicalPower, mechanical, 1e-9);
        EXPECT_EQ(q.electricalPower > 0, mechanical > 0);
        EXPECT_LE(q.powerFactor, 1.0);
    }
    // No pulses: no current, no voltage.
    const MotorQuantities off = motorQuantities(sampleMotor(), 10.0, 0.0, false);
    EXPECT_EQ(off.current, 0.0);
    EXPECT_EQ(off.voltage, 0.0);
}

TEST(MotorPhysics, aNameplateThatDescribesNoMotorFallsBackToDefaults)
{
    MotorRating broken = sampleMotor();
    broken.polePairs = 0.0;
    broken.frequency = -1.0;
    broken.current = std::nan("");
    const MotorQuantities q = motorQuantities(broken, 50.0, 50.0, true);
    EXPECT_TRUE(std::isfinite(q.speed));
    EXPECT_TRUE(std::isfinite(q.current));
    EXPECT_GT(q.current, 0.0);
}

class SampleDrive : public ::testing::Test {
protected:
    static model::HeskProject load()
    {
        model::HeskProject project;
        const auto failure = model::loadProject(kSample, project);
        EXPECT_FALSE(failure.has_value());
        return project;
    }

    const model::HeskParameterElement& element(const char* key) const
    {
        const auto index = h.drive.project().findByKeyText(QString::fromLatin1(key));
        EXPECT_TRUE(index.has_value()) << key;
        return h.drive.project().elements[index.value_or(0)];
    }
    ParameterSlot slot(const char* key) const
    {
        const auto s = slotOf(h.drive.project(), QString::fromLatin1(key));
        EXPECT_TRUE(s.has_value()) << key;
        return s.value_or(ParameterSlot{});
    }
    uint16_t word(const char* key)
    {
        const ParameterSlot s = slot(key);
        return h.drive.tables().value(s.table, s.address).value_or(0);
    }
    // A confirmed write of a settable value, as the tool sends it.
    void write(const char* key, uint16_t raw) { h.write(slot(key).address, raw); }
    // Connects a binector input to an output ("B0001") with the tool's 0x05 write.
    void connect(const char* input, const char* output)
    {
        const auto source = connectionSourceOf(h.drive.project(), QString::fromLatin1(output));
        ASSERT_TRUE(source.has_value()) << output;
        h.drive.receiveBytes(link::writeConnectionRequest(slot(input).address, toWireSource(*source)), h.now);
        h.drive.receiveBytes(link::modifyConfirmRequest(), h.now);
        h.output.take();
        h.runFor(seconds(0.02));
    }
    DataSets reported()
    {
        return {word("r0011"), word("r0012"), word("r0013")};
    }

    // The tool's view: the formula references as the session feeds them from the
    // drive's words, and the value of a parameter as the pages convert it.
    double shown(const char* key)
    {
        const model::HeskProject& project = h.drive.project();
        model::FormulaState formulas;
        model::HeskProject copy;
        copy.ubaseTable = project.ubaseTable;
        model::HeskParameterElement powerUnit = element("P0070");
        powerUnit.currentValueText = model::displayRawValue(powerUnit, word("P0070"), project.timeBases, formulas).text;
        copy.elements.push_back(powerUnit);
        formulas.selectBaseValues(copy, model::SpecialParameterTable(copy, {QStringLiteral("P0070")}),
                                  model::DeviceClass::Inverter);
        for (const QString& reference : model::FormulaState::suppliedKeyTexts()) {
            const auto s = slotOf(project, reference);
            if (s)
                formulas.setReferenceValue(
                    reference, model::displayRawValue(*s->element, h.drive.tables().value(s->table, s->address).value_or(0),
                                                      project.timeBases, formulas)
                                   .text);
        }
        const QString text = model::displayRawValue(element(key), word(key), project.timeBases, formulas).text;
        bool ok = false;
        const double value = text.toDouble(&ok);
        EXPECT_TRUE(ok) << key << " shows " << text.toStdString();
        return value;
    }

    void start(uint16_t setpointRaw)
    {
        write("P7030", setpointRaw);
        write("P0880", 1);
        write("P7000.5", 1);
    }

    DriveHarness h{load()};
};

TEST_F(SampleDrive, dataSetsFollowTheirSelectionInputs)
{
    h.runFor(seconds(0.1));
    EXPECT_EQ(reported(), (DataSets{1, 1, 1}));  // factory: every selection bit from B0000
    EXPECT_TRUE(h.drive.tables().factoryFailures().isEmpty()) << h.drive.tables().factoryFailures().join(' ').toStdString();

    connect("P0578.1", "B0001");
    EXPECT_EQ(reported(), (DataSets{2, 1, 1}));
    connect("P0579.1", "B0001");
    EXPECT_EQ(reported(), (DataSets{4, 1, 1}));
    EXPECT_EQ(word("r0553"), 0x0003);
    // The second BICO data set has selection inputs of its own (still B0000).
    connect("P0590", "B0001");
    EXPECT_EQ(reported(), (DataSets{1, 2, 1}));
    // A digital input as a source: FDS bit 1 of BICO data set 2 from DI1 (r0019 bit 0).
    connect("P0577.2", "B0010");
    EXPECT_EQ(reported(), (DataSets{1, 2, 1}));
    h.drive.tables().setValue(TableKind::ReadOnly, slot("r0019").address, 0x0001);
    h.runFor(seconds(0.02));
    EXPECT_EQ(reported(), (DataSets{1, 2, 3}));
    EXPECT_EQ(word("r0553"), 0x0018);
    // A factory restore returns to data set 1.
    h.drive.receiveBytes(link::factoryRestoreRequest(), h.now);
    h.drive.receiveBytes(link::modifyConfirmRequest(), h.now);
    h.runFor(seconds(0.02));
    EXPECT_EQ(reported(), (DataSets{1, 1, 1}));
}

TEST_F(SampleDrive, theMotorDataSetChangesOnlyWhileTheMotorStands)
{
    start(6554);  // 40 %
    h.runFor(seconds(3.0));
    ASSERT_EQ(word("r0001"), 14);
    connect("P0578.1", "B0001");
    h.runFor(seconds(1.0));
    EXPECT_EQ(word("r0011"), 1);
    EXPECT_EQ(word("r0553") & 0x0003, 0x0001);  // asked for, not taken
    write("P7000.5", 0);
    h.runFor(seconds(3.0));
    ASSERT_EQ(word("r0001"), 9);
    EXPECT_EQ(word("r0011"), 2);
}

// The drive converts its values with its own P0109 of the active data set: after motor
// data set 1 becomes an 8-pole motor rated at 100 Hz, 40 % (1200 r/min) runs at 80 Hz and
// the tool, reading P0109.1 = 4, shows 1200 r/min less the slip.
TEST_F(SampleDrive, valuesFollowTheDrivesOwnMotorData)
{
    write("P0109.1", 4);
    write("P0107.1", 10000);  // rated at 100.00 Hz (1500 r/min synchronous, 1480 rated)
    start(6554);
    h.runFor(seconds(6.0));
    ASSERT_EQ(word("r0001"), 14);
    EXPECT_NEAR(shown("r0002"), 80.0, 0.01);
    const double t = shown("r0007") / 100.0;
    EXPECT_NEAR(shown("r0015"), 1200.0 - (1500.0 - 1480.0) * t, 0.3);
    EXPECT_NEAR(shown("r0014"), 1200.0, 0.3);
    EXPECT_NEAR(shown("r0003"), 380.0 * 80.0 / 100.0, 0.2);
}

TEST_F(SampleDrive, temperaturesRiseUnderLoadAndFallAfterAStop)
{
    h.runFor(seconds(1.0));
    EXPECT_NEAR(shown("r0009"), DriveModel::kAmbient, 0.2);
    EXPECT_NEAR(shown("r0010"), DriveModel::kAmbient, 0.2);
    h.drive.model().setExtraLoad(60.0);  // rated torque at 50 Hz: 10 + 30 + 60 %
    start(8192);                         // 50 %: 1500 r/min, 50 Hz
    double motor = shown("r0009"), heatsink = shown("r0010");
    for (int minute = 1; minute <= 30; ++minute) {
        h.runFor(seconds(60.0));
        EXPECT_GT(shown("r0009"), motor) << minute;
        EXPECT_GE(shown("r0010"), heatsink) << minute;
        motor = shown("r0009");
        heatsink = shown("r0010");
    }
    // At the rated point the motor settles toward 80 K of copper and 10 K of iron
    // losses over ambient (thermal time constant P0383 = 600 s: 95 % after 30 min), the
    // heatsink toward 50 K at the rated device current plus 5 K.
    EXPECT_NEAR(shown("r0004"), 104.5, 0.2);
    EXPECT_NEAR(motor, DriveModel::kAmbient + 90.0 * (1 - std::exp(-3.0)), 1.0);
    EXPECT_NEAR(heatsink, DriveModel::kAmbient + 55.0, 0.5);
    EXPECT_NEAR(shown("r0016"), 100.0 * (1 - std::exp(-3.0)), 1.0);
    EXPECT_GT(shown("r0031"), heatsink);
    write("P7000.5", 0);
    h.runFor(seconds(600.0));
    EXPECT_LT(shown("r0009"), motor - 20.0);
    EXPECT_LT(shown("r0010"), heatsink - 40.0);
}

// What the trigger recorder samples: the measured connectors carry the same operating
// point as the r parameters, in % of the reference values (16384 = 100 %), and r0820
// reads back, through its own conversion, the base time the recorder samples with.
TEST_F(SampleDrive, connectorsCarryTheOperatingPointInPercentOfTheReferences)
{
    start(6554);  // 40 % of 3000 r/min: 1200 r/min, 40 Hz
    h.runFor(seconds(4.0));
    ASSERT_EQ(word("r0001"), 14);
    const auto percent = [&](const char* key) { return static_cast<int16_t>(word(key)) / 163.84; };
    const double ratedFrequency = shown("P0107.1");
    EXPECT_NEAR(percent("r8021"), 100.0 * shown("r0002") / ratedFrequency, 0.05);
    EXPECT_NEAR(percent("r8081"), 100.0 * shown("r0015") / 3000.0, 0.05);
    EXPECT_NEAR(percent("r8023"), percent("r0004"), 0.01);  // r0004 is the share of r0072 too
    EXPECT_NEAR(percent("r8025"), shown("r0007"), 0.05);
    EXPECT_EQ(word("r8032"), word("r0550"));
    EXPECT_NEAR(percent("r8000"), 0.0, 1e-9);
    EXPECT_NEAR(percent("r8001"), 100.0, 1e-9);
    // P0353 = 50 %: the same speed is twice the share of the reference speed.
    write("P0353", 8192);
    h.runFor(seconds(0.1));
    EXPECT_NEAR(percent("r8081"), 200.0 * shown("r0015") / 3000.0, 0.1);
    EXPECT_EQ(shown("r0820"), h.drive.project().timeBases[0]);
}

}  // namespace
}  // namespace hesk::sim::test
