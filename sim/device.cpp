#include "sim/device.h"

#include <algorithm>
#include <utility>

#include "platform/host.h"

namespace dunax::sim {

namespace {

constexpr std::int64_t kNsPerMs = 1'000'000;

std::int64_t nowNs() {
    return platform::host().nowMs() * kNsPerMs;
}

// The first millisecond of the host's clock at which a moment in nanoseconds has passed.
std::int64_t msAtOrAfter(std::int64_t ns) {
    return (ns + kNsPerMs - 1) / kNsPerMs;
}

}  // namespace

SimSerialDevice::SimSerialDevice(std::shared_ptr<SimUnit> unit, std::int64_t characterNs)
    : unit_(std::move(unit)), characterNs_(characterNs) {
    // Noise sent while the port was closed never reaches it.
    if (platform::hostInstalled()) unit_->noise(platform::host().nowMs());
}

bool SimSerialDevice::write(std::string_view data) {
    if (unit_->vanished()) return false;
    toUnit_ += data.size();
    if (characterNs_ == 0) {
        for (Emission& e : unit_->receive(data, platform::host().nowMs())) schedule(std::move(e));
        return !unit_->vanished();
    }
    // The characters leave one after the other; the unit takes each when it has crossed.
    std::int64_t at = std::max(nowNs(), sendFreeNs_);
    for (const char c : data) {
        at += characterNs_;
        for (Emission& e : unit_->receive(std::string_view(&c, 1), msAtOrAfter(at))) {
            schedule(std::move(e));
        }
    }
    sendFreeNs_ = at;
    return !unit_->vanished();
}

void SimSerialDevice::arrive() {
    for (Emission& e : unit_->noise(platform::host().nowMs())) schedule(std::move(e));
    const std::int64_t now = nowNs();
    while (!onTheWay_.empty() && onTheWay_.front().atNs <= now) {
        arrived_ += onTheWay_.front().c;
        onTheWay_.pop_front();
    }
}

bool SimSerialDevice::read(std::string& out) {
    if (unit_->vanished()) return false;
    arrive();
    out += arrived_;
    arrived_.clear();
    return true;
}

std::size_t SimSerialDevice::available() {
    if (unit_->vanished()) return 1;  // counted readable, so that the read reports the failure
    arrive();
    return arrived_.size();
}

void SimSerialDevice::discardInput() {
    arrive();
    arrived_.clear();
}

std::optional<std::int64_t> SimSerialDevice::nextArrivalMs() const {
    const std::int64_t now = platform::host().nowMs();
    if (unit_->vanished()) return now;
    std::optional<std::int64_t> next = unit_->nextNoiseMs(now);
    if (!onTheWay_.empty()) {
        const std::int64_t arrival = msAtOrAfter(onTheWay_.front().atNs);
        next = next ? std::min(*next, arrival) : arrival;
    }
    return next;
}

void SimSerialDevice::inject(std::string bytes, std::int64_t delayMs) {
    schedule({platform::host().nowMs() + delayMs, std::move(bytes)});
}

void SimSerialDevice::schedule(Emission e) {
    fromUnit_ += e.bytes.size();
    const std::int64_t startNs = e.atMs * kNsPerMs;
    if (characterNs_ == 0) {
        // After everything due at the same time or earlier: characters keep their order.
        auto pos = std::upper_bound(onTheWay_.begin(), onTheWay_.end(), startNs,
                                    [](std::int64_t at, const Arrival& x) { return at < x.atNs; });
        for (const char c : e.bytes) pos = std::next(onTheWay_.insert(pos, {startNs, c}));
        return;
    }
    // The unit sends one character after the other, and only once the line is free.
    std::int64_t at = std::max(startNs, receiveFreeNs_);
    for (const char c : e.bytes) {
        at += characterNs_;
        onTheWay_.push_back({at, c});
    }
    receiveFreeNs_ = at;
}

platform::SerialOpener simOpener(std::shared_ptr<SimUnit> unit, std::int64_t characterNs) {
    return [unit, characterNs](int port, const std::string& settings,
                               std::string& error) -> std::unique_ptr<platform::SerialDevice> {
        if (unit->faults().portUnavailable) {
            error = "COM" + std::to_string(port) + " (simulated unit): in use by another program";
            return nullptr;
        }
        unit->openedPort = port;
        unit->openedSettings = settings;
        return std::make_unique<SimSerialDevice>(unit, characterNs);
    };
}

}  // namespace dunax::sim
