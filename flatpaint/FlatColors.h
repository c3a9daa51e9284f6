#pragma once

#include <array>
#include <cstdint>
#include <span>

// The colour arithmetic of the flat look: plain RGB values, no toolkit. The style that paints
// menus and controls converts its colours to Rgb, asks these helpers and converts back.
namespace tavik::flatpaint {

// One colour, each channel 0–255.
struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kSilver{192, 192, 192};

// A pixel as 0xAARRGGBB (straight, not premultiplied alpha) and back; `alpha` 0–255.
constexpr Rgb fromArgb(std::uint32_t pixel) {
    return {int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF)};
}
constexpr std::uint32_t toArgb(Rgb c, std::uint32_t alpha = 0xFF) {
    return alpha << 24 | std::uint32_t(c.r & 0xFF) << 16 | std::uint32_t(c.g & 0xFF) << 8 |
           std::uint32_t(c.b & 0xFF);
}

// Moves each channel towards white: c + round((255 − c) × percent / 100), percent at most 100,
// each result kept to 8 bits. 0 leaves the colour, 100 gives white.
Rgb NewColor(Rgb colour, int percent);

// Darkens: red − amount, green − amount + 2, blue − amount, each kept within 0–255.
Rgb GetShadeColor(Rgb colour, int amount);

// The grey of the colour's brightness, lightened: (r + g + b) / 3 (integer) + level, kept within
// 0–240 so that a grey never turns white.
Rgb GrayColor(Rgb colour, int level);

// The bitwise inverse of the RGB value (each channel XOR 0xFF).
Rgb GetInverseColor(Rgb colour);

// The text colour of a top-level menu item on `background`: the menu font's colour on a light
// background ((red + blue) / 2 above 150, compared exactly, or green above 200); otherwise the
// background lightened by 90 percent, which stays readable on a dark bar.
Rgb TopMenuFontColor(Rgb background, Rgb fontColour);

// Disabled and inactive icons: every pixel of a 0xAARRGGBB buffer (row after row) becomes
// GrayColor(pixel, level) or NewColor(pixel, percent); alpha is kept. A run of equal pixels is
// computed once.
void GrayBitmap(std::span<std::uint32_t> pixels, int level);
void DimBitmap(std::span<std::uint32_t> pixels, int percent);

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

// The tick of a checked item whose box starts at (x, y): three parallel polylines, one pixel
// apart, each of three points.
using Polyline3 = std::array<Point, 3>;
std::array<Polyline3, 3> checkMarkStrokes(int x, int y);

}  // namespace tavik::flatpaint
