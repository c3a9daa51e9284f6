#include "document/FormText.h"

#include "model/Cp1250.h"
#include "model/Cp1250Texts.h"
#include "model/TextValues.h"

namespace tavik {

std::string fieldFromText(std::string_view cp1250Text) {
    const std::string_view text = trimmed(cp1250Text);
    if (text.empty()) return std::string(texts::EMPTY.view());
    return cp1250::toUpper(text);
}

std::string fieldFromMaskedText(std::string_view cp1250Text, std::string_view separators) {
    const std::string_view text = trimmed(cp1250Text);
    bool onlySeparators = true;
    for (char c : text)
        if (!isBlank(c) && c != '_' && separators.find(c) == std::string_view::npos) {
            onlySeparators = false;
            break;
        }
    if (onlySeparators) return std::string(texts::EMPTY.view());
    return fieldFromText(text);
}

}  // namespace tavik
