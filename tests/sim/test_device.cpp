#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/scripted_host.h"
#include "platform/serial.h"
#include "sim/device.h"

namespace dunax::sim {
namespace {

std::shared_ptr<SimUnit> kw4() {
    return std::make_shared<SimUnit>(*profileFor("J6P-KW4"));
}

std::string readAll(platform::SerialDevice& d) {
    std::string s;
    EXPECT_TRUE(d.read(s));
    return s;
}

TEST(SimSerialDevice, RepliesArriveInHostTime) {
    platform::ScriptedHost host;
    auto unit = kw4();
    unit->faults().splitAt = 2;
    SimSerialDevice dev(unit);

    ASSERT_TRUE(dev.write("G00\r"));
    EXPECT_EQ(dev.available(), 0u);
    EXPECT_EQ(readAll(dev), "");
    EXPECT_EQ(dev.nextArrivalMs(), 15);
    host.advance(15);
    EXPECT_EQ(dev.available(), 2u);
    EXPECT_EQ(dev.nextArrivalMs(), 35);
    EXPECT_EQ(readAll(dev), "CO");
    host.advance(20);
    EXPECT_EQ(readAll(dev), "K\r");
    EXPECT_EQ(dev.nextArrivalMs(), std::nullopt);
}

TEST(SimSerialDevice, DiscardDropsOnlyWhatHasArrived) {
    platform::ScriptedHost host;
    auto unit = kw4();
    SimSerialDevice dev(unit);

    dev.inject("noise", 0);
    unit->faults().nextReplyDelayMs = 3500;
    ASSERT_TRUE(dev.write("G00\r"));
    host.advance(3000);  // the exchange has timed out; its reply is still on its way
    dev.discardInput();
    EXPECT_EQ(dev.available(), 0u);
    ASSERT_TRUE(dev.write("I01\r"));
    host.advance(500);
    EXPECT_EQ(readAll(dev), "COK\r0MNTSW:1\r");

    ASSERT_TRUE(dev.write("I02\r"));
    host.advance(100);
    dev.discardInput();
    EXPECT_EQ(dev.available(), 0u);
    EXPECT_EQ(readAll(dev), "");
}

TEST(SimSerialDevice, InjectedNoiseKeepsTimeOrder) {
    platform::ScriptedHost host;
    SimSerialDevice dev(kw4());
    dev.inject("late", 1000);
    ASSERT_TRUE(dev.write("G00\r"));
    dev.inject("<", 10);
    EXPECT_EQ(dev.nextArrivalMs(), 10);
    host.advance(2000);
    EXPECT_EQ(readAll(dev), "<COK\rlate");
}

TEST(SimSerialDevice, AVanishedLineFailsAndWakesItsWaiter) {
    platform::ScriptedHost host;
    auto unit = kw4();
    unit->faults().vanishAt = 2;
    SimSerialDevice dev(unit);
    ASSERT_TRUE(dev.write("G00\r"));
    EXPECT_FALSE(dev.write("I01\r"));
    host.advance(100);
    EXPECT_GE(dev.available(), 1u);
    EXPECT_EQ(dev.nextArrivalMs(), 100);
    std::string s;
    EXPECT_FALSE(dev.read(s));
    EXPECT_EQ(s, "");
    EXPECT_FALSE(dev.write("G00\r"));
}

class CommControlTest : public ::testing::Test {
  protected:
    void SetUp() override { platform::setSerialOpener(simOpener(unit)); }
    void TearDown() override { platform::setSerialOpener(nullptr); }

    platform::ScriptedHost host;
    std::shared_ptr<SimUnit> unit = kw4();
    platform::CommControl port;
};

TEST_F(CommControlTest, OpensOnlyPortsOneToEight) {
    for (int n : {0, 9, -1}) {
        port.commPort = n;
        port.setPortOpen(true);
        EXPECT_FALSE(port.portOpen()) << n;
        EXPECT_NE(port.lastError(), "") << n;
    }
    EXPECT_EQ(unit->openedPort, 0);
    port.commPort = 8;
    port.setPortOpen(true);
    EXPECT_TRUE(port.portOpen());
    EXPECT_EQ(port.lastError(), "");
    EXPECT_EQ(unit->openedPort, 8);
    EXPECT_EQ(unit->openedSettings, "9600,n,8,1");
    port.setPortOpen(false);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(port.device(), nullptr);
}

TEST_F(CommControlTest, APortInUseStaysClosedAndSaysWhy) {
    unit->faults().portUnavailable = true;
    port.commPort = 2;
    port.setPortOpen(true);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(port.lastError(), "COM2 (simulated unit): in use by another program");
    port.output("G00\r");  // nothing happens on a closed port
    EXPECT_EQ(port.input(), "");
    EXPECT_EQ(port.inBufferCount(), 0u);
    EXPECT_TRUE(unit->log().empty());
}

TEST_F(CommControlTest, TalksAndClosesWhenTheLineFails) {
    port.setPortOpen(true);
    ASSERT_TRUE(port.portOpen());
    port.output("G00\r");
    host.advance(15);
    EXPECT_EQ(port.inBufferCount(), 4u);
    EXPECT_EQ(port.input(), "COK\r");

    port.output("I01\r");
    host.advance(15);
    unit->faults().vanished = true;  // the adapter is pulled before the reply is read
    EXPECT_GE(port.inBufferCount(), 1u);
    EXPECT_EQ(port.input(), "");
    EXPECT_FALSE(port.portOpen());
    EXPECT_NE(port.lastError(), "");

    unit->faults().vanished = false;
    port.setPortOpen(true);
    ASSERT_TRUE(port.portOpen());
    unit->faults().vanished = true;
    port.output("G00\r");
    EXPECT_FALSE(port.portOpen());
}

}  // namespace
}  // namespace dunax::sim
