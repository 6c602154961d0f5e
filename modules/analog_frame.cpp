#include "modules/analog_frame.h"

#include <algorithm>

#include "core/connection.h"
#include "core/dispatch.h"
#include "core/ext_display.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/tables.h"
#include "core/text.h"
#include "platform/color.h"
#include "platform/host.h"

namespace dunax::modules {

using platform::Control;
using platform::Kind;

namespace {

constexpr int kRetries = 3;  // every exchange: four attempts, only an empty reply is retried

// --- Layout, in twips (15 twips = 1 pixel). The window is 9650 x 7400 with its frame. ---
constexpr int kMargin = 90;
constexpr int kContentWidth = 9330;

// "Value" frame: module code, one column per channel, then the extension points.
constexpr int kValueTop = 45;
constexpr int kValueHeight = 1470;
constexpr int kValueColLeft = 1320;
constexpr int kValueColPitch = 1500;

// Page buttons and pages.
constexpr int kButtonTop = 1590;
constexpr int kButtonWidth = 1335;
constexpr int kButtonHeight = 360;
constexpr int kPageTopWithButtons = 2025;
constexpr int kPageTopAlone = 1590;
constexpr int kPageBottom = 6705;

// Parameter grid: row titles on the left, one column per channel (at most four per page);
// under each box its hint, beside the bases their unit.
constexpr int kGridChannelsPerPage = 4;
constexpr int kTitleLeft = 150;
constexpr int kTitleWidth = 1230;
constexpr int kColLeft = 1440;
constexpr int kColPitch = 1950;
constexpr int kHeadTop = 210;
constexpr int kRowTop = 465;
constexpr int kRowPitch = 585;
constexpr int kBoxWidth = 1080;
constexpr int kBoxHeight = 285;
constexpr int kLabelHeight = 225;

// Range lists of page 2: one row per channel.
constexpr int kRangeLabelLeft = 240;
constexpr int kRangeListLeft = 1200;
constexpr int kRangeListWidth = 2400;
constexpr int kRangeHeadTop = 300;
constexpr int kRangeTop = 600;
constexpr int kRangePitch = 480;

// Output Hold/Clear.
constexpr int kHoldWidth = 3000;
constexpr int kHoldHeight = 1320;

// Extension points: four groups of four boxes, each centred under its digit of the header
// (the header's blanks set the groups apart; positions for the desktop's 8.25 pt sans font).
constexpr int kExtHeaderWidth = 5700;
constexpr int kExtBoxWidth = 165;
constexpr int kExtBoxHeight = 240;
constexpr int kExtBoxPitch = 210;
constexpr std::array<int, 4> kExtGroupLeft{0, 1575, 3090, 4560};

constexpr const char* kParamNames[6] = {"txtZScale", "txtFScale", "txtBias",
                                        "txtGain",   "txtZBase",  "txtFBase"};
constexpr const char* kHintNames[4] = {"lblZScale", "lblFScale", "lblBias", "lblGain"};
const std::string kTitleNames[6] = {"lblZScale01", "lblFScale01", "lblBias01",
                                    "lblGain01",   "lblZBase01",  "lblFBase01"};

std::string chName(int k) {
    return "CH " + std::to_string(k);
}

}  // namespace

AnalogWindow::AnalogWindow(AnalogDesign design)
    : core::ModuleWindow(design.formName), design_(std::move(design)) {
    // Titled by the model code of the design ("frmKW4" is titled "KW4").
    setCaption(design_.formName.rfind("frm", 0) == 0 ? design_.formName.substr(3)
                                                     : design_.formName);
    setGeometry(0, 0, 9650, 7400);
    buildValueFrame();
    buildPages();
}

// --- Building the window ---

void AnalogWindow::buildValueFrame() {
    const int n = design_.channels;
    Frame1 = &add(Kind::Frame, "Frame1");
    Frame1->setCaption("Value").setGeometry(kMargin, kValueTop, kContentWidth, kValueHeight);

    lblV_Unit = &add(Kind::Label, "lblV_Unit", Frame1);
    lblV_Unit->setCaption("Type").setGeometry(150, 330, 1080, 300);
    lblV_Unit->setFontSize(9.75).setFontBold(true);

    const int pitch = std::min(kValueColPitch, (kContentWidth - kValueColLeft - 120) / n);
    const int width = pitch - 180;
    for (int k = 0; k < n; ++k) {
        const int x = kValueColLeft + k * pitch;
        add(Kind::Label, "Label" + std::to_string(k + 1), Frame1)
            .setCaption(chName(k))
            .setAlignment(2)
            .setGeometry(x, 270, width, kLabelHeight);
        add(Kind::TextBox, "txtParData", k, Frame1, txtParData)
            .setLocked(true)
            .setAlignment(1)
            .setAccessibleName(chName(k) + " Value")
            .setGeometry(x, 495, width, kBoxHeight);
    }

    if (!design_.extension) return;
    lblV_Ext = &add(Kind::Label, "lblV_Ext", Frame1);
    lblV_Ext->setGeometry(150, 1125, 1080, kLabelHeight).setVisible(false);
    add(Kind::Label, "lblExtIndex", 0, Frame1, lblExtIndex)
        .setGeometry(kValueColLeft, 870, kExtHeaderWidth, kLabelHeight)
        .setVisible(false);
    static const char* const kHex = "0123456789ABCDEF";
    for (int i = 0; i < 16; ++i) {
        const int x = kValueColLeft - 30 + kExtGroupLeft[static_cast<std::size_t>(i / 4)] +
                      (i % 4) * kExtBoxPitch;
        add(Kind::TextBox, "txtChData", i, Frame1, txtChData)
            .setLocked(true)
            .setAccessibleName(std::string("Extension point ") + kHex[i])
            .setGeometry(x, 1110, kExtBoxWidth, kExtBoxHeight)
            .setVisible(false);
    }
}

void AnalogWindow::buildPages() {
    const bool two = design_.pages == 2;
    const int pageTop = two ? kPageTopWithButtons : kPageTopAlone;
    if (two) {
        cmdSet1 = &add(Kind::CommandButton, "cmdSet1");
        cmdSet1->setCaption(design_.pageCaptions[0])
            .setGeometry(kMargin, kButtonTop, kButtonWidth, kButtonHeight);
        cmdSet1->onClick = [this] { cmdSet1_Click(); };
        cmdSet2 = &add(Kind::CommandButton, "cmdSet2");
        cmdSet2->setCaption(design_.pageCaptions[1])
            .setGeometry(kMargin + kButtonWidth + 90, kButtonTop, kButtonWidth, kButtonHeight);
        cmdSet2->onClick = [this] { cmdSet2_Click(); };
    }
    frmSet1 = &add(Kind::Frame, "frmSet1");
    frmSet1->setGeometry(kMargin, pageTop, kContentWidth, kPageBottom - pageTop);
    if (two) {
        frmSet2 = &add(Kind::Frame, "frmSet2");
        frmSet2->setGeometry(kMargin, pageTop, kContentWidth, kPageBottom - pageTop);
        frmSet2->setVisible(false);
    }
    buildGrid();
    buildRangeLists();
    buildHold();
    if (cmdSet1) cmdSet1->setEnabled(false);
}

// One column per channel; a window with more channels than a page holds puts the next four
// on page 2. A parameter the model has no item for has no row. Controls are made row by row so
// that the tab order follows reading order.
void AnalogWindow::buildGrid() {
    const int n = design_.channels;
    const int pagesUsed = (n + kGridChannelsPerPage - 1) / kGridChannelsPerPage;
    for (int page = 0; page < pagesUsed; ++page) {
        Control* box = page == 0 ? frmSet1 : frmSet2;
        if (!box) break;
        // Labels that a second grid page repeats get a suffix: design names are unique.
        const std::string again = page == 0 ? "" : "_2";
        const int first = page * kGridChannelsPerPage;
        const int last = std::min(n, first + kGridChannelsPerPage);
        auto colLeft = [first](int k) { return kColLeft + (k - first) * kColPitch; };
        for (int k = first; k < last; ++k) {
            add(Kind::Label, "lblChTitle", k, box, lblChTitle)
                .setCaption(chName(k))
                .setAlignment(2)
                .setGeometry(colLeft(k), kHeadTop, kBoxWidth, kLabelHeight);
        }
        int row = 0;
        for (int p = 1; p <= 6; ++p) {
            if (!hasParam(p)) continue;
            const auto pi = static_cast<std::size_t>(p - 1);
            const int top = kRowTop + row++ * kRowPitch;
            add(Kind::Label, kTitleNames[pi] + again, box)
                .setCaption(design_.rowTitles[pi])
                .setGeometry(kTitleLeft, top + 30, kTitleWidth, kLabelHeight);
            for (int k = first; k < last; ++k) {
                const int x = colLeft(k);
                Control& t = add(Kind::TextBox, kParamNames[pi], k, box, param(p));
                t.setAccessibleName(chName(k) + " " + design_.rowTitles[pi])
                    .setAlignment(1)
                    .setGeometry(x, top, kBoxWidth, kBoxHeight);
                if (design_.edit[pi] != ParamEdit::Editable) {
                    t.setEnabled(false);
                    if (design_.displayOnlyInfoBack)
                        t.setBackColor(platform::color::InfoBackground);
                }
                if (!design_.hints[pi].empty() && p <= 4) {
                    add(Kind::Label, kHintNames[pi], k, box, hint(p))
                        .setCaption(design_.hints[pi])
                        .setGeometry(x, top + kBoxHeight + 15, kColPitch - 120, kLabelHeight);
                }
                if (p >= 5) {
                    add(Kind::Label, p == 5 ? "lblZBase_Unit" : "lblFBase_Unit", k, box,
                        p == 5 ? lblZBase_Unit : lblFBase_Unit)
                        .setCaption(design_.fixedUnit)
                        .setGeometry(x + kBoxWidth + 60, top + 30, kColPitch - kBoxWidth - 120,
                                     kLabelHeight);
                }
            }
        }
        if (!rangeInGrid()) continue;
        // The range lists as a last row, under a heading that spans the columns.
        const int top = kRowTop + row * kRowPitch;
        Control& heading = add(Kind::Label, "Label12" + again, box);
        heading.setCaption(design_.rangeHeading)
            .setGeometry(kTitleLeft, top, kContentWidth - 2 * kTitleLeft, kLabelHeight);
        if (page == 0) Label12 = &heading;
        for (int k = first; k < last; ++k)
            addRangeList(k, *box, colLeft(k), top + 240, kColPitch - 150);
    }
}

bool AnalogWindow::rangeInGrid() const {
    return !design_.rangeRows.empty() &&
           (design_.pages == 1 || design_.channels > kGridChannelsPerPage);
}

bool AnalogWindow::hasParam(int p) const {
    return core::ItemNo(p, design_.modelNum) != -1;
}

void AnalogWindow::addRangeList(int k, Control& box, int left, int top, int width) {
    Control& c = add(Kind::ComboBox, "cmbUserRange", k, &box, cmbUserRange);
    c.setAccessibleName(chName(k) + " Range").setGeometry(left, top, width, 315);
    for (const auto& row : design_.rangeRows) c.addItem(row);
}

// Range lists on page 2 in a column, one row per channel.
void AnalogWindow::buildRangeLists() {
    if (design_.rangeRows.empty() || !frmSet2 || rangeInGrid()) return;
    Label12 = &add(Kind::Label, "Label12", frmSet2);
    Label12->setCaption(design_.rangeHeading)
        .setGeometry(kRangeListLeft, kRangeHeadTop, kRangeListWidth, kLabelHeight);
    for (int k = 0; k < design_.channels; ++k) {
        const int top = kRangeTop + k * kRangePitch;
        add(Kind::Label, "lblRangeCh", k, frmSet2, lblRangeCh)
            .setCaption(chName(k))
            .setGeometry(kRangeLabelLeft, top + 45, kRangeListLeft - kRangeLabelLeft - 120,
                         kLabelHeight);
        addRangeList(k, *frmSet2, kRangeListLeft, top, kRangeListWidth);
    }
}

// On page 2 beside the range lists, or on the only page to the right of the grid.
void AnalogWindow::buildHold() {
    if (!design_.hold) return;
    Control* page = frmSet2 ? frmSet2 : frmSet1;
    const int columns = std::min(design_.channels, kGridChannelsPerPage);
    const int left = frmSet2 ? (design_.rangeRows.empty() ? kRangeLabelLeft : 4200)
                             : kColLeft + columns * kColPitch + 150;
    Frame2 = &add(Kind::Frame, "Frame2", page);
    Frame2->setCaption("Output Hold/Clear").setGeometry(left, 240, kHoldWidth, kHoldHeight);
    optKeepOn = &add(Kind::OptionButton, "optKeepOn", Frame2);
    optKeepOn->setCaption("Output Hold").setGeometry(300, 390, 2400, 300);
    optKeepOff = &add(Kind::OptionButton, "optKeepOff", Frame2);
    optKeepOff->setCaption("Output Clear").setGeometry(300, 810, 2400, 300);
}

platform::ControlArray& AnalogWindow::param(int p) {
    const std::array<platform::ControlArray*, 6> arrays{&txtZScale, &txtFScale, &txtBias,
                                                        &txtGain,   &txtZBase,  &txtFBase};
    return *arrays[static_cast<std::size_t>(std::clamp(p, 1, 6) - 1)];
}

platform::ControlArray& AnalogWindow::hint(int p) {
    const std::array<platform::ControlArray*, 4> arrays{&lblZScale, &lblFScale, &lblBias, &lblGain};
    return *arrays[static_cast<std::size_t>(std::clamp(p, 1, 4) - 1)];
}

int AnalogWindow::ChannelsInUse() const {
    return std::clamp(core::g.ChCount, 0, design_.channels);
}

bool AnalogWindow::HoldOffered() {
    return core::g.NetType >= 0 && core::g.NetType <= 5;
}

// --- Pages ---

void AnalogWindow::cmdSet1_Click() {
    if (!cmdSet1) return;
    cmdSet1->setEnabled(false);
    frmSet1->setVisible(true);
    cmdSet2->setEnabled(true);
    frmSet2->setVisible(false);
}

void AnalogWindow::cmdSet2_Click() {
    if (!cmdSet2) return;
    cmdSet1->setEnabled(true);
    frmSet1->setVisible(false);
    cmdSet2->setEnabled(false);
    frmSet2->setVisible(true);
}

// --- Upload ---

void AnalogWindow::UploadStandard() {
    UploadOpening();
    int rangeCode = 0;
    if (design_.rangeCode != RangeCodeUse::None) {
        const auto code = ReadRangeCode();
        if (!code) return UploadFailed();
        rangeCode = *code;
    }
    if (design_.hold && !ReadHold()) return UploadFailed();
    const bool ownRanges = design_.rangeCode == RangeCodeUse::UnitLabels && rangeCode == 15;
    for (int ch = 1; ch <= ChannelsInUse(); ++ch) {
        const int k = ch - 1;
        SetOwnChItemNo(ch);
        FillRangeList(k);
        if (!ReadParameters(ch)) return UploadFailed();
        SetUnitLabels(k, rangeCode);
        if (!design_.rangeRows.empty()) {
            const auto range = ReadChannelRange(ch);
            if (!range) return UploadFailed();
            if (ownRanges) SetUnitLabels(k, *range);
        }
        StepProgress();
    }
    UploadClosing();
}

void AnalogWindow::UploadOpening() {
    if (cmdSet1) {
        cmdSet1->setEnabled(false);
        frmSet1->setVisible(true);
        cmdSet2->setEnabled(false);
        frmSet2->setVisible(false);
    }
    txt_able(false);
    core::ShowLoading("Initializing");
    lblV_Unit->setCaption(core::AfterHyphen(core::g.ModelName));
    if (design_.extension) core::ExtDisplayInit(*this);
}

std::optional<int> AnalogWindow::ReadRangeCode() {
    const bool variantOnHls = core::g.NetType == 6 && core::g.SubModelNum != 0;
    const std::string reply = core::SelectReadRetry(kRetries, "00", variantOnHls ? "08" : "09");
    if (reply.empty()) return std::nullopt;
    return core::HexDigitVal(core::AfterColon(reply).substr(0, 1));
}

bool AnalogWindow::ReadHold() {
    if (!Frame2) return true;
    if (!HoldOffered()) {
        Frame2->setVisible(false);
        return true;
    }
    Frame2->setVisible(true);
    const std::string reply = core::SelectReadRetry(kRetries, "00", "14");
    if (reply.empty()) return false;
    const bool hold = core::AfterColon(reply) == "ON";
    optKeepOn->setValue(hold);
    optKeepOff->setValue(!hold);
    return true;
}

void AnalogWindow::SetOwnChItemNo(int ch) const {
    if (ch < core::kChItemFirst || ch > core::kChItemLast) return;
    auto& rec = core::g.ChItem[static_cast<std::size_t>(ch)];
    for (int p = 1; p <= 6; ++p) rec.item(p) = std::to_string(core::ItemNo(p, design_.modelNum));
}

void AnalogWindow::FillRangeList(int k) {
    if (design_.rangeRows.empty()) return;
    Control& list = cmbUserRange(k);
    list.clear();
    for (const auto& row : design_.rangeRows) list.addItem(row);
}

bool AnalogWindow::ReadParameters(int ch) {
    auto& rec = core::g.ChItem[static_cast<std::size_t>(ch)];
    bool first = true;
    for (int p = 1; p <= 6; ++p) {
        const std::string& item = rec.item(p);
        if (item == "-1") continue;  // the model has no such parameter
        const std::string reply = first ? core::SelectReadRetry(kRetries, Group(ch), item)
                                        : core::ItemReadRetry(kRetries, item);
        first = false;
        if (reply.empty()) return false;
        rec.value(p) = core::AfterColon(reply);
    }
    for (int p = 1; p <= 6; ++p) {
        if (rec.item(p) != "-1") param(p)(ch - 1).setText(rec.value(p));
    }
    return true;
}

std::optional<int> AnalogWindow::ReadChannelRange(int ch, bool reselect) {
    const std::string reply = reselect ? core::SelectReadRetry(kRetries, Group(ch), "09")
                                       : core::ItemReadRetry(kRetries, "09");
    if (reply.empty()) return std::nullopt;
    const int code = core::HexDigitVal(core::AfterColon(reply).substr(0, 2));
    // A code the list does not have shows no selection (and is then never written back).
    cmbUserRange(ch - 1).setListIndex(code);
    return code;
}

void AnalogWindow::SetUnitLabels(int k, int code) {
    const bool byCode = design_.unitTable && design_.rangeCode == RangeCodeUse::UnitLabels;
    const std::string unit =
        byCode ? core::RangeUnitAt(*design_.unitTable, code) : design_.fixedUnit;
    lblZBase_Unit(k).setCaption(unit);
    lblFBase_Unit(k).setCaption(unit);
}

void AnalogWindow::StepProgress() {
    auto& bar = core::frmLoading().pgBarLoading;
    bar.setProgress(bar.progress() + 1);
}

void AnalogWindow::UploadClosing() {
    if (core::frmLoading.loaded()) core::frmLoading().unload();
    if (cmdSet2) cmdSet2->setEnabled(true);
    txt_able(true);
}

void AnalogWindow::UploadFailed() {
    if (core::frmLoading.loaded()) core::frmLoading().unload();
    platform::host().messageBox("Upload Error", platform::Icon::Critical, platform::Buttons::OK,
                                "Upload");
    core::Disconnect();
}

// --- Download ---

void AnalogWindow::DownloadStandard() {
    DownloadOpening();
    for (int ch = 1; ch <= ChannelsInUse(); ++ch) {
        WriteParameters(ch);
        if (!design_.rangeRows.empty()) WriteChannelRange(ch);
        StepProgress();
    }
    if (design_.hold) WriteHold();
    DownloadClosing();
}

void AnalogWindow::DownloadOpening() {
    txt_able(false);
    if (cmdSet1) {
        cmdSet1->setEnabled(false);
        cmdSet2->setEnabled(false);
    }
    core::ShowLoading("Downloading");
}

void AnalogWindow::WriteParameters(int ch) {
    // The item numbers of this window's own model: whatever another window or an opened file
    // left in the channel records, a download never writes to another model's items.
    SetOwnChItemNo(ch);
    const auto& rec = core::g.ChItem[static_cast<std::size_t>(ch)];
    bool first = true;
    for (int p = 1; p <= 6; ++p) {
        const std::string& item = rec.item(p);
        if (item == "-1" || !design_.written[static_cast<std::size_t>(p - 1)]) continue;
        const std::string& text = param(p)(ch - 1).text();
        if (first)
            core::SelectWriteRetry(kRetries, Group(ch), item, text);
        else
            core::ItemWriteRetry(kRetries, item, text);
        first = false;
    }
}

void AnalogWindow::WriteChannelRange(int ch) {
    const int index = cmbUserRange(ch - 1).listIndex();
    if (index < 0) return;
    core::ItemWriteRetry(kRetries, "09", std::to_string(index));
}

void AnalogWindow::WriteHold() {
    if (!optKeepOn || !HoldOffered()) return;
    core::SelectWriteRetry(kRetries, "00", "14", optKeepOn->value() ? "0" : "1");
}

void AnalogWindow::DownloadClosing() {
    if (core::frmLoading.loaded()) core::frmLoading().unload();
}

// --- Monitoring ---

void AnalogWindow::ReadingData() {
    ReadMonitorValues();
    if (design_.monitorExtension) RefreshExtension();
}

void AnalogWindow::ReadMonitorValues() {
    int n = design_.monitorItems > 0 ? design_.monitorItems : ChannelsInUse();
    n = std::min(n, design_.channels);
    for (int i = 0; i < n; ++i) {
        const std::string reply = core::SelectReadRetry(kRetries, "00", std::to_string(21 + i));
        if (reply.empty()) continue;
        std::string v = core::RemovePoint(core::AfterColon(reply));
        if (core::IsNumeric(v)) txtParData(i).setText(std::move(v));
    }
}

void AnalogWindow::RefreshExtension() {
    if (!design_.extension || core::g.ExtName == "NONE") return;
    // A refusal or "NEEDLESS" carries no bit image and leaves the points as they are.
    core::ExtDataDisplayReply(*this, core::SelectReadRetry(kRetries, "00", "12"));
}

// --- Checks ---

bool AnalogWindow::CheckData() {
    return CheckFamilyA();
}

bool AnalogWindow::CheckFamilyA() {
    const int n = ChannelsInUse();
    if (n == 0) return false;  // nothing was tested
    for (int k = 0; k < n; ++k) {
        for (const auto* arr : {&txtZScale, &txtFScale, &txtGain, &txtBias}) {
            if (!core::IsNumeric((*arr)(k).text())) return false;
        }
        // A channel without a range would be written as no range at all.
        if (!design_.rangeRows.empty() && cmbUserRange(k).listIndex() < 0) return false;
    }
    for (int k = 0; k < n; ++k) {
        const auto zs = core::ToDouble(txtZScale(k).text());
        const auto fs = core::ToDouble(txtFScale(k).text());
        const auto bias = core::ToDouble(txtBias(k).text());
        const auto gain = core::ToDouble(txtGain(k).text());
        if (!zs || !fs || !bias || !gain) return false;
        if (*zs < -32000 || *zs > 32000 || *fs < -32000 || *fs > 32000) return false;
        if (*bias < -320 || *bias > 320 || *gain < -3.2 || *gain > 3.2) return false;
        const auto zi = core::RoundHalfEven16(*zs);
        const auto fi = core::RoundHalfEven16(*fs);
        if (!zi || !fi || *zi < -32000 || *zi > 32000 || *fi < -32000 || *fi > 32000) return false;
        txtZScale(k).setText(std::to_string(*zi));
        txtFScale(k).setText(std::to_string(*fi));
    }
    return true;
}

// --- Edits ---

void AnalogWindow::txt_able(bool flag) {
    for (int k = 0; k < ChannelsInUse(); ++k) {
        for (int p = 1; p <= 6; ++p) {
            if (!param(p).has(k)) continue;
            switch (design_.edit[static_cast<std::size_t>(p - 1)]) {
                case ParamEdit::Editable:
                    param(p)(k).setEnabled(flag);
                    break;
                case ParamEdit::DisplayOnly:
                    param(p)(k).setEnabled(false);
                    break;
                case ParamEdit::Fixed:
                    break;
            }
        }
        if (!design_.rangeRows.empty()) cmbUserRange(k).setEnabled(flag);
    }
    if (optKeepOn) {
        optKeepOn->setEnabled(flag);
        optKeepOff->setEnabled(flag);
    }
}

}  // namespace dunax::modules
