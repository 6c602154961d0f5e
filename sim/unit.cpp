#include "sim/unit.h"

#include <algorithm>
#include <charconv>

namespace dunax::sim {

SimUnit::SimUnit(Profile profile) : profile_(std::move(profile)) {}

std::vector<Emission> SimUnit::receive(std::string_view bytes, std::int64_t nowMs) {
    std::vector<Emission> out;
    for (const char c : bytes) {
        if (faults_.vanished) break;
        if (c == '\n') continue;
        if (c == '\r') {
            command(pending_, nowMs, out);
            pending_.clear();
            overlong_ = false;
        } else if (pending_.size() < kMaxCommand) {
            pending_ += c;
        } else {
            overlong_ = true;
        }
    }
    return out;
}

std::vector<std::string> SimUnit::commands() const {
    std::vector<std::string> texts;
    texts.reserve(log_.size());
    for (const auto& c : log_) texts.push_back(c.text);
    return texts;
}

void SimUnit::command(const std::string& text, std::int64_t nowMs, std::vector<Emission>& out) {
    log_.push_back({nowMs, text});
    const std::size_t number = log_.size();
    Faults& f = faults_;
    if (f.vanishAt != 0 && number >= f.vanishAt) f.vanished = true;
    if (f.vanished || f.silent || (f.silentFrom != 0 && number >= f.silentFrom)) return;
    if (f.dropNext > 0) {
        --f.dropNext;
        return;
    }

    std::string reply;
    if (auto forced = f.replies.find(text); forced != f.replies.end()) {
        reply = forced->second;
    } else if (f.refuseAll || overlong_) {
        reply = "CNG";
    } else {
        reply = execute(text, nowMs);
    }
    std::string bytes = f.garbage + (f.padded ? " " + reply + " " : reply) + "\r";

    int delay = latencyMs;
    if (f.nextReplyDelayMs >= 0) {
        delay = f.nextReplyDelayMs;
        f.nextReplyDelayMs = -1;
    } else if (f.replyDelayMs >= 0) {
        delay = f.replyDelayMs;
    }
    if (f.lateAt != 0 && number == f.lateAt) delay = f.lateByMs;
    // One command after the other: a reply never overtakes the one before it.
    std::int64_t at = std::max(nowMs + delay, lastEmissionMs_);
    if (f.oneAtATimeGapMs >= 0 && nowMs < lastEmissionMs_) {
        at = std::max(replyEndMs_ + f.oneAtATimeGapMs, lastEmissionMs_);
    }
    if (f.splitAt > 0 && f.splitAt < bytes.size()) {
        out.push_back({at, bytes.substr(0, f.splitAt)});
        at += f.splitGapMs;
        bytes.erase(0, f.splitAt);
    }
    const auto sendingNs = static_cast<std::int64_t>(bytes.size()) * characterNs(9600);
    replyEndMs_ = at + (sendingNs + 999'999) / 1'000'000;
    out.push_back({at, std::move(bytes)});
    lastEmissionMs_ = at;
}

std::vector<Emission> SimUnit::noise(std::int64_t nowMs) {
    std::vector<Emission> out;
    if (faults_.noise != noiseText_) {  // new noise starts now; none stops it
        noiseText_ = faults_.noise;
        noiseNextMs_ = nowMs;
    }
    if (noiseText_.empty()) return out;
    const std::int64_t every = std::max(1, faults_.noiseEveryMs);
    for (; noiseNextMs_ <= nowMs; noiseNextMs_ += every) out.push_back({noiseNextMs_, noiseText_});
    return out;
}

std::optional<std::int64_t> SimUnit::nextNoiseMs(std::int64_t nowMs) const {
    if (faults_.noise != noiseText_)
        return faults_.noise.empty() ? std::nullopt : std::optional(nowMs);
    if (noiseText_.empty()) return std::nullopt;
    return noiseNextMs_;
}

std::string SimUnit::execute(const std::string& command, std::int64_t nowMs) {
    if (command.empty()) return "CNG";
    const std::string operand = command.substr(1);
    switch (command[0]) {
        case 'G': {
            const std::string g = normaliseGroup(operand);
            item_.clear();
            if (operand.empty() || !profile_.hasGroup(g) || groupRefused(g)) {
                group_.clear();
                return "CNG";
            }
            group_ = g;
            return "COK";
        }
        case 'I': {
            if (group_.empty()) return "CNG";
            item_.clear();
            const std::string i = normaliseItem(operand);
            const Item* it = profile_.find(group_, i);
            if (!it || itemNeedless(group_, i)) return "CNU";
            if (it->refused) return "CNG";
            item_ = i;
            return itemReply(*it, nowMs);
        }
        case 'D': {
            Item* it = item_.empty() ? nullptr : profile_.find(group_, item_);
            if (!it) return "CNG";
            if (itemNeedless(group_, item_)) return "CNU";
            if (!it->writable) return "CNG";
            std::optional<std::string> stored =
                it->onWrite ? it->onWrite(operand) : std::optional<std::string>(operand);
            if (!stored) return "CNG";
            it->value = std::move(*stored);
            return itemReply(*it, nowMs);
        }
        default:
            return "CNG";
    }
}

bool SimUnit::groupRefused(const std::string& group) const {
    return std::any_of(faults_.refusedGroups.begin(), faults_.refusedGroups.end(),
                       [&](const std::string& g) { return normaliseGroup(g) == group; });
}

bool SimUnit::itemNeedless(const std::string& group, const std::string& item) const {
    return std::any_of(faults_.needless.begin(), faults_.needless.end(), [&](const auto& gi) {
        return normaliseGroup(gi.first) == group && normaliseItem(gi.second) == item;
    });
}

std::string SimUnit::itemReply(const Item& it, std::int64_t nowMs) const {
    return std::string(1, kStatus) + it.label + ":" + (it.live ? it.live(nowMs) : it.value);
}

namespace {

bool number(const std::string& text, std::size_t& out) {
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && p == end && !text.empty();
}

bool number(const std::string& text, int& out) {
    std::size_t n = 0;
    if (!number(text, n) || n > 3'600'000) return false;
    out = static_cast<int>(n);
    return true;
}

// "\r", "\n", "\\" and "\xNN" stand for the characters they name.
bool unescape(const std::string& text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return false;
        switch (text[i]) {
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            case '\\':
                out += '\\';
                break;
            case 'x': {
                if (i + 2 >= text.size()) return false;
                unsigned v = 0;
                auto [p, ec] = std::from_chars(text.data() + i + 1, text.data() + i + 3, v, 16);
                if (ec != std::errc() || p != text.data() + i + 3) return false;
                out += static_cast<char>(v);
                i += 2;
                break;
            }
            default:
                return false;
        }
    }
    return true;
}

}  // namespace

bool applyFault(SimUnit& unit, const std::string& spec, std::string& error) {
    Faults& f = unit.faults();
    const auto eq = spec.find('=');
    const std::string name = spec.substr(0, eq);
    const std::string arg = eq == std::string::npos ? std::string() : spec.substr(eq + 1);
    const auto slash = arg.find('/');
    const std::string first = arg.substr(0, slash);
    const std::string second = slash == std::string::npos ? std::string() : arg.substr(slash + 1);

    bool ok = true;
    if (name == "silent" && eq == std::string::npos) {
        f.silent = true;
    } else if (name == "cng" && eq == std::string::npos) {
        f.refuseAll = true;
    } else if (name == "pad" && eq == std::string::npos) {
        f.padded = true;
    } else if (name == "silent-from") {
        ok = number(arg, f.silentFrom) && f.silentFrom > 0;
    } else if (name == "drop") {
        ok = number(arg, f.dropNext);
    } else if (name == "refuse-group") {
        ok = !arg.empty();
        if (ok) f.refusedGroups.insert(arg);
    } else if (name == "cnu") {
        ok = slash != std::string::npos && !first.empty() && !second.empty();
        if (ok) f.needless.insert({first, second});
    } else if (name == "reply") {
        std::string text;
        ok = slash != std::string::npos && !first.empty() && unescape(second, text);
        if (ok) f.replies[first] = text;
    } else if (name == "split") {
        ok = number(first, f.splitAt) && f.splitAt > 0 &&
             (slash == std::string::npos || number(second, f.splitGapMs));
    } else if (name == "delay") {
        ok = number(arg, f.replyDelayMs);
    } else if (name == "delay-next") {
        ok = number(arg, f.nextReplyDelayMs);
    } else if (name == "late-at") {
        ok = slash != std::string::npos && number(first, f.lateAt) && f.lateAt > 0 &&
             number(second, f.lateByMs);
    } else if (name == "garbage") {
        ok = unescape(arg, f.garbage) && !f.garbage.empty();
    } else if (name == "one-at-a-time") {
        ok = number(arg, f.oneAtATimeGapMs);
    } else if (name == "noise") {
        ok = unescape(first, f.noise) && !f.noise.empty() &&
             (slash == std::string::npos || (number(second, f.noiseEveryMs) && f.noiseEveryMs > 0));
    } else if (name == "vanish-at") {
        ok = number(arg, f.vanishAt) && f.vanishAt > 0;
    } else {
        error = "Unknown fault \"" + spec + "\"";
        return false;
    }
    if (!ok) error = "Bad value in fault \"" + spec + "\"";
    return ok;
}

}  // namespace dunax::sim
