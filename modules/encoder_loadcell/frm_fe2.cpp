// The encoder counter window: its controls and layout, the page buttons, the display mode and
// the switching of its edits.
#include "modules/encoder_loadcell/frm_fe2.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/globals.h"

namespace dunax::modules {

using platform::Control;
using platform::Kind;

platform::FormInstance<FE2Window> frmFE2;

namespace {

// --- Layout, in twips (15 twips = 1 pixel). The window is 9650 x 7400 with its frame. ---
constexpr int kFrameLeft = 60;
constexpr int kFrameWidth = 9410;
constexpr int kFrameHeight = 6840;

// Page buttons and the display toggle along the top of the container frame.
constexpr int kButtonTop = 150;
constexpr int kButtonWidth = 1500;
constexpr int kButtonHeight = 375;
constexpr int kButtonPitch = 1590;
constexpr int kToggleWidth = 2700;

// The three pages share one place under the buttons.
constexpr int kPageLeft = 120;
constexpr int kPageTop = 660;
constexpr int kPageWidth = 9170;
constexpr int kPageHeight = 6060;

// Columns of every page: row caption, CH 0, CH 1, hint.
constexpr int kCaptionLeft = 150;
constexpr int kCaptionWidth = 2550;
constexpr int kCol0 = 2790;
constexpr int kCol1 = 4380;
constexpr int kBoxWidth = 1500;
constexpr int kBoxHeight = 285;
constexpr int kHintLeft = 6000;
constexpr int kHintWidth = 3050;
constexpr int kLabelHeight = 225;
constexpr int kLabelDrop = 30;  // a caption sits this far below the top of its box
constexpr int kHeadTop = 180;
constexpr int kRowTop = 480;
constexpr int kRowPitch = 420;

// The legend of the position count modes, beside the last two rows of the Setting page.
constexpr int kLegendPitch = 240;
constexpr int kLegendModeWidth = 750;

constexpr const char* kValidHint = "(0 = Invalid 1 = Valid)";

int colLeft(int k) {
    return k == 0 ? kCol0 : kCol1;
}

}  // namespace

FE2Window::FE2Window() : ModuleWindowParts("frmFE2", "FE2") {
    buildFrame();
    buildSettingPage();
    buildAlarmPage();
    buildLatchResetPage();
    collectDisplayGroups();
    // Designer state: the Setting page with its own button off; every control of both
    // display groups visible until the display mode is first applied.
    showPage(frmSet1, false);
}

// --- Building the window ---

void FE2Window::buildFrame() {
    frmFE2f = &add(Kind::Frame, "frmFE2f");
    frmFE2f->setGeometry(kFrameLeft, 0, kFrameWidth, kFrameHeight);

    auto pageButton = [this](const char* name, const char* caption, int i) {
        Control& b = add(Kind::CommandButton, name, frmFE2f);
        b.setCaption(caption).setGeometry(kPageLeft + i * kButtonPitch, kButtonTop, kButtonWidth,
                                          kButtonHeight);
        return &b;
    };
    cmdSet1 = pageButton("cmdSet1", "Setting", 0);
    cmdSet1->onClick = [this] { cmdSet1_Click(); };
    cmdSet3 = pageButton("cmdSet3", "Alarm", 1);
    cmdSet3->onClick = [this] { cmdSet3_Click(); };
    cmdSet4 = pageButton("cmdSet4", "Latch/Reset", 2);
    cmdSet4->onClick = [this] { cmdSet4_Click(); };

    Command9 = &add(Kind::CommandButton, "Command9", frmFE2f);
    Command9->setCaption("DISPLAY SPEED DATA")
        .setGeometry(kFrameWidth - kPageLeft - kToggleWidth, kButtonTop, kToggleWidth,
                     kButtonHeight);
    Command9->onClick = [this] { Command9_Click(); };

    auto page = [this](const char* name) {
        Control& p = add(Kind::Frame, name, frmFE2f);
        p.setGeometry(kPageLeft, kPageTop, kPageWidth, kPageHeight);
        return &p;
    };
    frmSet1 = page("frmSet1");
    frmSet3 = page("frmSet3");
    frmSet4 = page("frmSet4");
}

// Rows top to bottom; where a position control and a speed control share a place, the
// position one comes first.
void FE2Window::buildSettingPage() {
    Control* p = frmSet1;
    auto label = [this, p](const std::string& name, const std::string& caption, int left, int top,
                           int width) -> Control& {
        return add(Kind::Label, name, p)
            .setCaption(caption)
            .setGeometry(left, top, width, kLabelHeight);
    };
    auto caption = [&label](const std::string& name, const std::string& text, int top) {
        label(name, text, kCaptionLeft, top + kLabelDrop, kCaptionWidth);
    };
    auto hint = [&label](const std::string& name, const std::string& text, int top) {
        label(name, text, kHintLeft, top + kLabelDrop, kHintWidth);
    };
    auto boxes = [this, p](const std::string& name, platform::ControlArray& arr,
                           const std::string& title, int top, bool enabled) {
        for (int k = 0; k < 2; ++k) {
            add(Kind::TextBox, name, k, p, arr)
                .setAccessibleName(ChannelName(k) + " " + title)
                .setAlignment(1)
                .setEnabled(enabled)
                .setGeometry(colLeft(k), top, kBoxWidth, kBoxHeight);
        }
    };
    auto row = [](int r) { return kRowTop + r * kRowPitch; };

    for (int k = 0; k < 2; ++k) {
        label(k == 0 ? "Label0" : "Label1", ChannelName(k), colLeft(k), kHeadTop, kBoxWidth)
            .setAlignment(2);
    }
    caption("Label34", "Current Pos", row(0));
    boxes("txtCP", txtCP, "Current Pos", row(0), false);
    caption("lblFScale01", "Current Speed", row(0));
    boxes("txtCS", txtCS, "Current Speed", row(0), false);

    caption("Label18", "Latch Pos", row(1));
    boxes("txtLP", txtLP, "Latch Pos", row(1), false);
    caption("Label2", "Latch Speed", row(1));
    boxes("txtLS", txtLS, "Latch Speed", row(1), false);

    caption("Label4", "Reset Pos", row(2));
    boxes("txtRP", txtRP, "Reset Pos", row(2), false);
    caption("Label10", "Drop Out", row(2));
    boxes("txtDO", txtDO, "Drop Out", row(2), false);
    hint("Label61", "( 0.10% to 50.00%)", row(2));

    caption("Label12", "Reset Value", row(3));
    boxes("txtReset", txtReset, "Reset Value", row(3), true);
    caption("Label20", "Bias", row(3));
    boxes("txtBias", txtBias, "Bias", row(3), true);
    hint("Label3", "(-320.000 to 320.00)", row(3));

    caption("Label11", "Min", row(4));
    boxes("txtMin", txtMin, "Min", row(4), true);
    hint("Label14", "(-2100000000 to 2099999999)", row(4));

    caption("Label15", "Max", row(5));
    boxes("txtMax", txtMax, "Max", row(5), true);
    hint("Label13", "(-2099999999 to 2100000000)", row(5));

    caption("Label21", "Gain", row(6));
    boxes("txtGain", txtGain, "Gain", row(6), true);
    hint("Label75", "(-3.2000 to 3.2000)", row(6));

    caption("Label22", "Zero Scale", row(7));
    boxes("txtZS", txtZS, "Zero Scale", row(7), true);
    hint("Label76", "(-32000 to 32000)", row(7));

    caption("Label23", "Full Scale", row(8));
    boxes("txtFS", txtFS, "Full Scale", row(8), true);
    hint("Label77", "(-32000 to 32000)", row(8));

    // Module-wide values the unit reports; they are shown, never edited.
    auto moduleBox = [this, p](int i, const std::string& title, int top) {
        add(Kind::TextBox, "txtTM", i, p, txtTM)
            .setAccessibleName(title)
            .setAlignment(1)
            .setEnabled(false)
            .setGeometry(kCol0, top, kBoxWidth, kBoxHeight);
    };
    caption("Label60", "Conversion Data ", row(9));
    moduleBox(6, "Conversion Data", row(9));
    caption("Label16", "Position Count Mode", row(10));
    moduleBox(4, "Position Count Mode", row(10));
    caption("Label19", "Frequency Range (Hz)", row(10));
    moduleBox(3, "Frequency Range (Hz)", row(10));

    // Legend of the position count modes: mode and multiplication, one line each.
    const std::array<std::array<const char*, 4>, 4> legend{{
        {"Label73", "Mode 0", "Label69", "0 : Multiplication  x4"},
        {"Label74", "Mode 1", "Label70", "1 : Multiplication  x2"},
        {"Label17", "Mode 2", "Label71", "2 : Multiplication  x1"},
        {"Label78", "Mode 3", "Label72", "3 : Multiplication  x1"},
    }};
    for (std::size_t i = 0; i < legend.size(); ++i) {
        const int top = row(9) + kLabelDrop + static_cast<int>(i) * kLegendPitch;
        label(legend[i][0], legend[i][1], kHintLeft, top, kLegendModeWidth);
        label(legend[i][2], legend[i][3], kHintLeft + kLegendModeWidth + 60, top,
              kHintWidth - kLegendModeWidth - 60);
    }
}

void FE2Window::buildAlarmPage() {
    Control* p = frmSet3;
    auto label = [this, p](const std::string& name, int index, platform::ControlArray* arr,
                           const std::string& caption, int left, int top, int width) -> Control& {
        Control& c = arr ? add(Kind::Label, name, index, p, *arr) : add(Kind::Label, name, p);
        return c.setCaption(caption).setGeometry(left, top, width, kLabelHeight);
    };
    auto caption = [&label](const std::string& name, const std::string& text, int top) {
        label(name, -1, nullptr, text, kCaptionLeft, top + kLabelDrop, kCaptionWidth);
    };
    auto boxes = [this, p](const std::string& name, platform::ControlArray& arr,
                           const std::string& title, int top) {
        for (int k = 0; k < 2; ++k) {
            add(Kind::TextBox, name, k, p, arr)
                .setAccessibleName(ChannelName(k) + " " + title)
                .setAlignment(1)
                .setGeometry(colLeft(k), top, kBoxWidth, kBoxHeight);
        }
    };
    constexpr int kTimerPitch = 375;

    // Module-wide alarm timers.
    const std::array<std::array<const char*, 2>, 3> timers{{
        {"ALM:Power On Delay Timer", "(0.0 to 60.0 sec)"},
        {"ALM:On Delay Timer", "(0.0to 60.0 sec)"},
        {"ALM:On Hold Timer", "(0.0 to 60.0 sec)"},
    }};
    for (int i = 0; i < 3; ++i) {
        const int top = kHeadTop + i * kTimerPitch;
        const auto& t = timers[static_cast<std::size_t>(i)];
        label("lblTM", i, &lblTM_, t[0], kCaptionLeft, top + kLabelDrop, kCaptionWidth);
        add(Kind::TextBox, "txtTM", i, p, txtTM)
            .setAccessibleName(t[0])
            .setAlignment(1)
            .setGeometry(kCol0, top, kBoxWidth, kBoxHeight);
        label("lblTMHint", i, &lblTMHint_, t[1], kHintLeft, top + kLabelDrop, kHintWidth);
    }

    const int heads = kHeadTop + 3 * kTimerPitch + 90;
    for (int k = 0; k < 2; ++k) {
        label("lblAlmCh", k, &lblAlmCh_, ChannelName(k), colLeft(k), heads, kBoxWidth)
            .setAlignment(2);
    }
    int top = heads + 270;
    caption("Label57", "HLS Command", top);
    boxes("txtOP", txtOP, "HLS Command", top);
    label("Label47", -1, nullptr, kValidHint, kHintLeft, top + kLabelDrop, kHintWidth);

    // One block per alarm: heading, type, then the setpoint and hysteresis rows, where the
    // position and the speed controls share their places.
    struct Alarm {
        std::string heading, headingName, typeName, prefix;
        const char *pmLabel, *smLabel, *phLabel, *shLabel;
        platform::ControlArray *type, *pm, *sm, *ph, *sh;
    };
    const std::array<Alarm, 2> alarms{{
        {"Alarm A", "lblAlarmA", "lblA1Type", "txtA1", "Label27", "Label32", "Label26", "Label28",
         &txtA1Type, &txtA1PM, &txtA1SM, &txtA1PH, &txtA1SH},
        {"Alarm B", "lblAlarmB", "lblA2Type", "txtA2", "Label40", "Label37", "Label39", "Label24",
         &txtA2Type, &txtA2PM, &txtA2SM, &txtA2PH, &txtA2SH},
    }};
    for (const Alarm& a : alarms) {
        top += kRowPitch + 60;
        label(a.headingName, -1, nullptr, a.heading, kCaptionLeft, top, kCaptionWidth)
            .setFontBold(true);
        top += 270;
        caption(a.typeName, "Alarm Type", top);
        boxes(a.prefix + "Type", *a.type, a.heading + " Alarm Type", top);
        top += kRowPitch;
        caption(a.pmLabel, "Position Setpoint", top);
        boxes(a.prefix + "PM", *a.pm, a.heading + " Position Setpoint", top);
        caption(a.smLabel, "Speed Setpoint", top);
        boxes(a.prefix + "SM", *a.sm, a.heading + " Speed Setpoint", top);
        top += kRowPitch;
        caption(a.phLabel, "Position Hys", top);
        boxes(a.prefix + "PH", *a.ph, a.heading + " Position Hys", top);
        caption(a.shLabel, "Speed Hys", top);
        boxes(a.prefix + "SH", *a.sh, a.heading + " Speed Hys", top);
    }

    const std::array<const char*, 3> legend{
        "Alarm Type : 0 = NOT USED     ",
        "           1 = Speed Hi     2 = Speed Lo     ",
        "           3 = Position Hi   4 = Position Lo     ",
    };
    top += kRowPitch + 60;
    for (int i = 0; i < 3; ++i) {
        label("lblAlmLegend", i, &lblAlmLegend_, legend[static_cast<std::size_t>(i)], kCaptionLeft,
              top + i * kLegendPitch, kPageWidth - 2 * kCaptionLeft);
    }
}

void FE2Window::buildLatchResetPage() {
    Control* p = frmSet4;
    for (int k = 0; k < 2; ++k) {
        add(Kind::Label, "lblLRCh", k, p, lblLRCh_)
            .setCaption(ChannelName(k))
            .setAlignment(2)
            .setGeometry(colLeft(k), kHeadTop, kBoxWidth, kLabelHeight);
    }
    // Latch rows, then reset rows, a little apart.
    auto rowTop = [](int r) { return kRowTop + r * kRowPitch + (r >= 5 ? 300 : 0); };

    struct Flag {
        const char* labelName;
        const char* caption;
        const char* boxName;
        platform::ControlArray* box;
    };
    struct Request {
        const char* caption;
        int first;  // the CH 0 button; CH 1 is the next number
    };
    auto flagRow = [&](int r, const Flag& f) {
        const int top = rowTop(r);
        add(Kind::Label, f.labelName, p)
            .setCaption(f.caption)
            .setGeometry(kCaptionLeft, top + kLabelDrop, kCaptionWidth, kLabelHeight);
        for (int k = 0; k < 2; ++k) {
            add(Kind::TextBox, f.boxName, k, p, *f.box)
                .setAccessibleName(ChannelName(k) + " " + f.caption)
                .setAlignment(1)
                .setGeometry(colLeft(k), top, kBoxWidth, kBoxHeight);
        }
        add(Kind::Label, "lblValid", r, p, lblValid_)
            .setCaption(kValidHint)
            .setGeometry(kHintLeft, top + kLabelDrop, kHintWidth, kLabelHeight);
    };
    auto requestRow = [&](int r, int kind, const Request& q) {
        const int top = rowTop(r);
        add(Kind::Label, "lblRequest", kind, p, lblRequest_)
            .setCaption(q.caption)
            .setGeometry(kCaptionLeft, top + kLabelDrop, kCaptionWidth, kLabelHeight);
        for (int k = 0; k < 2; ++k) {
            const int n = q.first + k;
            Control& b = add(Kind::CommandButton, "Command" + std::to_string(n), p);
            b.setCaption(n == 7 ? "Request " : "Request")
                .setAccessibleName(ChannelName(k) + " " + q.caption + " Request")
                .setGeometry(colLeft(k), top - 30, kBoxWidth, kButtonHeight - 15);
            b.onClick = [this, n] { Command_Click(n); };
            Command[static_cast<std::size_t>(n)] = &b;
        }
    };

    flagRow(0, {"lblEL", "External Latch", "txtEL", &txtEL});
    flagRow(1, {"lblHL", "HLS Latch", "txtHL", &txtHL});
    flagRow(2, {"lblHLD", "HLS Latch Data Clear", "txtHLD", &txtHLD});
    requestRow(3, 0, {"Latch", 1});
    requestRow(4, 2, {"Latch Data Clear", 5});
    flagRow(5, {"lblER", "External Reset", "txtER", &txtER});
    flagRow(6, {"lblHR", "HLS Reset", "txtHR", &txtHR});
    flagRow(7, {"lblHRD", "HLS Reset Data Clear", "txtHRD", &txtHRD});
    flagRow(8, {"lblZR", "Z Reset", "txtZR", &txtZR});
    requestRow(9, 1, {"Reset", 3});
    requestRow(10, 3, {"Reset Data Clear", 7});
}

// The two control groups of the display mode, each box with its caption and hint.
void FE2Window::collectDisplayGroups() {
    auto collect = [this](std::vector<Control*>& group, std::initializer_list<const char*> arrays,
                          std::initializer_list<const char*> labels) {
        for (const char* a : arrays) {
            for (int k = 0; k < 2; ++k) group.push_back(find(a, k));
        }
        for (const char* l : labels) group.push_back(find(l));
    };
    collect(speedGroup_,
            {"txtCS", "txtLS", "txtDO", "txtBias", "txtGain", "txtZS", "txtFS", "txtA1SM",
             "txtA1SH", "txtA2SM", "txtA2SH"},
            {"lblFScale01", "Label2", "Label10", "Label61", "Label20", "Label3", "Label21",
             "Label75", "Label22", "Label76", "Label23", "Label77", "Label32", "Label28", "Label37",
             "Label24", "Label19"});
    speedGroup_.push_back(&txtTM(3));
    collect(positionGroup_,
            {"txtCP", "txtLP", "txtRP", "txtA1PM", "txtA1PH", "txtA2PM", "txtA2PH", "txtReset",
             "txtMax", "txtMin"},
            {"Label34", "Label18", "Label4",  "Label27", "Label26", "Label40", "Label39",
             "Label12", "Label13", "Label15", "Label11", "Label14", "Label16", "Label69",
             "Label78", "Label70", "Label17", "Label71", "Label74", "Label72", "Label73"});
    positionGroup_.push_back(&txtTM(4));
}

// --- Pages ---

// Shows page, hides the two others; the buttons of the other pages go on unless locked, the
// page's own button goes off. Steps in the order: the other two pages first, then the page.
void FE2Window::showPage(Control* page, bool lockButtons) {
    const std::array<std::pair<Control*, Control*>, 3> pages{
        {{cmdSet1, frmSet1}, {cmdSet3, frmSet3}, {cmdSet4, frmSet4}}};
    for (const auto& [button, frame] : pages) {
        if (frame == page) continue;
        button->setEnabled(!lockButtons);
        frame->setVisible(false);
    }
    for (const auto& [button, frame] : pages) {
        if (frame != page) continue;
        button->setEnabled(false);
        frame->setVisible(true);
    }
}

void FE2Window::cmdSet1_Click() {
    showPage(frmSet1, false);
}

void FE2Window::cmdSet3_Click() {
    showPage(frmSet3, false);
}

void FE2Window::cmdSet4_Click() {
    showPage(frmSet4, false);
}

void FE2Window::cmdset_disable() {
    showPage(frmSet1, true);
}

void FE2Window::cmdset_enable() {
    showPage(frmSet1, false);
}

// --- Display mode ---

void FE2Window::dtype_change() {
    const bool speed = core::g.FE2DisplayMode != 0;
    Command9->setCaption(speed ? "DISPLAY POSITION DATA" : "DISPLAY SPEED DATA");
    for (Control* c : speed ? positionGroup_ : speedGroup_) c->setVisible(false);
    for (Control* c : speed ? speedGroup_ : positionGroup_) c->setVisible(true);
}

void FE2Window::Command9_Click() {
    core::g.FE2DisplayMode = core::g.FE2DisplayMode == 0 ? 1 : 0;
    dtype_change();
}

// --- Edits ---

int FE2Window::ChannelsInUse() {
    return std::clamp(core::g.ChCount, 0, 2);
}

// The monitored boxes and the drop out of the channels in use, then the alarm timers. The
// other settings stay editable throughout; the frequency range, position count mode and count
// mode never become editable.
void FE2Window::txt_able(bool flag) {
    for (int k = 0; k < ChannelsInUse(); ++k) {
        for (auto* arr : {&txtCP, &txtCS, &txtLP, &txtLS, &txtRP, &txtDO})
            (*arr)(k).setEnabled(flag);
    }
    for (int i = 0; i < 3; ++i) txtTM(i).setEnabled(flag);
}

}  // namespace dunax::modules
