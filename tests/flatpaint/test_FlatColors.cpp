#include <gtest/gtest.h>

#include <vector>

#include "flatpaint/FlatColors.h"

namespace tavik::flatpaint {
namespace {

struct Case {
    Rgb in;
    int n;
    Rgb out;
};

TEST(FlatColors, NewColorMovesTowardsWhiteRoundingHalvesUp) {
    for (const Case& c : std::vector<Case>{{{0, 0, 0}, 50, {128, 128, 128}},
                                           {{0, 0, 0}, 150, kWhite},
                                           {{0, 0, 0}, 100, kWhite},
                                           {{10, 20, 30}, 0, {10, 20, 30}},
                                           {{100, 200, 255}, 68, {205, 237, 255}},
                                           {{30, 60, 90}, 50, {143, 158, 173}}})
        EXPECT_EQ(NewColor(c.in, c.n), c.out) << c.n;
}

TEST(FlatColors, ShadeGreyAndInverse) {
    for (const Case& c : std::vector<Case>{{{100, 100, 100}, 90, {10, 12, 10}},
                                           {{50, 80, 40}, 90, {0, 0, 0}},
                                           {{50, 89, 95}, 90, {0, 1, 5}},
                                           {{236, 233, 216}, 76, {160, 159, 140}},
                                           {kWhite, 0, kWhite}})
        EXPECT_EQ(GetShadeColor(c.in, c.n), c.out) << c.n;
    for (const Case& c : std::vector<Case>{{kWhite, 10, {240, 240, 240}},
                                           {{0, 0, 0}, 10, {10, 10, 10}},
                                           {{10, 20, 31}, 5, {25, 25, 25}},
                                           {{200, 200, 200}, 50, {240, 240, 240}}})
        EXPECT_EQ(GrayColor(c.in, c.n), c.out) << c.n;
    EXPECT_EQ(GetInverseColor({0, 255, 18}), (Rgb{255, 0, 237}));
}

TEST(FlatColors, TopMenuFontColorKeepsTheFontOnlyOnLightBars) {
    const Rgb font{1, 2, 3};
    EXPECT_EQ(TopMenuFontColor({200, 100, 101}, font), font);
    EXPECT_EQ(TopMenuFontColor({0, 201, 0}, font), font);
    EXPECT_EQ(TopMenuFontColor({200, 100, 100}, font), (Rgb{250, 240, 240}));
    EXPECT_EQ(TopMenuFontColor({0, 200, 0}, font), (Rgb{230, 250, 230}));
}

// Repeated pixels, and a colour repeated with another alpha, which must not take the alpha of
// the pixel before it.
TEST(FlatColors, BitmapsMapEveryPixelKeepingAlpha) {
    const std::vector<std::uint32_t> pixels{0xFF000000, 0xFF000000, 0x80FFFFFF,
                                            0x00FFFFFF, 0xFF1E3C5A, 0xFF000000};
    std::vector<std::uint32_t> grey = pixels, dim = pixels, white = pixels;
    GrayBitmap(grey, 10);
    DimBitmap(dim, 50);
    DimBitmap(white, 150);
    EXPECT_EQ(grey, (std::vector<std::uint32_t>{0xFF0A0A0A, 0xFF0A0A0A, 0x80F0F0F0, 0x00F0F0F0,
                                                0xFF464646, 0xFF0A0A0A}));
    EXPECT_EQ(dim, (std::vector<std::uint32_t>{0xFF808080, 0xFF808080, 0x80FFFFFF, 0x00FFFFFF,
                                               0xFF8F9EAD, 0xFF808080}));
    EXPECT_EQ(white, (std::vector<std::uint32_t>{0xFFFFFFFF, 0xFFFFFFFF, 0x80FFFFFF, 0x00FFFFFF,
                                                 0xFFFFFFFF, 0xFFFFFFFF}));
}

TEST(FlatColors, CheckMarkIsThreeStrokesOnePixelApart) {
    using S = std::array<Polyline3, 3>;
    EXPECT_EQ(checkMarkStrokes(10, 20), (S{Polyline3{Point{12, 15}, {14, 17}, {19, 12}},
                                           Polyline3{Point{12, 14}, {14, 16}, {19, 11}},
                                           Polyline3{Point{12, 13}, {14, 15}, {19, 10}}}));
}

}  // namespace
}  // namespace tavik::flatpaint
