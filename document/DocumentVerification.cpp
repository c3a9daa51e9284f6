#include "document/DocumentVerification.h"

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
    if (tree.nodeCount() == 0) return failure("Brak danych do odczytu/zapisu w pliku!");
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
            if (agentNode->struck())
                return failure("WNIOSEK nie posiada przypisanego Agenta!", root, "Komunikat");
            auto& agent = static_cast<TRecAgenta&>(*agentNode->record());
            checkAgent(code, agent, tree.fileVersion());
            if (agent.RodzajOperacji != texts::WPIS.view() || !isCompany(agent)) continue;

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
            if (checked == 0) return failure("Należy wprowadzić rekord pracownika", agentNode);
        } catch (const Exception& e) {
            return failure(e.message(), applicationNode, "Walidacja");
        }
    }
    return {};
}

}  // namespace tavik
