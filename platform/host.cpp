#include "platform/host.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

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

std::string fileTypeExtension(const std::string& filter, int filterIndex) {
    if (filterIndex < 1) return {};
    // Descriptions and patterns alternate: the patterns of type n are the text after the
    // (2n - 1)-th "|".
    std::size_t start = 0;
    for (int bar = 1; bar < 2 * filterIndex; ++bar) {
        start = filter.find('|', start);
        if (start == std::string::npos) return {};
        ++start;
    }
    const std::string pattern = filter.substr(start, filter.find_first_of("|;", start) - start);
    if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0 ||
        pattern.find_first_of("*?[", 2) != std::string::npos) {
        return {};
    }
    return pattern.substr(2);
}

std::string withFileTypeExtension(const std::string& name, const std::string& filter,
                                  int filterIndex) {
    const std::size_t slash = name.rfind('/');
    const std::size_t base = slash == std::string::npos ? 0 : slash + 1;
    const std::string extension = fileTypeExtension(filter, filterIndex);
    std::error_code ec;
    if (extension.empty() || name.find('.', base) != std::string::npos ||
        std::filesystem::is_directory(name, ec)) {
        return name;
    }
    return name + "." + extension;
}

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
