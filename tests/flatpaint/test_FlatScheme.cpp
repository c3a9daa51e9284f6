#include <gtest/gtest.h>

#include "flatpaint/FlatScheme.h"

namespace tavik::flatpaint {
namespace {

const Rgb kFace{236, 233, 216}, kHighlight{49, 106, 197}, kCaption{122, 150, 223},
    kShadow{172, 168, 153}, kMenuText{0, 0, 1};
const SystemColors kSystem{kFace, kHighlight, kCaption, kShadow, kMenuText};

TEST(FlatScheme, FormsAndNewPainters) {
    FlatProperties forms{.fontFamily = "Segoe UI",
                         .fontHeight = -12,
                         .fontColor = kMenuText,
                         .Color = kFace,
                         .IconBackColor = kFace,
                         .MenuBarColor = kFace,
                         .SelectColor = kHighlight,
                         .SelectBorderColor = kHighlight,
                         .SelectFontColor = kMenuText,
                         .DisabledColor = kCaption,
                         .SeparatorColor = kFace,
                         .CheckedColor = kHighlight,
                         .UseDimColor = true,
                         .OverrideOwnerDraw = true,
                         .AutoDetect = true};
    EXPECT_EQ(FlatProperties::forForms(kSystem), forms);

    FlatProperties fresh = forms;
    fresh.fontFamily = "";
    fresh.fontHeight = 0;
    fresh.fontColor = fresh.SelectFontColor = {9, 9, 9};
    fresh.UseDimColor = fresh.OverrideOwnerDraw = fresh.AutoDetect = false;
    EXPECT_EQ(FlatProperties::defaults(kSystem, {9, 9, 9}), fresh);
}

// The desktop's colours override the painter's own, which are all set apart from them.
FlatProperties own() {
    FlatProperties p = FlatProperties::forForms(kSystem);
    p.fontColor = {6, 6, 6};
    p.Color = {10, 20, 30};
    p.IconBackColor = {40, 50, 60};
    p.MenuBarColor = {70, 80, 90};
    p.SelectColor = {0, 100, 200};
    p.SelectBorderColor = {1, 1, 1};
    p.SelectFontColor = {2, 2, 2};
    p.DisabledColor = {3, 3, 3};
    p.SeparatorColor = {4, 4, 4};
    p.CheckedColor = {5, 5, 5};
    return p;
}

TEST(FlatScheme, SystemColorsOnShallowAndDeepScreens) {
    const FlatScheme shallow{kWhite,     kFace,   kWhite, kHighlight, {6, 6, 6}, kFace,   kShadow,
                             kHighlight, kShadow, kWhite, kWhite,     kShadow,   kShadow, false};
    EXPECT_EQ(SetGlobalColor(own(), kSystem, 8), shallow);
    EXPECT_EQ(SetGlobalColor(own(), kSystem, 15), shallow);

    const FlatScheme deep{{252, 252, 250}, {239, 237, 222},
                          {189, 207, 236}, kHighlight,
                          {6, 6, 6},       kFace,
                          {180, 177, 163}, kHighlight,
                          {193, 190, 179}, {214, 225, 243},
                          {152, 181, 226}, {146, 145, 126},
                          {160, 159, 140}, true};
    EXPECT_EQ(SetGlobalColor(own(), kSystem, 16), deep);
    FlatProperties undimmed = own();
    undimmed.UseDimColor = false;
    EXPECT_EQ(SetGlobalColor(undimmed, kSystem, 32), deep);
}

TEST(FlatScheme, OwnColors) {
    FlatProperties p = own();
    p.UseSystemColors = false;
    const Rgb select{0, 100, 200};
    FlatScheme s{{10, 20, 30},    {40, 50, 60},    {173, 205, 237}, {1, 1, 1}, {2, 2, 2},
                 {70, 80, 90},    {3, 3, 3},       {5, 5, 5},       {4, 4, 4}, {204, 224, 244},
                 {128, 178, 228}, {146, 145, 126}, {160, 159, 140}, true};
    EXPECT_EQ(SetGlobalColor(p, kSystem, 24), s);

    p.UseDimColor = false;
    s.selection = s.checkedButton = s.pressedCheckedButton = select;
    EXPECT_EQ(SetGlobalColor(p, kSystem, 24), s);

    s.checkedButton = kWhite;
    s.pressedCheckedButton = kSilver;
    s.borderOuter = s.borderInner = kShadow;
    s.deepColor = false;
    EXPECT_EQ(SetGlobalColor(p, kSystem, 8), s);
    p.UseDimColor = true;  // tints need deep colour
    EXPECT_EQ(SetGlobalColor(p, kSystem, 8), s);
}

}  // namespace
}  // namespace tavik::flatpaint
