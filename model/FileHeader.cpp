#include "model/FileHeader.h"

#include <array>
#include <cstring>

#include "model/Exception.h"
#include "model/FileMessages.h"
#include "model/FileStreams.h"

namespace tavik {

namespace {

// Reads up to n bytes, as many as the stream has; the rest stays zero.
std::size_t readUpTo(InputStream& in, char* dst, std::size_t n) {
    std::size_t got = 0;
    while (got < n) {
        const std::size_t part = in.read(dst + got, n - got);
        if (part == 0) break;
        got += part;
    }
    return got;
}

std::string_view terminated(const char* bytes, std::size_t size) {
    return {bytes, strnlen(bytes, size)};
}

struct KnownMark {
    std::string_view mark;
    int version;
    std::string_view dictionaryVersion;
};

// "LUNET 3.1" is read as version 3 but never written.
constexpr std::array<KnownMark, 4> kMarks = {{
    {"LUNET 1.0", 1, "03.11.13.0001"},
    {"LUNET 2.0", 2, "03.11.13.0001"},
    {"LUNET 3.0", 3, "03.03.06.0002"},
    {"LUNET 3.1", 3, "03.03.06.0002"},
}};

}  // namespace

int CzytajNaglowek(InputStream& in) {
    unsigned char word[4] = {};
    const bool complete = readUpTo(in, reinterpret_cast<char*>(word), 4) == 4;
    const std::uint32_t first =
        word[0] | (word[1] << 8) | (word[2] << 16) | (std::uint32_t{word[3]} << 24);
    if (!complete || first != kFileHeaderWord)
        throw Exception(std::string(file_messages::kBadFileVersion));

    char mark[10] = {};
    char dictionary[14] = {};
    readUpTo(in, mark, sizeof mark);
    readUpTo(in, dictionary, sizeof dictionary);
    for (const KnownMark& known : kMarks) {
        if (terminated(mark, sizeof mark) != known.mark) continue;
        if (terminated(dictionary, sizeof dictionary) != known.dictionaryVersion)
            throw Exception(std::string(file_messages::kBadDictionaryVersion));
        return known.version;
    }
    throw Exception(std::string(file_messages::kBadFileMark));
}

int CzytajNaglowek(const std::string& fileName, std::unique_ptr<InputStream>& handle) {
    std::string reason;
    std::unique_ptr<InputStream> file = FileInput::open(fileName, &reason);
    if (!file)
        throw Exception(std::string(file_messages::kCannotOpen) + fileName + ": " + reason + ".");
    const int version = CzytajNaglowek(*file);
    handle = std::move(file);
    return version;
}

void writeFileHeader(BufferedWriter& out, const FileVersion& version) {
    char header[kFileHeaderSize] = {};
    header[0] = static_cast<char>(kFileHeaderWord & 0xFF);
    header[1] = static_cast<char>(kFileHeaderWord >> 8);
    std::memcpy(header + 4, version.mark.data(), version.mark.size());
    std::memcpy(header + 14, version.dictionaryVersion.data(), version.dictionaryVersion.size());
    out.write(header, sizeof header);
}

}  // namespace tavik
