#include "document/DocumentVerification.h"

#include <algorithm>

#include "interchange/Warnings.h"
#include "interchange/walidacja.h"
#include "model/Cp1250Literal.h"
#include "model/Exception.h"
#include "model/TextValues.h"

namespace tavik {

namespace {

constexpr Cp1250Literal kSpolkaZoo{"SPÓŁKA Z O.O."};
constexpr Cp1250Literal kSpolkaSa{"SPÓŁKA S.A."};
constexpr Cp1250Literal kSpolkaJawna{"SPÓŁKA JAWNA"};
constexpr Cp1250Literal kInneSpolki{"INNE SPÓŁKI"};
constexpr Cp1250Literal kInniPrzedsiebiorcy{"INNI PRZEDSIĘBIORCY"};

const char* const kCaption = "Komunikat - błąd podczas weryfikacji pliku";
const char* const kNoData = "Brak danych do odczytu/zapisu w pliku!";
const char* const kNoAgent = "WNIOSEK nie posiada przypisanego Agenta!";
const char* const kNoEmployee = "Należy wprowadzić rekord pracownika";

VerificationResult failure(std::string text, TreeNode* select = nullptr,
                           const char* caption = kCaption) {
    VerificationResult r;
    r.ok = false;
    r.message = UserMessage{std::move(text), caption, MessageIcon::Error};
    r.select = select;
    return r;
}

bool isCompany(const TRecAgenta& agent) {
    return agent.FormaPrawna == kSpolkaZoo.view() || agent.FormaPrawna == kSpolkaSa.view();
}

// An entry of a company: the application kind whose board and employees are verified.
bool entryOfCompany(const TRecAgenta& agent) {
    return agent.RodzajOperacji == texts::WPIS.view() && isCompany(agent);
}

int declaredBoardMembers(const TRecAgenta& agent) {
    const auto* agent2 = dynamic_cast<const TRecAgenta2*>(&agent);
    if (!agent2) return 0;
    return decimalInteger(trimmed(agent2->Liczba_czl_zarzadu.view())).value_or(0);
}

void checkAgent(int& code, TRecAgenta& agent, int version) {
    if (version == 3)
        SprawdzAgenta3(code, dynamic_cast<TRecAgenta3*>(&agent));
    else if (version == 2)
        SprawdzAgenta2(code, dynamic_cast<TRecAgenta2*>(&agent));
    else
        SprawdzAgenta(code, &agent);
}

}  // namespace

std::optional<UserMessage> boardSizeWarning(const TreeNode& agentNode) {
    const auto& agent = static_cast<const TRecAgenta&>(*agentNode.record());
    const TreeNode* board = DocumentTree::categoryOf(&agentNode, DocumentTree::ZARZAD);
    const int entered = board ? static_cast<int>(board->childCount()) : 0;
    const int declared = declaredBoardMembers(agent);
    std::string text;
    if (isCompany(agent)) {
        if (entered < 0.5 * declared)
            text =
                "Należy dodac czł. zarzadu.\nLiczba wprowadzonych czł. zarzadu\nmusi stanowic "
                "minimum 50% względem\nzadeklarowanej liczby podanej w\npozycji Agenta";
    } else if (agent.FormaPrawna == kSpolkaJawna.view() ||
               agent.FormaPrawna == kInneSpolki.view() ||
               agent.FormaPrawna == kInniPrzedsiebiorcy.view()) {
        if (entered != declared)
            text =
                "Należy wpisać wszystkich czł. zarządu \nzgodnie z zadeklarowaną liczbą podaną w "
                "\npozycji Agenta";
    } else if (agent.FormaPrawna == texts::OSOBA_FIZYCZNA.view()) {
        if (entered == 0) text = "Należy wypełnić rekord czł. zarządu \n";
    }
    if (text.empty()) return std::nullopt;
    return UserMessage{text, "Komunikat", MessageIcon::Warning};
}

VerificationResult verifyDocument(DocumentTree& tree,
                                  const std::function<void(const std::string&)>& progress) {
    if (tree.nodeCount() == 0) return failure(kNoData);
    TreeNode* root = tree.root();
    if (!root || root->childCount() == 0) return failure("Błędna struktura pliku!");

    for (const auto& child : root->children()) {
        TreeNode* applicationNode = child.get();
        if (applicationNode->struck()) continue;
        try {
            int code = 0;
            SprawdzWniosek(code, static_cast<TRecWniosek*>(applicationNode->record()));
            TreeNode* agentNode = DocumentTree::agentOf(applicationNode);
            if (!agentNode) continue;
            if (agentNode->struck()) return failure(kNoAgent, root, "Komunikat");
            auto& agent = static_cast<TRecAgenta&>(*agentNode->record());
            checkAgent(code, agent, tree.fileVersion());
            if (!entryOfCompany(agent)) continue;

            if (auto warning = boardSizeWarning(*agentNode)) {
                VerificationResult r;
                r.ok = false;
                r.message = *warning;
                r.select = DocumentTree::categoryOf(agentNode, DocumentTree::ZARZAD);
                r.page = 2;
                r.frameNotice = 3;
                return r;
            }
            const TreeNode* employees =
                DocumentTree::categoryOf(agentNode, DocumentTree::PRACOWNICY);
            int checked = 0;
            for (const auto& employee : employees->children()) {
                if (employee->struck()) continue;
                if (progress) progress("NR Pracownika: " + std::to_string(checked));
                SprawdzPracownika(code, static_cast<TRecPracownik*>(employee->record()));
                ++checked;
            }
            if (checked == 0) return failure(kNoEmployee, agentNode);
        } catch (const Exception& e) {
            return failure(e.message(), applicationNode, "Walidacja");
        }
    }
    return {};
}

namespace {

// The walk of listProblems: one application at a time, its nodes in tree order.
class ProblemListing {
public:
    ProblemListing(const CalendarDate& today, std::vector<DocumentProblem>& out)
        : today_(today), out_(out) {}

    void application(const TreeNode& node) {
        placement_ = inOneLine(static_cast<const TRecWniosek&>(*node.record()).NumerWniosku.view());
        subtree(node);
    }

private:
    void subtree(const TreeNode& node) {
        if (node.hasRecord()) {
            if (node.struck()) return;
            if (auto refusal = refusalOf(*node.record(), node.kind()))
                add(true, node, std::move(*refusal));
            for (std::string& warning : warningsOf(*node.record(), node.kind(), today_))
                add(false, node, std::move(warning));
            if (node.kind() == KIND_WNIOSEK) applicationRules(node);
            if (node.kind() == KIND_AGENT) agentRules(node);
        }
        for (const auto& child : node.children())
            subtree(*child);
    }

    void applicationRules(const TreeNode& application) {
        const TreeNode* agent = DocumentTree::agentOf(&application);
        if (agent && agent->struck()) add(true, application, kNoAgent);
    }

    // What the verification asks of an entry of a company beyond its records.
    void agentRules(const TreeNode& agentNode) {
        if (!entryOfCompany(static_cast<const TRecAgenta&>(*agentNode.record()))) return;
        if (const auto board = boardSizeWarning(agentNode))
            add(true, *DocumentTree::categoryOf(&agentNode, DocumentTree::ZARZAD),
                oneLine(board->text, " "));  // a sentence wrapped for a box
        const TreeNode* employees = DocumentTree::categoryOf(&agentNode, DocumentTree::PRACOWNICY);
        if (!employees) return;
        const auto& list = employees->children();
        if (std::none_of(list.begin(), list.end(), [](const auto& e) { return !e->struck(); }))
            add(true, agentNode, kNoEmployee);
    }

    void add(bool refusal, const TreeNode& node, std::string text) {
        out_.push_back({refusal, &node, placement_, std::move(text)});
    }

    const CalendarDate& today_;
    std::vector<DocumentProblem>& out_;
    std::string placement_;
};

}  // namespace

std::vector<DocumentProblem> listProblems(const DocumentTree& tree, const CalendarDate& today) {
    std::vector<DocumentProblem> out;
    const TreeNode* root = tree.root();
    if (!root || root->childCount() == 0) {
        out.push_back({true, root, "", kNoData});
        return out;
    }
    ProblemListing listing(today, out);
    for (const auto& application : root->children())
        listing.application(*application);
    return out;
}

std::vector<std::string> warningsOfNode(const TreeNode& node, const CalendarDate& today) {
    if (!node.hasRecord() || node.inStruckBranch()) return {};
    return warningsOf(*node.record(), node.kind(), today);
}

std::optional<UserMessage> warningBox(const TreeNode& node, const CalendarDate& today) {
    const std::vector<std::string> warnings = warningsOfNode(node, today);
    if (warnings.empty()) return std::nullopt;
    std::string text;
    for (const std::string& warning : warnings)
        text += (text.empty() ? "" : "\n") + warning;
    return UserMessage{text, "Ostrzeżenie", MessageIcon::Warning};
}

}  // namespace tavik
