// Colours as the windows use them: 0x00BBGGRR values, and 0x800000NN for the colours of the
// window system (mapped to the desktop's palette by the GUI).
#pragma once

#include <cstdint>

namespace dunax::platform {

using Color = std::uint32_t;

namespace color {
constexpr Color rgb(int r, int g, int b) {
    return static_cast<Color>((b & 0xFF) << 16 | (g & 0xFF) << 8 | (r & 0xFF));
}
constexpr Color Black = 0x000000;
constexpr Color White = 0xFFFFFF;
constexpr Color Green = 0x00FF00;  // a set point
constexpr Color Red = 0x0000FF;    // a clear point
constexpr Color DarkGreen = 0x008000;
constexpr Color LampNavy = 0x800000;
constexpr Color LampGreen = 0x00F000;
constexpr Color LampYellow = 0x80FFFF;

constexpr Color System = 0x80000000;
constexpr Color ButtonText = 0x80000012;
constexpr Color WindowBackground = 0x80000005;
constexpr Color WindowText = 0x80000008;
constexpr Color ButtonFace = 0x8000000F;
constexpr Color InfoBackground = 0x80000018;
constexpr Color GrayText = 0x80000011;

constexpr bool isSystem(Color c) {
    return (c & 0xFF000000u) == System;
}
constexpr int red(Color c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int green(Color c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blue(Color c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
}  // namespace color

}  // namespace dunax::platform
