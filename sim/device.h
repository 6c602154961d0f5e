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
    // characterNs 0: a block the unit sends arrives whole at its time, and commands reach the
    // unit at once. Otherwise the line is paced: every character, both ways, crosses it one
    // after the other in that time.
    explicit SimSerialDevice(std::shared_ptr<SimUnit> unit, std::int64_t characterNs = 0);

    // Hands the characters to the unit; its reply is on its way from now on (on a paced line,
    // from the moment the command's CR has crossed).
    bool write(std::string_view data) override;
    // Only characters that have arrived by the host's clock.
    bool read(std::string& out) override;
    // What has arrived; 1 once the line has dropped, so that the read reports the failure.
    std::size_t available() override;
    // Drops what has arrived; characters still on their way arrive later all the same.
    void discardInput() override;
    // The arrival time of the next character on its way, or when the next noise is sent.
    // Once the line has dropped, the present moment: a waiter wakes at once and its read reports
    // the failure, as poll reports a hung-up line readable.
    std::optional<std::int64_t> nextArrivalMs() const override;
    std::string name() const override { return "simulated unit"; }

    // Characters the unit sends of its own accord (noise), arriving delayMs from now.
    void inject(std::string bytes, std::int64_t delayMs);

    SimUnit& unit() { return *unit_; }

    // Characters that crossed the line so far, each way.
    std::size_t charactersToUnit() const { return toUnit_; }
    std::size_t charactersFromUnit() const { return fromUnit_; }

  private:
    struct Arrival {
        std::int64_t atNs;
        char c;
    };
    void arrive();
    void schedule(Emission e);

    std::shared_ptr<SimUnit> unit_;
    std::int64_t characterNs_;
    std::deque<Arrival> onTheWay_;  // by arrival time
    std::string arrived_;
    std::int64_t sendFreeNs_ = 0;     // when the line towards the unit is free again
    std::int64_t receiveFreeNs_ = 0;  // when the line from the unit is free again
    std::size_t toUnit_ = 0;
    std::size_t fromUnit_ = 0;
};

// Opens the simulated unit on any port; fails while unit->faults().portUnavailable is set.
// With characterNs the line is paced (see SimSerialDevice).
platform::SerialOpener simOpener(std::shared_ptr<SimUnit> unit, std::int64_t characterNs = 0);

}  // namespace dunax::sim
