#include "forms/RecordCommands.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include "document/RecordEditing.h"
#include "forms/AgentPage.h"
#include "forms/ApplicationPage.h"
#include "forms/FieldControls.h"
#include "forms/LibraryState.h"
#include "forms/PersonPage.h"
#include "forms/PolicyPage.h"
#include "forms/PowerOfAttorneyPage.h"
#include "forms/TfrmData.h"
#include "interchange/walidacja.h"
#include "model/Exception.h"
#include "platform/Prompts.h"

namespace tavik {

using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;

namespace {

const QString kRemoveBelowAgent =
    QStringLiteral("Wszystkie dane przypisane pod Agenta zostaną usunięte!");

bool askYes(QWidget* parent, const QString& text, const QString& caption) {
    return platform::ask(parent, text, caption, PromptIcon::Warning, PromptButtons::YesNo) ==
           PromptAnswer::Yes;
}

void inform(QWidget* parent, const QString& text) {
    platform::showMessage(parent, text, QStringLiteral("Informacja"), PromptIcon::Information);
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

}  // namespace

void RecordCommands::refuse(const std::string& message, const char* suffix) {
    platform::showMessage(&window_, QString::fromStdString(message + suffix),
                          QStringLiteral("Błąd"), PromptIcon::Error);
}

void RecordCommands::AddWniosek() {
    constexpr const char* kSuffix = "\nWniosek nie został dodany!";
    TfrmData& w = window_;
    TreeNode* selected = w.selectedNode();
    const bool isNew =
        w.newRecordMode_ || !selected || !selected->hasRecord() || selected->kind() != KIND_WNIOSEK;
    TreeNode* node = isNew ? nullptr : selected;
    auto values = isNew ? std::make_unique<TRecWniosek>()
                        : std::make_unique<TRecWniosek>(static_cast<TRecWniosek&>(*node->record()));
    w.wniosekPage->take(*values);
    values->Zaklad = static_cast<TRecZU*>(w.tree_->root()->record());
    if (const auto failure = failureOf([&](int& code) { SprawdzWniosek(code, values.get()); })) {
        platform::showMessage(&w, QString::fromStdString(*failure), QStringLiteral("Walidacja"),
                              PromptIcon::Error);
        return;
    }

    TreeNode* agentNode = DocumentTree::agentOf(node);
    std::unique_ptr<TRecAgenta> agent;
    bool removeBelow = false;
    if (agentNode) {
        // The agent follows its application: its operation, and for a deletion the contract's
        // end and the reasons; it must pass its check as it will be.
        agent = copyAgent(static_cast<TRecAgenta&>(*agentNode->record()));
        agent->Wniosek = values.get();
        agent->RodzajOperacji = values->TypWniosku;
        if (values->RodzajWniosku == 2) w.wniosekPage->takeDeletionInto(*agent);
        if (const auto failure = failureOf([&](int& code) { checkAgentOfItsClass(code, *agent); }))
            return refuse(*failure, kSuffix);
        if (agentNode->childCount() > 0 && values->RodzajWniosku == 2) {
            if (!askYes(&w, kRemoveBelowAgent, QStringLiteral("Ostrzeżenie!"))) {
                w.select(node);  // the application keeps its former values
                return;
            }
            removeBelow = true;
        }
        if (agentNode->childCount() > 0 && values->RodzajWniosku == 0) {
            const DictionaryList& operations =
                LibraryState::instance().dictionary()->RodzajeOperacji;
            if (const auto failure =
                    resetBoardForEntry(*agentNode, operations.empty() ? "<E>" : operations[0]))
                return refuse(failure->text, kSuffix);
        }
    }

    renewChecksum(*values, KIND_WNIOSEK);
    if (isNew) {
        node = w.tree_->addApplication(std::move(values));
        w.applicationCount_ = w.tree_->applicationCount();
        w.tellApplicationCount();
    } else {
        auto& record = static_cast<TRecWniosek&>(*node->record());
        assignFields(record, *values);
        record.RodzajWniosku = values->RodzajWniosku;
        record.CRC = values->CRC;
        if (agent) {
            auto& agentRecord = static_cast<TRecAgenta&>(*agentNode->record());
            agent->Wniosek = &record;
            assignFields(agentRecord, *agent);
            renewChecksum(agentRecord, KIND_AGENT);
            if (removeBelow) w.tree_->removeBelow(agentNode);
            if (record.RodzajWniosku != 2) w.tree_->addCategories(agentNode);
        }
        w.tree_->renewText(node);
    }
    w.tree_->sortRecords(DocumentTree::SortOrder::Ascending);
    w.modified_ = true;
    w.select(node);
}

void RecordCommands::AbortWniosek() {
    TfrmData& w = window_;
    TreeNode* selected = w.selectedNode();
    TreeNode* application = DocumentTree::applicationOf(selected);
    if (application && !w.newRecordMode_) {
        w.select(application);
        return;
    }
    w.NewWniosekExecute();
}

void RecordCommands::AddAgent() {
    constexpr const char* kSuffix = "\nAgent nie został dodany!";
    TfrmData& w = window_;
    TreeNode* application = w.currentApplicationNode_;
    TreeNode* existing = DocumentTree::agentOf(application);
    const bool isNew = w.newRecordMode_ || !existing;
    if (isNew && existing) return refuse("Wniosek ma już przypisanego agenta!", kSuffix);
    auto* applicationRecord =
        application ? static_cast<TRecWniosek*>(application->record()) : nullptr;
    std::unique_ptr<TRecAgenta> values =
        isNew ? std::make_unique<TRecAgenta3>()
              : copyAgent(static_cast<TRecAgenta&>(*existing->record()));
    w.agentPage->take(*values);
    values->Wniosek = applicationRecord;
    if (applicationRecord) {
        values->RodzajOperacji = applicationRecord->TypWniosku;
        if (applicationRecord->RodzajWniosku == 2) w.wniosekPage->takeDeletionInto(*values);
    }
    if (const auto failure = failureOf([&](int& code) { checkAgentOfItsClass(code, *values); }))
        return refuse(*failure, kSuffix);
    renewChecksum(*values, KIND_AGENT);
    const bool deletion = applicationRecord->RodzajWniosku == 2;
    const bool naturalPerson = w.agentPage->isNaturalPerson();

    if (isNew) {
        TreeNode* node =
            w.tree_->addAgent(application, std::move(values), DocumentTree::kIconAgentFromPage);
        w.modified_ = true;
        w.select(node);
        inform(&w, QStringLiteral("Dodano nowego agenta"));
        if (naturalPerson && !deletion &&
            platform::ask(&w, QStringLiteral("Czy przepisac dane agenta do danych czł. zarządu?"),
                          QStringLiteral("Komunikat"), PromptIcon::Warning,
                          PromptButtons::YesNo) == PromptAnswer::Yes) {
            w.select(DocumentTree::categoryOf(node, DocumentTree::ZARZAD));
            w.NewZarzadExecute();
            w.agentPage->copyPersonInto(*w.zarzadPage);
        }
        return;
    }
    auto& record = static_cast<TRecAgenta&>(*existing->record());
    assignFields(record, *values);
    record.CRC = values->CRC;
    w.tree_->renewText(existing);
    if (!deletion) w.tree_->addCategories(existing);
    renewChecksum(*applicationRecord, KIND_WNIOSEK);
    if (deletion && existing->childCount() > 0 &&
        askYes(&w, kRemoveBelowAgent, QStringLiteral("Ostrzeżenie!")))
        w.tree_->removeBelow(existing);
    w.modified_ = true;
    w.select(existing);
    inform(&w, QStringLiteral("Rekord agenta został zmodyfikowany"));
}

void RecordCommands::AbortAgent() {
    TfrmData& w = window_;
    TreeNode* agent = DocumentTree::agentOf(w.currentApplicationNode_);
    if (agent) {
        w.select(agent);
        return;
    }
    w.NewAgentExecute();
    w.resetPageActions();
    w.newRecordMode_ = false;
}

void RecordCommands::acceptBelowAgent(RecordKind kind, const AcceptTexts& texts,
                                      const MakeValues& make, const Check& check) {
    TfrmData& w = window_;
    const Placement placement = placementFor(w.selectedNode(), w.newRecordMode_, kind);
    if (placement.then == Placement::Then::Nowhere)
        return refuse("Należy wypełnić formularz wniosku AGENTA!", texts.suffix);
    std::unique_ptr<TRecord> values = make(placement);
    if (const auto failure = failureOf([&](int& code) { check(code, *values); }))
        return refuse(*failure, texts.suffix);
    renewChecksum(*values, kind);
    w.modified_ = true;
    if (placement.then == Placement::Then::AddUnder) {
        TreeNode* node = w.tree_->addRecord(placement.agent, std::move(values), kind);
        w.select(node);
        inform(&w, texts.added);
        return;
    }
    assignFields(*placement.node->record(), *values);
    placement.node->record()->CRC = values->CRC;
    w.tree_->renewText(placement.node);
    w.select(placement.node);
    if (!texts.edited.isEmpty()) inform(&w, texts.edited);
}

void RecordCommands::AddPerson(PersonPage& page) {
    const bool employee = page.kind() == PersonPage::Kind::Pracownik;
    const AcceptTexts texts =
        employee ? AcceptTexts{"\nPracownik nie został dodany!",
                               QStringLiteral("Wprowadzono nowy rekord pracownika "),
                               QStringLiteral("Rekord pracownika został zmodyfikowany")}
                 : AcceptTexts{"\nNie dodano czł. zarządu!",
                               QStringLiteral("Wprowadzono nowy rekord czł. zarządu "),
                               QStringLiteral("Rekord czł.zarządu został zmodyfikowany")};
    const auto make = [&](const Placement& placement) -> std::unique_ptr<TRecord> {
        const TRecord* shown =
            placement.then == Placement::Then::Edit ? placement.node->record() : nullptr;
        std::unique_ptr<TRecOsoba> values;
        if (employee)
            values =
                shown ? std::make_unique<TRecPracownik>(static_cast<const TRecPracownik&>(*shown))
                      : std::make_unique<TRecPracownik>();
        else
            values = shown ? std::make_unique<TRecZarzad>(static_cast<const TRecZarzad&>(*shown))
                           : std::make_unique<TRecZarzad>();
        page.take(*values);
        return values;
    };
    const auto check = [&](int& code, TRecord& values) {
        if (employee)
            SprawdzPracownika(code, static_cast<TRecPracownik*>(&values));
        else
            SprawdzCzlonkaZarzadu(code, static_cast<TRecZarzad*>(&values));
    };
    acceptBelowAgent(employee ? KIND_PRACOWNIK : KIND_ZARZAD, texts, make, check);
}

void RecordCommands::abortPage(int page) {
    TfrmData& w = window_;
    TreeNode* selected = w.selectedNode();
    if (selected && selected->hasRecord() && pageOfKind(selected->kind()) == page) {
        w.select(selected);
        return;
    }
    w.runNewForm(page);
    w.resetPageActions();
    w.newRecordMode_ = false;
}

void RecordCommands::AbortPerson(PersonPage& page) {
    abortPage(page.kind() == PersonPage::Kind::Pracownik ? PAGE_PRACOWNIK : PAGE_ZARZAD);
}

void RecordCommands::AddPolisa() {
    PolicyPage& page = *window_.polisaPage;
    const auto make = [&](const Placement& placement) -> std::unique_ptr<TRecord> {
        TRecPolisaOC3 taken;
        page.take(taken);
        const auto* shown = placement.then == Placement::Then::Edit
                                ? static_cast<const TRecPolisaOC*>(placement.node->record())
                                : nullptr;
        if (!shown || dynamic_cast<const TRecPolisaOC3*>(shown))
            return std::make_unique<TRecPolisaOC3>(taken);
        // A policy of an older file keeps its class: it takes the values it has fields for.
        auto values = std::make_unique<TRecPolisaOC>(*shown);
        values->ID_PolisyOC = taken.ID_PolisyOC;
        values->Suma_ubezpieczenia = taken.Suma_ubezpieczenia;
        values->WazneOd = taken.WazneOd;
        values->WazneDo = taken.WazneDo;
        if (page.cbNazwaZakladu->currentIndex() >= 0) values->Nazwa_zakladu = taken.Nazwa_zakladu;
        return values;
    };
    const auto check = [](int& code, TRecord& values) {
        if (auto* policy3 = dynamic_cast<TRecPolisaOC3*>(&values))
            SprawdzPolise3(code, policy3);
        else
            SprawdzPolise(code, static_cast<TRecPolisaOC*>(&values));
    };
    acceptBelowAgent(
        KIND_POLISA,
        {"\nPolisaOC nie została dodana!", QStringLiteral("Wprowadzono nowy rekord polisa "),
         QStringLiteral("Zmodyfikowano rekord polisa ")},
        make, check);
}

void RecordCommands::AbortPolisa() {
    abortPage(PAGE_POLISA);
}

void RecordCommands::AddPelnomoc() {
    const auto make = [this](const Placement& placement) -> std::unique_ptr<TRecord> {
        auto values = placement.then == Placement::Then::Edit
                          ? std::make_unique<TRecPelnomocnictwo>(
                                static_cast<const TRecPelnomocnictwo&>(*placement.node->record()))
                          : std::make_unique<TRecPelnomocnictwo>();
        window_.pelnomocPage->take(*values);
        // The check reads the agent's activity.
        if (placement.then == Placement::Then::AddUnder)
            values->Agent = static_cast<TRecAgenta*>(placement.agent->record());
        return values;
    };
    const auto check = [](int& code, TRecord& values) {
        SprawdzPelnomocnictwo(code, static_cast<TRecPelnomocnictwo*>(&values));
    };
    // An edited power of attorney keeps its node and its number, without a word.
    acceptBelowAgent(KIND_PELNOMOCNICTWO,
                     {"\nPełnomocnictwo nie zostało dodane!",
                      QStringLiteral("Wprowadzono nowy rekord PEŁNOMOCNICTWO "), QString()},
                     make, check);
}

void RecordCommands::AbortPelnomoc() {
    abortPage(PAGE_PELNOMOCNICTWO);
}

void RecordCommands::activityChosen(int position) {
    TfrmData& w = window_;
    if (position == 1) {
        w.agentPage->activityAccepted();
        w.pelnomocPage->edRodzajUbezpieczenia->setEnabled(true);
        return;
    }
    w.pelnomocPage->allowInsuranceKind(false);
    TreeNode* agent = DocumentTree::agentOf(w.currentApplicationNode_);
    TreeNode* powers = DocumentTree::categoryOf(agent, DocumentTree::PELNOMOCNICTWA);
    if (powers && powers->childCount() > 0) {
        if (!askYes(&w,
                    QStringLiteral("Wybranie tej opcji spowoduje usunięcie\ndanych w polu rodzaj "
                                   "ubezpieczenia dla\nrekordów z pełnomocnictwami\nCzy usunąć "
                                   "wartości z pola RODZAJ UBEZPIECZENIA\ndla WSZYSTKICH  "
                                   "pełnomocnictw?"),
                    QStringLiteral("Komunikat")))
            return;
        clearInsuranceKinds(*agent);
        w.modified_ = true;
    }
    w.agentPage->activityAccepted();
}

}  // namespace tavik
