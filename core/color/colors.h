#pragma once

#include <cstdint>

namespace kivrel {

// Colours are 0x00BBGGRR (red in the lowest byte). A value with the top bit
// set names a system colour by its index in the lowest byte.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clRed = 0x000000FF;
inline constexpr TColor clYellow = 0x0000FFFF;
inline constexpr TColor clGreen = 0x00008000;  // half-intensity green
inline constexpr TColor clWhite = 0x00FFFFFF;
inline constexpr TColor clBlue = 0x00FF0000;
inline constexpr TColor clOlive = 0x00008080;
inline constexpr TColor clTeal = 0x00808000;
inline constexpr TColor clNavy = 0x00800000;
inline constexpr TColor clBtnFace = 0x8000000F;    // the system's button-face colour
inline constexpr TColor clHighlight = 0x8000000D;  // the system's colour of selected items

}  // namespace kivrel
