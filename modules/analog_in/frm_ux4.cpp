#include "modules/analog_in/frm_ux4.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "core/link.h"
#include "core/text.h"

namespace dunax::modules {

platform::FormInstance<UX4Window> frmUX4;

namespace {

constexpr int kPercentItem = 34;  // the channel's percent, read only

AnalogDesign ux4Design() {
    AnalogDesign d;
    d.modelNum = 7;  // items 20, 21, 34 (percent), none, 32, 33
    d.formName = "frmUX4";
    d.channels = 4;
    d.pages = 2;
    d.rowTitles[2] = "Percent";
    d.hints = {"-32000 to 32000", "-32000 to 32000", "", "", "", ""};
    // The percent is the unit's own figure: shown, never edited nor written.
    d.edit = {ParamEdit::Editable,    ParamEdit::Editable, ParamEdit::DisplayOnly,
              ParamEdit::DisplayOnly, ParamEdit::Editable, ParamEdit::Editable};
    d.displayOnlyInfoBack = true;
    d.written = {true, true, false, false, true, true};
    d.rangeCode = RangeCodeUse::None;
    d.hold = true;
    d.extension = true;
    d.monitorItems = 4;
    d.monitorExtension = true;
    return d;
}

// v as a whole number (a half to the even neighbour) when that lies within lo..hi.
std::optional<int> wholeWithin(double v, int lo, int hi) {
    const auto i = core::RoundHalfEven16(v);
    if (!i || *i < lo || *i > hi) return std::nullopt;
    return *i;
}

}  // namespace

UX4Window::UX4Window() : AnalogWindow(ux4Design()) {}

// Hold, then per channel zero scale, full scale, percent, zero base and full base. No range
// code: the base boxes have no unit.
void UX4Window::frmUX4_Init() {
    UploadStandard();
}

// Per channel the scales and bases as they stand (not the percent); then the hold setting.
void UX4Window::frmUX4_Download() {
    DownloadStandard();
}

void UX4Window::ReadingData() {
    AnalogWindow::ReadingData();
    // The percent of all four channels, whatever the unit's channel count; the channel groups
    // written with two digits select the same groups as "1".."4".
    for (int k = 0; k < design().channels; ++k) {
        const std::string group = "0" + std::to_string(k + 1);
        ShowMonitoredValue(txtBias(k),
                           core::SelectReadRetry(kRetries, group, std::to_string(kPercentItem)));
    }
}

bool UX4Window::CheckData() {
    const int n = ChannelsInUse();
    if (n == 0) return false;  // nothing was tested
    // Zero scale, full scale, percent, zero base, full base.
    const std::array<platform::ControlArray*, 5> boxes{&txtZScale, &txtFScale, &txtBias, &txtZBase,
                                                       &txtFBase};
    for (int k = 0; k < n; ++k) {
        for (const auto* arr : boxes) {
            if (!core::IsNumeric((*arr)(k).text())) return false;
        }
    }
    for (int k = 0; k < n; ++k) {
        std::array<double, 5> v{};
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const auto d = core::ToDouble((*boxes[i])(k).text());
            if (!d || *d < -32000 || *d > 32000) return false;
            v[i] = *d;
        }
        const auto zs = wholeWithin(v[0], -32000, 32000);
        const auto fs = wholeWithin(v[1], -32000, 32000);
        const auto zb = wholeWithin(v[3], 0, 10000);
        const auto fb = wholeWithin(v[4], 0, 10000);
        if (!zs || !fs || !zb || !fb) return false;
        // The percent box is the unit's and stays as it is.
        txtZScale(k).setText(std::to_string(*zs));
        txtFScale(k).setText(std::to_string(*fs));
        txtZBase(k).setText(std::to_string(*zb));
        txtFBase(k).setText(std::to_string(*fb));
    }
    return true;
}

}  // namespace dunax::modules
