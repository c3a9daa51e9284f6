#pragma once

#include <string>

namespace tavik::cli {

// A filled page (HTML, UTF-8) printed to a PDF file on A4; pictures of the page are looked up in
// `folder`. False with the reason when the file cannot be written.
bool writePdf(const std::string& html, const std::string& pdfPath, const std::string& folder,
              std::string& reason);

}  // namespace tavik::cli
