#include "network/frm_cclink.h"

#include "network/entry_check.h"

namespace dunax::network {

using platform::Kind;

platform::FormInstance<CCLinkWindow> frmCCLINK;

namespace {
constexpr int kClientWidth = NetworkSettingsWindow::kMinClientWidth;
constexpr int kFrameHeight = 855;
}  // namespace

CCLinkWindow::CCLinkWindow()
    : NetworkSettingsWindow("frmCCLINK", "CC-Link Setting"),
      Frame2(add(Kind::Frame, "Frame2")),
      txtTimeout(add(Kind::TextBox, "txtTimeout", &Frame2)),
      Label2(add(Kind::Label, "Label2", &Frame2)) {
    Frame2.setCaption("TimeOut");
    Label2.setCaption("x 0.1 sec");
    txtTimeout.setAccessibleName("TimeOut x 0.1 sec");

    layOut(kClientWidth, kContentTop + kFrameHeight + kMargin);
    Frame2.setGeometry(kMargin, kContentTop, kClientWidth - 2 * kMargin, kFrameHeight);
    txtTimeout.setGeometry(240, 360, 1335, 315);
    Label2.setGeometry(1695, 390, 1215, 255);

    setInputs({&txtTimeout});
    txtTimeout.onChange = [this] { txtTimeout_Change(); };
}

bool CCLinkWindow::uploadItems() {
    return readText(kItemNetTimeout, txtTimeout);
}

std::optional<std::string> CCLinkWindow::entryProblem() {
    return timeoutEntryProblem(txtTimeout.text());
}

bool CCLinkWindow::downloadItems() {
    return downloadItem(Frame2.caption(), kItemNetTimeout, trimmed(txtTimeout.text()));
}

void CCLinkWindow::txtTimeout_Change() {
    checkTimeoutText(txtTimeout.text());
}

}  // namespace dunax::network
