#pragma once

#include <memory>
#include <string>

#include "model/ByteStream.h"
#include "model/RecordFormats.h"

namespace tavik {

inline constexpr std::uint32_t kFileHeaderWord = 4096;
inline constexpr std::size_t kFileHeaderSize = 28;

// Reads and checks the 28-byte header and returns the version 1, 2 or 3, leaving the stream
// at the first record. Raises tavik::Exception with the refusal's message.
int CzytajNaglowek(InputStream& in);

// Opens the file, reads its header and hands the open file back in handle.
int CzytajNaglowek(const std::string& fileName, std::unique_ptr<InputStream>& handle);

void writeFileHeader(BufferedWriter& out, const FileVersion& version);

}  // namespace tavik
