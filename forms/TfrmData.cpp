#include "forms/TfrmData.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

#include "document/DocumentFile.h"
#include "document/NodeSelection.h"
#include "flatpaint/ActionHints.h"
#include "flatpaint/IconLibrary.h"
#include "forms/AgentPage.h"
#include "forms/ApplicationPage.h"
#include "forms/DocumentFileCommands.h"
#include "forms/DocumentTreeModel.h"
#include "forms/FieldControls.h"
#include "forms/KindColours.h"
#include "forms/LibraryState.h"
#include "forms/PersonPage.h"
#include "forms/PolicyPage.h"
#include "forms/PowerOfAttorneyPage.h"
#include "forms/ProblemsPanel.h"
#include "forms/RecordCommands.h"
#include "forms/WindowLayout.h"
#include "platform/Prompts.h"
#include "platform/Settings.h"
#include "platform/WindowMessages.h"

namespace tavik {

using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;

namespace {

PromptIcon promptIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error: return PromptIcon::Error;
        case MessageIcon::Warning: return PromptIcon::Warning;
        case MessageIcon::Information: return PromptIcon::Information;
        case MessageIcon::Question: return PromptIcon::Question;
    }
    return PromptIcon::None;
}

int kindOfType(const QString& type) {
    if (type == QStringLiteral("AKTUALIZACJA")) return 1;
    if (type == QStringLiteral("WYKREŚLENIE")) return 2;
    return 0;
}

}  // namespace

TfrmData::TfrmData(QWidget* parent) : QWidget(parent), tree_(std::make_unique<DocumentTree>(3)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(icons::icon(icons::kDocumentWindow));
    msgWniosek_ = platform::registerWindowMessage(QStringLiteral("WNIOSEK"));
    msgZmianaWezla_ = platform::registerWindowMessage(QStringLiteral("ZMIANA WEZLA"));
    msgWnioski_ = platform::registerWindowMessage(QStringLiteral("WNIOSKI"));

    const LibraryState& library = LibraryState::instance();
    if (!library.ready()) {
        platform::showMessage(this,
                              QStringLiteral("Nie można utworzyć okna dokumentu: słownik kodów "
                                             "nie został wczytany.\nSprawdź katalog słowników w "
                                             "konfiguracji programu."),
                              QStringLiteral("Błąd"), PromptIcon::Error);
        return;
    }
    const Settings settings;
    if (settings.UndertakingName() == Settings::kNoUndertakingName) {
        platform::showMessage(this,
                              QStringLiteral("Nie można utworzyć okna dokumentu: w konfiguracji "
                                             "programu nie wybrano zakładu ubezpieczeń."),
                              QStringLiteral("Błąd"), PromptIcon::Error);
        return;
    }
    insurers_ = InsurerDirectory(*library.undertakings());
    const DictionaryList& operations = library.dictionary()->RodzajeOperacji;
    editor_ = std::make_unique<DocumentEditor>(*tree_, operations.empty() ? "<E>" : operations[0]);
    tree_->setRoot(std::make_unique<TRecZU>(forms::cp1250Of(settings.UndertakingCode()),
                                            forms::cp1250Of(settings.UndertakingName())));
    model_ = std::make_unique<DocumentTreeModel>(*tree_);
    model_->setWarningMarks(true);
    files_ = std::make_unique<DocumentFileCommands>(*this);
    records_ = std::make_unique<RecordCommands>(*this);

    buildActions();
    TreeView1 = makeRecordTreeView(model_.get(), this);
    TreeView1->setContextMenuPolicy(Qt::CustomContextMenu);
    TreeView1->addAction(DeleteNode);
    connect(TreeView1, &QTreeView::customContextMenuRequested, this,
            [this](const QPoint& at) { popupMenu->popup(TreeView1->viewport()->mapToGlobal(at)); });
    connect(TreeView1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid()) return;
                TreeView1->scrollTo(current);
                TreeView1->expand(current);
                guarded([&] { ChangeNode(model_->node(current)); });
            });
    connect(model_.get(), &DocumentTreeModel::strikeMarksChanged, TreeView1->viewport(),
            qOverload<>(&QWidget::update));
    connect(model_.get(), &DocumentTreeModel::strikeMarksChanged, this, &TfrmData::showModified);
    connect(model_.get(), &QAbstractItemModel::modelReset, this,
            [this] { TreeView1->expand(model_->indexOf(tree_->root())); });

    buildPages(settings);
    layOutTreeAndPages(this, TreeView1, tbshMain);

    TreeView1->expand(model_->indexOf(tree_->root()));
    pages_.agent->applyActivity();
    resetPageActions();
    ready_ = true;
    NewWniosekExecute();

    if (DocumentHost* host = library.host(); host && host->documentArea())
        connect(host->documentArea(), &QMdiArea::subWindowActivated, this,
                [this](QMdiSubWindow* window) {
                    if (window && window->widget() == this) tellApplicationCount();
                });
}

TfrmData::~TfrmData() {
    delete problems_;
    LibraryState::instance().removeWindow(this);
    if (TreeView1 && ready_) TreeView1->setModel(nullptr);
}

QAction* TfrmData::makeAction(const char* name, const QString& text, const QString& hint) {
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty()) setHint(action, hint);
    return action;
}

void TfrmData::buildActions() {
    const QString accept = QStringLiteral("Akceptuj zmiany");
    const QString abort = QStringLiteral("Anuluj");
    AddWniosek = makeAction("AddWniosek", QStringLiteral("Akceptuj"));
    AbortWniosek = makeAction("AbortWniosek", abort);
    AddAgent = makeAction("AddAgent", accept);
    AbortAgent = makeAction("AbortAgent", abort);
    AddZarzad = makeAction("AddZarzad", QStringLiteral("Członek zarządu"));
    AbortZarzad = makeAction("AbortZarzad", abort);
    AddPracownik = makeAction("AddPracownik", accept);
    AbortPrac = makeAction("AbortPrac", abort);
    AddPelnomoc = makeAction("AddPelnomoc", accept);
    AbortPelnomoc = makeAction("AbortPelnomoc", abort);
    AddPolisa = makeAction("AddPolisa", accept);
    AbortPolisa = makeAction("AbortPolisa", abort);

    NewWniosek = makeAction("NewWniosek", QStringLiteral("Nowy wniosek"),
                            QStringLiteral("Nowy wniosek|Dodaje nowy formularz wniosku"));
    NewAgent = makeAction("NewAgent", QStringLiteral("Nowy agent"),
                          QStringLiteral("Nowy agent|Otwarcie formularza agenta "));
    NewPrac = makeAction("NewPrac", QStringLiteral("Nowy pracownik"),
                         QStringLiteral("Nowy pracownik|Dodaje formularz nowego pracownika"));
    NewZarzad = makeAction("NewZarzad", QStringLiteral("Nowy czł. zarządu"));
    NewPelnomoc = makeAction("NewPelnomoc", QStringLiteral("Nowe pełnomocnictwo"),
                             QStringLiteral("Nowe pełnomocnictwo|Dodaje formularz pełnomocnictwa"));
    NewPolisa = makeAction("NewPolisa", QStringLiteral("Nowa polisa"),
                           QStringLiteral("Nowa polisa|Dodaje formularz polisy OC"));
    NewPrac->setEnabled(false);
    NewPolisa->setEnabled(false);
    DeleteNode = makeAction("DeleteNode", QStringLiteral("Usuń"));
    DeleteNode->setShortcut(QKeySequence::Delete);
    DeleteNode->setShortcutContext(Qt::WidgetShortcut);
    DeleteNode->setIcon(icons::icon(icons::kDelete));
    SaveToFileAction = makeAction("SaveToFile", QStringLiteral("Zapisz do pliku"));
    Export = makeAction("Export", QStringLiteral("Eksportuj"));
    Importuj = makeAction("Importuj", QStringLiteral("Importuj"));
    NextAction = makeAction("Next", QStringLiteral(">>>>"));
    Previous = makeAction("Previous", QStringLiteral("<<<<"));
    BeginAction = makeAction("Begin", QStringLiteral("||<<<<"));
    EndAction = makeAction("End", QStringLiteral(">>>>||"));
    Przesortuj = makeAction("Przesortuj", QStringLiteral("Przesortuj"));

    // Every command of the clerk's runs guarded: an exception is shown, never let through.
    const auto bind = [this](QAction* action, auto command) {
        connect(action, &QAction::triggered, this, [this, command] { guarded(command); });
    };
    RecordCommands* records = records_.get();
    bind(AddWniosek, [records] { records->AddWniosek(); });
    bind(AbortWniosek, [records] { records->AbortWniosek(); });
    bind(AddAgent, [records] { records->AddAgent(); });
    bind(AbortAgent, [records] { records->AbortAgent(); });
    bind(AddZarzad, [this] { records_->AddPerson(*pages_.zarzad); });
    bind(AbortZarzad, [this] { records_->AbortPerson(*pages_.zarzad); });
    bind(AddPracownik, [this] { records_->AddPerson(*pages_.pracownik); });
    bind(AbortPrac, [this] { records_->AbortPerson(*pages_.pracownik); });
    bind(AddPelnomoc, [records] { records->AddPelnomoc(); });
    bind(AbortPelnomoc, [records] { records->AbortPelnomoc(); });
    bind(AddPolisa, [records] { records->AddPolisa(); });
    bind(AbortPolisa, [records] { records->AbortPolisa(); });
    bind(NewWniosek, [this] { NewWniosekExecute(); });
    bind(NewAgent, [this] { NewAgentExecute(); });
    bind(NewPrac, [this] { NewPracExecute(); });
    bind(NewZarzad, [this] { NewZarzadExecute(); });
    bind(NewPelnomoc, [this] { NewPelnomocExecute(); });
    bind(NewPolisa, [this] { NewPolisaExecute(); });
    bind(DeleteNode, [this] { DeleteNodeExecute(); });
    bind(SaveToFileAction, [this] { SaveToFile(false); });
    bind(Export, [this] { ExportFile(); });
    bind(Importuj, [this] { ImportFile(); });
    bind(NextAction, [this] { Next(); });
    bind(Previous, [this] { Prev(); });
    bind(BeginAction, [this] { Begin(); });
    bind(EndAction, [this] { End(); });
    bind(Przesortuj, [this] { tree_->sortByText(); });

    popupMenu = new QMenu(this);
    popupMenu->setObjectName(QStringLiteral("PopupMenu1"));
    popupMenu->addActions({NewWniosek, NewAgent, NewPrac, NewZarzad, NewPolisa, NewPelnomoc});
    popupMenu->addSeparator();
    popupMenu->addAction(DeleteNode);
    popupMenu->addSeparator();
    popupMenu->addAction(Przesortuj);
}

void TfrmData::buildPages(const Settings& settings) {
    const LibraryState& library = LibraryState::instance();
    const Slownik& dictionary = *library.dictionary();
    tbshMain = new QTabWidget(this);
    tbshMain->setObjectName(QStringLiteral("tbshMain"));
    tbshMain->hide();
    pages_.wniosek = new ApplicationPage(dictionary);
    pages_.agent = new AgentPage(dictionary);
    pages_.zarzad = new PersonPage(PersonPage::Kind::Zarzad, dictionary);
    pages_.pracownik = new PersonPage(PersonPage::Kind::Pracownik, dictionary);
    pages_.pelnomocnictwo = new PowerOfAttorneyPage(dictionary, settings.InsuranceDivision());
    pages_.polisa = new PolicyPage(*library.undertakings());
    pages_.wniosek->setActions(AddWniosek, AbortWniosek);
    pages_.agent->setActions(AddAgent, AbortAgent);
    pages_.zarzad->setActions(AddZarzad, AbortZarzad, QStringLiteral("Akceptuj zmiany"));
    pages_.pracownik->setActions(AddPracownik, AbortPrac);
    pages_.pelnomocnictwo->setActions(AddPelnomoc, AbortPelnomoc);
    pages_.polisa->setActions(AddPolisa, AbortPolisa);

    const struct {
        RecordPage* page;
        const char* caption;
        int icon;
    } tabs[] = {{pages_.wniosek, "Wniosek", icons::kApplication},
                {pages_.agent, "Agent", icons::kAgent},
                {pages_.zarzad, "Członek zarządu", icons::kPerson},
                {pages_.pracownik, "Pracownik", icons::kEmployee},
                {pages_.pelnomocnictwo, "Pełnomocnictwo", icons::kPowerOfAttorney},
                {pages_.polisa, "Polisa", icons::kPolicy}};
    for (const auto& tab : tabs) {
        addPageTab(tbshMain, tab.page, tab.icon, QString::fromUtf8(tab.caption));
        connect(tab.page, &RecordPage::edited, this, &TfrmData::onPageEdited);
    }
    connect(pages_.agent, &AgentPage::activityChosen, this,
            [this](int position) { guarded([&] { records_->activityChosen(position); }); });
    connect(tbshMain, &QTabWidget::currentChanged, this, [this](int index) {
        if (!switchingPages_) tbshMainChange(index);
    });
    tbshMain->show();
}

RecordPage* TfrmData::page(int index) const {
    switch (index) {
        case PAGE_WNIOSEK: return pages_.wniosek;
        case PAGE_AGENT: return pages_.agent;
        case PAGE_ZARZAD: return pages_.zarzad;
        case PAGE_PRACOWNIK: return pages_.pracownik;
        case PAGE_PELNOMOCNICTWO: return pages_.pelnomocnictwo;
        case PAGE_POLISA: return pages_.polisa;
        default: return nullptr;
    }
}

TreeNode* TfrmData::selectedNode() const {
    return model_ ? model_->node(TreeView1->currentIndex()) : nullptr;
}

int TfrmData::currentPage() const {
    return tbshMain ? tbshMain->currentIndex() : -1;
}

void TfrmData::select(TreeNode* node) {
    if (!makeCurrent(TreeView1, model_->indexOf(node))) ChangeNode(node);
}

void TfrmData::showPage(int index) {
    switchingPages_ = true;
    tbshMain->setCurrentIndex(index);
    switchingPages_ = false;
}

void TfrmData::tellFrame(int notice, int flag) {
    platform::sendToMainWindow(msgZmianaWezla_, notice, flag);
}

void TfrmData::tellApplicationCount() {
    platform::sendToMainWindow(msgWnioski_, applicationCount_, 0);
}

template <class Command>
void TfrmData::guarded(Command command) {
    try {
        command();
    } catch (const std::exception& e) {
        showMessage({e.what(), "Błąd", MessageIcon::Error});
    } catch (...) {
        showMessage({"Wystąpił nieoczekiwany błąd.", "Błąd", MessageIcon::Error});
    }
}

EditContext TfrmData::editContext() const {
    return {selectedNode(), newRecordMode_, currentApplicationNode_};
}

void TfrmData::apply(EditOutcome outcome) {
    if (outcome.select) select(outcome.select);
    for (const UserMessage& message : outcome.messages)
        showMessage(message);
    if (outcome.newFormPage >= 0) {
        runNewForm(outcome.newFormPage);
        if (outcome.prefill) pages_.zarzad->showPerson(*outcome.prefill);
    }
    showModified();
    // A record's warnings may have come or gone with it.
    TreeView1->viewport()->update();
    if (problems_) problems_->scheduleRefresh();
    if (!outcome.question) return;
    const EditOutcome::Question& question = *outcome.question;
    const PromptAnswer answer = platform::ask(this, QString::fromStdString(question.text.text),
                                              QString::fromStdString(question.text.caption),
                                              promptIcon(question.text.icon), PromptButtons::YesNo);
    apply(answer == PromptAnswer::Yes ? question.yes() : question.no());
}

void TfrmData::setCaption(const QString& caption) {
    caption_ = caption;
    // The frame knows the window as a widget: it reads the file's name here.
    setProperty("caption", caption);
    setWindowTitle(caption + QStringLiteral("[*]"));
}

bool TfrmData::isModified() const {
    return (tree_ && tree_->changed()) || pageEdited_;
}

void TfrmData::showModified() {
    setWindowModified(isModified());
}

void TfrmData::documentOpened() {
    tbshMain->setTabVisible(PAGE_ZARZAD, fileVersion() > 1);
    applicationCount_ = tree_->applicationCount();
    tellApplicationCount();
    TreeNode* root = tree_->root();
    if (root->childCount() > 0) select(root->child(0));
    tree_->markSaved();
    showModified();
}

void TfrmData::documentSaved() {
    tree_->markSaved();
    showModified();
}

void TfrmData::importRecords(std::vector<ReadRecord> records) {
    for (const UserMessage& failure : tree_->importRecords(std::move(records)))
        showMessage(failure);
    applicationCount_ = tree_->applicationCount();
    if (tree_->root()->childCount() > 0) select(tree_->root()->child(0));
    tellApplicationCount();
    showModified();
}

void TfrmData::showMessage(const UserMessage& message) {
    platform::showMessage(this, QString::fromStdString(message.text),
                          QString::fromStdString(message.caption), promptIcon(message.icon));
}

void TfrmData::setStatus(const std::string& text) {
    if (DocumentHost* host = LibraryState::instance().host(); host && host->statusBar()) {
        host->statusBar()->showMessage(QString::fromStdString(text));
        host->statusBar()->repaint();
    }
}

void TfrmData::onPageEdited() {
    pageEdited_ = true;
    showModified();
}

QList<QAction*> TfrmData::pageActions() const {
    return {AddWniosek,   AbortWniosek, AddAgent,    AbortAgent,    AddZarzad, AbortZarzad,
            AddPracownik, AbortPrac,    AddPelnomoc, AbortPelnomoc, AddPolisa, AbortPolisa};
}

void TfrmData::resetPageActions() {
    for (QAction* a : pageActions())
        a->setEnabled(false);
    pageEdited_ = false;
    showModified();
}

void TfrmData::updateNewCommands() {
    const auto states = newCommandStates(selectedNode());
    if (!states) return;
    NewWniosek->setEnabled(states->wniosek);
    NewAgent->setEnabled(states->agent);
    NewPrac->setEnabled(states->pracownik);
    NewZarzad->setEnabled(states->zarzad);
    NewPelnomoc->setEnabled(states->pelnomocnictwo);
    NewPolisa->setEnabled(states->polisa);
    DeleteNode->setEnabled(states->deleteNode);
}

void TfrmData::ChangeNode(TreeNode* node) {
    if (!node) return;
    const SelectionPlan plan = planSelection(node);
    if (plan.frameNotice >= 0) tellFrame(plan.frameNotice, plan.frameFlag);
    if (plan.applicationNode) currentApplicationNode_ = plan.applicationNode;
    updateNewCommands();
    switch (plan.then) {
        case SelectionPlan::Then::SelectOther: select(plan.select); return;
        case SelectionPlan::Then::NewForm: runNewForm(plan.page); return;
        case SelectionPlan::Then::ShowRecord: showRecord(node, plan.page); return;
        case SelectionPlan::Then::Nothing: return;
    }
}

void TfrmData::showRecord(TreeNode* node, int pageIndex) {
    // An existing record is shown, whatever its check says: an accept edits it.
    newRecordMode_ = false;
    resetPageActions();
    showPage(pageIndex);
    TRecord* record = node->record();
    const TreeNode* application = DocumentTree::applicationOf(node);
    const auto* applicationRecord =
        application ? static_cast<const TRecWniosek*>(application->record()) : nullptr;
    std::optional<UserMessage> failure;
    switch (node->kind()) {
        case KIND_WNIOSEK: {
            auto& wniosek = static_cast<TRecWniosek&>(*record);
            auto* undertaking = static_cast<TRecZU*>(tree_->root()->record());
            wniosek.Zaklad = undertaking;
            // The list's name of the configured code; a code it lacks keeps the name it has.
            if (auto name = insurers_.nameOf(undertaking->KodZU.view()))
                undertaking->NazwaZU = *name;
            pages_.wniosek->showUndertaking(forms::qt(undertaking->KodZU.view()),
                                            forms::qt(undertaking->NazwaZU.view()));
            pages_.wniosek->showApplication(wniosek, DocumentEditor::deletionExtrasOf(node));
            failure = checkShownRecord(*node, fileVersion());
            break;
        }
        case KIND_AGENT: {
            const QString type = forms::qt(applicationRecord->TypWniosku.view());
            currentApplicationKind_ = applicationRecord->RodzajWniosku;
            pages_.agent->showAgent(static_cast<TRecAgenta&>(*record), currentApplicationKind_,
                                    type);
            showRecordTabs(currentApplicationKind_);
            failure = checkShownRecord(*node, fileVersion());
            break;
        }
        case KIND_ZARZAD:
        case KIND_PRACOWNIK: {
            PersonPage* personPage = node->kind() == KIND_ZARZAD ? pages_.zarzad : pages_.pracownik;
            personPage->showPerson(static_cast<TRecOsoba&>(*record));
            failure = checkShownRecord(*node, fileVersion());
            break;
        }
        case KIND_PELNOMOCNICTWO: {
            // Shown before its check, as every record is, so that a wrong stored value can be
            // put right.
            auto& power = static_cast<TRecPelnomocnictwo&>(*record);
            pages_.pelnomocnictwo->showPower(power);
            pages_.pelnomocnictwo->edRodzajUbezpieczenia->setEnabled(power.Agent &&
                                                                     power.Agent->ZWOLNIONY == "1");
            failure = checkShownRecord(*node, fileVersion());
            break;
        }
        case KIND_POLISA:
            pages_.polisa->showPolicy(static_cast<TRecPolisaOC&>(*record),
                                      insurers_.insurerNames());
            failure = checkShownRecord(*node, fileVersion());
            break;
        default: break;
    }
    if (failure) {
        showMessage(*failure);
        return;
    }
    if (auto warning = boardRuleOnSelection(*node, fileVersion())) {
        showMessage(*warning);
        showPage(PAGE_ZARZAD);
        tellFrame(PAGE_ZARZAD + 1, 0);
        select(DocumentTree::categoryOf(DocumentTree::agentOf(currentApplicationNode_),
                                        DocumentTree::ZARZAD));
    }
}

void TfrmData::tbshMainChange(int index) {
    TreeNode* selected = selectedNode();
    TreeNode* root = tree_->root();
    if (!selected || selected == root) {
        if (root->childCount() == 0) {
            platform::showMessage(this, QStringLiteral("Należy utworzyć WNIOSEK"),
                                  QStringLiteral("Komunikat"), PromptIcon::Warning);
            showPage(PAGE_WNIOSEK);
            return;
        }
        selected = root->child(0);
    }
    TreeNode* application = DocumentTree::applicationOf(selected);
    currentApplicationNode_ = application;
    TreeNode* agent = DocumentTree::agentOf(application);
    switch (index) {
        case PAGE_WNIOSEK:
            select(application);
            showPage(PAGE_WNIOSEK);
            AddWniosek->setEnabled(false);
            AbortWniosek->setEnabled(false);
            return;
        case PAGE_AGENT:
            if (!agent) {
                NewAgentExecute();
                return;
            }
            select(agent);
            showPage(PAGE_AGENT);
            AddAgent->setEnabled(false);
            AbortAgent->setEnabled(false);
            return;
        default: {
            if (!agent) {
                platform::showMessage(this,
                                      QStringLiteral("Należy wypełnić formularz wniosku AGENTA!"),
                                      QStringLiteral("Komunikat"), PromptIcon::Warning);
                showPage(PAGE_AGENT);
                return;
            }
            TreeNode* category =
                DocumentTree::categoryOf(agent, DocumentTree::Category(index - PAGE_ZARZAD));
            if (!category) return;  // a deletion's agent has no records below it
            select(category->childCount() > 0 ? category->child(0) : category);
            return;
        }
    }
}

void TfrmData::runNewForm(int pageIndex) {
    switch (pageIndex) {
        case PAGE_WNIOSEK: NewWniosekExecute(); break;
        case PAGE_AGENT: NewAgentExecute(); break;
        case PAGE_ZARZAD: NewZarzadExecute(); break;
        case PAGE_PRACOWNIK: NewPracExecute(); break;
        case PAGE_PELNOMOCNICTWO: NewPelnomocExecute(); break;
        case PAGE_POLISA: NewPolisaExecute(); break;
        default: break;
    }
}

void TfrmData::NewWniosekExecute() {
    // The root stands for "a new application of this undertaking"; selecting it here must not
    // move on to the first application.
    {
        const QSignalBlocker quiet(TreeView1->selectionModel());
        TreeView1->setCurrentIndex(model_->indexOf(tree_->root()));
    }
    TreeView1->viewport()->update();
    currentApplicationNode_ = nullptr;
    showPage(PAGE_WNIOSEK);
    const auto* undertaking = tree_->undertaking();
    pages_.wniosek->showUndertaking(forms::qt(undertaking->KodZU.view()),
                                    forms::qt(undertaking->NazwaZU.view()));
    pages_.wniosek->newForm(static_cast<int>(tree_->root()->childCount()) + 1);
    newForm(PAGE_WNIOSEK);
    updateNewCommands();
    tellFrame(0, 0);
}

void TfrmData::NewAgentExecute() {
    int kind = 0;
    QString type = QStringLiteral("WPIS");
    if (currentApplicationNode_ && currentApplicationNode_->hasRecord()) {
        const auto& application =
            static_cast<const TRecWniosek&>(*currentApplicationNode_->record());
        type = forms::qt(application.TypWniosku.view());
        kind = kindOfType(type);
    }
    newAgentForm(kind, type);
}

void TfrmData::showRecordTabs(int applicationKind) {
    // A deletion's agent has nothing below it; a version-1 file has no board members.
    const bool deletion = applicationKind == 2;
    for (int tab = PAGE_ZARZAD; tab <= PAGE_POLISA; ++tab)
        tbshMain->setTabVisible(tab, !deletion && (tab != PAGE_ZARZAD || fileVersion() > 1));
}

void TfrmData::newAgentForm(int kind, const QString& type) {
    currentApplicationKind_ = kind;
    showRecordTabs(kind);
    showPage(PAGE_AGENT);
    pages_.agent->newForm(kind, type);
    newForm(PAGE_AGENT);
}

void TfrmData::NewZarzadExecute() {
    showPage(PAGE_ZARZAD);
    pages_.zarzad->newForm();
    newForm(PAGE_ZARZAD);
}

void TfrmData::NewPracExecute() {
    showPage(PAGE_PRACOWNIK);
    pages_.pracownik->newForm();
    newForm(PAGE_PRACOWNIK);
}

void TfrmData::NewPelnomocExecute() {
    showPage(PAGE_PELNOMOCNICTWO);
    pages_.pelnomocnictwo->newForm();
    // The insurance kind is for an exempt agent only.
    const TreeNode* agent = DocumentTree::agentOf(currentApplicationNode_);
    pages_.pelnomocnictwo->edRodzajUbezpieczenia->setEnabled(
        agent && static_cast<const TRecAgenta*>(agent->record())->ZWOLNIONY == "1");
    newForm(PAGE_PELNOMOCNICTWO);
}

void TfrmData::NewPolisaExecute() {
    showPage(PAGE_POLISA);
    pages_.polisa->newForm();
    newForm(PAGE_POLISA);
}

void TfrmData::newForm(int pageIndex) {
    resetPageActions();
    newRecordMode_ = true;
    // A blank form can be accepted as it stands (a new application's number and date are
    // valid) or thrown away.
    const QList<QAction*> actions = pageActions();
    actions[2 * pageIndex]->setEnabled(true);
    actions[2 * pageIndex + 1]->setEnabled(true);
}

void TfrmData::ChangeTabView(int kind, const QString& caption) {
    const auto colour = [this](const QColor& c) {
        QPalette palette = pages_.agent->lblRodzajOp->palette();
        palette.setColor(QPalette::WindowText, c);
        pages_.agent->lblRodzajOp->setPalette(palette);
    };
    if (kind == 0 || kind == 1) {
        colour(kindColour(0));
        for (int tab : {PAGE_AGENT, PAGE_PRACOWNIK, PAGE_POLISA, PAGE_PELNOMOCNICTWO})
            tbshMain->setTabVisible(tab, true);
        newAgentForm(kind, caption);
        pages_.agent->lblNrzRejestru->show();
        pages_.agent->edNrEwidencyjny->show();
        pages_.agent->lblNrWRaAg->setVisible(kind == 1);
        pages_.agent->edID_Agenta->setVisible(kind == 1);
        if (kind == 1) colour(kindColour(1));
    } else if (kind == 2) {
        colour(kindColour(2));
        tbshMain->setTabVisible(PAGE_AGENT, true);
        for (int tab : {PAGE_PRACOWNIK, PAGE_POLISA, PAGE_PELNOMOCNICTWO})
            tbshMain->setTabVisible(tab, false);
        pages_.agent->layoutForKind(2, caption);
        pages_.agent->lblNrWRaAg->show();
        pages_.agent->edID_Agenta->show();
        pages_.agent->lblNrzRejestru->show();
        pages_.agent->edNrEwidencyjny->show();
        currentApplicationKind_ = 2;
    }
    pages_.agent->lblRodzajOp->setText(caption);
    AddAgent->setEnabled(true);
    AbortAgent->setEnabled(true);
}

bool TfrmData::Begin() {
    TreeNode* target = navigateBegin(*tree_, selectedNode());
    if (target) select(target);
    return target != nullptr;
}

bool TfrmData::End() {
    TreeNode* target = navigateEnd(*tree_, selectedNode());
    if (target) select(target);
    EndAction->setEnabled(target != nullptr);
    return target != nullptr;
}

bool TfrmData::Prev() {
    TreeNode* target = navigatePrevious(*tree_, selectedNode());
    if (target) select(target);
    Previous->setEnabled(target != nullptr);
    return target != nullptr;
}

bool TfrmData::Next() {
    TreeNode* target = navigateNext(*tree_, selectedNode());
    if (target) select(target);
    return target != nullptr;
}

void TfrmData::DeleteNodeExecute() {
    TreeNode* node = selectedNode();
    const auto question = tree_->strikeQuestion(node);
    if (!question) return;
    const PromptAnswer answer = platform::ask(this, QString::fromStdString(question->text),
                                              QString::fromStdString(question->caption),
                                              promptIcon(question->icon), PromptButtons::YesNo);
    if (answer != PromptAnswer::Yes) return;
    if (const auto refusal = tree_->toggleStrike(node)) showMessage(*refusal);
    showModified();
}

void TfrmData::showOutcome(const DocumentOutcome& outcome) {
    for (const UserMessage& message : outcome.messages)
        showMessage(message);
    if (outcome.page >= 0) showPage(outcome.page);
    if (outcome.frameNotice >= 0) tellFrame(outcome.frameNotice, 0);
    if (outcome.select) select(outcome.select);
}

void TfrmData::showProblems() {
    if (!problems_) {
        // Docked at the foot of the frame; without a frame, a window of its own over this one.
        DocumentHost* host = LibraryState::instance().host();
        auto* frame = host ? qobject_cast<QMainWindow*>(host->hostWindow()) : nullptr;
        problems_ = new ProblemsPanel(*this, *model_, frame ? static_cast<QWidget*>(frame) : this);
        if (frame) {
            frame->addDockWidget(Qt::BottomDockWidgetArea, problems_);
            frame->resizeDocks({problems_}, {170}, Qt::Vertical);
            // Each document keeps its own list: the lists share the place as tabs.
            for (ProblemsPanel* other : frame->findChildren<ProblemsPanel*>())
                if (other != problems_ && !other->isFloating() && other->isVisible()) {
                    frame->tabifyDockWidget(other, problems_);
                    break;
                }
        } else {
            problems_->setFloating(true);
            problems_->resize(760, 240);
        }
    }
    problems_->refresh();
    problems_->show();
    problems_->raise();
}

void TfrmData::openFile(const QString& path) {
    files_->open(path);
}

void TfrmData::SaveToFile(bool saveAs) {
    files_->save(saveAs);
}

void TfrmData::SaveToFiles() {
    files_->split();
}

void TfrmData::ExportFile() {
    files_->exportText();
}

void TfrmData::ImportFile() {
    files_->importText();
}

void TfrmData::ImportFiles(const QStringList& files) {
    files_->importTextFiles(files);
}

void TfrmData::closeEvent(QCloseEvent* event) {
    if (ready_ && !files_->mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    LibraryState::instance().removeWindow(this);
}

void TfrmData::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Hosted windows hear of their activation from the frame's area.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !parentWidget())
        tellApplicationCount();
}

}  // namespace tavik
