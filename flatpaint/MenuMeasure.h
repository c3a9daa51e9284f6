#pragma once

#include <string>
#include <string_view>

// The size of a menu item in the flat look, with the text measured by the caller's font.
namespace tavik::flatpaint {

// The font a menu is drawn in: the width of a UTF-8 text and the height of a line.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual int width(std::string_view utf8) const = 0;
    virtual int height() const = 0;
};

struct ItemSize {
    int width = 0, height = 0;
    bool operator==(const ItemSize&) const = default;
};

// What measuring needs of one menu item. Sizes of a missing image are 0.
struct MenuItemInfo {
    std::string caption{};   // UTF-8, "&" before the mnemonic; "-" is a separator
    std::string shortcut{};  // the shortcut's text, "" without one
    bool topLevel = false;   // an item of a menu bar itself
    bool hasSubItems = false;
    int imageWidth = 0, imageHeight = 0;
};

inline constexpr int kSeparatorHeight = 4;

// The item's size, never smaller than `proposed`. The width is the text's (caption, or caption,
// "WWW" as the gap and the shortcut) + 5 less one "&", 6 more for a submenu arrow and the
// image's width, at least `iconWidth` off the menu bar; the height is 1.75 lines, at least the
// image's height + 6, and 4 for a separator.
ItemSize MeasureItem(const MenuItemInfo& item, const TextMeasure& font, int iconWidth,
                     ItemSize proposed = {});

}  // namespace tavik::flatpaint
