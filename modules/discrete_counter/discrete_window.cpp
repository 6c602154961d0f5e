#include "modules/discrete_counter/discrete_window.h"

#include "core/ext_display.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/text.h"

namespace dunax::modules {

using platform::Control;
using platform::Kind;

namespace {

constexpr const char* kHexDigits = "0123456789ABCDEF";

// State rows.
constexpr int kRowLabelWidth = 780;
constexpr int kStateLeft = 960;
constexpr int kStateWidth = 900;
constexpr int kStateGap = 120;
constexpr int kRowPitch = 405;
constexpr int kBoxHeight = 285;
constexpr int kLabelHeight = 225;

}  // namespace

DiscreteWindow::DiscreteWindow(std::string formName, std::string title)
    : core::ModuleWindow(std::move(formName)) {
    setCaption(std::move(title));
    setGeometry(0, 0, 9650, 7400);
}

// --- Building ---

Control& DiscreteWindow::addFrame(const std::string& name, const std::string& caption,
                                  Control* container, int left, int top, int width, int height) {
    return add(Kind::Frame, name, container)
        .setCaption(caption)
        .setGeometry(left, top, width, height);
}

void DiscreteWindow::addModuleCode(Control* container, int left, int top) {
    lblV_Unit = &add(Kind::Label, "lblV_Unit", container);
    lblV_Unit->setCaption("Type").setGeometry(left, top, 1080, 300);
    lblV_Unit->setFontSize(9.75).setFontBold(true);
}

void DiscreteWindow::addLine(Control* container, int left, int top, int width, int height) {
    Line1 = &add(Kind::Line, "Line1", container);
    Line1->setGeometry(left, top, width, height);
}

void DiscreteWindow::addBitImage(Control* container, int left, int top, const std::string& header) {
    variant_ = &BitImageVariantOf(name());
    add(Kind::Label, "lblExtIndex", 1, container, lblExtIndex)
        .setCaption(header)
        .setGeometry(left, top, kLampHeaderWidth, kLampHeaderHeight);
    for (int n = 0; n < variant_->boxes; ++n) {
        // A lamp, not an entry: disabled, so it takes no focus and no typing.
        add(Kind::TextBox, "txtCData", n, container, txtCData)
            .setEnabled(false)
            .setAccessibleName(std::string("Point ") + kHexDigits[n])
            .setGeometry(left + LampOffset(n), top + kLampBelowHeader, kLampWidth, kLampHeight)
            .setVisible(n < variant_->visible);
    }
}

void DiscreteWindow::addExtension(Control* container, int captionLeft, int left, int top) {
    lblV_Ext = &add(Kind::Label, "lblV_Ext", container);
    lblV_Ext->setGeometry(captionLeft, top + kLampBelowHeader, left - captionLeft - 180,
                          kLabelHeight);
    lblV_Ext->setVisible(false);
    add(Kind::Label, "lblExtIndex", 0, container, lblExtIndex)
        .setCaption(kPointHeader16)
        .setGeometry(left, top, kLampHeaderWidth, kLampHeaderHeight)
        .setVisible(false);
    for (int n = 0; n < 16; ++n) {
        add(Kind::TextBox, "txtChData", n, container, txtChData)
            .setEnabled(false)
            .setAccessibleName(std::string("Extension point ") + kHexDigits[n])
            .setGeometry(left + LampOffset(n), top + kLampBelowHeader, kLampWidth, kLampHeight)
            .setVisible(false);
    }
}

Control& DiscreteWindow::addHold(const std::string& frameName, Control* container, int left,
                                 int top, bool clearFirst) {
    Control& frame = addFrame(frameName, "Output Hold/Clear", container, left, top, 3000, 1320);
    const int upper = 390, lower = 810;
    if (clearFirst) {
        optKeepOff = &add(Kind::OptionButton, "optKeepOff", &frame);
        optKeepOn = &add(Kind::OptionButton, "optKeepOn", &frame);
    } else {
        optKeepOn = &add(Kind::OptionButton, "optKeepOn", &frame);
        optKeepOff = &add(Kind::OptionButton, "optKeepOff", &frame);
    }
    optKeepOn->setCaption("Output Hold").setGeometry(300, clearFirst ? lower : upper, 2400, 300);
    optKeepOff->setCaption("Output Clear").setGeometry(300, clearFirst ? upper : lower, 2400, 300);
    return frame;
}

void DiscreteWindow::addStateRows(Control* container, const std::string& chPrefix, int left,
                                  int top) {
    const int diLeft = left + kStateLeft;
    const int doLeft = diLeft + kStateWidth + kStateGap;
    add(Kind::Label, "lblDataTitle", 0, container, lblDataTitle)
        .setCaption("DI")
        .setAlignment(2)
        .setGeometry(diLeft, top, kStateWidth, kLabelHeight);
    add(Kind::Label, "lblDataTitle", 1, container, lblDataTitle)
        .setCaption("DO")
        .setAlignment(2)
        .setGeometry(doLeft, top, kStateWidth, kLabelHeight);
    for (int i = 1; i <= kStateRows; ++i) {
        const int y = top + 300 + (i - 1) * kRowPitch;
        const std::string ch = chPrefix + std::to_string(i - 1);
        add(Kind::Label, "lblChNo", i, container, lblChNo)
            .setCaption(ch)
            .setGeometry(left, y + 30, kRowLabelWidth, kLabelHeight);
        // Read-only rather than disabled: a disabled box would grey out the state's colour.
        add(Kind::TextBox, "txtDICh", i, container, txtDICh)
            .setLocked(true)
            .setAlignment(2)
            .setAccessibleName(ch + " DI")
            .setGeometry(diLeft, y, kStateWidth, kBoxHeight);
        add(Kind::TextBox, "txtDOCh", i, container, txtDOCh)
            .setLocked(true)
            .setAlignment(2)
            .setAccessibleName(ch + " DO")
            .setGeometry(doLeft, y, kStateWidth, kBoxHeight);
    }
}

// --- Steps ---

void DiscreteWindow::ShowModuleCode() {
    lblV_Unit->setCaption(core::AfterHyphen(core::g.ModelName));
}

bool DiscreteWindow::ReadHold() {
    const std::string reply = core::SelectReadRetry(kRetries, "00", "14");
    if (reply.empty()) return false;
    const bool hold = core::AfterColon(reply) == "ON";
    optKeepOn->setValue(hold);
    optKeepOff->setValue(!hold);
    return true;
}

std::string DiscreteWindow::WriteHold() {
    return core::SelectWriteRetry(kRetries, "00", "14", optKeepOn->value() ? "0" : "1");
}

void DiscreteWindow::CDataDisplay(const std::string& hex) {
    if (variant_) modules::CDataDisplay(txtCData, *variant_, hex);
}

void DiscreteWindow::ReadBitImage() {
    const std::string reply = core::SelectReadRetry(kRetries, "00", "21");
    // "CNG" or "NEEDLESS" would otherwise read as digits ("C", "E", "D").
    if (!reply.empty() && variant_) CDataDisplayReply(txtCData, *variant_, reply);
}

void DiscreteWindow::RefreshExtension() {
    if (core::g.ExtName == "NONE") return;
    core::ExtDataDisplayReply(*this, core::SelectReadRetry(kRetries, "00", "12"));
}

void DiscreteWindow::ShowState(Control& box, bool on, platform::Color onColour,
                               platform::Color offColour) {
    box.setForeColor(on ? onColour : offColour);
    box.setText(on ? "ON" : "OFF");
}

}  // namespace dunax::modules
