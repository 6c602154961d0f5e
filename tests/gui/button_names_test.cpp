// Every button of every window has an accessible name that tells it apart from the other
// buttons of its window: a screen reader user who hears "Zero" must know which channel's.
#include <QAccessible>
#include <QAccessibleInterface>

#include <map>
#include <string>
#include <vector>

#include "core/dialogs.h"
#include "core/ext_select.h"
#include "core/globals.h"
#include "core/main_window.h"
#include "core/module_window.h"
#include "core/network_window.h"
#include "gui/program_windows.h"
#include "gui_fixture.h"

namespace dunax::gui::test {
namespace {

// The accessible names that more than one button of f shares, with the buttons' design
// names. Buttons both hidden and switched off are out of the user's reach and left out.
std::map<std::string, std::vector<std::string>> sharedButtonNames(QtHost& host, platform::Form& f) {
    std::map<std::string, std::vector<std::string>> byName;
    for (const auto& c : f.controls()) {
        if (c->kind() != platform::Kind::CommandButton) continue;
        if (!c->visible() && !c->enabled()) continue;
        QWidget* w = host.widgetOf(*c);
        QAccessibleInterface* a = w ? QAccessible::queryAccessibleInterface(w) : nullptr;
        const std::string name = a ? a->text(QAccessible::Name).toStdString() : "";
        byName[name].push_back(c->designName());
    }
    std::map<std::string, std::vector<std::string>> shared;
    for (auto& [name, buttons] : byName) {
        if (buttons.size() > 1 || name.empty()) shared[name] = buttons;
    }
    return shared;
}

TEST(ButtonNames, NoTwoButtonsOfAWindowShareAnAccessibleName) {
    QtHost host;
    registerWindows();
    core::frmDunax().show();
    // The extension module choice is filled before it is shown.
    core::g.ExtName = "DI";
    core::frmExtSelect().ExtName_Select();
    std::vector<platform::Form*> forms{&core::frmDunax(),   &core::frmComPort(),
                                       &core::frmVersion(), &core::frmNotice(),
                                       &core::frmNONE(),    &core::frmExtSelect()};
    int modules = 0, networks = 0;
    for (int model = 0; model <= 27; ++model) {
        if (core::ModuleWindow* w = core::ModuleWindowFor(model)) {
            forms.push_back(w);
            ++modules;
        }
    }
    for (int type = 0; type <= 7; ++type) {
        if (core::NetworkWindow* w = core::NetworkWindowFor(type)) {
            forms.push_back(w);
            ++networks;
        }
    }
    EXPECT_EQ(modules, 28);
    EXPECT_EQ(networks, 8);  // HLS and FLEX NETWORK share one window
    for (platform::Form* f : forms) {
        if (f != &core::frmDunax()) f->show();
        EXPECT_EQ(sharedButtonNames(host, *f), (std::map<std::string, std::vector<std::string>>{}))
            << f->name();
        if (f != &core::frmDunax()) f->hide();
    }
}

// The load-cell windows' twin buttons carry their channel, as FE2's request buttons do.
TEST(ButtonNames, LoadCellButtonsNameTheirChannel) {
    QtHost host;
    registerWindows();
    core::frmDunax().show();
    struct Case {
        const char* button;
        const char* name;
    };
    const Case cases[] = {
        {"cmdZero0", "CH 0 Zero"},         {"cmdZero1", "CH 1 Zero"},
        {"cmdSpan0", "CH 0 Span"},         {"cmdSpan1", "CH 1 Span"},
        {"cmdGainUPCH0", "CH 0 UP"},       {"cmdGainUPCH1", "CH 1 UP"},
        {"Command2", "CH 0 Offset Clear"}, {"Command1", "CH 1 Offset Clear"},
    };
    for (int model : {21, 22}) {
        core::ModuleWindow* w = core::ModuleWindowFor(model);
        ASSERT_NE(w, nullptr) << model;
        w->show();
        for (const Case& c : cases) {
            platform::Control* b = w->find(c.button);
            ASSERT_NE(b, nullptr) << c.button;
            QWidget* widget = host.widgetOf(*b);
            ASSERT_NE(widget, nullptr) << c.button;
            EXPECT_EQ(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name),
                      c.name)
                << w->name() << " " << c.button;
        }
        w->hide();
    }
}

}  // namespace
}  // namespace dunax::gui::test
