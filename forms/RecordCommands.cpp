#include "forms/RecordCommands.h"

#include <QLineEdit>

#include "document/NodeSelection.h"
#include "forms/AgentPage.h"
#include "forms/ApplicationPage.h"
#include "forms/DocumentWindow.h"
#include "forms/PersonPage.h"
#include "forms/PolicyPage.h"
#include "forms/PowerOfAttorneyPage.h"
#include "platform/Prompts.h"

namespace tavik {

void RecordCommands::AddWniosek() {
    const EditContext at = window_.editContext();
    ApplicationPage& page = *window_.pages().wniosek;
    auto values = window_.editor().applicationValues(at);
    page.take(*values);
    window_.apply(window_.editor().acceptApplication(at, std::move(values), page.deletion()));
}

void RecordCommands::AbortWniosek() {
    abortPage(PAGE_WNIOSEK);
}

void RecordCommands::AddAgent() {
    const EditContext at = window_.editContext();
    auto values = window_.editor().agentValues(at);
    window_.pages().agent->take(*values);
    window_.apply(window_.editor().acceptAgent(at, std::move(values)));
}

void RecordCommands::AbortAgent() {
    abortPage(PAGE_AGENT);
}

void RecordCommands::AddPerson(PersonPage& page) {
    const RecordKind kind =
        page.kind() == PersonPage::Kind::Pracownik ? KIND_PRACOWNIK : KIND_ZARZAD;
    const EditContext at = window_.editContext();
    auto values = window_.editor().recordValues(at, kind);
    page.take(static_cast<TRecOsoba&>(*values));
    window_.apply(window_.editor().acceptRecord(at, kind, std::move(values)));
}

void RecordCommands::AbortPerson(PersonPage& page) {
    abortPage(page.kind() == PersonPage::Kind::Pracownik ? PAGE_PRACOWNIK : PAGE_ZARZAD);
}

void RecordCommands::AddPolisa() {
    const EditContext at = window_.editContext();
    auto values = window_.editor().recordValues(at, KIND_POLISA);
    window_.pages().polisa->take(static_cast<TRecPolisaOC&>(*values));
    window_.apply(window_.editor().acceptRecord(at, KIND_POLISA, std::move(values)));
}

void RecordCommands::AbortPolisa() {
    abortPage(PAGE_POLISA);
}

void RecordCommands::AddPelnomoc() {
    const EditContext at = window_.editContext();
    auto values = window_.editor().recordValues(at, KIND_PELNOMOCNICTWO);
    window_.pages().pelnomocnictwo->take(static_cast<TRecPelnomocnictwo&>(*values));
    window_.apply(window_.editor().acceptRecord(at, KIND_PELNOMOCNICTWO, std::move(values)));
}

void RecordCommands::AbortPelnomoc() {
    abortPage(PAGE_PELNOMOCNICTWO);
}

void RecordCommands::abortPage(int page) {
    const EditOutcome outcome = window_.editor().abortPage(window_.editContext(), page);
    const bool blank = outcome.newFormPage >= 0;
    window_.apply(outcome);
    if (blank) window_.resetPageActions();
}

void RecordCommands::activityChosen(int position) {
    const EntryPages& pages = window_.pages();
    if (position == 1) {
        pages.agent->activityAccepted();
        pages.pelnomocnictwo->edRodzajUbezpieczenia->setEnabled(true);
        return;
    }
    pages.pelnomocnictwo->allowInsuranceKind(false);
    if (const auto question =
            window_.editor().activityQuestion(window_.editContext().application)) {
        const auto answer =
            platform::ask(window_.widget(), QString::fromStdString(question->text.text),
                          QString::fromStdString(question->text.caption),
                          platform::PromptIcon::Warning, platform::PromptButtons::YesNo);
        if (answer != platform::PromptAnswer::Yes) return;
        window_.apply(question->yes());
    }
    pages.agent->activityAccepted();
}

}  // namespace tavik
