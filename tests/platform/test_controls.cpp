// The control model's event semantics, which every window relies on.
#include <gtest/gtest.h>

#include "platform/control.h"
#include "platform/scripted_host.h"

using namespace dunax::platform;

namespace {

class Demo : public Form {
  public:
    Demo() : Form("frmDemo") {}
    Control& txt = add(Kind::TextBox, "txtValue");
    Control& fraA = add(Kind::Frame, "fraA");
    Control& fraB = add(Kind::Frame, "fraB");
    ControlArray opt;
    Control& optA0 = add(Kind::OptionButton, "opt", 0, &fraA, opt);
    Control& optA1 = add(Kind::OptionButton, "opt", 1, &fraA, opt);
    Control& optB2 = add(Kind::OptionButton, "opt", 2, &fraB, opt);
    ControlArray chk;
    Control& chk1 = add(Kind::CheckBox, "chk", 1, nullptr, chk);
    Control& chk5 = add(Kind::CheckBox, "chk", 5, nullptr, chk);
    Control& cmb = add(Kind::ComboBox, "cmbRange");
    Control& bar = add(Kind::ProgressBar, "pgBar");
    Control& btn = add(Kind::CommandButton, "btnGo");
    Control& btnStop = add(Kind::CommandButton, "btnStop");
    Control& closeMe = add(Kind::CommandButton, "btnClose");
};

struct ControlModel : ::testing::Test {
    ScriptedHost h;
    FormInstance<Demo> frm;
};

TEST_F(ControlModel, TextChangeRaisedByCodeOnlyWhenTextDiffers) {
    int changes = 0;
    frm().txt.onChange = [&] { ++changes; };
    frm().txt.setText("12");
    frm().txt.setText("12");
    frm().txt.setText("");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(frm().txt.text(), "");
}

TEST_F(ControlModel, OptionButtonsAreExclusivePerContainerAndRaiseClick) {
    std::vector<int> clicks;
    for (int i : frm().opt.indices()) frm().opt(i).onClick = [&, i] { clicks.push_back(i); };
    frm().optB2.setValue(true);
    frm().optA0.setValue(true);
    frm().optA1.setValue(true);
    EXPECT_FALSE(frm().optA0.value());
    EXPECT_TRUE(frm().optA1.value());
    EXPECT_TRUE(frm().optB2.value()) << "another container keeps its choice";
    EXPECT_EQ(clicks, (std::vector<int>{2, 0, 1}));
    frm().optA1.setValue(false);
    EXPECT_EQ(clicks.size(), 3u) << "clearing an option raises nothing";
}

TEST_F(ControlModel, ComboListIndexRaisesClickAndOutOfListMeansNoSelection) {
    int clicks = 0;
    auto& c = frm().cmb;
    c.onClick = [&] { ++clicks; };
    c.addItem("-10V to 10V").addItem("-5V to 5V");
    struct Case {
        int set;
        int expect;
        const char* text;
    } cases[] = {{1, 1, "-5V to 5V"}, {0, 0, "-10V to 10V"}, {2, -1, ""},
                 {-1, -1, ""},        {-7, -1, ""},          {12, -1, ""}};
    for (const auto& k : cases) {
        c.setListIndex(k.set);
        EXPECT_EQ(c.listIndex(), k.expect) << k.set;
        EXPECT_EQ(c.text(), k.text) << k.set;
    }
    EXPECT_EQ(clicks, 6);
    c.setListIndex(1);
    c.clear();
    EXPECT_EQ(c.listIndex(), -1);
    EXPECT_EQ(c.listCount(), 0);
}

TEST_F(ControlModel, CheckBoxClickOnChangeOnly) {
    int clicks = 0;
    frm().chk5.onClick = [&] { ++clicks; };
    frm().chk5.setCheckValue(1);
    frm().chk5.setCheckValue(1);
    frm().chk5.setValue(false);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ControlModel, ProgressBarClampsValue) {
    auto& b = frm().bar;
    b.setMin(0).setMax(5);
    struct {
        double set, expect;
    } cases[] = {{3, 3}, {6, 5}, {-1, 0}, {5, 5}};
    for (auto k : cases) EXPECT_EQ(b.setProgress(k.set).progress(), k.expect) << k.set;
    b.setMax(2);
    EXPECT_EQ(b.progress(), 2) << "a lower maximum pulls the value down";
}

TEST_F(ControlModel, ArraysKeepDesignIndicesAndLookupByName) {
    EXPECT_EQ(frm().chk.indices(), (std::vector<int>{1, 5}));
    EXPECT_EQ(frm().chk.lowerBound(), 1);
    EXPECT_EQ(frm().chk.upperBound(), 5);
    EXPECT_FALSE(frm().chk.has(0));
    EXPECT_THROW(frm().chk(2), std::out_of_range);
    EXPECT_EQ(frm().find("chk", 5), &frm().chk5);
    EXPECT_EQ(frm().find("chk", 2), nullptr);
    EXPECT_EQ(frm().find("txtValue"), &frm().txt);
    EXPECT_EQ(frm().find("txtValue", 0), nullptr);
    EXPECT_EQ(frm().chk5.designName(), "chk(5)");
    EXPECT_EQ(frm().txt.designName(), "txtValue");
}

TEST_F(ControlModel, WindowCreatedOnFirstUseAndAgainAfterUnload) {
    EXPECT_FALSE(frm.loaded());
    frm().txt.setText("kept until unload");
    Demo* first = &frm();
    frm().closeMe.onClick = [&] {
        frm().unload();
        // The window is still intact while its own handler runs.
        EXPECT_EQ(first->txt.text(), "kept until unload");
    };
    userClick(frm().closeMe);
    EXPECT_FALSE(frm.loaded());
    EXPECT_EQ(h.log.back(), "unload frmDemo");
    EXPECT_EQ(frm().txt.text(), "") << "a new window starts from its design";
    collectRetiredForms();
}

TEST_F(ControlModel, ModalShowEndsWhenTheWindowHidesItself) {
    bool ranInside = false;
    h.whileModal["frmDemo"] = [&](Form& f) {
        ranInside = f.shown();
        static_cast<Demo&>(f).btn.onClick = [&f] { f.hide(); };
        userClick(static_cast<Demo&>(f).btn);
    };
    frm().showModal();
    EXPECT_TRUE(ranInside);
    EXPECT_FALSE(frm().shown());
    EXPECT_EQ(h.log,
              (std::vector<std::string>{"modal frmDemo", "hide frmDemo", "end modal frmDemo"}));
}

TEST_F(ControlModel, ClicksWaitForTheRunningExchangeUnlessUrgent) {
    std::vector<std::string> ran;
    frm().btn.onClick = [&] { ran.push_back("go"); };
    frm().btnStop.onClick = [&] { ran.push_back("stop"); };
    frm().btnStop.setUrgent(true);
    {
        ExchangeScope exchange;
        userClick(frm().btn);
        userClick(frm().btnStop);
        runHeldClicks();  // nothing may run while the exchange waits
        EXPECT_EQ(ran, (std::vector<std::string>{"stop"}));
        EXPECT_EQ(heldClickCount(), 1u);
    }
    runHeldClicks();
    EXPECT_EQ(ran, (std::vector<std::string>{"stop", "go"}));
}

TEST_F(ControlModel, HeldClickIsDroppedWhenItsButtonWasDisabledOrItsWindowWent) {
    int clicks = 0;
    frm().btn.onClick = [&] { ++clicks; };
    {
        ExchangeScope exchange;
        userClick(frm().btn);
        frm().btn.setEnabled(false);
    }
    runHeldClicks();
    EXPECT_EQ(clicks, 0);
    frm().btn.setEnabled(true);
    {
        ExchangeScope exchange;
        userClick(frm().btn);
        frm().unload();
        collectRetiredForms();
    }
    runHeldClicks();
    EXPECT_EQ(clicks, 0);
    userClick(frm().btn);  // a new window, no handler: nothing happens, nothing breaks
    EXPECT_EQ(clicks, 0);
}

TEST_F(ControlModel, DisabledButtonIgnoresTheUser) {
    int clicks = 0;
    frm().btn.onClick = [&] { ++clicks; };
    frm().btn.setEnabled(false);
    userClick(frm().btn);
    frm().btn.click();  // code may still call a handler
    EXPECT_EQ(clicks, 1);
}

TEST_F(ControlModel, TimerTicksOnTheVirtualClock) {
    class T : public Form {
      public:
        T() : Form("frmT") {}
        Control& tmr = add(Kind::Timer, "Timer1");
    };
    FormInstance<T> t;
    int ticks = 0;
    t().tmr.onTimer = [&] { ++ticks; };
    t().tmr.setInterval(100).setEnabled(true);
    h.waitForInput(nullptr, 350);
    EXPECT_EQ(ticks, 1) << "a wait returns at the first event";
    while (h.now() < 350) h.waitForInput(nullptr, 350);
    EXPECT_EQ(ticks, 3);
    t().tmr.setEnabled(false);
    h.waitForInput(nullptr, 1000);
    EXPECT_EQ(ticks, 3);
}

}  // namespace
