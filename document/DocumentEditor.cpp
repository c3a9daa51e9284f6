#include "document/DocumentEditor.h"

#include <optional>

#include "document/DocumentVerification.h"
#include "document/NodeSelection.h"
#include "document/RecordEditing.h"
#include "interchange/Warnings.h"
#include "interchange/walidacja.h"
#include "model/Cp1250Texts.h"
#include "model/Exception.h"

namespace tavik {

namespace {

constexpr const char* kRemoveBelowAgent = "Wszystkie dane przypisane pod Agenta zostaną usunięte!";
constexpr const char* kStruck =
    "Wniosek lub agent jest zaznaczony do usunięcia: nie można dodać do niego rekordu.\n"
    "Najpierw przywróć skreślony element.";

// What an accept of each kind says.
struct AcceptTexts {
    const char* refused;  // the suffix of a refusal
    const char* added;
    const char* edited;  // null: an edit is not confirmed
};

AcceptTexts textsOf(RecordKind kind) {
    switch (kind) {
        case KIND_PRACOWNIK:
            return {"\nPracownik nie został dodany!", "Wprowadzono nowy rekord pracownika ",
                    "Rekord pracownika został zmodyfikowany"};
        case KIND_ZARZAD:
            return {"\nNie dodano czł. zarządu!", "Wprowadzono nowy rekord czł. zarządu ",
                    "Rekord czł.zarządu został zmodyfikowany"};
        case KIND_POLISA:
            return {"\nPolisaOC nie została dodana!", "Wprowadzono nowy rekord polisa ",
                    "Zmodyfikowano rekord polisa "};
        case KIND_PELNOMOCNICTWO:
            // An edited power of attorney keeps its node and its number, without a word.
            return {"\nPełnomocnictwo nie zostało dodane!",
                    "Wprowadzono nowy rekord PEŁNOMOCNICTWO ", nullptr};
        default:
            return {"\nAgent nie został dodany!", "Dodano nowego agenta",
                    "Rekord agenta został zmodyfikowany"};
    }
}

UserMessage information(const char* text) {
    return {text, "Informacja", MessageIcon::Information};
}

EditOutcome refusal(std::string text, const std::string& caption = "Błąd") {
    EditOutcome outcome;
    outcome.refused = true;
    outcome.messages.push_back({std::move(text), caption, MessageIcon::Error});
    return outcome;
}

EditOutcome selecting(TreeNode* node, std::vector<UserMessage> messages = {}) {
    EditOutcome outcome;
    outcome.select = node;
    outcome.messages = std::move(messages);
    return outcome;
}

// Runs a record check; its failure message, or nothing.
template <class Check>
std::optional<std::string> failureOf(Check check) {
    try {
        int code = 0;
        check(code);
    } catch (const Exception& e) {
        return e.message();
    }
    return std::nullopt;
}

void checkRecord(int& code, TRecord& values, RecordKind kind) {
    switch (kind) {
        case KIND_PRACOWNIK: SprawdzPracownika(code, static_cast<TRecPracownik*>(&values)); break;
        case KIND_ZARZAD: SprawdzCzlonkaZarzadu(code, static_cast<TRecZarzad*>(&values)); break;
        case KIND_PELNOMOCNICTWO:
            SprawdzPelnomocnictwo(code, static_cast<TRecPelnomocnictwo*>(&values));
            break;
        case KIND_POLISA:
            if (auto* policy3 = dynamic_cast<TRecPolisaOC3*>(&values))
                SprawdzPolise3(code, policy3);
            else
                SprawdzPolise(code, static_cast<TRecPolisaOC*>(&values));
            break;
        default: break;
    }
}

// A copy of a record below an agent, of its own class (an older policy stays older).
std::unique_ptr<TRecord> copyOf(const TRecord& record, RecordKind kind) {
    switch (kind) {
        case KIND_PRACOWNIK:
            return std::make_unique<TRecPracownik>(static_cast<const TRecPracownik&>(record));
        case KIND_ZARZAD:
            return std::make_unique<TRecZarzad>(static_cast<const TRecZarzad&>(record));
        case KIND_PELNOMOCNICTWO:
            return std::make_unique<TRecPelnomocnictwo>(
                static_cast<const TRecPelnomocnictwo&>(record));
        default:
            if (const auto* policy3 = dynamic_cast<const TRecPolisaOC3*>(&record))
                return std::make_unique<TRecPolisaOC3>(*policy3);
            return std::make_unique<TRecPolisaOC>(static_cast<const TRecPolisaOC&>(record));
    }
}

std::unique_ptr<TRecord> blankOf(RecordKind kind) {
    switch (kind) {
        case KIND_PRACOWNIK: return std::make_unique<TRecPracownik>();
        case KIND_ZARZAD: return std::make_unique<TRecZarzad>();
        case KIND_PELNOMOCNICTWO: return std::make_unique<TRecPelnomocnictwo>();
        default: return std::make_unique<TRecPolisaOC3>();
    }
}

// The board member a natural-person agent becomes: the agent's person and address.
std::shared_ptr<TRecZarzad> boardMemberFrom(const TRecAgenta& agent, const std::string& operation) {
    auto member = std::make_shared<TRecZarzad>();
    member->Rodzaj_Operacji = operation;
    member->Imie = agent.Imie;
    member->Imie2 = agent.Imie2;
    member->Nazwisko = agent.Nazwisko;
    member->Nazwisko_drugi_czlon = agent.Nazwisko2;
    member->Obywatelstwo = agent.Obywatelstwo;
    member->Typ_Dokumentu = agent.RodzajDokumentuOsFizAgenta;
    member->PESEL = agent.PESEL;
    member->Miejscowosc = agent.Miejscowosc;
    member->Ulica = agent.Ulica;
    member->NumerDomu = agent.NrDomu;
    member->NumerLokalu = agent.NrLokalu;
    member->KodPocztowy = agent.KodPocztowy;
    member->POCZTA = agent.Poczta;
    return member;
}

void takeDeletion(TRecAgenta& agent, const DeletionExtras& deletion) {
    if (auto* agent3 = dynamic_cast<TRecAgenta3*>(&agent)) {
        agent3->DATA_ROZW_UM_AGENCYJNEJ = deletion.date;
        agent3->Przyczyny = deletion.reasons;
    }
}

bool isDeletion(const TRecWniosek& application) {
    return application.RodzajWniosku == 2;
}

// The application an accept of the application page edits, or null for a new one.
TreeNode* applicationToEdit(const EditContext& at) {
    TreeNode* selected = at.selected;
    if (at.newRecordMode || !selected || !selected->hasRecord() || selected->kind() != KIND_WNIOSEK)
        return nullptr;
    return selected;
}

}  // namespace

DocumentEditor::DocumentEditor(DocumentTree& tree, std::string firstOperationKind)
    : tree_(tree), firstOperationKind_(std::move(firstOperationKind)), today_(localToday) {}

DeletionExtras DocumentEditor::deletionExtrasOf(const TreeNode* application) {
    if (!application) return {};
    if (const TreeNode* agent = DocumentTree::agentOf(application)) {
        const auto* agent3 = dynamic_cast<const TRecAgenta3*>(agent->record());
        if (!agent3) return {};
        return {agent3->DATA_ROZW_UM_AGENCYJNEJ.str(), agent3->Przyczyny.str()};
    }
    return application->pendingDeletion();
}

std::unique_ptr<TRecWniosek> DocumentEditor::applicationValues(const EditContext& at) const {
    const TreeNode* node = applicationToEdit(at);
    return node ? std::make_unique<TRecWniosek>(static_cast<const TRecWniosek&>(*node->record()))
                : std::make_unique<TRecWniosek>();
}

EditOutcome DocumentEditor::acceptApplication(const EditContext& at,
                                              std::unique_ptr<TRecWniosek> values,
                                              const DeletionExtras& deletion) {
    constexpr const char* kSuffix = "\nWniosek nie został dodany!";
    TreeNode* node = applicationToEdit(at);
    values->Zaklad = static_cast<TRecZU*>(tree_.root()->record());
    if (const auto failure = failureOf([&](int& code) { SprawdzWniosek(code, values.get()); }))
        return refusal(*failure, "Walidacja");

    TreeNode* agentNode = DocumentTree::agentOf(node);
    if (!agentNode) return applyApplication(node, std::move(values), nullptr, false, deletion);

    // The agent follows its application: its operation, and for a deletion the contract's end
    // and the reasons.
    auto agent = copyAgent(static_cast<TRecAgenta&>(*agentNode->record()));
    agent->RodzajOperacji = values->TypWniosku;
    if (isDeletion(*values)) takeDeletion(*agent, deletion);
    const bool hasRecordsBelow = agentNode->childCount() > 0;
    if (hasRecordsBelow && values->RodzajWniosku == 0) {
        if (const auto failure = resetBoardForEntry(*agentNode, firstOperationKind_))
            return refusal(failure->text + kSuffix);
    }
    if (!hasRecordsBelow || !isDeletion(*values))
        return applyApplication(node, std::move(values), std::move(agent), false, deletion);

    EditOutcome asking;
    asking.question = std::make_shared<EditOutcome::Question>();
    asking.question->text = {kRemoveBelowAgent, "Ostrzeżenie!", MessageIcon::Warning};
    std::shared_ptr<TRecWniosek> pendingValues(std::move(values));
    std::shared_ptr<TRecAgenta> pendingAgent(std::move(agent));
    asking.question->yes = [=, this] {
        return applyApplication(node, std::make_unique<TRecWniosek>(*pendingValues),
                                copyAgent(*pendingAgent), true, deletion);
    };
    // The application keeps its former values.
    asking.question->no = [node] { return selecting(node); };
    return asking;
}

EditOutcome DocumentEditor::applyApplication(TreeNode* node, std::unique_ptr<TRecWniosek> values,
                                             std::unique_ptr<TRecAgenta> agent, bool removeBelow,
                                             const DeletionExtras& deletion) {
    // The check reads the new kind and normalises the agent before its checksum is taken.
    if (agent) agent->Wniosek = values.get();
    const bool agentIncomplete =
        agent && failureOf([&](int& code) { checkAgentOfItsClass(code, *agent); });
    renewChecksum(*values, KIND_WNIOSEK);
    const bool deletionKind = isDeletion(*values);
    TreeNode* agentNode = nullptr;
    if (!node) {
        node = tree_.addApplication(std::move(values));
    } else {
        auto& record = static_cast<TRecWniosek&>(*node->record());
        assignFields(record, *values);
        record.RodzajWniosku = values->RodzajWniosku;
        record.CRC = values->CRC;
        agentNode = DocumentTree::agentOf(node);
        if (agentNode && agent) {
            auto& agentRecord = static_cast<TRecAgenta&>(*agentNode->record());
            assignFields(agentRecord, *agent);
            renewChecksum(agentRecord, KIND_AGENT);
            if (removeBelow) tree_.removeBelow(agentNode);
            if (!deletionKind) tree_.addCategories(agentNode);
        }
        tree_.renewText(node);
    }
    // An application without its agent keeps the deletion data for the agent to come.
    node->setPendingDeletion(deletionKind && !agentNode ? deletion : DeletionExtras{});
    tree_.markChanged();
    tree_.sortRecords(DocumentTree::SortOrder::Ascending);
    // An agent that the new kind leaves incomplete (an update needs its register number) is
    // shown next, so that the clerk completes it; the check before saving refuses it until then.
    return selecting(agentIncomplete && agentNode ? agentNode : node);
}

std::unique_ptr<TRecAgenta> DocumentEditor::agentValues(const EditContext& at) const {
    const TreeNode* existing = DocumentTree::agentOf(at.application);
    if (at.newRecordMode || !existing) return std::make_unique<TRecAgenta3>();
    return copyAgent(static_cast<const TRecAgenta&>(*existing->record()));
}

EditOutcome DocumentEditor::acceptAgent(const EditContext& at, std::unique_ptr<TRecAgenta> values) {
    return withWarnings(checkAndPlaceAgent(at, std::move(values)));
}

EditOutcome DocumentEditor::acceptRecord(const EditContext& at, RecordKind kind,
                                         std::unique_ptr<TRecord> values) {
    return withWarnings(checkAndPlaceRecord(at, kind, std::move(values)));
}

EditOutcome DocumentEditor::withWarnings(EditOutcome outcome) const {
    if (outcome.refused || !outcome.select) return outcome;
    if (auto box = warningBox(*outcome.select, today_()))
        outcome.messages.push_back(std::move(*box));
    return outcome;
}

EditOutcome DocumentEditor::checkAndPlaceAgent(const EditContext& at,
                                               std::unique_ptr<TRecAgenta> values) {
    const char* suffix = textsOf(KIND_AGENT).refused;
    TreeNode* application = at.application;
    if (!application || !application->hasRecord())
        return refusal(std::string("Należy utworzyć WNIOSEK") + suffix);
    TreeNode* existing = DocumentTree::agentOf(application);
    const bool isNew = at.newRecordMode || !existing;
    if (isNew && existing)
        return refusal(std::string("Wniosek ma już przypisanego agenta!") + suffix);
    if (isNew && application->inStruckBranch()) return refusal(std::string(kStruck) + suffix);

    auto* applicationRecord = static_cast<TRecWniosek*>(application->record());
    values->Wniosek = applicationRecord;
    values->RodzajOperacji = applicationRecord->TypWniosku;
    if (isNew && isDeletion(*applicationRecord))
        takeDeletion(*values, application->pendingDeletion());
    if (const auto failure = failureOf([&](int& code) { checkAgentOfItsClass(code, *values); }))
        return refusal(*failure + suffix);
    renewChecksum(*values, KIND_AGENT);
    return isNew ? addAgent(application, std::move(values))
                 : editAgent(existing, std::move(values));
}

EditOutcome DocumentEditor::addAgent(TreeNode* application, std::unique_ptr<TRecAgenta> values) {
    const bool naturalPerson = values->FormaPrawna == texts::OSOBA_FIZYCZNA;
    const auto& applicationRecord = static_cast<const TRecWniosek&>(*application->record());
    TreeNode* node =
        tree_.addAgent(application, std::move(values), DocumentTree::kIconAgentFromPage);
    application->setPendingDeletion({});
    EditOutcome outcome = selecting(node, {information(textsOf(KIND_AGENT).added)});
    if (!naturalPerson || isDeletion(applicationRecord)) return outcome;
    outcome.question = std::make_shared<EditOutcome::Question>();
    outcome.question->text = {"Czy przepisac dane agenta do danych czł. zarządu?", "Komunikat",
                              MessageIcon::Warning};
    const std::string operation = firstOperationKind_;
    outcome.question->yes = [node, operation] {
        EditOutcome board = selecting(DocumentTree::categoryOf(node, DocumentTree::ZARZAD));
        board.newFormPage = PAGE_ZARZAD;
        board.prefill = boardMemberFrom(static_cast<const TRecAgenta&>(*node->record()), operation);
        return board;
    };
    outcome.question->no = [] { return EditOutcome{}; };
    return outcome;
}

EditOutcome DocumentEditor::editAgent(TreeNode* agentNode, std::unique_ptr<TRecAgenta> values) {
    auto& record = static_cast<TRecAgenta&>(*agentNode->record());
    assignFields(record, *values);
    record.CRC = values->CRC;
    tree_.renewText(agentNode);
    auto& applicationRecord = *record.Wniosek;
    const bool deletion = isDeletion(applicationRecord);
    if (!deletion) tree_.addCategories(agentNode);
    renewChecksum(applicationRecord, KIND_WNIOSEK);
    tree_.markChanged();
    const UserMessage edited = information(textsOf(KIND_AGENT).edited);
    if (!deletion || agentNode->childCount() == 0) return selecting(agentNode, {edited});
    EditOutcome asking;
    asking.question = std::make_shared<EditOutcome::Question>();
    asking.question->text = {kRemoveBelowAgent, "Ostrzeżenie!", MessageIcon::Warning};
    asking.question->yes = [this, agentNode, edited] {
        tree_.removeBelow(agentNode);
        return selecting(agentNode, {edited});
    };
    asking.question->no = [agentNode, edited] { return selecting(agentNode, {edited}); };
    return asking;
}

std::unique_ptr<TRecord> DocumentEditor::recordValues(const EditContext& at,
                                                      RecordKind kind) const {
    const Placement placement = placementFor(at.selected, at.newRecordMode, kind);
    if (placement.then == Placement::Then::Edit) return copyOf(*placement.node->record(), kind);
    auto values = blankOf(kind);
    // The check of a power of attorney reads its agent's activity.
    if (placement.then == Placement::Then::AddUnder && kind == KIND_PELNOMOCNICTWO)
        static_cast<TRecPelnomocnictwo&>(*values).Agent =
            static_cast<TRecAgenta*>(placement.agent->record());
    return values;
}

EditOutcome DocumentEditor::checkAndPlaceRecord(const EditContext& at, RecordKind kind,
                                                std::unique_ptr<TRecord> values) {
    const AcceptTexts texts = textsOf(kind);
    const Placement placement = placementFor(at.selected, at.newRecordMode, kind);
    if (placement.then == Placement::Then::Nowhere)
        return refusal(std::string("Należy wypełnić formularz wniosku AGENTA!") + texts.refused);
    if (placement.then == Placement::Then::AddUnder && placement.agent->inStruckBranch())
        return refusal(std::string(kStruck) + texts.refused);
    if (const auto failure = failureOf([&](int& code) { checkRecord(code, *values, kind); }))
        return refusal(*failure + texts.refused);
    renewChecksum(*values, kind);
    if (placement.then == Placement::Then::AddUnder) {
        TreeNode* node = tree_.addRecord(placement.agent, std::move(values), kind);
        return selecting(node, {information(texts.added)});
    }
    TreeNode* node = placement.node;
    assignFields(*node->record(), *values);
    node->record()->CRC = values->CRC;
    tree_.renewText(node);
    tree_.markChanged();
    if (!texts.edited) return selecting(node);
    return selecting(node, {information(texts.edited)});
}

EditOutcome DocumentEditor::abortPage(const EditContext& at, int page) const {
    TreeNode* shown = nullptr;
    switch (page) {
        case PAGE_WNIOSEK:
            if (!at.newRecordMode) shown = DocumentTree::applicationOf(at.selected);
            break;
        case PAGE_AGENT: shown = DocumentTree::agentOf(at.application); break;
        default:
            if (at.selected && at.selected->hasRecord() && pageOfKind(at.selected->kind()) == page)
                shown = at.selected;
    }
    if (shown) return selecting(shown);
    EditOutcome blank;
    blank.newFormPage = page;
    return blank;
}

std::shared_ptr<EditOutcome::Question> DocumentEditor::activityQuestion(TreeNode* application) {
    TreeNode* agent = DocumentTree::agentOf(application);
    const TreeNode* powers = DocumentTree::categoryOf(agent, DocumentTree::PELNOMOCNICTWA);
    if (!powers || powers->childCount() == 0) return nullptr;
    auto question = std::make_shared<EditOutcome::Question>();
    question->text = {
        "Wybranie tej opcji spowoduje usunięcie\ndanych w polu rodzaj ubezpieczenia dla\n"
        "rekordów z pełnomocnictwami\nCzy usunąć wartości z pola RODZAJ UBEZPIECZENIA\ndla "
        "WSZYSTKICH  pełnomocnictw?",
        "Komunikat", MessageIcon::Warning};
    question->yes = [this, agent] {
        clearInsuranceKinds(*agent);
        tree_.markChanged();
        return EditOutcome{};
    };
    question->no = [] {
        EditOutcome kept;
        kept.refused = true;
        return kept;
    };
    return question;
}

}  // namespace tavik
