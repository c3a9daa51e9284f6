#include "flatpaint/FlatColors.h"

#include <algorithm>
#include <cmath>

namespace tavik::flatpaint {

namespace {

int towardsWhite(int c, int percent) {
    return (c + int(std::lround((255 - c) * percent / 100.0))) & 0xFF;
}

// Replaces every pixel by `f` of its colour, alpha kept; a pixel equal to the one before it
// takes the colour computed last.
template <class F>
void mapPixels(std::span<std::uint32_t> pixels, F f) {
    std::uint32_t previous = 0, computed = 0;
    bool first = true;
    for (std::uint32_t& p : pixels) {
        if (first || p != previous) {
            previous = p;
            computed = toArgb(f(fromArgb(p)), p >> 24);
            first = false;
        }
        p = computed;
    }
}

}  // namespace

Rgb NewColor(Rgb colour, int percent) {
    percent = std::min(percent, 100);
    return {towardsWhite(colour.r, percent), towardsWhite(colour.g, percent),
            towardsWhite(colour.b, percent)};
}

Rgb GetShadeColor(Rgb colour, int amount) {
    auto channel = [](int v) { return std::clamp(v, 0, 255); };
    return {channel(colour.r - amount), channel(colour.g - amount + 2), channel(colour.b - amount)};
}

Rgb GrayColor(Rgb colour, int level) {
    const int g = std::clamp((colour.r + colour.g + colour.b) / 3 + level, 0, 240);
    return {g, g, g};
}

Rgb GetInverseColor(Rgb colour) {
    return {colour.r ^ 0xFF, colour.g ^ 0xFF, colour.b ^ 0xFF};
}

Rgb TopMenuFontColor(Rgb background, Rgb fontColour) {
    if (background.r + background.b > 300 || background.g > 200) return fontColour;
    return NewColor(background, 90);
}

void GrayBitmap(std::span<std::uint32_t> pixels, int level) {
    mapPixels(pixels, [level](Rgb c) { return GrayColor(c, level); });
}

void DimBitmap(std::span<std::uint32_t> pixels, int percent) {
    mapPixels(pixels, [percent](Rgb c) { return NewColor(c, percent); });
}

std::array<Polyline3, 3> checkMarkStrokes(int x, int y) {
    std::array<Polyline3, 3> strokes;
    for (int i = 0; i < 3; ++i)
        strokes[i] = {Point{x + 2, y - i - 5}, Point{x + 4, y - i - 3}, Point{x + 9, y - i - 8}};
    return strokes;
}

}  // namespace tavik::flatpaint
