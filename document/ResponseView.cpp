#include "document/ResponseView.h"

#include "model/TextValues.h"

namespace tavik {

namespace {

SelectionPlan selectOther(TreeNode* node) {
    SelectionPlan plan;
    if (!node) return plan;
    plan.then = SelectionPlan::Then::SelectOther;
    plan.select = node;
    return plan;
}

SelectionPlan emptyPage(int page) {
    SelectionPlan plan;
    plan.then = SelectionPlan::Then::NewForm;
    plan.page = page;
    return plan;
}

TreeNode* firstChild(const TreeNode* node) {
    return node && node->childCount() > 0 ? node->child(0) : nullptr;
}

}  // namespace

SelectionPlan planResponseSelection(TreeNode* node) {
    if (!node) return {};
    if (node->isCategory()) {
        if (TreeNode* first = firstChild(node)) return selectOther(first);
        SelectionPlan plan = emptyPage(pageOfCategory(node->category()));
        plan.applicationNode = node->parent()->parent();
        return plan;
    }
    if (node->level() == 0) return selectOther(firstChild(node));
    if (!node->hasRecord() || node->kind() < KIND_ODPOWIEDZ) return {};
    SelectionPlan plan;
    plan.then = SelectionPlan::Then::ShowRecord;
    plan.page = pageOfKind(node->kind());
    switch (node->kind()) {
        case KIND_ODPOWIEDZ: plan.applicationNode = node; break;
        case KIND_AGENT_ODP: plan.applicationNode = node->parent(); break;
        default: plan.applicationNode = node->parent()->parent()->parent(); break;
    }
    return plan;
}

SelectionPlan planResponseTab(const DocumentTree& tree, TreeNode* selected, int page) {
    TreeNode* node = selected ? selected : tree.root();
    if (!node) return emptyPage(page);
    while (node->level() > 2)
        node = node->parent();  // up to the agent
    if (node->level() == 0) node = firstChild(node);
    if (!node) return emptyPage(page);  // an answer without responses
    TreeNode* response = node->level() == 1 ? node : node->parent();
    if (page == PAGE_WNIOSEK) return selectOther(response);
    TreeNode* agent = node->level() == 2 ? node : firstChild(response);
    if (!agent) return emptyPage(page);  // a response without an agent
    if (page == PAGE_AGENT) return selectOther(agent);
    TreeNode* category =
        DocumentTree::categoryOf(agent, static_cast<DocumentTree::Category>(page - PAGE_ZARZAD));
    if (!category) return emptyPage(page);
    TreeNode* first = firstChild(category);
    return selectOther(first ? first : category);
}

DeletionReasonsView deletionReasonsOf(const TRecOdpowiedz& header) {
    DeletionReasonsView view;
    const TRecAgentOdp* agent = header.AgentOdp;
    if (!agent || agent->StatusAgenta != texts::WYKRESLONY.view()) return view;
    const std::uint32_t reasons = hexadecimal32(agent->PrzyczynyOdp.view());
    for (std::size_t i = 0; i < view.ticked.size(); ++i)
        view.ticked[i] = (reasons >> (8 * i) & 0xFFu) == 0xFFu;
    view.shown = reasons != 0;
    return view;
}

std::string_view documentNumberLabel(const Field& documentKind) {
    return documentKind == texts::DOWOD_OSOBISTY.view() ? "PESEL" : "Seria i numer";
}

int activityItem(const Field& zwolniony) {
    const std::string_view v = zwolniony.view();
    return v.size() == 1 && v[0] >= '0' && v[0] <= '3' ? v[0] - '0' : -1;
}

std::int32_t answeredApplicationKind(const Field& typWniosku) {
    if (typWniosku == texts::WPIS.view()) return 0;
    if (typWniosku == texts::AKTUALIZACJA.view()) return 1;
    if (typWniosku == texts::WYKRESLENIE.view()) return 2;
    return -1;
}

}  // namespace tavik
