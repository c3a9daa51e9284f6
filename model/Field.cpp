#include "model/Field.h"

#include <cstdlib>
#include <new>

namespace tavik {

Field::Field(Field&& other) noexcept {
    std::memcpy(storage_, other.storage_, sizeof storage_);
    length_ = other.length_;
    other.setInline(texts::EMPTY.view());
}

Field& Field::operator=(const Field& other) {
    if (this != &other) assign(other.view());
    return *this;
}

Field& Field::operator=(Field&& other) noexcept {
    if (this != &other) {
        release();
        std::memcpy(storage_, other.storage_, sizeof storage_);
        length_ = other.length_;
        other.setInline(texts::EMPTY.view());
    }
    return *this;
}

void Field::freeHeap() noexcept {
    std::free(heapChars());
}

Field& Field::assignSlowly(std::string_view text) {
    if (const void* nul = std::memchr(text.data(), 0, text.size()))
        text = text.substr(0, static_cast<const char*>(nul) - text.data());
    if (text.empty()) text = texts::EMPTY.view();
    if (text.size() > kMaxLength) text = text.substr(0, kMaxLength);

    if (text.size() <= kInlineCapacity) {
        // The text may lie in the heap string that is about to be freed.
        char copy[kInlineCapacity];
        std::memcpy(copy, text.data(), text.size());
        release();
        setInline({copy, text.size()});
        return *this;
    }
    // Allocate before freeing: the text may be a view of this very field.
    auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (!copy) throw std::bad_alloc();
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = 0;
    release();
    std::memcpy(storage_, &copy, sizeof copy);
    length_ = static_cast<std::uint16_t>(text.size());
    return *this;
}

}  // namespace tavik
