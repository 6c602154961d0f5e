#include "modules/analog_in/temperature_window.h"

#include <cstddef>
#include <tuple>

#include "core/download_record.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/text.h"
#include "platform/color.h"

namespace dunax::modules {

using platform::Control;
using platform::Kind;

namespace {

// The temperature unit list; the row index is what the unit is written and what selects the
// range table record.
constexpr const char* kUnitRows[3] = {"C", "F", "K"};

// --- Layout, in twips ---
// Value frame: each channel's column holds its value box and, beside it, its status box.
constexpr int kValueColumnWidth = 1800;
constexpr int kValueBoxWidth = 900;
constexpr int kStatusGap = 60;
// Setting 2: the unit lists beside the type lists, then Output Hold/Clear and the burnout
// direction one above the other.
constexpr int kUnitListLeft = 3750;
constexpr int kUnitListWidth = 900;
constexpr int kUnitHeadingWidth = 1200;
constexpr int kSideFramesLeft = 5250;
constexpr int kSideFramesWidth = 3000;
constexpr int kBurnoutTop = 1740;
constexpr int kBurnoutHeight = 900;

AnalogDesign analogDesignOf(const TemperatureDesign& t) {
    AnalogDesign d;
    d.modelNum = t.modelNum;
    d.formName = t.formName;
    d.channels = 4;
    d.pages = 2;
    d.rowTitles = {"Zero scale", "Full scale", "Bias", "Gain", "Zero temp", "Full temp"};
    // Every parameter box, the temperatures included, is the user's to edit.
    d.edit = {ParamEdit::Editable, ParamEdit::Editable, ParamEdit::Editable,
              ParamEdit::Editable, ParamEdit::Editable, ParamEdit::Editable};
    d.rangeRows = t.typeRows;
    d.rangeHeading = t.typeListHeading;
    d.rangeCode = RangeCodeUse::UnitLabels;
    d.hold = true;
    d.extension = true;
    d.monitorItems = 4;  // items 21..24 whatever the unit's channel count
    d.monitorExtension = true;
    return d;
}

// A hex digit as the status and unit items carry it: "0".."9" or "A".."F", nothing else.
int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

TemperatureWindow::TemperatureWindow(TemperatureDesign design)
    : AnalogWindow(analogDesignOf(design)), temp_(std::move(design)) {
    buildStatusBoxes();
    buildSpanAndTypeLabels();
    buildUnitListsAndBurnout();
}

// --- Building the window ---

// Each channel's value and status box side by side, in the columns of the settings grid.
void TemperatureWindow::buildStatusBoxes() {
    for (int k = 0; k < design().channels; ++k) {
        const int x = txtZScale(k).left();
        Control& value = txtParData(k);
        value.setGeometry(x, value.top(), kValueBoxWidth, value.height());
        if (Control* heading = find("Label" + std::to_string(k + 1))) {
            heading->setGeometry(x, heading->top(), kValueColumnWidth, heading->height());
        }
        add(Kind::TextBox, "Text1", k, Frame1, Text1)
            .setLocked(true)
            .setBackColor(platform::color::InfoBackground)
            .setAccessibleName(ChannelName(k) + " Status")
            .setGeometry(x + kValueBoxWidth + kStatusGap, value.top(),
                         kValueColumnWidth - kValueBoxWidth - kStatusGap, value.height());
    }
}

// The spans stand where the other rows have their hints; the sensor type texts make a row of
// their own under the Full temp row.
void TemperatureWindow::buildSpanAndTypeLabels() {
    const Control* title = find("lblFBase01");
    const int pitch = txtFBase(0).top() - txtZBase(0).top();
    const int hintWidth = lblZScale(0).width();
    const int labelHeight = lblZScale(0).height();
    for (int k = 0; k < design().channels; ++k) {
        for (auto [arr, box, name] : {std::tuple{&lblZTemp, &txtZBase(k), "lblZTemp"},
                                      std::tuple{&lblFTemp, &txtFBase(k), "lblFTemp"}}) {
            add(Kind::Label, name, k, frmSet1, *arr)
                .setGeometry(box->left(), box->top() + box->height() + 15, hintWidth, labelHeight);
        }
    }
    const int top = txtFBase(0).top() + pitch;
    Label6 = &add(Kind::Label, "Label6", frmSet1);
    Label6->setCaption(temp_.typeLabelHeading)
        .setGeometry(title->left(), top, title->width(), labelHeight);
    for (int k = 0; k < design().channels; ++k) {
        add(Kind::Label, temp_.typeLabelName, k, frmSet1, lblType)
            .setGeometry(txtFBase(k).left(), top, hintWidth, labelHeight);
    }
}

void TemperatureWindow::buildUnitListsAndBurnout() {
    Label5 = &add(Kind::Label, "Label5", frmSet2);
    Label5->setCaption(temp_.unitHeading)
        .setGeometry(kUnitListLeft, Label12->top(), kUnitHeadingWidth, Label12->height());
    for (int k = 0; k < design().channels; ++k) {
        const Control& type = cmbUserRange(k);
        Control& unit = add(Kind::ComboBox, "cmbUserUnit", k, frmSet2, cmbUserUnit);
        unit.setAccessibleName(ChannelName(k) + " Temp Unit")
            .setGeometry(kUnitListLeft, type.top(), kUnitListWidth, type.height());
        for (const char* row : kUnitRows) unit.addItem(row);
    }

    Frame2->move(kSideFramesLeft, Frame2->top());
    Frame3 = &add(Kind::Frame, "Frame3", frmSet2);
    Frame3->setCaption("Burnout Direction ")
        .setGeometry(kSideFramesLeft, kBurnoutTop, kSideFramesWidth, kBurnoutHeight);
    // Shown as the unit reports it; never edited, never written.
    add(Kind::TextBox, "txtUserBout", 0, Frame3, txtUserBout)
        .setEnabled(false)
        .setBackColor(platform::color::InfoBackground)
        .setAccessibleName("Burnout Direction")
        .setGeometry(300, 390, kSideFramesWidth - 600, 285);
}

// --- Upload ---

std::string TemperatureWindow::SpanText(const core::TempRangeTable& table, int unitIndex,
                                        int type) {
    if (unitIndex < 0 || unitIndex > 2 || type < 0) return {};
    const auto& rec = table[static_cast<std::size_t>(unitIndex)];
    const auto t = static_cast<std::size_t>(type);
    if (t >= rec.MinArr.size() || t >= rec.MaxArr.size()) return {};
    return std::to_string(rec.MinArr[t]) + " to " + std::to_string(rec.MaxArr[t]);
}

std::string TemperatureWindow::ReadListItem(int ch, const std::string& item) {
    return temp_.reselectListReads ? core::SelectReadRetry(kRetries, Group(ch), item)
                                   : core::ItemReadRetry(kRetries, item);
}

// Module: range code, hold, burnout direction. Per channel: the six parameters, then the
// unit, the sensor type and the type text; the unit and the type (or, under range code 15,
// each channel's own type) select the span shown beside the temperatures.
void TemperatureWindow::UploadTemperature() {
    UploadOpening();
    if (temp_.page2DuringUpload) cmdSet2->setEnabled(true);

    const auto rangeCode = ReadRangeCode();
    if (!rangeCode) return UploadFailed();
    if (!ReadHold()) return UploadFailed();
    const std::string burnout = core::SelectReadRetry(kRetries, "01", "05");
    if (burnout.empty()) return UploadFailed();
    txtUserBout(0).setText(core::AfterColon(burnout));

    // A unit letter the list does not know keeps the previous channel's unit.
    int unitIndex = 0;
    for (int ch = 1; ch <= ChannelsInUse(); ++ch) {
        const int k = ch - 1;
        SetOwnChItemNo(ch);
        FillRangeList(k);
        cmbUserUnit(k).clear();
        for (const char* row : kUnitRows) cmbUserUnit(k).addItem(row);
        if (!ReadParameters(ch)) return UploadFailed();
        Text1(k).setText(txtUserBout(0).text());

        const std::string unit = ReadListItem(ch, "04");
        if (unit.empty()) return UploadFailed();
        const std::string letter = core::AfterColon(unit).substr(0, 1);
        for (int i = 0; i < 3; ++i) {
            if (letter == kUnitRows[i]) unitIndex = i;
        }
        const std::string& unitLabel = (*temp_.ranges)[static_cast<std::size_t>(unitIndex)].Unit;
        lblZBase_Unit(k).setCaption(unitLabel);
        lblFBase_Unit(k).setCaption(unitLabel);
        cmbUserUnit(k).setListIndex(unitIndex);

        const auto type = ReadChannelRange(ch, temp_.reselectListReads);
        if (!type) return UploadFailed();

        const std::string typeText = ReadListItem(ch, "03");
        if (typeText.empty()) return UploadFailed();
        lblType(k).setCaption(core::AfterColon(typeText));

        const int spanType = *rangeCode == 15 ? *type : *rangeCode;
        const std::string span = SpanText(*temp_.ranges, unitIndex, spanType);
        lblZTemp(k).setCaption(span);
        lblFTemp(k).setCaption(span);
        StepProgress();
    }
    UploadClosing();
}

// --- Download ---

void TemperatureWindow::WriteChannelItem(int ch, const platform::Control& from,
                                         const std::string& item, const std::string& data,
                                         bool& selected) {
    if (selected)
        core::DownloadItemWrite(from.accessibleName(), item, data);
    else
        core::DownloadWrite(from.accessibleName(), Group(ch), item, data);
    selected = true;
}

// Per channel the six boxes as they stand, the type and the unit (in the order the model
// takes them); then the hold setting. A list without a selection is not written.
void TemperatureWindow::DownloadTemperature() {
    DownloadOpening();
    for (int ch = 1; ch <= ChannelsInUse(); ++ch) {
        const int k = ch - 1;
        const int type = cmbUserRange(k).listIndex();
        const int unit = cmbUserUnit(k).listIndex();
        if (temp_.typeAndUnitFirst) {
            SetOwnChItemNo(ch);
            const auto& rec = core::g.ChItem[static_cast<std::size_t>(ch)];
            bool selected = false;
            if (type >= 0)
                WriteChannelItem(ch, cmbUserRange(k), "09", std::to_string(type), selected);
            if (unit >= 0)
                WriteChannelItem(ch, cmbUserUnit(k), "04", std::to_string(unit), selected);
            for (int p = 1; p <= 6; ++p) {
                if (rec.item(p) == "-1") continue;
                WriteChannelItem(ch, param(p)(k), rec.item(p), param(p)(k).text(), selected);
            }
        } else {
            WriteParameters(ch);
            WriteChannelRange(ch);
            if (unit >= 0) {
                core::DownloadItemWrite(cmbUserUnit(k).accessibleName(), "04",
                                        std::to_string(unit));
            }
        }
        StepProgress();
    }
    WriteHold();
    DownloadClosing();
}

// --- Monitoring ---

void TemperatureWindow::ReadingData() {
    ReadMonitorValues();
    ShowChannelStatusLamps();
    RefreshExtension();
}

void TemperatureWindow::ShowChannelStatusLamps() {
    const std::string reply = core::SelectReadRetry(kRetries, "00", "04");
    // Only a "label:value" reply carries status bits: a refusal ("CNG") or an item that does
    // not apply ("NEEDLESS") changes no box.
    if (reply.find(':') == std::string::npos) return;
    const std::string value = core::AfterColon(reply);
    if (value.size() < 6) return;
    const int bits = hexDigit(value[5]);
    if (bits < 0) return;
    for (int k = 0; k < 4 && Text1.has(k); ++k) {
        Text1(k).setBackColor((bits >> k) & 1 ? platform::color::Red
                                              : platform::color::InfoBackground);
    }
}

// --- Checks and edits ---

bool TemperatureWindow::CheckData() {
    const int n = ChannelsInUse();
    if (n == 0) return false;  // nothing was tested
    for (int k = 0; k < n; ++k) {
        if (!core::IsNumeric(txtZBase(k).text()) || !core::IsNumeric(txtFBase(k).text()))
            return false;
        // A unit list without a selection (a code the list does not hold) is not written.
    }
    return CheckFamilyA();
}

void TemperatureWindow::txt_able(bool flag) {
    AnalogWindow::txt_able(flag);
    for (int k = 0; k < ChannelsInUse(); ++k) cmbUserUnit(k).setEnabled(flag);
}

}  // namespace dunax::modules
