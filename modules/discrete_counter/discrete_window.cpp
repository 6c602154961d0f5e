#include "modules/discrete_counter/discrete_window.h"

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
using layout::kBoxHeight;
using layout::kLabelHeight;

}  // namespace

DiscreteWindow::DiscreteWindow(std::string formName, std::string title)
    : ModuleWindowParts(std::move(formName), std::move(title)) {}

// --- Building ---

Control& DiscreteWindow::addFrame(const std::string& name, const std::string& caption,
                                  Control* container, int left, int top, int width, int height) {
    return add(Kind::Frame, name, container)
        .setCaption(caption)
        .setGeometry(left, top, width, height);
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

Control& DiscreteWindow::addLampValueFrame(const std::string& header) {
    Control& frame = addFrame("Frame1", "Value", nullptr, 90, 45, 9330, 1950);
    lblV_Unit = &addModuleCode(&frame, 150, 330);
    addLine(&frame, 1290, 240, 0, 1590);
    addBitImage(&frame, 1440, 330, header);
    return frame;
}

void DiscreteWindow::addExtension(Control* container, int captionLeft, int left, int top) {
    lblV_Ext = &addExtensionPoints(container,
                                   {.captionLeft = captionLeft,
                                    .captionTop = top + kLampBelowHeader,
                                    .captionWidth = left - captionLeft - 180,
                                    .left = left,
                                    .top = top,
                                    .header = kPointHeader16,
                                    .lamps = true},
                                   lblExtIndex, txtChData);
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

void DiscreteWindow::CDataDisplay(const std::string& hex) {
    if (variant_) modules::CDataDisplay(txtCData, *variant_, hex);
}

void DiscreteWindow::ReadBitImage() {
    const std::string reply = core::SelectReadRetry(kRetries, "00", "21");
    // "CNG" or "NEEDLESS" would otherwise read as digits ("C", "E", "D").
    if (!reply.empty() && variant_) CDataDisplayReply(txtCData, *variant_, reply);
}

void DiscreteWindow::ShowState(Control& box, bool on, platform::Color onColour,
                               platform::Color offColour) {
    box.setForeColor(on ? onColour : offColour);
    box.setText(on ? "ON" : "OFF");
}

}  // namespace dunax::modules
