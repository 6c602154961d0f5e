#include "sim/device.h"

#include <algorithm>
#include <utility>

#include "platform/host.h"

namespace dunax::sim {

SimSerialDevice::SimSerialDevice(std::shared_ptr<SimUnit> unit) : unit_(std::move(unit)) {}

bool SimSerialDevice::write(std::string_view data) {
    if (unit_->vanished()) return false;
    for (Emission& e : unit_->receive(data, platform::host().nowMs())) schedule(std::move(e));
    return !unit_->vanished();
}

void SimSerialDevice::arrive() {
    const std::int64_t now = platform::host().nowMs();
    while (!onTheWay_.empty() && onTheWay_.front().atMs <= now) {
        arrived_ += onTheWay_.front().bytes;
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
    if (unit_->vanished()) return platform::host().nowMs();
    if (onTheWay_.empty()) return std::nullopt;
    return onTheWay_.front().atMs;
}

void SimSerialDevice::inject(std::string bytes, std::int64_t delayMs) {
    schedule({platform::host().nowMs() + delayMs, std::move(bytes)});
}

void SimSerialDevice::schedule(Emission e) {
    // After everything due at the same time or earlier: characters keep their order.
    auto pos = std::upper_bound(onTheWay_.begin(), onTheWay_.end(), e.atMs,
                                [](std::int64_t at, const Emission& x) { return at < x.atMs; });
    onTheWay_.insert(pos, std::move(e));
}

platform::SerialOpener simOpener(std::shared_ptr<SimUnit> unit) {
    return [unit](int port, const std::string& settings,
                  std::string& error) -> std::unique_ptr<platform::SerialDevice> {
        if (unit->faults().portUnavailable) {
            error = "COM" + std::to_string(port) + " is in use by another program";
            return nullptr;
        }
        unit->openedPort = port;
        unit->openedSettings = settings;
        return std::make_unique<SimSerialDevice>(unit);
    };
}

}  // namespace dunax::sim
