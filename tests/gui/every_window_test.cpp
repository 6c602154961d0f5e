// Every module and network window the program has, drawn for real after an upload from a
// simulated unit: one picture per window in the build tree, for a person to look at. Each
// upload is a test of its own, so that ctest runs them side by side; each checks that the
// upload went through without a message and reached the window on screen.

#include <cctype>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "core/connection.h"
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

// One simulated unit to upload: the first of its module model, or the first of its field
// network, in the simulator's order.
struct WindowCase {
    std::string unit;
    int model = -1;    // module window number from the model name
    int netType = -1;  // field network from the model name
    bool firstOfModel = false;
    bool firstOfNetwork = false;
};

std::vector<WindowCase> windowCases() {
    std::vector<WindowCase> cases;
    std::set<int> models;
    std::set<int> nets;
    for (const std::string& name : sim::listProfiles()) {
        const auto profile = sim::profileFor(name);
        if (!profile) continue;
        WindowCase c;
        c.unit = name;
        c.model = core::ModelOfName(profile->identity.modelName).modelNum;
        c.netType = core::NetTypeOfName(profile->identity.modelName);
        c.firstOfModel = c.model >= 0 && c.model <= 27 && models.insert(c.model).second;
        c.firstOfNetwork = c.netType >= 0 && c.netType <= 7 && nets.insert(c.netType).second;
        if (c.firstOfModel || c.firstOfNetwork) cases.push_back(c);
    }
    return cases;
}

void PrintTo(const WindowCase& c, std::ostream* os) {
    *os << c.unit;
}

// "J6S-FE16+DI" gives J6S_FE16_DI.
std::string caseName(const ::testing::TestParamInfo<WindowCase>& info) {
    std::string name = info.param.unit;
    for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return name;
}

class EveryWindow : public GuiTest, public ::testing::WithParamInterface<WindowCase> {
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

TEST_P(EveryWindow, AfterAnUpload) {
    const WindowCase& c = GetParam();
    auto profile = sim::profileFor(c.unit);
    ASSERT_TRUE(profile.has_value());
    auto unit = std::make_shared<sim::SimUnit>(*profile);
    unit->latencyMs = 1;  // the pictures, not the line, are under test here
    platform::setSerialOpener(sim::simOpener(unit));
    auto& main = core::frmDunax();
    main.show();
    main.btnConnect_Click();
    idle(20);
    EXPECT_TRUE(core::g.Connected);
    EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(messages);

    if (c.firstOfNetwork) {
        core::NetworkWindow* net = core::NetworkWindowFor(c.netType);
        ASSERT_NE(net, nullptr) << "network " << c.netType;
        // A window that serves two networks is drawn once, by the lower one's unit.
        bool drawnElsewhere = false;
        for (int t = 0; t < c.netType; ++t) drawnElsewhere |= core::NetworkWindowFor(t) == net;
        if (!drawnElsewhere) {
            net->show();
            idle(20);
            shoot(host.windowOf(*net), "window_" + net->name());
            net->hide();
        }
    }
    if (c.firstOfModel) {
        EXPECT_EQ(core::g.UploadModelNum, c.model);
        core::ModuleWindow* w = core::ModuleWindowFor(c.model);
        ASSERT_NE(w, nullptr) << "model " << c.model;
        EXPECT_TRUE(w->shown());
        shoot(host.windowOf(*w), "window_" + w->name());
    }
}

INSTANTIATE_TEST_SUITE_P(Units, EveryWindow, ::testing::ValuesIn(windowCases()), caseName);

// The uploads above reach every window: each of the 28 module models and each of the eight
// field networks has a simulated unit, and the networks have seven windows (HLS and FLEX
// NETWORK share one).
TEST(EveryWindowCoverage, EachModelAndNetworkHasAUnit) {
    QtHost host;
    registerWindows();
    std::set<int> models;
    std::set<int> nets;
    for (const WindowCase& c : windowCases()) {
        if (c.firstOfModel) models.insert(c.model);
        if (c.firstOfNetwork) nets.insert(c.netType);
    }
    EXPECT_EQ(models.size(), 28u);
    EXPECT_EQ(nets.size(), 8u);
    std::set<const core::NetworkWindow*> windows;
    for (int t : nets) windows.insert(core::NetworkWindowFor(t));
    windows.erase(nullptr);
    EXPECT_EQ(windows.size(), 7u);
}

}  // namespace
}  // namespace dunax::gui::test
