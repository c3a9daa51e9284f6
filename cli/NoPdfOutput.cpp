#include "cli/PdfOutput.h"

namespace tavik::cli {

// Built without the windows (the fuzzing build): no fonts to lay a page out with.
bool writePdf(const std::string&, const std::string&, const std::string&, std::string& reason) {
    reason = "ten program zbudowano bez drukowania do PDF";
    return false;
}

}  // namespace tavik::cli
