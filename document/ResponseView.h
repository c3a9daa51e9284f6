#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "document/NodeSelection.h"

// What the response window shows of the register's answer, decided without widgets. Its pages
// are numbered as the document window's (`DocumentPage`): the response on page 0, the agent
// on 1, then the four categories.
namespace tavik {

// Selecting a node of a response tree. The plan's page, response node (`applicationNode`) and
// what follows: another node to select, the node's record to show, or the page of an empty
// category shown empty (`NewForm`, as nothing can be entered here). The frame is told nothing.
SelectionPlan planResponseSelection(TreeNode* node);

// Choosing a page by its tab while `selected` is selected: the node to select for the page, or
// the page shown empty (`NewForm`) when the answer has nothing for it.
SelectionPlan planResponseTab(const DocumentTree& tree, TreeNode* selected, int page);

// The reasons of a deletion the register answered: shown only for an agent it struck out
// ("WYKREŚLONY") with reasons; a reason is ticked when its byte is 0xFF.
struct DeletionReasonsView {
    bool shown = false;
    std::array<bool, 4> ticked{};
    bool operator==(const DeletionReasonsView&) const = default;
};
DeletionReasonsView deletionReasonsOf(const TRecOdpowiedz& header);

// The label of a person's document number (UTF-8): "PESEL" for an identity card, else
// "Seria i numer".
std::string_view documentNumberLabel(const Field& documentKind);

// The item of the agent's activity ("Brak", "Zwolniony", "Bank", "Skok") for "ZWOLNIONY" of
// "0" to "3"; -1 for no item.
int activityItem(const Field& zwolniony);

// The kind of application a response answers (0 entry, 1 update, 2 deletion) from its
// "TypWniosku"; -1 for another text.
std::int32_t answeredApplicationKind(const Field& typWniosku);

}  // namespace tavik
