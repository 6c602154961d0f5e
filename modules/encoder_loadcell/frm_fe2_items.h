// The unit items of the encoder counter window: which box holds which item, per channel.
// Group "00" holds the monitored values, group "01" the settings and the requests.
#pragma once

#include <array>
#include <string>

#include "modules/encoder_loadcell/frm_fe2.h"
#include "modules/window_parts.h"

namespace dunax::modules::fe2 {

inline const std::string kMonitorGroup = "00";
inline const std::string kSettingGroup = "01";

// A per-channel box and its item: base + step * ch for the channel ch (1 or 2).
struct ChannelItem {
    platform::ControlArray FE2Window::*box;
    int base;
    int step;
    int item(int ch) const { return base + step * ch; }
};

// The item number as the unit takes it: two decimal digits.
inline std::string ItemText(int item) {
    return item < 10 ? "0" + std::to_string(item) : std::to_string(item);
}

// Current position, current speed, latched position, latched speed, reset position.
inline constexpr std::array<ChannelItem, 5> kMonitorItems{{
    {&FE2Window::txtCP, 19, 1},
    {&FE2Window::txtCS, 21, 1},
    {&FE2Window::txtLP, 23, 1},
    {&FE2Window::txtLS, 25, 1},
    {&FE2Window::txtRP, 27, 1},
}};

// Reset value, minimum, maximum: the download sends these three, in this order, three times.
inline constexpr std::array<ChannelItem, 3> kLimitItems{{
    {&FE2Window::txtReset, 13, 1},
    {&FE2Window::txtMin, 15, 1},
    {&FE2Window::txtMax, 17, 1},
}};

inline constexpr ChannelItem kDropOutItem{&FE2Window::txtDO, 9, 1};

// Bias, gain, zero scale, full scale, HLS command, the two alarms, the seven latch/reset flags.
inline constexpr std::array<ChannelItem, 22> kAdjustItems{{
    {&FE2Window::txtBias, 32, 2},  {&FE2Window::txtGain, 33, 2},    {&FE2Window::txtZS, 36, 2},
    {&FE2Window::txtFS, 37, 2},    {&FE2Window::txtOP, 41, 1},      {&FE2Window::txtA1Type, 34, 10},
    {&FE2Window::txtA1SM, 35, 10}, {&FE2Window::txtA1SH, 36, 10},   {&FE2Window::txtA1PM, 37, 10},
    {&FE2Window::txtA1PH, 38, 10}, {&FE2Window::txtA2Type, 39, 10}, {&FE2Window::txtA2SM, 40, 10},
    {&FE2Window::txtA2SH, 41, 10}, {&FE2Window::txtA2PM, 42, 10},   {&FE2Window::txtA2PH, 43, 10},
    {&FE2Window::txtEL, 63, 1},    {&FE2Window::txtHL, 65, 1},      {&FE2Window::txtER, 67, 1},
    {&FE2Window::txtHR, 69, 1},    {&FE2Window::txtZR, 71, 1},      {&FE2Window::txtHLD, 73, 1},
    {&FE2Window::txtHRD, 75, 1},
}};

// Alarm timers (power-on delay, on delay, on hold): module-wide items 06..08 in txtTM(0..2).
inline constexpr std::array<int, 3> kTimerItems{6, 7, 8};
// Count mode, frequency range, position count mode (module-wide, read only).
inline constexpr int kCountModeItem = 28;
inline constexpr int kFrequencyRangeItem = 29;
inline constexpr int kPositionCountModeItem = 30;
// Request button n (1..8) writes "1" to item 77 + n.
inline constexpr int kRequestItemBase = 77;

}  // namespace dunax::modules::fe2
