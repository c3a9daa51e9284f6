#pragma once

#include <string>

#include "flatpaint/FlatColors.h"

// The colours of the flat look: the painter's settings, the desktop's colours they fall back
// on, and the drawing colours derived from both.
namespace tavik::flatpaint {

// The desktop's colours the scheme reads.
struct SystemColors {
    Rgb buttonFace, highlight, inactiveCaption, buttonShadow, menuText;
    bool operator==(const SystemColors&) const = default;
};

// The painter's settings. The member names are those of the painter's properties.
struct FlatProperties {
    bool Active = false;
    std::string fontFamily;  // empty: the desktop's menu font
    int fontHeight = 0;      // negative: character height in pixels; 0: the menu font's
    Rgb fontColor;
    Rgb Color, IconBackColor, MenuBarColor, SelectColor, SelectBorderColor, SelectFontColor,
        DisabledColor, SeparatorColor, CheckedColor;
    int GrayLevel = 10;
    int DimLevel = 30;
    int IconWidth = 24;
    bool DrawSelect = true;
    bool UseSystemColors = true;
    bool UseDimColor = false;
    bool OverrideOwnerDraw = false;
    bool Gradient = false;
    bool FlatMenu = false;
    bool AutoDetect = false;
    bool DrawMenuBar = false;
    bool DisableSubclassing = false;

    bool operator==(const FlatProperties&) const = default;

    // A new painter's values; `menuFontColor` is the colour of the desktop's menu font.
    static FlatProperties defaults(const SystemColors& system, Rgb menuFontColor);
    // The values every window of the program sets: Segoe UI at 12 pixels in the menu-text
    // colour, dimmed icons, every item drawn by the painter, the desktop's look detected.
    static FlatProperties forForms(const SystemColors& system);
};

// The drawing colours, recomputed whenever a setting or the desktop's colours change.
struct FlatScheme {
    Rgb itemBackground, iconStrip, selection, selectionBorder, selectedText, menuBar, disabledText,
        checkedMark, separator, checkedButton, pressedCheckedButton;
    Rgb borderOuter, borderInner;  // the two pens of a popup menu's border
    bool deepColor = false;        // more than 15 bits per pixel

    bool operator==(const FlatScheme&) const = default;
};

// The scheme of `p` on a screen of `bitsPerPixel`. With UseSystemColors the desktop's colours
// override the painter's own; without deep colour only plain colours are used, since tints
// would dither.
FlatScheme SetGlobalColor(const FlatProperties& p, const SystemColors& system, int bitsPerPixel);

}  // namespace tavik::flatpaint
