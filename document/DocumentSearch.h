#pragma once

#include <string>
#include <string_view>

#include "document/DocumentTree.h"

// Finding records of a document or a response by a text their fields contain.
namespace tavik {

// The text searched for: the clerk's text (UTF-8) in code page 1250, upper-cased with the
// Polish letters and trimmed. Empty when it cannot be written in the code page.
std::string searchTextOf(std::string_view utf8);

// Whether one of the fields searched for the record's kind holds the text: it equals the field
// or occurs in it, byte by byte as stored. Board members, their answers and the undertaking
// are never searched.
bool recordMatches(const TRecord& record, RecordKind kind, std::string_view text);

// The first matching node in tree order below the root, or null.
TreeNode* findFirst(const DocumentTree& tree, std::string_view text);

// The next matching node after `position` (an index in tree order, the root 0); the position
// moves to it. Past the last node the position returns to 0 and nothing is found, so that the
// next step starts again from the top.
TreeNode* findNext(const DocumentTree& tree, std::string_view text, std::size_t& position);

}  // namespace tavik
