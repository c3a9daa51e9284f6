#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tavik::cli {

// Runs one command line (without the program's name). Returns the exit code: 0 accepted,
// 1 refused (the refusal's message on err; any exception at all is a refusal), 2 wrong usage.
// What reaches out and err passes through showableText: control characters of a
// file are shown escaped ("\x1B").
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tavik::cli
