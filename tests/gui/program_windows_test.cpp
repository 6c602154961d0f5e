// The program's own windows drawn for real: the main window before and after an upload from
// the simulated unit, and each dialog. The pictures land in the build tree for a person to
// look at; the test checks that each was drawn and that the upload reached the screen.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

#include "core/dialogs.h"
#include "core/dispatch.h"
#include "core/ext_select.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/main_window.h"
#include "core/module_window.h"
#include "core/network_window.h"
#include "gui/program_windows.h"
#include "gui_fixture.h"
#include "sim/device.h"
#include "sim/profile.h"

namespace dunax::gui::test {
namespace {

// A picture of the whole top-level window that w lies in.
void shootTop(QWidget* w, const std::string& name) {
    shoot(w ? w->window() : nullptr, name);
}

class ProgramWindows : public GuiTest {
  protected:
    void SetUp() override {
        registerWindows();
        auto profile = sim::profileFor("J6P-KW4");
        ASSERT_TRUE(profile.has_value());
        unit = std::make_shared<sim::SimUnit>(*profile);
        platform::setSerialOpener(sim::simOpener(unit));
    }
    void TearDown() override {
        core::ClosePort();
        platform::setSerialOpener(nullptr);
    }
    std::shared_ptr<sim::SimUnit> unit;
};

TEST_F(ProgramWindows, MainWindowBeforeAndAfterAnUpload) {
    auto& main = core::frmDunax();
    main.show();
    idle(50);
    shootTop(host.windowOf(main), "frmDunax_start");
    EXPECT_EQ(widget<QLabel>(main.lblComPortNo)->text().toStdString(), "COM1");

    answerMessageBoxes();
    main.btnConnect_Click();
    idle(50);
    EXPECT_TRUE(core::g.Connected) << ::testing::PrintToString(messages);
    EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(messages);
    EXPECT_EQ(widget<QLabel>(main.lblMastertype)->text().toStdString(), "J6P-KW4");
    EXPECT_TRUE(widget<QPushButton>(main.btnDownload)->isEnabled());
    auto* module = core::ModuleWindowFor(core::g.UploadModelNum);
    shootTop(module ? host.windowOf(*module) : host.windowOf(main), "frmDunax_uploaded");
    ASSERT_NE(module, nullptr);
    shootTop(host.windowOf(*module), "module_" + module->name());
    // The second settings page, as the user reaches it.
    platform::Control* page2 = module->find("cmdSet2");
    ASSERT_NE(page2, nullptr);
    platform::userClick(*page2);
    idle(20);
    shootTop(host.windowOf(*module), "module_" + module->name() + "_page2");

    // The network window, filled by the upload, as its button shows it.
    auto* net = core::NetworkWindowFor(core::g.NetType);
    ASSERT_NE(net, nullptr);
    net->show();
    idle(20);
    shootTop(host.windowOf(*net), net->name());
    net->hide();
}

TEST_F(ProgramWindows, DialogsAreDrawn) {
    core::frmDunax().show();
    struct Case {
        platform::Form* form;
        const char* name;
    } cases[] = {
        {&core::frmComPort(), "frmComPort"}, {&core::frmVersion(), "frmVersion"},
        {&core::frmNotice(), "frmNotice"},   {&core::frmExtSelect(), "frmExtSelect"},
        {&core::frmLoading(), "frmLoading"}, {&core::frmNONE(), "frmNONE"},
    };
    core::g.ExtName = "DI";
    core::frmExtSelect().ExtName_Select();
    core::g.ChCount = 4;
    core::ShowLoading("Initializing");
    core::frmLoading().pgBarLoading.setProgress(2);
    for (const auto& c : cases) {
        c.form->show();
        idle(20);
        shootTop(host.windowOf(*c.form), c.name);
        c.form->hide();
    }
}

}  // namespace
}  // namespace dunax::gui::test
