#include "network/frm_flexnet.h"

#include <array>

#include "core/globals.h"
#include "core/text.h"
#include "network/entry_check.h"

namespace dunax::network {

using platform::Kind;

platform::FormInstance<FlexnetWindow> frmFlexnet;

namespace {

constexpr int kClientWidth = NetworkSettingsWindow::kMinClientWidth;
constexpr int kCodeHeight = 360 + 6 * 285 + 120;
constexpr int kTimeoutHeight = 855;
constexpr int kFrameGap = 120;

// What item 52 means for a variant: the frame's caption, the list of codes, the codes taken.
struct CodeTable {
    const char* caption;
    std::array<const char*, 6> labels;
    int codes;  // "0" .. codes - 1
};

const CodeTable* codeTable(int subModelNum) {
    static const CodeTable kKW4{
        "Conversion rate", {"0:80 msec", "1:40 msec", "2:20 msec", "3:10 msec", "", ""}, 4};
    static const CodeTable kBJ4QN4{
        "Conversion rate", {"0:250 msec", "1:500 msec", "", "", "", ""}, 2};
    static const CodeTable kKWH4{
        "Averaging", {"0:No Averaging", "1:2 sample", "2:4 sample", "3:8 sample", "", ""}, 6};
    switch (subModelNum) {
        case 1:
            return &kKW4;
        case 2:
        case 3:
            return &kBJ4QN4;
        case 4:
            return &kKWH4;
        default:
            return nullptr;
    }
}

// The module models whose time-out the window shows as 0.
bool timeoutShownAsZero(int modelNum) {
    return modelNum == 15 || modelNum == 17 || modelNum == 18 || modelNum == 19;
}

}  // namespace

FlexnetWindow::FlexnetWindow()
    : NetworkSettingsWindow("frmFlexnet", "Setting"),
      Frame1(add(Kind::Frame, "Frame1")),
      txtAve(add(Kind::TextBox, "txtAve", &Frame1)),
      Label3(add(Kind::Label, "Label3", &Frame1)),
      Label4(add(Kind::Label, "Label4", &Frame1)),
      Label5(add(Kind::Label, "Label5", &Frame1)),
      Label6(add(Kind::Label, "Label6", &Frame1)),
      Label7(add(Kind::Label, "Label7", &Frame1)),
      Label8(add(Kind::Label, "Label8", &Frame1)),
      Frame2(add(Kind::Frame, "Frame2")),
      txtTimeout(add(Kind::TextBox, "txtTimeout", &Frame2)),
      Label2(add(Kind::Label, "Label2", &Frame2)) {
    Frame1.setCaption("Averaging");
    txtAve.setAccessibleName("Code");
    Frame2.setCaption("TimeOut");
    txtTimeout.setText("10");
    Label2.setCaption("x 0.1 sec");
    txtTimeout.setAccessibleName("TimeOut x 0.1 sec");

    const int frameWidth = kClientWidth - 2 * kMargin;
    layOut(kClientWidth, kContentTop + kCodeHeight + kFrameGap + kTimeoutHeight + kMargin);
    Frame1.setGeometry(kMargin, kContentTop, frameWidth, kCodeHeight);
    txtAve.setGeometry(240, 360, 1095, 315);
    int top = 360;
    for (auto* label : {&Label3, &Label4, &Label5, &Label6, &Label7, &Label8}) {
        label->setCaption("Label3");
        label->setGeometry(1575, top, frameWidth - 1815, 255);
        top += 285;
    }
    Frame2.setGeometry(kMargin, kContentTop + kCodeHeight + kFrameGap, frameWidth, kTimeoutHeight);
    txtTimeout.setGeometry(240, 360, 1335, 315);
    Label2.setGeometry(1695, 390, 1215, 255);

    setInputs({&txtAve, &txtTimeout});
    txtTimeout.onChange = [this] { txtTimeout_Change(); };
}

bool FlexnetWindow::validCode(int subModelNum, const std::string& code) {
    const CodeTable* table = codeTable(subModelNum);
    return table && code.size() == 1 && code[0] >= '0' && code[0] < '0' + table->codes;
}

// Grey like a locked box, yet open to typing from the start.
void FlexnetWindow::Form_Load() {
    btnDownload.setEnabled(false);
    for (auto* box : {&txtAve, &txtTimeout}) {
        box->setLocked(false);
        box->setBackColor(platform::color::ButtonFace);
    }
}

bool FlexnetWindow::uploadItems() {
    const std::string timeout = readItem(kItemNetTimeout);
    if (timeout.empty()) return false;
    txtTimeout.setText(timeoutShownAsZero(core::g.ModelNum) ? "0" : core::AfterColon(timeout));

    const int variant = core::g.SubModelNum;
    if (variant == 0) {  // a model without a code: nothing to read
        Frame1.setVisible(false);
        txtAve.setText("0");
        return true;
    }
    const CodeTable* table = codeTable(variant);
    if (table) Frame1.setCaption(table->caption);
    int k = 0;
    for (auto* label : {&Label3, &Label4, &Label5, &Label6, &Label7, &Label8}) {
        label->setCaption(table ? table->labels[static_cast<std::size_t>(k++)] : "");
    }
    if (!readText(kItemCode, txtAve)) return false;
    Frame1.setVisible(true);
    return true;
}

std::optional<std::string> FlexnetWindow::entryProblem() {
    return timeoutEntryProblem(txtTimeout.text());
}

// A code the unit does not take for the variant of the moment is left out without a word;
// the read-back shows what the unit kept.
bool FlexnetWindow::downloadItems() {
    if (!downloadItem(Frame2.caption(), kItemNetTimeout, trimmed(txtTimeout.text()))) return false;
    const std::string code = trimmed(txtAve.text());
    if (!validCode(core::g.SubModelNum, code)) return true;
    return downloadItem(Frame1.caption(), kItemCode, code);
}

void FlexnetWindow::txtTimeout_Change() {
    checkTimeoutText(txtTimeout.text());
}

}  // namespace dunax::network
