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

const QString kRemoveBelowAgent = QStringLiteral("Wszystkie dane przypisane pod Agenta zostaną usunięte!");

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
    const bool isNew = w.newRecordMode_ || !selected || !selected->hasRecord() ||
                       selected->kind() != KIND_WNIOSEK;
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
        if (values->RodzajWniosku == 2)
            if (auto* agent3 = dynamic_cast<TRecAgenta3*>(agent.get())) {
                agent3->DATA_ROZW_UM_AGENCYJNEJ = w.wniosekPage->deletionDate();
                agent3->Przyczyny = w.wniosekPage->deletionReasons();
            }
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
            const DictionaryList& operations = LibraryState::instance().dictionary()->RodzajeOperacji;
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
    if (isNew && existing)
        return refuse("Wniosek ma już przypisanego agenta!", kSuffix);
    auto* applicationRecord =
        application ? static_cast<TRecWniosek*>(application->record()) : nullptr;
    std::unique_ptr<TRecAgenta> values =
        isNew ? std::make_unique<TRecAgenta3>()
              : copyAgent(static_cast<TRecAgenta&>(*existing->record()));
    w.agentPage->take(*values);
    values->Wniosek = applicationRecord;
    if (applicationRecord) {
        values->RodzajOperacji = applicationRecord->TypWniosku;
        if (applicationRecord->RodzajWniosku == 2)
            if (auto* agent3 = dynamic_cast<TRecAgenta3*>(values.get())) {
                agent3->DATA_ROZW_UM_AGENCYJNEJ = w.wniosekPage->deletionDate();
                agent3->Przyczyny = w.wniosekPage->deletionReasons();
            }
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

void RecordCommands::AddPerson(PersonPage& page) {
    const bool employee = page.kind() == PersonPage::Kind::Pracownik;
    const RecordKind kind = employee ? KIND_PRACOWNIK : KIND_ZARZAD;
    const char* suffix = employee ? "\nPracownik nie został dodany!" : "\nNie dodano czł. zarządu!";
    TfrmData& w = window_;
    const Placement placement = placementFor(w.selectedNode(), w.newRecordMode_, kind);
    if (placement.then == Placement::Then::Nowhere)
        return refuse("Należy wypełnić formularz wniosku AGENTA!", suffix);
    std::unique_ptr<TRecOsoba> values;
    if (placement.then == Placement::Then::Edit)
        values = employee ? std::unique_ptr<TRecOsoba>(std::make_unique<TRecPracownik>(
                                static_cast<TRecPracownik&>(*placement.node->record())))
                          : std::make_unique<TRecZarzad>(
                                static_cast<TRecZarzad&>(*placement.node->record()));
    else if (employee)
        values = std::make_unique<TRecPracownik>();
    else
        values = std::make_unique<TRecZarzad>();
    page.take(*values);
    const auto failure = failureOf([&](int& code) {
        if (employee)
            SprawdzPracownika(code, static_cast<TRecPracownik*>(values.get()));
        else
            SprawdzCzlonkaZarzadu(code, static_cast<TRecZarzad*>(values.get()));
    });
    if (failure) return refuse(*failure, suffix);
    renewChecksum(*values, kind);
    w.modified_ = true;
    if (placement.then == Placement::Then::AddUnder) {
        TreeNode* node = w.tree_->addRecord(placement.agent, std::move(values), kind);
        w.select(node);
        inform(&w, employee ? QStringLiteral("Wprowadzono nowy rekord pracownika ")
                            : QStringLiteral("Wprowadzono nowy rekord czł. zarządu "));
        return;
    }
    assignFields(*placement.node->record(), *values);
    placement.node->record()->CRC = values->CRC;
    w.tree_->renewText(placement.node);
    w.select(placement.node);
    inform(&w, employee ? QStringLiteral("Rekord pracownika został zmodyfikowany")
                        : QStringLiteral("Rekord czł.zarządu został zmodyfikowany"));
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
    constexpr const char* kSuffix = "\nPolisaOC nie została dodana!";
    TfrmData& w = window_;
    const Placement placement = placementFor(w.selectedNode(), w.newRecordMode_, KIND_POLISA);
    if (placement.then == Placement::Then::Nowhere)
        return refuse("Należy wypełnić formularz wniosku AGENTA!", kSuffix);
    TRecPolisaOC3 taken;
    w.polisaPage->take(taken);
    // A policy of an older file keeps its class: it takes the values it has fields for.
    std::unique_ptr<TRecPolisaOC> values;
    if (placement.then == Placement::Then::Edit &&
        !dynamic_cast<TRecPolisaOC3*>(placement.node->record())) {
        values = std::make_unique<TRecPolisaOC>(static_cast<TRecPolisaOC&>(*placement.node->record()));
        values->ID_PolisyOC = taken.ID_PolisyOC;
        values->Suma_ubezpieczenia = taken.Suma_ubezpieczenia;
        values->WazneOd = taken.WazneOd;
        values->WazneDo = taken.WazneDo;
        if (w.polisaPage->cbNazwaZakladu->currentIndex() >= 0)
            values->Nazwa_zakladu = taken.Nazwa_zakladu;
    } else {
        values = std::make_unique<TRecPolisaOC3>(taken);
    }
    const auto failure = failureOf([&](int& code) {
        if (auto* policy3 = dynamic_cast<TRecPolisaOC3*>(values.get()))
            SprawdzPolise3(code, policy3);
        else
            SprawdzPolise(code, values.get());
    });
    if (failure) return refuse(*failure, kSuffix);
    renewChecksum(*values, KIND_POLISA);
    w.modified_ = true;
    if (placement.then == Placement::Then::AddUnder) {
        TreeNode* node = w.tree_->addRecord(placement.agent, std::move(values), KIND_POLISA);
        w.select(node);
        inform(&w, QStringLiteral("Wprowadzono nowy rekord polisa "));
        return;
    }
    assignFields(*placement.node->record(), *values);
    placement.node->record()->CRC = values->CRC;
    w.tree_->renewText(placement.node);
    w.select(placement.node);
    inform(&w, QStringLiteral("Zmodyfikowano rekord polisa "));
}

void RecordCommands::AbortPolisa() {
    abortPage(PAGE_POLISA);
}

void RecordCommands::AddPelnomoc() {
    constexpr const char* kSuffix = "\nPełnomocnictwo nie zostało dodane!";
    TfrmData& w = window_;
    const Placement placement =
        placementFor(w.selectedNode(), w.newRecordMode_, KIND_PELNOMOCNICTWO);
    if (placement.then == Placement::Then::Nowhere)
        return refuse("Należy wypełnić formularz wniosku AGENTA!", kSuffix);
    auto values = placement.then == Placement::Then::Edit
                      ? std::make_unique<TRecPelnomocnictwo>(
                            static_cast<TRecPelnomocnictwo&>(*placement.node->record()))
                      : std::make_unique<TRecPelnomocnictwo>();
    w.pelnomocPage->take(*values);
    // The check reads the agent's activity.
    if (placement.then == Placement::Then::AddUnder)
        values->Agent = static_cast<TRecAgenta*>(placement.agent->record());
    const auto failure =
        failureOf([&](int& code) { SprawdzPelnomocnictwo(code, values.get()); });
    if (failure) return refuse(*failure, kSuffix);
    renewChecksum(*values, KIND_PELNOMOCNICTWO);
    w.modified_ = true;
    if (placement.then == Placement::Then::AddUnder) {
        TreeNode* node =
            w.tree_->addRecord(placement.agent, std::move(values), KIND_PELNOMOCNICTWO);
        w.select(node);
        inform(&w, QStringLiteral("Wprowadzono nowy rekord PEŁNOMOCNICTWO "));
        return;
    }
    assignFields(*placement.node->record(), *values);
    placement.node->record()->CRC = values->CRC;
    w.select(placement.node);
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
