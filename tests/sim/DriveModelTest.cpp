// The drive model through the drive's own tables: states of r0001, start and stop
// through P7000.5 while P0880 = 1, the ramp and the signals, faults and their reset,
// and the heartbeat supervision. Time is stepped by the test.

#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace hesk::sim::test {
namespace {

constexpr uint16_t k50Hz = 16384;  // P7030 and r0002: 16384 = 50 Hz

int16_t signedValue(uint16_t raw)
{
    return static_cast<int16_t>(raw);
}

class DriveModelTest : public ::testing::Test {
protected:
    void startAt50Hz()
    {
        h.write(kP0880, 1);
        h.write(kP7030, k50Hz);
        h.write(kP7000_5, 1);
    }
    uint16_t state() { return h.readOnly(kR0001); }

    DriveHarness h;
};

TEST_F(DriveModelTest, standbyAtPowerUp)
{
    h.runFor(seconds(0.1));
    EXPECT_EQ(state(), 9);
    EXPECT_EQ(h.readOnly(kR0006), 540);   // DC link charged
    EXPECT_EQ(h.readOnly(kR0550), 0x06);  // no OFF2, no OFF3, nothing else
    EXPECT_EQ(h.readOnly(kR0002), 0);
    EXPECT_EQ(h.readOnly(kR0820), 125);   // TA of the recorder
}

TEST_F(DriveModelTest, startRunsThroughPreChargeAndReadyAndRampsToTheSetpoint)
{
    startAt50Hz();
    EXPECT_EQ(state(), 10);  // pre-charge at once
    h.runFor(seconds(0.29));
    EXPECT_EQ(state(), 10);
    h.runFor(seconds(0.02));
    EXPECT_EQ(state(), 11);
    h.runFor(seconds(0.1));
    EXPECT_EQ(state(), 14);
    h.runFor(seconds(1.0));
    // 20 Hz/s: about 20 Hz after one second of running.
    const double hz = h.readOnly(kR0002) * 50.0 / 16384.0;
    EXPECT_NEAR(hz, 20.0, 0.5);
    EXPECT_GT(signedValue(h.readOnly(kR0007)), 0);  // accelerating torque
    h.runFor(seconds(2.0));
    EXPECT_EQ(h.readOnly(kR0002), k50Hz);
    EXPECT_NEAR(h.readOnly(kR0015), 1500, 15);               // r/min, a little slip
    EXPECT_NEAR(signedValue(h.readOnly(kR0007)), 40 * 163.84, 2);  // 40 % load at 50 Hz
    EXPECT_GT(h.readOnly(kR0004), 500);                      // amperes x 100
    EXPECT_NEAR(h.readOnly(kR0006), 540, 4);                 // with ripple
    EXPECT_EQ(h.readOnly(kR0550), 0x7F);                     // every lamp on
}

TEST_F(DriveModelTest, stopRampsDownToStandby)
{
    startAt50Hz();
    h.runFor(seconds(3.0));
    h.write(kP7000_5, 0);
    h.runFor(seconds(1.0));
    EXPECT_EQ(state(), 14);
    EXPECT_LT(signedValue(h.readOnly(kR0007)), 0);  // braking
    EXPECT_NEAR(h.readOnly(kR0002) * 50.0 / 16384.0, 30.0, 0.5);
    h.runFor(seconds(1.6));
    EXPECT_EQ(state(), 9);
    EXPECT_EQ(h.readOnly(kR0002), 0);
    EXPECT_EQ(h.readOnly(kR0004), 0);
}

TEST_F(DriveModelTest, commandsCountOnlyWhileTheToolHasControl)
{
    h.write(kP7030, k50Hz);
    h.write(kP7000_5, 1);  // P0880 = 0: the keypad has control
    h.runFor(seconds(1.0));
    EXPECT_EQ(state(), 9);
    // Taking control with the command already set is no start edge either way: the
    // command takes effect as soon as the tool holds control.
    h.write(kP0880, 1);
    EXPECT_EQ(state(), 10);
    h.runFor(seconds(2.0));
    EXPECT_EQ(state(), 14);
    // Giving control back leaves the drive running; the tool's stop then counts for nothing.
    h.write(kP0880, 0);
    h.write(kP7000_5, 0);
    h.runFor(seconds(3.0));
    EXPECT_EQ(state(), 14);
}

TEST_F(DriveModelTest, faultTripsCoastsAndNeedsResetAndANewStart)
{
    startAt50Hz();
    h.runFor(seconds(3.0));
    ASSERT_TRUE(h.drive.setFaultBit(2, 5, true, h.now));
    EXPECT_EQ(state(), 7);
    EXPECT_EQ(h.readOnly(kR0943 + 2), 1u << 5);
    EXPECT_EQ(h.readOnly(kR9106), 1);
    EXPECT_EQ(h.readOnly(kR0550) & 0x02, 0);  // OFF2 active
    const uint16_t before = h.readOnly(kR0002);
    h.runFor(seconds(1.0));
    EXPECT_LT(h.readOnly(kR0002), before);  // coasting
    // Clearing the bit alone does not leave the fault state.
    h.drive.setFaultBit(2, 5, false, h.now);
    h.runFor(seconds(0.1));
    EXPECT_EQ(state(), 7);
    h.drive.setFaultBit(2, 5, true, h.now);
    // The reset is the rising edge of P7000.4.
    h.write(kP7000_4, 1);
    EXPECT_EQ(state(), 9);
    EXPECT_EQ(h.readOnly(kR0943 + 2), 0);
    EXPECT_EQ(h.readOnly(kR9106), 0);
    h.write(kP7000_4, 0);
    // P7000.5 is still 1: no start without a new edge.
    h.runFor(seconds(1.0));
    EXPECT_EQ(state(), 9);
    h.write(kP7000_5, 0);
    h.write(kP7000_5, 1);
    EXPECT_EQ(state(), 10);
}

TEST_F(DriveModelTest, faultBitsOutOfRangeAreRefused)
{
    EXPECT_FALSE(h.drive.setFaultBit(21, 0, true, h.now));
    EXPECT_FALSE(h.drive.setFaultBit(0, 16, true, h.now));
    EXPECT_FALSE(h.drive.setFaultBit(-1, 0, true, h.now));
    EXPECT_EQ(state(), 9);
}

TEST_F(DriveModelTest, heartbeatSupervisionStopsTheMotorWhenRequestsStop)
{
    startAt50Hz();
    h.request("F2 39 01 00 00 00 00 CA");
    h.runFor(seconds(2.0));
    h.request("F2 06 00 00 00 00 00 F4");  // requests keep the heartbeat alive
    h.runFor(seconds(2.9));
    EXPECT_EQ(h.settable(kP7000_5), 1);
    h.runFor(seconds(0.2));  // 3.1 s of silence
    EXPECT_EQ(h.settable(kP7000_5), 0);
    h.runFor(seconds(3.0));
    EXPECT_EQ(state(), 9);
    EXPECT_FALSE(h.drive.heartbeatSupervised());
}

TEST_F(DriveModelTest, heartbeatStoppedMeansNoSupervision)
{
    startAt50Hz();
    h.request("F2 39 01 00 00 00 00 CA");
    h.request("F2 39 00 00 00 00 00 CB");
    h.runFor(seconds(10.0));
    EXPECT_EQ(state(), 14);
    EXPECT_EQ(h.settable(kP7000_5), 1);
}

TEST_F(DriveModelTest, longGapIsIntegratedConsistently)
{
    startAt50Hz();
    h.runFor(seconds(60.0));  // one call for a minute
    EXPECT_EQ(state(), 14);
    EXPECT_EQ(h.readOnly(kR0002), k50Hz);
    EXPECT_NEAR(signedValue(h.readOnly(kR0007)), 40 * 163.84, 2);
}

}  // namespace
}  // namespace hesk::sim::test
