// Every module window the program has, drawn for real after an upload from a simulated unit
// of its model: one picture per window in the build tree, for a person to look at. The test
// checks that each upload went through without a message and reached the window on screen.

#include <memory>
#include <set>

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

class EveryWindow : public GuiTest {
  protected:
    void SetUp() override {
        registerWindows();
        // Answers what the program asks on the way: message boxes (recorded) and the
        // extension module choice (the first button).
        answerMessageBoxes([] {
            if (core::frmExtSelect.loaded() && core::frmExtSelect().shown()) {
                platform::userClick(core::frmExtSelect().Command1);
            }
        });
    }
    void TearDown() override {
        core::ClosePort();
        platform::setSerialOpener(nullptr);
    }
};

TEST_F(EveryWindow, EachModelsWindowAfterAnUpload) {
    auto& main = core::frmDunax();
    main.show();
    std::set<int> seen;
    std::set<const core::NetworkWindow*> seenNets;
    std::set<std::string> modelNames;
    for (const std::string& name : sim::listProfiles()) {
        auto profile = sim::profileFor(name);
        ASSERT_TRUE(profile.has_value()) << name;
        // One unit of each model name is enough (with or without an extension module).
        if (!modelNames.insert(profile->identity.modelName).second) continue;
        auto unit = std::make_shared<sim::SimUnit>(*profile);
        unit->latencyMs = 1;  // the pictures, not the line, are under test here
        platform::setSerialOpener(sim::simOpener(unit));
        messages.clear();
        main.btnDisconnect_Click();
        main.btnConnect_Click();
        idle(20);
        auto* net = core::NetworkWindowFor(core::g.NetType);
        if (net && seenNets.insert(net).second) {
            net->show();
            idle(20);
            shoot(host.windowOf(*net), "window_" + net->name());
            net->hide();
        }
        const int model = core::g.UploadModelNum;
        if (model < 0 || model > 27 || seen.count(model)) continue;
        seen.insert(model);
        SCOPED_TRACE(name);
        EXPECT_TRUE(core::g.Connected);
        EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(messages);
        core::ModuleWindow* w = core::ModuleWindowFor(model);
        ASSERT_NE(w, nullptr);
        shoot(host.windowOf(*w), "window_" + w->name());
        w->hide();
    }
    EXPECT_EQ(seen.size(), 28u) << "every module model has a window and a simulated unit";
    EXPECT_EQ(seenNets.size(), 7u) << "every network window (HLS and FLEX NETWORK share one)";
}

}  // namespace
}  // namespace dunax::gui::test
