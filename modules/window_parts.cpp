#include "modules/window_parts.h"

#include <algorithm>

#include "core/connection.h"
#include "core/dispatch.h"
#include "core/download_record.h"
#include "core/ext_display.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/tables.h"
#include "core/text.h"
#include "modules/discrete_counter/bit_image.h"
#include "platform/host.h"

namespace dunax::modules {

using platform::Control;
using platform::Kind;
using namespace layout;

std::string ChannelName(int k) {
    return "CH " + std::to_string(k);
}

// --- Progress window ---

void StepProgress() {
    auto& bar = core::frmLoading().pgBarLoading;
    bar.setProgress(bar.progress() + 1);
}

void CloseProgress() {
    if (core::frmLoading.loaded()) core::frmLoading().unload();
}

void UploadFailed() {
    CloseProgress();
    core::ReportLinkFailure("Upload Error", "Upload");
    core::Disconnect();
}

// --- Unit items ---

void SetChItemNo(int ch, int modelNum) {
    if (ch < core::kChItemFirst || ch > core::kChItemLast) return;
    auto& rec = core::g.ChItem[static_cast<std::size_t>(ch)];
    for (int p = 1; p <= 6; ++p) rec.item(p) = std::to_string(core::ItemNo(p, modelNum));
}

bool HoldOffered() {
    return core::g.NetType >= 0 && core::g.NetType <= 5;
}

bool ReadHoldChoice(Control& keepOn, Control& keepOff) {
    const std::string reply = core::SelectReadRetry(kRetries, "00", "14");
    if (reply.empty()) return false;
    const bool hold = core::AfterColon(reply) == "ON";
    keepOn.setValue(hold);
    keepOff.setValue(!hold);
    return true;
}

std::string WriteHoldChoice(const Control& keepOn) {
    return core::DownloadWrite(kHoldCaption, "00", "14", keepOn.value() ? "0" : "1");
}

void ShowMonitoredValue(Control& box, const std::string& reply) {
    if (reply.empty()) return;
    std::string v = core::RemovePoint(core::AfterColon(reply));
    if (core::IsNumeric(v)) box.setText(std::move(v));
}

void ReadLiveValues(const platform::ControlArray& boxes, int count) {
    for (int i = 0; i < count; ++i) {
        ShowMonitoredValue(boxes(i), core::SelectReadRetry(kRetries, "00", std::to_string(21 + i)));
    }
}

void RefreshExtensionPoints(platform::Form& frm) {
    if (core::g.ExtName == "NONE") return;
    core::ExtDataDisplayReply(frm, core::SelectReadRetry(kRetries, "00", "12"));
}

// --- Two settings pages ---

void ShowSettingsPage(Control& cmdSet1, Control& frmSet1, Control& cmdSet2, Control& frmSet2,
                      int page, bool locked) {
    const bool second = page == 2;
    cmdSet1.setEnabled(second && !locked);
    frmSet1.setVisible(!second);
    cmdSet2.setEnabled(!second && !locked);
    frmSet2.setVisible(second);
}

void ReopenSettingsPage(Control& cmdSet1, Control& frmSet1, Control& cmdSet2, Control& frmSet2) {
    ShowSettingsPage(cmdSet1, frmSet1, cmdSet2, frmSet2, frmSet2.visible() ? 2 : 1);
}

// --- Building ---

ModuleWindowParts::ModuleWindowParts(std::string formName, std::string caption)
    : core::ModuleWindow(std::move(formName)) {
    setCaption(std::move(caption));
    setGeometry(0, 0, kWindowWidth, kWindowHeight);
}

Control& ModuleWindowParts::addValueFrame() {
    return add(Kind::Frame, "Frame1")
        .setCaption("Value")
        .setGeometry(kMargin, kValueTop, kContentWidth, kValueHeight);
}

Control& ModuleWindowParts::addModuleCode(Control* container, int left, int top) {
    return add(Kind::Label, "lblV_Unit", container)
        .setCaption("Type")
        .setGeometry(left, top, 1080, 300)
        .setFontSize(9.75)
        .setFontBold(true);
}

void ModuleWindowParts::addChannelValues(Control& frame, int channels,
                                         platform::ControlArray& values) {
    const int pitch = std::min(kValueColPitch, (kContentWidth - kValueColLeft - 120) / channels);
    const int width = pitch - 180;
    for (int k = 0; k < channels; ++k) {
        const int x = kValueColLeft + k * pitch;
        add(Kind::Label, "Label" + std::to_string(k + 1), &frame)
            .setCaption(ChannelName(k))
            .setAlignment(2)
            .setGeometry(x, 270, width, kLabelHeight);
        add(Kind::TextBox, "txtParData", k, &frame, values)
            .setLocked(true)
            .setAlignment(1)
            .setAccessibleName(ChannelName(k) + " Value")
            .setGeometry(x, 495, width, kBoxHeight);
    }
}

Control& ModuleWindowParts::addExtensionPoints(Control* container, const ExtensionPlace& at,
                                               platform::ControlArray& lblExtIndex,
                                               platform::ControlArray& txtChData) {
    static const char* const kHex = "0123456789ABCDEF";
    Control& caption = add(Kind::Label, "lblV_Ext", container);
    caption.setGeometry(at.captionLeft, at.captionTop, at.captionWidth, kLabelHeight)
        .setVisible(false);
    add(Kind::Label, "lblExtIndex", 0, container, lblExtIndex)
        .setCaption(at.header)
        .setGeometry(at.left, at.top, kLampHeaderWidth, kLampHeaderHeight)
        .setVisible(false);
    for (int n = 0; n < 16; ++n) {
        Control& box = add(Kind::TextBox, "txtChData", n, container, txtChData);
        if (at.lamps)
            box.setEnabled(false);
        else
            box.setLocked(true);
        box.setAccessibleName(std::string("Extension point ") + kHex[n])
            .setGeometry(at.left + LampOffset(n), at.top + kLampBelowHeader, kLampWidth,
                         kLampHeight)
            .setVisible(false);
    }
    return caption;
}

Control& ModuleWindowParts::addPageButton(const std::string& name, const std::string& caption,
                                          int slot) {
    return add(Kind::CommandButton, name)
        .setCaption(caption)
        .setGeometry(kMargin + slot * (kPageButtonWidth + 90), kPageButtonTop, kPageButtonWidth,
                     kButtonHeight);
}

Control& ModuleWindowParts::addPage(const std::string& name, int top) {
    return add(Kind::Frame, name).setGeometry(kMargin, top, kContentWidth, kPageBottom - top);
}

Control& ModuleWindowParts::addHoldFrame(const std::string& frameName, Control* container, int left,
                                         int top, Control*& keepOn, Control*& keepOff,
                                         bool clearFirst) {
    Control& frame = add(Kind::Frame, frameName, container);
    frame.setCaption(kHoldCaption).setGeometry(left, top, 3000, 1320);
    if (clearFirst) {
        keepOff = &add(Kind::OptionButton, "optKeepOff", &frame);
        keepOn = &add(Kind::OptionButton, "optKeepOn", &frame);
    } else {
        keepOn = &add(Kind::OptionButton, "optKeepOn", &frame);
        keepOff = &add(Kind::OptionButton, "optKeepOff", &frame);
    }
    const int upper = 390, lower = 810;
    keepOn->setCaption("Output Hold").setGeometry(300, clearFirst ? lower : upper, 2400, 300);
    keepOff->setCaption("Output Clear").setGeometry(300, clearFirst ? upper : lower, 2400, 300);
    return frame;
}

}  // namespace dunax::modules
