#include "modules/scaled_analog/frm_kw8.h"

#include "core/tables.h"

namespace dunax::modules {

platform::FormInstance<KW8Window> frmKW8;

namespace {

AnalogDesign kw8Design() {
    AnalogDesign d = BiasGainDesign();
    d.modelNum = 18;
    d.formName = "frmKW8";
    d.channels = 8;
    d.pages = 2;
    d.pageCaptions = {"CH 0 to CH 3", "CH 4 to CH 7"};
    d.rangeRows = VoltageRangeRows(13);
    d.rangeCode = RangeCodeUse::UnitLabels;
    d.unitTable = &core::RangeUnitKW8;
    // Scales and bases are shown as the unit holds them: never enabled, never written.
    d.edit = {ParamEdit::Fixed,    ParamEdit::Fixed, ParamEdit::Editable,
              ParamEdit::Editable, ParamEdit::Fixed, ParamEdit::Fixed};
    d.written = {false, false, true, true, false, false};
    d.extension = false;
    return d;
}

}  // namespace

KW8Window::KW8Window() : BiasGainWindow(kw8Design()) {}

// Range code, then per channel the six values and the channel's range; the unit labels follow
// the module-wide range code, or each channel's own range under code 15.
void KW8Window::frmKW8_Init() {
    UploadStandard();
}

// Per channel the bias and the gain as they stand (the bias with the channel's group
// command), then the range.
void KW8Window::frmKW8_Download() {
    DownloadStandard();
}

}  // namespace dunax::modules
