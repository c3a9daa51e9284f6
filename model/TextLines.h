#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavik {

// A text file as a list of lines: CR LF, LF and CR each end a line; the text after the last
// line end is the last line.
std::vector<std::string> splitLines(std::string_view text);

}  // namespace tavik
