#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Recdata.h"
#include "model/UserMessage.h"

namespace tavik {

// What a line of the text interchange file needs besides the record.
struct ExportContext {
    int documentVersion = 3;  // decides the tail of the agent line
    // The code of an insurer known by its name; the policies of files older than version 3
    // hold only the name.
    std::function<std::optional<std::string>(std::string_view name)> insurerCodeForName;
};

// The line of one record (code page 1250, without its line end): the tag, the undertaking's
// code, the application's number, the record's fields, each followed by ";", the whole line
// upper-cased. Empty for an agent the document version has no tail for.
std::string exportLine(const TRecord& record, RecordKind kind, const ExportContext& context);

// The file's bytes: every line followed by CR LF.
std::string exportText(const std::vector<std::string>& lines);

// Writes the file through a temporary that replaces it only when all is written; false with
// the reason on failure.
bool writeExportFile(const std::string& path, const std::vector<std::string>& lines,
                     UserMessage& failure);

}  // namespace tavik
