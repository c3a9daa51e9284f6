#include "flatpaint/FlatScheme.h"

namespace tavik::flatpaint {

FlatProperties FlatProperties::defaults(const SystemColors& system, Rgb menuFontColor) {
    FlatProperties p;
    p.fontColor = menuFontColor;
    p.Color = p.IconBackColor = p.MenuBarColor = p.SeparatorColor = system.buttonFace;
    p.SelectColor = p.SelectBorderColor = p.CheckedColor = system.highlight;
    p.SelectFontColor = menuFontColor;
    p.DisabledColor = system.inactiveCaption;
    return p;
}

FlatProperties FlatProperties::forForms(const SystemColors& system) {
    FlatProperties p = defaults(system, system.menuText);
    p.fontFamily = "Segoe UI";
    p.fontHeight = -12;
    p.UseDimColor = true;
    p.OverrideOwnerDraw = true;
    p.AutoDetect = true;
    return p;
}

FlatScheme SetGlobalColor(const FlatProperties& p, const SystemColors& system, int bitsPerPixel) {
    FlatScheme s;
    s.deepColor = bitsPerPixel > 15;
    s.itemBackground = p.Color;
    s.iconStrip = p.IconBackColor;
    if (s.deepColor) {
        if (p.UseDimColor) {
            s.selection = NewColor(p.SelectColor, 68);
            s.checkedButton = NewColor(p.SelectColor, 80);
            s.pressedCheckedButton = NewColor(p.SelectColor, 50);
        } else {
            s.selection = s.checkedButton = s.pressedCheckedButton = p.SelectColor;
        }
        s.borderOuter = GetShadeColor(system.buttonFace, 90);
        s.borderInner = GetShadeColor(system.buttonFace, 76);
    } else {
        s.selection = p.SelectColor;
        s.checkedButton = kWhite;
        s.pressedCheckedButton = kSilver;
        s.borderOuter = s.borderInner = system.buttonShadow;
    }
    s.selectionBorder = p.SelectBorderColor;
    s.selectedText = p.SelectFontColor;
    s.menuBar = p.MenuBarColor;
    s.disabledText = p.DisabledColor;
    s.checkedMark = p.CheckedColor;
    s.separator = p.SeparatorColor;

    if (!p.UseSystemColors) return s;
    s.selectedText = p.fontColor;
    s.selectionBorder = system.highlight;
    s.menuBar = system.buttonFace;
    s.checkedMark = system.highlight;
    if (s.deepColor) {
        s.itemBackground = NewColor(system.buttonFace, 86);
        s.iconStrip = NewColor(system.buttonFace, 16);
        s.selection = NewColor(system.highlight, 68);
        s.disabledText = NewColor(system.buttonShadow, 10);
        s.separator = NewColor(system.buttonShadow, 25);
        s.checkedButton = NewColor(system.highlight, 80);
        s.pressedCheckedButton = NewColor(system.highlight, 50);
    } else {
        s.itemBackground = kWhite;
        s.iconStrip = system.buttonFace;
        s.selection = kWhite;
        s.disabledText = system.buttonShadow;
        s.separator = system.buttonShadow;
        s.checkedButton = s.pressedCheckedButton = kWhite;
    }
    return s;
}

}  // namespace tavik::flatpaint
