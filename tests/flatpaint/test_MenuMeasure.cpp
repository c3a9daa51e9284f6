#include <gtest/gtest.h>

#include "flatpaint/MenuMeasure.h"

namespace tavik::flatpaint {
namespace {

// 7 pixels a character, "&" 3 and "W" 10, so that each part of a width shows; lines of 14
// pixels, whose three quarters (10.5) round up.
class FakeFont : public TextMeasure {
public:
    int width(std::string_view utf8) const override {
        int w = 0;
        for (unsigned char c : utf8) {
            if ((c & 0xC0) == 0x80) continue;
            w += c == '&' ? 3 : c == 'W' ? 10 : 7;
        }
        return w;
    }
    int height() const override { return 14; }
};

struct Case {
    const char* what;
    MenuItemInfo item;
    ItemSize proposed;
    ItemSize size;
};

TEST(MenuMeasure, Items) {
    const FakeFont font;
    const Case cases[] = {
        {"separator", {.caption = "-"}, {}, {5 + 24, 4}},
        {"separator, proposed kept", {.caption = "-"}, {40, 8}, {40, 8}},
        {"mnemonic", {.caption = "&Plik"}, {}, {31 - 3 + 5 + 24, 25}},
        {"mnemonic, wide image",
         {.caption = "&Plik", .imageWidth = 30, .imageHeight = 20},
         {},
         {31 - 3 + 5 + 30, 26}},
        {"shortcut", {.caption = "Otwórz", .shortcut = "Ctrl+O"}, {}, {42 + 30 + 42 + 5 + 24, 25}},
        {"submenu", {.caption = "Okno", .hasSubItems = true}, {}, {28 + 5 + 6 + 24, 25}},
        {"menu bar", {.caption = "Okno", .topLevel = true, .hasSubItems = true}, {}, {33, 25}},
        {"menu bar, image",
         {.caption = "&Okno", .topLevel = true, .imageWidth = 16, .imageHeight = 16},
         {},
         {28 + 5 + 16, 25}},
        {"proposed wider", {.caption = "&Plik"}, {200, 10}, {200, 25}},
        {"proposed higher", {.caption = "&Plik"}, {10, 40}, {57, 40}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MeasureItem(c.item, font, 24, c.proposed), c.size) << c.what;
}

}  // namespace
}  // namespace tavik::flatpaint
