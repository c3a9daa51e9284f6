#include "flatpaint/MenuMeasure.h"

#include <algorithm>

namespace tavik::flatpaint {

ItemSize MeasureItem(const MenuItemInfo& item, const TextMeasure& font, int iconWidth,
                     ItemSize proposed) {
    const bool separator = item.caption == "-";
    std::string text;
    if (!separator) {
        text = item.caption;
        if (!item.shortcut.empty()) text += "WWW" + item.shortcut;
    }

    int width = font.width(text) + 5;
    if (item.caption.find('&') != std::string::npos) width -= font.width("&");
    if (!item.topLevel && item.hasSubItems) width += 6;
    width += item.topLevel ? item.imageWidth : std::max(item.imageWidth, iconWidth);

    int height = kSeparatorHeight;
    if (!separator) {
        const int line = font.height();
        height = std::max(line + (3 * line + 2) / 4, item.imageHeight + 6);
    }
    return {std::max(proposed.width, width), std::max(proposed.height, height)};
}

}  // namespace tavik::flatpaint
