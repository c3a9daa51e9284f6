#pragma once

#include <algorithm>
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
    Field& assign(std::string_view text) {
        if (text.size() - 1 < kInlineCapacity && isInline() && !hasNul(text)) {  // the common case
            setInline(text);
            return *this;
        }
        return assignSlowly(text);
    }

    // As assign({text, n}), for a text in a read buffer that may be read 16 bytes from its
    // start whatever n is: a short text is then copied in one fixed-size move.
    void assignReadAhead(const char* text, std::size_t n) {
        if (n - 1 >= kInlineCapacity) {
            assign({text, n});
            return;
        }
        n = std::min(n, firstNul(text));
        if (n == 0) {
            *this = texts::EMPTY.view();
            return;
        }
        release();
        std::memcpy(storage_, text, kInlineCapacity + 1);
        storage_[n] = 0;
        length_ = static_cast<std::uint16_t>(n);
    }

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
    // The position of the first NUL among 16 bytes, or 16: two words tested at once.
    static std::size_t firstNul(const char* bytes16) noexcept {
        constexpr std::uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
        std::uint64_t word[2];
        std::memcpy(word, bytes16, 16);
        for (int i = 0; i < 2; ++i) {
            const std::uint64_t zero = (word[i] - ones) & ~word[i] & highs;
            if (zero) return 8 * i + static_cast<std::size_t>(__builtin_ctzll(zero)) / 8;
        }
        return 16;
    }
    static bool hasNul(std::string_view text) noexcept {
        for (char c : text)
            if (c == 0) return true;
        return false;
    }
    Field& assignSlowly(std::string_view text);
    void release() noexcept {
        if (!isInline()) freeHeap();
    }
    void freeHeap() noexcept;

    unsigned char storage_[kInlineCapacity + 1];
    std::uint16_t length_;
};

static_assert(sizeof(Field) == 16);

}  // namespace tavik
