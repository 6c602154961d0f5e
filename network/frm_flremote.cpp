#include "network/frm_flremote.h"

#include <tuple>

#include "network/entry_check.h"

namespace dunax::network {

using platform::Kind;

platform::FormInstance<FLRemoteWindow> frmFLRemote;

namespace {
constexpr int kClientWidth = NetworkSettingsWindow::kMinClientWidth;
constexpr int kFrameHeight = 855;
constexpr int kFrameGap = 120;
}  // namespace

FLRemoteWindow::FLRemoteWindow()
    : NetworkSettingsWindow("frmFLRemote", "FL-Remote Setting"),
      Frame1(add(Kind::Frame, "Frame1")),
      Text1(add(Kind::TextBox, "Text1", &Frame1)),
      Label1(add(Kind::Label, "Label1", &Frame1)),
      Frame3(add(Kind::Frame, "Frame3")),
      Text2(add(Kind::TextBox, "Text2", &Frame3)),
      Label3(add(Kind::Label, "Label3", &Frame3)) {
    Frame1.setCaption("Token Watchdog timer");
    Label1.setCaption("x 100 usec");
    Text1.setAccessibleName("Token Watchdog timer x 100 usec");
    Frame3.setCaption("Allowable minimum frame interval");
    Label3.setCaption("x 1 msec");
    Text2.setAccessibleName("Allowable minimum frame interval x 1 msec");

    layOut(kClientWidth, kContentTop + 2 * kFrameHeight + kFrameGap + kMargin);
    int top = kContentTop;
    for (auto [frame, box, label] :
         {std::tuple{&Frame1, &Text1, &Label1}, std::tuple{&Frame3, &Text2, &Label3}}) {
        frame->setGeometry(kMargin, top, kClientWidth - 2 * kMargin, kFrameHeight);
        box->setGeometry(240, 360, 1335, 315);
        label->setGeometry(1695, 390, 1335, 255);
        top += kFrameHeight + kFrameGap;
    }

    setInputs({&Text1, &Text2});
}

// Each box opens as soon as its value is in, so that a failure at the second item leaves the
// first one editable with its new value.
bool FLRemoteWindow::uploadItems() {
    if (!readText(kItemWatchdog, Text1)) return false;
    openInput(Text1);
    if (!readText(kItemFrameInterval, Text2)) return false;
    openInput(Text2);
    return true;
}

// Both settings are whole numbers of the unit; anything else, an empty box included, is
// refused before it reaches the unit.
std::optional<std::string> FLRemoteWindow::entryProblem() {
    static const std::string kEnterNumber = "Please enter number.";
    static const std::string kEnterRange = "Please enter 0 to 32767.";
    for (const auto* box : {&Text1, &Text2}) {
        if (auto problem = wholeNumberProblem(box->text(), 32767, kEnterNumber, kEnterRange)) {
            return problem;
        }
    }
    return std::nullopt;
}

bool FLRemoteWindow::downloadItems() {
    return downloadItem(Frame1.caption(), kItemWatchdog, trimmed(Text1.text())) &&
           downloadItem(Frame3.caption(), kItemFrameInterval, trimmed(Text2.text()));
}

}  // namespace dunax::network
