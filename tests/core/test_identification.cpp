// The road of an upload: connection, identification of model, network, firmware, extension
// module and channel count, and the failures on the way.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/connection.h"
#include "core/dialogs.h"
#include "core/ext_select.h"
#include "core_fixture.h"

namespace dunax::testing {
namespace {

using core::g;

class Identification : public CoreFixture {};

struct NameCase {
    const char* modelName;
    int modelNum;
    int subModelNum;
    int netType;
    const char* button;  // caption of the network button, "" for none
    double fontSize;
    bool buttonVisible;
};

// Every network prefix and a sample of module codes, through the whole road.
const NameCase kNames[] = {
    {"J6P-KW4", 0, 1, 0, "CC-Link", 10, true},
    {"J6Q-BJ4", 1, 2, 1, "DeviceNet", 10, true},
    {"J6S-MX16H", 5, 0, 2, "Modbus", 10, true},
    {"J6SK-QN4", 2, 3, 3, "MECHATROLINK", 9, true},
    {"J6U-FE8", 23, 0, 4, "Ethernet", 9, true},
    {"J6U-FE16", 10, 0, 4, "Ethernet", 9, true},
    {"J6WB-KWH8", 18, 0, 5, "FL-Remote", 9, true},
    {"J6XN-KWH4", 0, 4, 6, "HLS", 10, true},
    {"J6XN-SD2", 22, 0, 6, "HLS", 10, false},
    {"J6YR-KW4", 0, 1, 7, "FLEX NETWORK", 9, true},
    {"J6YR-FE2", 17, 0, 7, "FLEX NETWORK", 9, false},
    {"J6P-LQ4L", 19, 0, 0, "CC-Link", 10, true},
    {"J6P-LQ4", 12, 0, 0, "CC-Link", 10, true},
    {"J6P-WZ4L", 26, 0, 0, "CC-Link", 10, true},
    {"J6P-WZ4", 13, 0, 0, "CC-Link", 10, true},
    {"J6S-MXJ16", 20, 0, 2, "Modbus", 10, true},
    {"J6S-TLQH2", 15, 0, 2, "Modbus", 10, true},
    {"J6S-GF4E", 8, 0, 2, "Modbus", 10, true},
    {"J6S-SD2", 21, 0, 2, "Modbus", 10, true},
    {"J6U-JR8", 99, 0, 4, "Ethernet", 9, true},
    {"J7X-KW4", 0, 1, 99, "", 8.25, false},  // the font stays as it was
};

TEST_F(Identification, ModelAndNetworkFromTheModelName) {
    for (const NameCase& c : kNames) {
        SCOPED_TRACE(c.modelName);
        restart();
        useModel(c.modelName);
        main().btnConnect_Click();

        EXPECT_EQ(g.ModelName, c.modelName);
        EXPECT_EQ(main().lblMastertype.caption(), c.modelName);
        EXPECT_EQ(g.ModelNum, c.modelNum);
        EXPECT_EQ(g.UploadModelNum, c.modelNum);
        EXPECT_EQ(g.SubModelNum, c.subModelNum);
        EXPECT_EQ(g.NetType, c.netType);
        EXPECT_EQ(main().btnComNet.caption(), c.button);
        EXPECT_EQ(main().btnComNet.fontSize(), c.fontSize);
        EXPECT_EQ(main().btnComNet.visible(), c.buttonVisible);
    }
}

TEST_F(Identification, UploadSendsThePrologueAndReadsTheIdentificationItems) {
    main().btnConnect_Click();
    const std::vector<std::string> all = commands();
    ASSERT_GE(all.size(), 9u);
    const std::vector<std::string> head(all.begin(), all.begin() + 9);
    EXPECT_EQ(head, (std::vector<std::string>{"G00", "I01",  // the probe
                                              "G00", "I01", "DF", "I02", "I06", "I10", "I03"}));
    EXPECT_TRUE(g.Connected);
    EXPECT_EQ(main().lblConStatus.caption(), "Connected");
    EXPECT_EQ(main().shpLamp.fillColor(), core::kLampConnected);
}

TEST_F(Identification, FirmwareVersion) {
    const struct {
        const char* version;
        bool newFirmware;
    } cases[] = {{" 1.03", false}, {"1.03", false}, {" 1.00", false}, {"1.02", false},
                 {" 1.04", true},  {"1.10", true},  {"  1.03", true}, {"1.030", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        restart();
        useModel("J6P-KW4", 4, c.version);
        main().btnConnect_Click();
        EXPECT_EQ(g.NewFirmware, c.newFirmware);
        EXPECT_EQ(g.VersionCaption, std::string("Version : ") + c.version);
        EXPECT_EQ(main().lblVersionNo.caption(), g.VersionCaption);
    }
}

TEST_F(Identification, ChannelCount) {
    const struct {
        const char* text;
        int count;
    } cases[] = {{"1CHs", 1},   {"2CHs", 2}, {"4CHs", 4}, {"8CHs", 8},
                 {"16CHs", 16}, {"3CHs", 7}, {"4CH", 7},  {"", 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        restart();
        unit->profile().set("00", "03", "CH", c.text);
        g.ChCount = 7;  // a text outside the five leaves the count as it was
        main().btnConnect_Click();
        EXPECT_EQ(g.ChCount, c.count);
    }
}

TEST_F(Identification, ExtensionModuleChosenOncePerConnection) {
    const struct {
        const char* kind;
        const char* button;
        int points;
        const char* caption;
    } cases[] = {{"DI", "Command1", 16, "PY16"},
                 {"DI", "Command2", 8, "PY8"},
                 {"DO", "Command1", 16, "PG16"},
                 {"DO", "Command2", 8, "PG8"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + c.button);
        restart();
        useModel("J6P-KW4", 4, " 1.05", c.kind);
        whenModalClick("frmExtSelect", c.button);

        main().btnConnect_Click();
        EXPECT_EQ(g.ExtName, c.kind);
        EXPECT_EQ(g.ExtChCount, c.points);
        EXPECT_EQ(g.ExtCaption, c.caption);
        EXPECT_EQ(main().lblExtName.caption(), std::string("+") + c.caption);
        EXPECT_TRUE(main().Frame6.visible());
        EXPECT_TRUE(g.ExtSelected);

        // Upload again and reconnect without Disconnect: the answer stands.
        main().btnUpload_Click();
        main().btnConnect_Click();
        EXPECT_EQ(logCount("modal frmExtSelect"), 1);
        EXPECT_EQ(g.ExtCaption, c.caption);

        // After Disconnect the question comes again.
        main().btnDisconnect_Click();
        main().btnConnect_Click();
        EXPECT_EQ(logCount("modal frmExtSelect"), 2);
    }
}

TEST_F(Identification, NoExtensionModule) {
    // Item 10 refused, the type "VQ", or "CNU" (read as "NEEDLESS", which the dialog turns
    // into none).
    const struct {
        const char* label;
        std::function<void(sim::SimUnit&)> arrange;
        int dialogs;
    } cases[] = {
        {"CNG", [](sim::SimUnit& u) { u.profile().refuse("00", "10"); }, 0},
        {"VQ", [](sim::SimUnit&) {}, 0},
        {"NEEDLESS",
         [](sim::SimUnit& u) {
             u.faults().needless.insert({"00", "10"});
         },
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        restart();
        c.arrange(*unit);
        whenModalClick("frmExtSelect", "Command1");
        main().Frame6.setVisible(true);
        main().lblExtName.setCaption("+PY16");

        main().btnConnect_Click();
        EXPECT_EQ(g.ExtName, "NONE");
        EXPECT_EQ(g.ExtChCount, 0);
        EXPECT_EQ(g.ExtCaption, "");
        EXPECT_EQ(main().lblExtName.caption(), "");
        EXPECT_FALSE(main().Frame6.visible());
        EXPECT_EQ(logCount("modal frmExtSelect"), c.dialogs);
    }
}

TEST_F(Identification, ExtensionDialogClosedWithoutAChoice) {
    useModel("J6P-KW4", 4, " 1.05", "DI");
    main().btnConnect_Click();  // the host closes the dialog: no button pressed
    EXPECT_EQ(g.ExtName, "DI");
    EXPECT_EQ(g.ExtChCount, 0);
    EXPECT_TRUE(g.ExtSelected);
    EXPECT_EQ(core::frmExtSelect().Command1.caption(), "PY16");
}

TEST_F(Identification, NeedInitializeEndsTheProgram) {
    unit->profile().set("00", "03", "CH", "NOT INIT");
    EXPECT_THROW(main().btnConnect_Click(), platform::ProgramEnded);

    expectOnlyMessage("Need Initialize", "Initialize Error\r\n");
    EXPECT_FALSE(core::MSComm1().portOpen());
    EXPECT_FALSE(g.Connected);
    EXPECT_EQ(main().shpLamp.fillColor(), core::kLampDisconnected);
    EXPECT_EQ(host.log.back(), "end");
    EXPECT_TRUE(calls().empty());  // no module window was reached
}

TEST_F(Identification, EmptyReplyEndsInUploadErrorAndDisconnect) {
    for (const char* item : {"I02", "I06", "I10", "I03"}) {
        SCOPED_TRACE(item);
        restart();
        g.UploadModelNum = 3;  // an earlier upload's window
        emptyReplyTo(item);

        main().btnConnect_Click();
        EXPECT_EQ(messageTexts(), std::vector<std::string>{"Upload Error"});
        EXPECT_EQ(host.messages[0].title, "Upload");
        EXPECT_FALSE(g.Connected);
        EXPECT_FALSE(core::MSComm1().portOpen());
        EXPECT_EQ(g.UploadModelNum, 3);
        EXPECT_FALSE(core::UploadIdentified());
        // Neither the module window nor the network window talked to the closed link.
        EXPECT_TRUE(calls().empty());
        EXPECT_TRUE(fakeNetwork().calls.empty());
        EXPECT_EQ(row(), kRowConnectFailed);
        // Each read was tried four times before giving up.
        int tries = 0;
        for (const auto& c : commands()) tries += c == item ? 1 : 0;
        EXPECT_EQ(tries, 4);
    }
}

TEST_F(Identification, EarlierAnswersKeepTheirValuesAfterAFailure) {
    emptyReplyTo("I10");
    main().btnConnect_Click();
    EXPECT_EQ(g.ModelName, "J6P-KW4");
    EXPECT_EQ(g.NetType, 0);
    EXPECT_EQ(g.VersionCaption, "Version :  1.05");
    EXPECT_EQ(g.UploadModelNum, -1);
}

TEST_F(Identification, ConnectionFailures) {
    const struct {
        const char* label;
        std::function<void(sim::SimUnit&)> arrange;
        std::int64_t minMs;   // time the probe takes at least
        std::string message;  // the connection message
    } cases[] = {
        // An open port says what to check: nothing answered, or something not a unit.
        {"silent", [](sim::SimUnit& u) { u.faults().silent = true; }, 6000, kNoUnitAnswered},
        {"probe refused", [](sim::SimUnit& u) { u.faults().replies["I01"] = "CNG"; }, 0, kNotAUnit},
        {"other label", [](sim::SimUnit& u) { u.profile().set("00", "01", "MNT", "1"); }, 0,
         kNotAUnit},
        {"no colon", [](sim::SimUnit& u) { u.faults().replies["I01"] = "0MNTSW"; }, 0, kNotAUnit},
        // A port that does not open says which and why on a second line.
        {"port in use", [](sim::SimUnit& u) { u.faults().portUnavailable = true; }, 0,
         "Connection Error\r\nCOM1 (simulated unit): in use by another program"},
        {"no such device",
         [](sim::SimUnit&) {
             ::setenv("DUNAX_COM1", "/nonexistent/dunax-tty", 1);
             platform::setSerialOpener(nullptr);
         },
         0,
         "Connection Error\r\nCOM1 (/nonexistent/dunax-tty): no such device: DUNAX_COM1 names "
         "a path that does not exist"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        restart();
        c.arrange(*unit);
        const std::int64_t start = host.now();

        main().btnConnect_Click();
        ASSERT_GE(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, c.message);
        EXPECT_EQ(host.messages[0].title, "Connection");
        EXPECT_GE(host.now() - start, c.minMs);
        // The upload that follows meets the closed port.
        EXPECT_EQ(messageTexts(), (std::vector<std::string>{c.message, "Upload Error"}));
        EXPECT_FALSE(g.Connected);
        EXPECT_EQ(main().lblConStatus.caption(), "Disconnected");
        EXPECT_EQ(main().shpLamp.fillColor(), core::kLampDisconnected);
        EXPECT_EQ(row(), kRowConnectFailed);
    }
    ::unsetenv("DUNAX_COM1");
}

}  // namespace
}  // namespace dunax::testing
