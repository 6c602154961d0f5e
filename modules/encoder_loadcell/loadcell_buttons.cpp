// The load-cell windows' buttons that act on the unit at once. Each opens with the
// maintenance write in its channel's group ("01", "02"): a write the unit does not take
// simply leaves the window as it was. A button whose box holds no number sends nothing and
// says "Please enter number.".
#include "core/link.h"
#include "core/text.h"
#include "modules/encoder_loadcell/loadcell_window.h"

namespace dunax::modules {

bool LoadCellWindow::ButtonPrologue(int k) {
    return !core::SelectWriteRetry(kRetries, ButtonGroup(k), "01", "F").empty();
}

// Zero, Span, Auto Zero, Offset Clear: the action, then the channel's live value as the unit
// sends it (point and all) into the box under the buttons.
void LoadCellWindow::Calibrate(int k, int item) {
    if (k < 0 || k > 1) return;
    if (!ButtonPrologue(k)) return;
    const std::string data = item == 33 ? "0" : "";
    if (core::SelectWriteRetry(kRetries, ButtonGroup(k), std::to_string(item), data).empty())
        return;
    const std::string value = core::SelectReadRetry(kRetries, "00", std::to_string(21 + k));
    if (value.empty()) return;
    txtParData2(k).setText(core::AfterColon(value));
}

// The second page's writes of a typed value send it only when it is a number: a box that is
// empty or holds anything else sends nothing at all, and the user is asked for a number.
void LoadCellWindow::EchoWrite(int k, const std::string& item, const std::string& data,
                               platform::ControlArray& box) {
    if (!ButtonPrologue(k)) return;
    txt_able2(false);
    const std::string reply = core::ItemWriteRetry(kRetries, item, data);
    if (!reply.empty()) box(k).setText(core::AfterColon(reply));
    txt_able2(true);
}

void LoadCellWindow::Output(int k) {
    if (k < 0 || k > 1) return;
    const std::string data = txtAdjscale(k).text();
    if (!core::IsNumeric(data)) return core::TellEnterNumber();
    EchoWrite(k, "42", data, txtAdjscale);
}

void LoadCellWindow::GainAdjust(int k, const std::string& step) {
    if (k < 0 || k > 1) return;
    const std::string data = step.empty() ? txtAdjGain(k).text() : step;
    if (step.empty() && !core::IsNumeric(data)) return core::TellEnterNumber();
    EchoWrite(k, "40", data, txtAdjGain);
}

void LoadCellWindow::Cancel(int k) {
    if (k < 0 || k > 1) return;
    if (!ButtonPrologue(k)) return;
    txt_able2(false);
    core::SelectWriteRetry(kRetries, ButtonGroup(k), "43", "1");
    txt_able2(true);
}

// The monitor output value, then Auto Scale; the full scale the unit worked out is read back
// and the live values refreshed, whatever the unit said to the value.
void LoadCellWindow::AutoScale(int k) {
    if (k < 0 || k > 1) return;
    const std::string data = txtAdjscale(k).text();
    if (!core::IsNumeric(data)) return core::TellEnterNumber();
    if (!ButtonPrologue(k)) return;
    txt_able2(false);
    const std::string echo = core::ItemWriteRetry(kRetries, "38", data);
    if (!echo.empty()) txtAdjscale(k).setText(core::AfterColon(echo));
    core::ItemWriteRetry(kRetries, "39", "");
    const std::string fullScale = core::ItemReadRetry(kRetries, "21");
    if (!fullScale.empty()) txtFScale(k).setText(core::AfterColon(fullScale));
    txt_able2(true);
    ReadingData();
}

}  // namespace dunax::modules
