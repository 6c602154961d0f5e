#include "platform/host.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <stdexcept>

#include "platform/control.h"

namespace dunax::platform {

namespace {
Host* g_host = nullptr;
int g_exchanges = 0;
// Actions of the user so far (clicks run at once or held back until an exchange ended), and
// those whose handlers run now, outermost first.
std::uint64_t g_userActions = 0;
std::vector<std::uint64_t>& runningActions() {
    static std::vector<std::uint64_t> v;
    return v;
}

struct HeldClick {
    Control* control;
};
std::deque<HeldClick>& held() {
    static std::deque<HeldClick> q;
    return q;
}
}  // namespace

Host& host() {
    if (!g_host) throw std::logic_error("no host installed");
    return *g_host;
}

void setHost(Host* h) {
    g_host = h;
}
bool hostInstalled() {
    return g_host != nullptr;
}

ExchangeScope::ExchangeScope() {
    ++g_exchanges;
}
ExchangeScope::~ExchangeScope() {
    --g_exchanges;
}
bool exchangeRunning() {
    return g_exchanges > 0;
}

UserActionScope::UserActionScope() {
    runningActions().push_back(++g_userActions);
}
UserActionScope::~UserActionScope() {
    runningActions().pop_back();
}
UserActionMark markUserActions() {
    return {runningActions(), g_userActions};
}
bool withinMarkedActions(const UserActionMark& mark) {
    const auto& now = runningActions();
    if (now.empty()) return mark.count == g_userActions;
    return std::find(mark.running.begin(), mark.running.end(), now.back()) != mark.running.end();
}

void userClick(Control& c) {
    if (!c.enabled() || !c.visible()) return;
    if (exchangeRunning() && !c.urgent()) {
        held().push_back({&c});
        return;
    }
    UserActionScope action;
    c.click();
}

void runHeldClicks() {
    while (!exchangeRunning() && !held().empty()) {
        HeldClick h = held().front();
        held().pop_front();
        // The window may have gone, or the button been disabled by what ran meanwhile
        // (a button that is off does nothing when it is finally reached).
        if (!controlAlive(h.control)) continue;
        if (!h.control->enabled() || !h.control->visible()) continue;
        UserActionScope action;
        h.control->click();
    }
}

std::size_t heldClickCount() {
    return held().size();
}

}  // namespace dunax::platform
