// The encoder counter window's monitoring pass and its request buttons.
#include "core/connection.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/text.h"
#include "modules/encoder_loadcell/frm_fe2.h"
#include "modules/encoder_loadcell/frm_fe2_items.h"
#include "platform/host.h"

namespace dunax::modules {

using namespace fe2;

namespace {
// How long the request buttons stay locked after a request, for the unit to carry it out.
constexpr int kRequestSettleMs = 500;
}  // namespace

// The five live values of both channels (whatever the unit's channel count), shown as the unit
// sends them. No answer ends the pass and the link: the boxes not reached keep their text.
void FE2Window::ReadingData() {
    core::SelectWriteRetry(kRetries, kMonitorGroup, "01", "F");
    for (int ch = 1; ch <= 2; ++ch) {
        for (const ChannelItem& m : kMonitorItems) {
            const std::string reply = core::ItemReadRetry(kRetries, ItemText(m.item(ch)));
            if (reply.empty()) {
                // A link the user has just closed leaves the read unanswered: no read error.
                if (core::g.Connected) {
                    platform::host().messageBox("Data Read Error.", platform::Icon::Critical,
                                                platform::Buttons::OK, "Error");
                    core::Disconnect();
                }
                return;
            }
            (this->*m.box)(ch - 1).setText(core::AfterColon(reply));
        }
    }
}

// Writes "1" to the button's request item, then keeps all eight buttons locked while the unit
// carries the request out. The wait blocks and runs no events; the reply is not examined.
void FE2Window::Command_Click(int n) {
    if (n < 1 || n > 8) return;
    DisableRequestButtons();
    core::SelectWriteRetry(kRetries, kSettingGroup, ItemText(kRequestItemBase + n), "1");
    platform::host().sleep(kRequestSettleMs);
    EnableRequestButtons();
}

void FE2Window::DisableRequestButtons() {
    for (int n = 1; n <= 8; ++n) Command[static_cast<std::size_t>(n)]->setEnabled(false);
}

void FE2Window::EnableRequestButtons() {
    for (int n = 1; n <= 8; ++n) Command[static_cast<std::size_t>(n)]->setEnabled(true);
}

}  // namespace dunax::modules
