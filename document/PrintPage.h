#pragma once

#include <string>
#include <string_view>

#include "document/TreeNode.h"

// The printed page of an application: an HTML template whose tags "<#Name>" are replaced by
// the data of the application, its undertaking, its agent and the agent's records.
namespace tavik {

// What a printed page takes besides the records: the settings' place of issue, signer and
// insurance division (UTF-8 as the settings hold them) and today's date (yyyy-mm-dd).
struct PrintSettings {
    std::string place, signer, division, today;
};

// The template of an application's kind: "wniosek o wpis.htm", "wniosek o zmiane danych.htm",
// "wniosek o wykreslenie.htm" for "WPIS", "AKTUALIZACJA", "WYKREŚLENIE" compared exactly with
// the application's TypWniosku; empty for any other kind.
std::string templateNameFor(const TRecWniosek& application);

// The replacement of one tag (its name without "<#" and ">") for the application node, UTF-8;
// "" for a tag not known. The undertaking is the record of the node's parent, the agent the
// record of its first child; without an agent the agent's tags give nothing.
std::string tagText(std::string_view name, const TreeNode& application,
                    const PrintSettings& settings);

// The page: the template's bytes copied unchanged around each tag "<#Name>" or
// "<#Name params…>" (parameters ignored; a name is letters, digits and "_"), each tag replaced
// by tagText. Anything else, "<#" without a name or a tag never closed, is copied unchanged.
std::string fillTemplate(std::string_view templateBytes, const TreeNode& application,
                         const PrintSettings& settings);

}  // namespace tavik
