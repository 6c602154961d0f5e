// The main window: its start, the button rows after each handler, the dispatch to the module
// and network windows, the dialogs and the File and Help menus.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/config_stub.h"
#include "core/connection.h"
#include "core/dialogs.h"
#include "core_fixture.h"

namespace dunax::testing {
namespace {

using core::g;

class MainWindowTest : public CoreFixture {
  protected:
    // The lamp, the status text and the rows must agree with the link.
    void expectLinkShown() {
        EXPECT_EQ(main().shpLamp.fillColor() == core::kLampConnected, g.Connected);
        EXPECT_EQ(main().lblConStatus.caption(), g.Connected ? "Connected" : "Disconnected");
        if (!g.Connected) {
            EXPECT_FALSE(main().btnUpload.enabled());
            EXPECT_FALSE(main().btnDownload.enabled());
        }
    }
};

TEST_F(MainWindowTest, StartState) {
    EXPECT_EQ(main().caption(), "DUNAX");
    EXPECT_EQ(main().width(), 12300);
    EXPECT_EQ(main().height(), 9000);
    EXPECT_EQ(main().windowKind(), platform::WindowKind::MdiParent);
    EXPECT_EQ(row(), kRowLoad);
    EXPECT_EQ(main().lblComPortNo.caption(), "COM1");
    EXPECT_EQ(main().lblMastertype.caption(), "Welcome");
    EXPECT_FALSE(main().Frame6.visible());
    EXPECT_EQ(g.ModelName, "NONE");
    EXPECT_EQ(g.UploadModelNum, -1);
    for (const char* name :
         {"Frame4",       "shpLamp",       "lblComPortNo",  "lblConStatus", "Frame5",
          "lblVersionNo", "lblMastertype", "Frame6",        "lblExtName",   "Frame1",
          "btnDownload",  "btnUpload",     "Frame2",        "btnStart",     "btnStop",
          "Frame3",       "btnComNet",     "btnDisconnect", "btnConnect",   "btnSetting",
          "Label5",       "mnuFiles",      "mnuFilesOpen",  "mnuFilesSave", "mnuFilesVar",
          "mnuFilesEnd",  "mnuHelp",       "mnuHelpVersion"}) {
        EXPECT_NE(main().find(name), nullptr) << name;
    }
    // Only these act while an exchange waits for its reply.
    EXPECT_TRUE(main().btnStop.urgent());
    EXPECT_TRUE(main().btnDisconnect.urgent());
    EXPECT_TRUE(main().mnuFilesEnd.urgent());
    EXPECT_FALSE(main().btnUpload.urgent());
    EXPECT_FALSE(main().mnuFilesOpen.urgent());
    // Closing the window ends the program.
    EXPECT_THROW(main().onCloseBox(), platform::ProgramEnded);
}

TEST_F(MainWindowTest, ButtonRowsAfterEachHandler) {
    const struct {
        const char* label;
        std::function<void()> run;
        const char* row;
    } cases[] = {
        {"connect and upload", [this] { main().btnConnect_Click(); }, kRowConnected},
        {"port dialog OK",
         [this] {
             whenModalClick("frmComPort", "btnExit");
             main().btnSetting_Click();
         },
         kRowConnectedAfterDialog},
        {"port dialog closed", [this] { main().btnSetting_Click(); }, "10101000"},
        {"connect fails",
         [this] {
             unit->faults().silent = true;
             main().btnConnect_Click();
         },
         kRowConnectFailed},
        {"upload meets a silent unit",
         [this] {
             main().btnConnect_Click();
             unit->faults().silent = true;
             main().btnUpload_Click();
         },
         kRowDisconnected},
        {"upload finds an unrecognised model",
         [this] {
             main().btnConnect_Click();
             unit->profile().setReadOnly("00", "02", "TYPE", "J6U-JR8");
             main().btnUpload_Click();
         },
         kRowDisconnected},
        {"connect finds an unrecognised model",
         [this] {
             unit->profile().setReadOnly("00", "02", "TYPE", "J6U-JR8");
             main().btnConnect_Click();
         },
         kRowConnectFailed},
        {"disconnect",
         [this] {
             main().btnConnect_Click();
             main().btnDisconnect_Click();
         },
         kRowDisconnected},
        {"disconnect before any upload", [this] { main().btnDisconnect_Click(); },
         kRowDisconnected},
        {"io_btn_control(True) over a closed link",
         [this] {
             main().btnConnect_Click();
             core::Disconnect();
             main().io_btn_control(true);
         },
         kRowDisconnected},
        {"download, check fails",
         [this] {
             main().btnConnect_Click();
             fakeModule().checkOk = false;
             main().btnDownload_Click();
         },
         kRowConnected},
        {"download, prologue unanswered",
         [this] {
             main().btnConnect_Click();
             unit->faults().replies["DF"] = "";
             main().btnDownload_Click();
         },
         kRowDisconnected},
        {"download, prologue refused",
         [this] {
             main().btnConnect_Click();
             unit->faults().replies["DF"] = "CNG";
             main().btnDownload_Click();
         },
         kRowConnected},
        {"download, read-back finds an unrecognised model",
         [this] {
             main().btnConnect_Click();
             unit->profile().setReadOnly("00", "02", "TYPE", "J6U-JR8");
             main().btnDownload_Click();
         },
         kRowDisconnected},
        {"start when the connection fails",
         [this] {
             unit->faults().silent = true;
             main().btnStart_Click();
         },
         kRowConnectFailed},
        {"network window, exit, notice OK",
         [this] {
             main().btnConnect_Click();
             whenModalClick("frmFakeNet", "btnExit");
             whenModalClick("frmNotice", "OKButton");
             main().btnComNet_Click();
         },
         kRowDisconnected},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        restart();
        c.run();
        EXPECT_EQ(row(), c.row);
        EXPECT_FALSE(g.Monitoring);
        expectLinkShown();
    }
}

TEST_F(MainWindowTest, UploadDispatchesToTheModuleAndNetworkWindows) {
    useModel("J6U-FE16", 16);
    main().btnConnect_Click();

    EXPECT_EQ(calls(), (std::vector<std::string>{"Init", "ReadingData"}));
    EXPECT_EQ(fakeNetwork().calls, std::vector<std::string>{"btnUpload_Click"});
    EXPECT_EQ(logCount("show frmFake"), 1);
    EXPECT_TRUE(frmFake().shown());
    EXPECT_EQ(frmFake().left(), 0);
    EXPECT_EQ(frmFake().top(), 0);
    EXPECT_EQ(frmFake().width(), 9650);
    EXPECT_EQ(frmFake().height(), 7400);
    EXPECT_TRUE(g.ModuleFormShown);
    EXPECT_EQ(g.ChCount, 16);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(MainWindowTest, ModelWithoutWindowGetsTheUnrecognisedModelWindow) {
    // 99 (a code outside the table), and a model number whose window is not registered.
    const struct {
        const char* modelName;
        int unregister;
    } cases[] = {{"J6U-JR8", -1}, {"J6P-KW4", 0}, {"J6U-FE8", 23}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.modelName);
        restart();
        if (c.unregister >= 0) core::RegisterModuleWindow(c.unregister, {});
        useModel(c.modelName);

        main().btnConnect_Click();
        EXPECT_EQ(logCount("show frmNONE"), 1);
        EXPECT_EQ(core::frmNONE().caption(), "Form1");
        EXPECT_EQ(core::frmNONE().Label1.caption(), "Please download the latest version.");
        EXPECT_EQ(core::frmNONE().width(), 9650);
        EXPECT_EQ(messageTexts(),
                  std::vector<std::string>{"Not definced modelnum in frmDunax -> btnUpload"});
        EXPECT_EQ(host.messages[0].title, "Debug info");
        EXPECT_FALSE(g.Connected);
        // Nothing more is read: no live values, no network settings.
        EXPECT_TRUE(calls().empty());
        EXPECT_TRUE(fakeNetwork().calls.empty());
    }
}

TEST_F(MainWindowTest, NetworkUploadOnlyAfterAnIdentifiedModel) {
    // The link fails at the version after an earlier upload: the earlier window is not read
    // and the network window is not uploaded over the dead link.
    main().btnConnect_Click();
    fakeModule().calls.clear();
    fakeNetwork().calls.clear();
    emptyReplyTo("I06");
    main().btnUpload_Click();
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"Upload Error"});
    EXPECT_TRUE(calls().empty());
    EXPECT_TRUE(fakeNetwork().calls.empty());
}

TEST_F(MainWindowTest, FailedIdentificationIsReportedOnce) {
    // After an unrecognised model, a later upload that gets no answer says "Upload Error"
    // and nothing about the earlier model.
    useModel("J6U-JR8");
    main().btnConnect_Click();
    host.messages.clear();
    unit->faults().silentFrom = unit->commands().size() + 5;  // answers the probe only
    main().btnConnect_Click();
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"Upload Error"});
    EXPECT_EQ(row(), kRowConnectFailed);
}

TEST_F(MainWindowTest, ModuleUploadThatLosesTheLinkEndsThere) {
    fakeModule().onInit = [] { core::Disconnect(); };  // the window's own failure path
    main().btnConnect_Click();
    EXPECT_EQ(calls(), std::vector<std::string>{"Init"});
    EXPECT_TRUE(fakeNetwork().calls.empty());
    EXPECT_EQ(row(), kRowConnectFailed);
}

TEST_F(MainWindowTest, NetworkWindowExitReconnectsThenTheNoticeDisconnects) {
    main().btnConnect_Click();
    fakeNetwork().calls.clear();
    whenModalClick("frmFakeNet", "btnExit");
    whenModalClick("frmNotice", "OKButton");

    main().btnComNet_Click();
    EXPECT_EQ(fakeNetwork().calls, (std::vector<std::string>{"btnExit_Click", "btnUpload_Click"}));
    // The notice comes once the network window's modal display has ended.
    const auto at = [this](const std::string& e) {
        return std::find(host.log.begin(), host.log.end(), e) - host.log.begin();
    };
    EXPECT_LT(at("end modal frmFakeNet"), at("modal frmNotice"));
    EXPECT_FALSE(g.Connected);
    EXPECT_TRUE(main().btnSetting.enabled());
}

TEST_F(MainWindowTest, NetworkButtonWithoutAWindow) {
    main().btnConnect_Click();
    core::RegisterNetworkWindow(0, {});
    main().btnComNet_Click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "Network");
    EXPECT_EQ(logCount("modal frmNotice"), 0);
    EXPECT_TRUE(g.Connected);
    EXPECT_EQ(row(), kRowConnected);
}

TEST_F(MainWindowTest, NetworkButtonWithUnknownNetwork) {
    useModel("J7X-KW4");
    main().btnConnect_Click();
    main().btnComNet_Click();
    EXPECT_EQ(host.messages.back().text, "Not definced NetTyp in frmDunax -> btnComNet");
    EXPECT_EQ(host.messages.back().title, "Debug info");
    EXPECT_EQ(row(), kRowDisconnected);
}

TEST_F(MainWindowTest, PortDialogReopensOnTheChosenPortAndConnects) {
    int opens = 0;
    platform::setSerialOpener([this, &opens](int port, const std::string& s, std::string& e) {
        ++opens;
        return sim::simOpener(unit)(port, s, e);
    });
    host.whileModal["frmComPort"] = [](platform::Form& f) {
        auto& dlg = static_cast<core::ComPortWindow&>(f);
        EXPECT_TRUE(dlg.optCom(1).value());  // the dialog starts on the port in use
        dlg.optCom(3).setValue(true);
        platform::userClick(dlg.btnExit);
    };
    main().btnSetting_Click();
    EXPECT_EQ(g.ComPortNo, 3);
    EXPECT_EQ(unit->openedPort, 3);
    EXPECT_EQ(main().lblComPortNo.caption(), "COM3");
    EXPECT_TRUE(g.Connected);
    EXPECT_EQ(opens, 1);

    // OK on the same port closes the open port and opens it again.
    host.whileModal["frmComPort"] = [](platform::Form& f) {
        auto& dlg = static_cast<core::ComPortWindow&>(f);
        EXPECT_TRUE(dlg.optCom(3).value());
        platform::userClick(dlg.btnExit);
    };
    main().btnSetting_Click();
    EXPECT_EQ(opens, 2);
    EXPECT_TRUE(g.Connected);
    EXPECT_EQ(row(), kRowConnectedAfterDialog);
}

TEST_F(MainWindowTest, ProgressWindowRunsOverTheChannels) {
    g.ChCount = 4;
    core::ShowLoading("Initializing");
    core::LoadingWindow& w = core::frmLoading();
    EXPECT_TRUE(w.shown());
    EXPECT_EQ(w.lblLoading.caption(), "Initializing");
    EXPECT_EQ(w.pgBarLoading.min(), 0);
    EXPECT_EQ(w.pgBarLoading.max(), 5);
    EXPECT_EQ(w.pgBarLoading.progress(), 0);
}

TEST_F(MainWindowTest, VersionBox) {
    main().mnuHelpVersion_Click();
    EXPECT_EQ(logCount("modal frmVersion"), 1);
    EXPECT_EQ(core::frmVersion().caption(), "Version DUNAX ");
    EXPECT_EQ(core::frmVersion().lblName(1).caption(), "0.50");
}

TEST_F(MainWindowTest, SaveWithNothingShownAndOpen) {
    main().mnuFilesSave_Click();
    expectOnlyMessage("No Config Data", "Save Error", platform::Icon::None);

    // Until configuration files exist, Open and Save say so and touch nothing.
    main().btnConnect_Click();
    main().all_btn_control(false);
    main().mnuFilesOpen_Click();
    main().mnuFilesSave_Click();
    EXPECT_EQ(host.messages.size(), 3u);
    EXPECT_TRUE(host.dialogs.empty());
    EXPECT_TRUE(main().btnDownload.enabled());  // Open while connected offers Download

    main().btnDisconnect_Click();
    main().mnuFilesOpen_Click();
    EXPECT_FALSE(main().btnDownload.enabled());
}

TEST_F(MainWindowTest, InstalledConfigFileRoutinesRun) {
    int opened = 0, saved = 0;
    core::SetConfigFileRoutines([&] { ++opened; }, [&] { ++saved; });
    main().mnuFilesOpen_Click();
    main().mnuFilesSave_Click();  // nothing shown yet: refused before the routine
    main().btnConnect_Click();
    main().mnuFilesSave_Click();
    core::SetConfigFileRoutines(nullptr, nullptr);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(saved, 1);
}

}  // namespace
}  // namespace dunax::testing
