#include "document/RecordEditing.h"

#include "interchange/walidacja.h"
#include "model/CRC32.h"
#include "model/Exception.h"
#include "model/RecordFormats.h"

namespace tavik {

namespace {

DocumentTree::Category categoryOfKind(RecordKind kind) {
    switch (kind) {
        case KIND_ZARZAD: return DocumentTree::ZARZAD;
        case KIND_PRACOWNIK: return DocumentTree::PRACOWNICY;
        case KIND_PELNOMOCNICTWO: return DocumentTree::PELNOMOCNICTWA;
        default: return DocumentTree::POLISY;
    }
}

// The agent a selection stands under, or the selected agent itself.
TreeNode* agentOfSelection(TreeNode* selected) {
    if (!selected) return nullptr;
    if (selected->hasRecord() && selected->kind() == KIND_AGENT) return selected;
    if (selected->isCategory()) return selected->parent();
    if (selected->hasRecord() && selected->level() == 4) return selected->parent()->parent();
    return nullptr;
}

}  // namespace

Placement placementFor(TreeNode* selected, bool newRecordMode, RecordKind kind) {
    Placement placement;
    if (!newRecordMode && selected && selected->hasRecord() && selected->kind() == kind) {
        placement.then = Placement::Then::Edit;
        placement.node = selected;
        return placement;
    }
    TreeNode* agent = agentOfSelection(selected);
    if (agent && DocumentTree::categoryOf(agent, categoryOfKind(kind))) {
        placement.then = Placement::Then::AddUnder;
        placement.agent = agent;
    }
    return placement;
}

void assignFields(TRecord& to, const TRecord& from) {
    const auto target = to.fields();
    const auto source = from.fields();
    for (std::size_t i = 0; i < target.size() && i < source.size(); ++i)
        *target[i].field = *source[i].field;
}

std::unique_ptr<TRecAgenta> copyAgent(const TRecAgenta& agent) {
    if (const auto* agent3 = dynamic_cast<const TRecAgenta3*>(&agent))
        return std::make_unique<TRecAgenta3>(*agent3);
    if (const auto* agent2 = dynamic_cast<const TRecAgenta2*>(&agent))
        return std::make_unique<TRecAgenta2>(*agent2);
    return std::make_unique<TRecAgenta>(agent);
}

void checkAgentOfItsClass(int& code, TRecAgenta& agent) {
    if (auto* agent3 = dynamic_cast<TRecAgenta3*>(&agent))
        SprawdzAgenta3(code, agent3);
    else if (auto* agent2 = dynamic_cast<TRecAgenta2*>(&agent))
        SprawdzAgenta2(code, agent2);
    else
        SprawdzAgenta(code, &agent);
}

void renewChecksum(TRecord& record, RecordKind kind) {
    static const CRC32 calc;
    for (const FileVersion* version : {&fileVersion3(), &fileVersion2(), &fileVersion1()}) {
        const RecordFormat* format = version->forKind(kind);
        if (format && format->fits(record)) {
            record.CRC = format->checksum(calc, record);
            return;
        }
    }
}

std::optional<UserMessage> resetBoardForEntry(TreeNode& agent, std::string_view firstOperation) {
    TreeNode* board = DocumentTree::categoryOf(&agent, DocumentTree::ZARZAD);
    if (!board) return std::nullopt;
    std::vector<std::unique_ptr<TRecZarzad>> reset;
    for (const auto& member : board->children()) {
        auto copy = std::make_unique<TRecZarzad>(static_cast<const TRecZarzad&>(*member->record()));
        copy->Rodzaj_Operacji = firstOperation;
        int code = 0;
        try {
            SprawdzCzlonkaZarzadu(code, copy.get());
        } catch (const Exception& e) {
            return UserMessage{e.message(), "Walidacja", MessageIcon::Error};
        }
        reset.push_back(std::move(copy));
    }
    for (std::size_t i = 0; i < reset.size(); ++i) {
        TRecord& record = *board->child(i)->record();
        assignFields(record, *reset[i]);
        renewChecksum(record, KIND_ZARZAD);
    }
    return std::nullopt;
}

void clearInsuranceKinds(TreeNode& agent) {
    TreeNode* powers = DocumentTree::categoryOf(&agent, DocumentTree::PELNOMOCNICTWA);
    if (!powers) return;
    for (const auto& power : powers->children()) {
        auto& record = static_cast<TRecPelnomocnictwo&>(*power->record());
        record.RodzajUbezpieczenia = "<E>";
        renewChecksum(record, KIND_PELNOMOCNICTWO);
    }
}

}  // namespace tavik
