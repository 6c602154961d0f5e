#include "modules/analog_frame.h"

#include <algorithm>

#include "core/dispatch.h"
#include "core/download_record.h"
#include "core/ext_display.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/tables.h"
#include "core/text.h"
#include "platform/color.h"

namespace dunax::modules {

using platform::Control;
using platform::Kind;
using namespace layout;

namespace {

// --- Layout, in twips, beyond the shared one ---

// Pages: under the page buttons, or where the buttons would stand.
constexpr int kPageTopAlone = kPageButtonTop;

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

// Range lists of page 2: one row per channel.
constexpr int kRangeLabelLeft = 240;
constexpr int kRangeListLeft = 1200;
constexpr int kRangeListWidth = 2400;
constexpr int kRangeHeadTop = 300;
constexpr int kRangeTop = 600;
constexpr int kRangePitch = 480;

constexpr const char* kParamNames[6] = {"txtZScale", "txtFScale", "txtBias",
                                        "txtGain",   "txtZBase",  "txtFBase"};
constexpr const char* kHintNames[4] = {"lblZScale", "lblFScale", "lblBias", "lblGain"};
const std::string kTitleNames[6] = {"lblZScale01", "lblFScale01", "lblBias01",
                                    "lblGain01",   "lblZBase01",  "lblFBase01"};

}  // namespace

AnalogWindow::AnalogWindow(AnalogDesign design)
    // Titled by the model code of the design ("frmKW4" is titled "KW4").
    : ModuleWindowParts(design.formName, design.formName.rfind("frm", 0) == 0
                                             ? design.formName.substr(3)
                                             : design.formName),
      design_(std::move(design)) {
    buildValueFrame();
    buildPages();
}

// --- Building the window ---

// Module code, one column per channel, then the extension points.
void AnalogWindow::buildValueFrame() {
    Frame1 = &addValueFrame();
    lblV_Unit = &addModuleCode(Frame1, 150, 330);
    addChannelValues(*Frame1, design_.channels, txtParData);
    if (!design_.extension) return;
    lblV_Ext = &addExtensionPoints(Frame1, kValueFrameExtension, lblExtIndex, txtChData);
}

void AnalogWindow::buildPages() {
    const bool two = design_.pages == 2;
    const int pageTop = two ? kPageTop : kPageTopAlone;
    if (two) {
        cmdSet1 = &addPageButton("cmdSet1", design_.pageCaptions[0], 0);
        cmdSet1->onClick = [this] { cmdSet1_Click(); };
        cmdSet2 = &addPageButton("cmdSet2", design_.pageCaptions[1], 1);
        cmdSet2->onClick = [this] { cmdSet2_Click(); };
    }
    frmSet1 = &addPage("frmSet1", pageTop);
    if (two) {
        frmSet2 = &addPage("frmSet2", pageTop);
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
                .setCaption(ChannelName(k))
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
                t.setAccessibleName(ChannelName(k) + " " + design_.rowTitles[pi])
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
    c.setAccessibleName(ChannelName(k) + " Range").setGeometry(left, top, width, 315);
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
            .setCaption(ChannelName(k))
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
    Frame2 = &addHoldFrame("Frame2", page, left, 240, optKeepOn, optKeepOff);
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

// --- Pages ---

void AnalogWindow::cmdSet1_Click() {
    if (!cmdSet1) return;
    ShowSettingsPage(*cmdSet1, *frmSet1, *cmdSet2, *frmSet2, 1);
}

void AnalogWindow::cmdSet2_Click() {
    if (!cmdSet2) return;
    ShowSettingsPage(*cmdSet1, *frmSet1, *cmdSet2, *frmSet2, 2);
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
    if (cmdSet1) ShowSettingsPage(*cmdSet1, *frmSet1, *cmdSet2, *frmSet2, 1, /*locked=*/true);
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
    return ReadHoldChoice(*optKeepOn, *optKeepOff);
}

void AnalogWindow::SetOwnChItemNo(int ch) const {
    SetChItemNo(ch, design_.modelNum);
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

void AnalogWindow::UploadClosing() {
    CloseProgress();
    if (cmdSet2) cmdSet2->setEnabled(true);
    txt_able(true);
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
        const Control& box = param(p)(ch - 1);
        if (first)
            core::DownloadWrite(box.accessibleName(), Group(ch), item, box.text());
        else
            core::DownloadItemWrite(box.accessibleName(), item, box.text());
        first = false;
    }
}

void AnalogWindow::WriteChannelRange(int ch) {
    const Control& list = cmbUserRange(ch - 1);
    if (list.listIndex() < 0) return;  // the unit keeps its code
    core::DownloadItemWrite(list.accessibleName(), "09", std::to_string(list.listIndex()));
}

void AnalogWindow::WriteHold() {
    if (!optKeepOn || !HoldOffered()) return;
    WriteHoldChoice(*optKeepOn);
}

void AnalogWindow::DownloadClosing() {
    CloseProgress();
    // No read-back follows a download the unit stopped answering: the entries open again as
    // they stand, for another try. Otherwise the read-back opens them with the unit's values.
    if (!core::DownloadUnitGone()) return;
    if (cmdSet1) {
        ReopenSettingsPage(*cmdSet1, *frmSet1, *cmdSet2, *frmSet2);
    }
    txt_able(true);
}

// --- Monitoring ---

void AnalogWindow::ReadingData() {
    ReadMonitorValues();
    if (design_.monitorExtension) RefreshExtension();
}

void AnalogWindow::ReadMonitorValues() {
    const int n = design_.monitorItems > 0 ? design_.monitorItems : ChannelsInUse();
    ReadLiveValues(txtParData, std::min(n, design_.channels));
}

void AnalogWindow::RefreshExtension() {
    if (design_.extension) RefreshExtensionPoints(*this);
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
