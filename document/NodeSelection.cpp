#include "document/NodeSelection.h"

#include "document/DocumentVerification.h"
#include "interchange/walidacja.h"
#include "model/Exception.h"

namespace tavik {

int pageOfKind(RecordKind kind) {
    switch (kind) {
        case KIND_WNIOSEK:
        case KIND_ODPOWIEDZ: return PAGE_WNIOSEK;
        case KIND_AGENT:
        case KIND_AGENT_ODP: return PAGE_AGENT;
        case KIND_ZARZAD:
        case KIND_ZARZAD_ODP: return PAGE_ZARZAD;
        case KIND_PRACOWNIK:
        case KIND_PRACOWNIK_ODP: return PAGE_PRACOWNIK;
        case KIND_PELNOMOCNICTWO:
        case KIND_PELNOMOCNICTWO_ODP: return PAGE_PELNOMOCNICTWO;
        case KIND_POLISA:
        case KIND_POLISA_ODP: return PAGE_POLISA;
        default: return -1;
    }
}

int pageOfCategory(int category) {
    return PAGE_ZARZAD + category;
}

SelectionPlan planSelection(TreeNode* node) {
    SelectionPlan plan;
    if (!node) return plan;
    if (node->isCategory()) {
        plan.page = pageOfCategory(node->category());
        plan.frameNotice = plan.page + 1;
        plan.applicationNode = node->parent() ? node->parent()->parent() : nullptr;
        if (node->childCount() > 0) {
            plan.then = SelectionPlan::Then::SelectOther;
            plan.select = node->child(0);
        } else {
            plan.then = SelectionPlan::Then::NewForm;
        }
        return plan;
    }
    if (!node->hasRecord()) return plan;
    if (node->kind() == KIND_ZAKLAD) {
        plan.frameNotice = 0;
        if (node->childCount() > 0) {
            plan.then = SelectionPlan::Then::SelectOther;
            plan.select = node->child(0);
        }
        return plan;
    }
    plan.then = SelectionPlan::Then::ShowRecord;
    plan.page = pageOfKind(node->kind());
    plan.frameNotice = plan.page + 1;
    switch (node->kind()) {
        case KIND_WNIOSEK:
            plan.applicationNode = node;
            plan.frameFlag = DocumentTree::agentOf(node) ? 1 : 0;
            break;
        case KIND_AGENT: plan.applicationNode = node->parent(); break;
        default: plan.applicationNode = DocumentTree::applicationOf(node); break;
    }
    return plan;
}

std::optional<UserMessage> checkShownRecord(TreeNode& node, int fileVersion) {
    if (!node.hasRecord()) return std::nullopt;
    TRecord* record = node.record();
    int code = 0;
    try {
        switch (node.kind()) {
            case KIND_WNIOSEK: SprawdzWniosek(code, static_cast<TRecWniosek*>(record)); break;
            case KIND_AGENT:
                if (fileVersion == 3)
                    SprawdzAgenta3(code, dynamic_cast<TRecAgenta3*>(record));
                else
                    SprawdzAgenta(code, static_cast<TRecAgenta*>(record));
                break;
            case KIND_ZARZAD: SprawdzCzlonkaZarzadu(code, static_cast<TRecZarzad*>(record)); break;
            case KIND_PRACOWNIK:
                SprawdzPracownika(code, static_cast<TRecPracownik*>(record));
                break;
            case KIND_PELNOMOCNICTWO:
                SprawdzPelnomocnictwo(code, static_cast<TRecPelnomocnictwo*>(record));
                break;
            case KIND_POLISA:
                if (fileVersion == 3)
                    SprawdzPolise3(code, dynamic_cast<TRecPolisaOC3*>(record));
                else
                    SprawdzPolise(code, static_cast<TRecPolisaOC*>(record));
                break;
            default: break;
        }
    } catch (const Exception& e) {
        return UserMessage{e.message(), "Walidacja", MessageIcon::Error};
    }
    return std::nullopt;
}

std::optional<UserMessage> boardRuleOnSelection(const TreeNode& node, int fileVersion) {
    if (fileVersion < 2 || !node.hasRecord()) return std::nullopt;
    const RecordKind kind = node.kind();
    if (kind != KIND_PRACOWNIK && kind != KIND_POLISA && kind != KIND_PELNOMOCNICTWO)
        return std::nullopt;
    const TreeNode* application = DocumentTree::applicationOf(&node);
    const TreeNode* agent = DocumentTree::agentOf(application);
    if (!agent) return std::nullopt;
    if (static_cast<const TRecWniosek&>(*application->record()).RodzajWniosku != 0)
        return std::nullopt;
    return boardSizeWarning(*agent);
}

std::optional<NewCommandStates> newCommandStates(const TreeNode* selected) {
    if (!selected) return std::nullopt;
    NewCommandStates states;
    if (selected->isCategory()) {
        switch (selected->category()) {
            case DocumentTree::ZARZAD: states.zarzad = true; break;
            case DocumentTree::PRACOWNICY: states.pracownik = true; break;
            case DocumentTree::PELNOMOCNICTWA: states.pelnomocnictwo = true; break;
            default: states.polisa = true; break;
        }
        return states;
    }
    if (!selected->hasRecord() || selected->kind() == KIND_ZAKLAD) {
        states.wniosek = true;
        return states;
    }
    states.deleteNode = true;
    switch (selected->kind()) {
        case KIND_WNIOSEK:
            (DocumentTree::agentOf(selected) ? states.wniosek : states.agent) = true;
            break;
        case KIND_AGENT: states.wniosek = true; break;
        case KIND_PRACOWNIK: states.pracownik = true; break;
        case KIND_POLISA: states.polisa = true; break;
        case KIND_PELNOMOCNICTWO: states.pelnomocnictwo = true; break;
        case KIND_ZARZAD: states.zarzad = true; break;
        default: break;
    }
    return states;
}

namespace {

TreeNode* first(const DocumentTree& tree) {
    return tree.root() && tree.root()->childCount() > 0 ? tree.root()->child(0) : nullptr;
}

// Moving needs a record node beyond the first.
bool tooSmall(const DocumentTree& tree) {
    return tree.nodeCount() < 3;
}

}  // namespace

TreeNode* navigateBegin(const DocumentTree& tree, const TreeNode*) {
    return tree.nodeCount() < 2 ? nullptr : first(tree);
}

TreeNode* navigateEnd(const DocumentTree& tree, const TreeNode* selected) {
    if (tooSmall(tree)) return nullptr;
    if (!selected) return first(tree);
    TreeNode* last = tree.last();
    return selected == last ? nullptr : last;
}

TreeNode* navigatePrevious(const DocumentTree& tree, const TreeNode* selected) {
    if (tooSmall(tree)) return nullptr;
    if (!selected) return first(tree);
    return tree.previous(selected);
}

TreeNode* navigateNext(const DocumentTree& tree, const TreeNode* selected) {
    if (tooSmall(tree)) return nullptr;
    if (!selected) return first(tree);
    return tree.next(selected);
}

}  // namespace tavik
