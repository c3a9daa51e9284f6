#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "model/Cp1250Texts.h"

namespace tavik {

// One text value of a record: code page 1250 bytes, terminated, with a 16-bit length.
//
// A field never holds an empty text: without a value it holds the marker "<E>", which every
// file, the checksum and the checks carry like any text. Texts of up to 13 bytes (the marker,
// dates, codes, PESEL and NIP numbers) live inside the object; longer ones on the heap. The
// object is 16 bytes, so a document in memory stays a small multiple of its file.
class Field {
public:
    static constexpr std::size_t kMaxLength = 0xFFFF;

    Field() noexcept { setInline(texts::EMPTY.view()); }
    explicit Field(std::string_view text) : Field() { assign(text); }
    Field(const Field& other) : Field() { assign(other.view()); }
    Field(Field&& other) noexcept;
    Field& operator=(const Field& other);
    Field& operator=(Field&& other) noexcept;
    Field& operator=(std::string_view text) { return assign(text); }
    ~Field() { release(); }

    // Takes the text up to its first NUL byte; an empty text becomes "<E>"; a text past the
    // 16-bit length is cut at 65535 bytes.
    Field& assign(std::string_view text);

    std::uint16_t length() const noexcept { return length_; }
    const char* c_str() const noexcept { return isInline() ? inlineChars() : heapChars(); }
    std::string_view view() const noexcept { return {c_str(), length_}; }
    std::string str() const { return std::string(view()); }
    bool isEmpty() const noexcept { return view() == texts::EMPTY.view(); }

    friend bool operator==(const Field& a, const Field& b) noexcept { return a.view() == b.view(); }
    friend bool operator==(const Field& a, std::string_view b) noexcept { return a.view() == b; }

private:
    static constexpr std::size_t kInlineCapacity = 13;

    bool isInline() const noexcept { return length_ <= kInlineCapacity; }
    const char* inlineChars() const noexcept { return reinterpret_cast<const char*>(storage_); }
    char* heapChars() const noexcept {
        char* p;
        std::memcpy(&p, storage_, sizeof p);
        return p;
    }
    void setInline(std::string_view text) noexcept {
        std::memmove(storage_, text.data(), text.size());  // the text may be our own
        storage_[text.size()] = 0;
        length_ = static_cast<std::uint16_t>(text.size());
    }
    void release() noexcept;

    unsigned char storage_[kInlineCapacity + 1];
    std::uint16_t length_;
};

static_assert(sizeof(Field) == 16);

}  // namespace tavik
