// The simulated unit behind the serial port interface, in process and in the host's time:
// what the unit sends arrives when the host's clock reaches its time.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/serial.h"
#include "sim/unit.h"

namespace dunax::sim {

class SimSerialDevice final : public platform::SerialDevice {
  public:
    explicit SimSerialDevice(std::shared_ptr<SimUnit> unit);

    // Hands the characters to the unit; its reply is on its way from now on.
    bool write(std::string_view data) override;
    // Only characters that have arrived by the host's clock.
    bool read(std::string& out) override;
    // What has arrived; 1 once the line has dropped, so that the read reports the failure.
    std::size_t available() override;
    // Drops what has arrived; characters still on their way arrive later all the same.
    void discardInput() override;
    // The arrival time of the next character on its way. Once the line has dropped, the
    // present moment: a waiter wakes at once and its read reports the failure, as poll
    // reports a hung-up line readable.
    std::optional<std::int64_t> nextArrivalMs() const override;

    // Characters the unit sends of its own accord (noise), arriving delayMs from now.
    void inject(std::string bytes, std::int64_t delayMs);

    SimUnit& unit() { return *unit_; }

  private:
    void arrive();
    void schedule(Emission e);

    std::shared_ptr<SimUnit> unit_;
    std::deque<Emission> onTheWay_;  // by arrival time
    std::string arrived_;
};

// Opens the simulated unit on any port; fails while unit->faults().portUnavailable is set.
platform::SerialOpener simOpener(std::shared_ptr<SimUnit> unit);

}  // namespace dunax::sim
