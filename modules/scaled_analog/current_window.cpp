#include "modules/scaled_analog/current_window.h"

#include <utility>

namespace dunax::modules {

AnalogDesign CurrentDesign(int modelNum, std::string formName, int channels, int pages) {
    AnalogDesign d;
    d.modelNum = modelNum;
    d.formName = std::move(formName);
    d.channels = channels;
    d.pages = pages;
    d.rangeCode = RangeCodeUse::None;
    d.fixedUnit = "mA";
    // The bases are created disabled on the info background and go back as uploaded.
    d.edit = {ParamEdit::Editable, ParamEdit::Editable,    ParamEdit::Editable,
              ParamEdit::Editable, ParamEdit::DisplayOnly, ParamEdit::DisplayOnly};
    d.displayOnlyInfoBack = true;
    d.hold = true;
    d.extension = true;
    d.monitorItems = channels;
    d.monitorExtension = true;
    return d;
}

}  // namespace dunax::modules
