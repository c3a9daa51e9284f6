#include "forms/TfrmOdpowiedz.h"

#include <QCloseEvent>
#include <QFile>
#include <QTabWidget>
#include <QTreeView>

#include "document/ResponseView.h"
#include "flatpaint/IconLibrary.h"
#include "forms/DocumentTreeModel.h"
#include "forms/LibraryState.h"
#include "forms/ResponsePages.h"
#include "forms/WindowLayout.h"
#include "interchange/ReadOdp.h"
#include "model/Exception.h"
#include "model/FileStreams.h"
#include "platform/Prompts.h"
#include "platform/WindowMessages.h"

namespace tavik {

using platform::PromptIcon;

TfrmOdpowiedz::TfrmOdpowiedz(QWidget* parent)
    : QWidget(parent), model_(std::make_unique<DocumentTreeModel>(tree_)) {
    setObjectName(QStringLiteral("frmOdpowiedz"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(icons::icon(icons::kDocumentWindow));
    // Registered as every document window does; this one has nothing to tell the frame.
    msgWniosek_ = platform::registerWindowMessage(QStringLiteral("WNIOSEK"));
    msgZmianaWezla_ = platform::registerWindowMessage(QStringLiteral("ZMIANA WEZLA"));

    TreeView1 = makeRecordTreeView(model_.get(), this);
    connect(TreeView1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid()) return;
                TreeView1->scrollTo(current);
                TreeView1->expand(current);
                ChangeNodeExecute(model_->node(current));
            });
    connect(model_.get(), &QAbstractItemModel::modelReset, this,
            [this] { TreeView1->expand(model_->indexOf(tree_.root())); });
    buildPages();
    layOutTreeAndPages(this, TreeView1, tbshMain);
}

TfrmOdpowiedz::~TfrmOdpowiedz() = default;

void TfrmOdpowiedz::buildPages() {
    tbshMain = new QTabWidget(this);
    tbshMain->setObjectName(QStringLiteral("tbshMain"));
    tbshWniosek = new ResponseHeaderPage;
    tbshAgent = new ResponseAgentPage;
    tabZarzOdp = new ResponsePersonPage(ResponsePersonPage::Kind::Zarzad);
    tbshPracownik = new ResponsePersonPage(ResponsePersonPage::Kind::Pracownik);
    tbshPelnomoc = new ResponsePowerOfAttorneyPage;
    tbshPolisa = new ResponsePolicyPage;
    addPageTab(tbshMain, tbshWniosek, icons::kApplication, QStringLiteral("Odpowiedź"));
    addPageTab(tbshMain, tbshAgent, icons::kAgent, QStringLiteral("Agent"));
    addPageTab(tbshMain, tabZarzOdp, icons::kPerson, QStringLiteral("Członek zarządu"));
    addPageTab(tbshMain, tbshPracownik, icons::kEmployee, QStringLiteral("Pracownik"));
    addPageTab(tbshMain, tbshPelnomoc, icons::kPowerOfAttorney, QStringLiteral("Pełnomocnictwo"));
    addPageTab(tbshMain, tbshPolisa, icons::kPolicy, QStringLiteral("Polisa"));
    connect(tbshMain, &QTabWidget::currentChanged, this, [this](int index) {
        if (!switchingPages_) tbshMainChange(index);
    });
}

bool TfrmOdpowiedz::LoadResponse(const QString& path, const std::string& undertakingCode) {
    try {
        const std::string fileName = QFile::encodeName(path).toStdString();
        std::string text, reason;
        if (!readWholeFile(fileName, text, &reason)) throw Exception(reason);
        std::unique_ptr<ReadOdp> reader = responseReaderFor(text, undertakingCode);
        if (!reader) {
            fail(QStringLiteral("Błędny format pliku odpowiedzi"));
            return false;
        }
        formatVersion_ = responseFileVersion(text);
        reader->Czytaj(text);
        text = {};
        for (const UserMessage& failure :
             tree_.buildFromResponse(path.toStdString(), reader->TakeRecords()))
            platform::showMessage(this, QString::fromStdString(failure.text),
                                  QString::fromStdString(failure.caption), PromptIcon::Error);
    } catch (const std::exception& e) {
        fail(QStringLiteral("Wystąpił błąd przy odczycie pliku\n") + path + QLatin1Char('\n') +
             QString::fromUtf8(e.what()));
        return false;
    }
    if (tree_.nodeCount() >= 2) select(tree_.root()->child(0));
    caption_ = path;
    setProperty("caption", path);
    setWindowTitle(path);
    return true;
}

void TfrmOdpowiedz::fail(const QString& text) {
    // A window that is not shown yet tells over the frame.
    QWidget* over = this;
    if (const DocumentHost* host = LibraryState::instance().host(); host && !isVisible())
        over = const_cast<DocumentHost*>(host)->hostWindow();
    platform::showMessage(over, text, QStringLiteral("Komunikat"), PromptIcon::Error);
    close();
}

TreeNode* TfrmOdpowiedz::selectedNode() const {
    return model_->node(TreeView1->currentIndex());
}

int TfrmOdpowiedz::currentPage() const {
    return tbshMain->currentIndex();
}

void TfrmOdpowiedz::select(TreeNode* node) {
    if (!makeCurrent(TreeView1, model_->indexOf(node))) ChangeNodeExecute(node);
}

void TfrmOdpowiedz::ChangeNodeExecute(TreeNode* node) {
    follow(planResponseSelection(node), node);
}

void TfrmOdpowiedz::tbshMainChange(int index) {
    follow(planResponseTab(tree_, selectedNode(), index), nullptr);
}

void TfrmOdpowiedz::follow(const SelectionPlan& plan, TreeNode* node) {
    if (plan.applicationNode) currentApplicationNode_ = plan.applicationNode;
    switch (plan.then) {
        case SelectionPlan::Then::SelectOther: select(plan.select); break;
        case SelectionPlan::Then::ShowRecord: showRecord(*node, plan.page); break;
        case SelectionPlan::Then::NewForm: clearPage(plan.page); break;
        case SelectionPlan::Then::Nothing: break;
    }
}

void TfrmOdpowiedz::showRecord(TreeNode& node, int page) {
    showPage(page);
    const TRecord* record = node.record();
    switch (node.kind()) {
        case KIND_ODPOWIEDZ: tbshWniosek->show(static_cast<const TRecOdpowiedz&>(*record)); break;
        case KIND_AGENT_ODP: tbshAgent->show(static_cast<const TRecAgentOdp&>(*record)); break;
        case KIND_ZARZAD_ODP: {
            const auto& member = static_cast<const TRecZarzadOdp&>(*record);
            tabZarzOdp->show(member, member);
            break;
        }
        case KIND_PRACOWNIK_ODP: {
            const auto& employee = static_cast<const TRecPracownikOdp&>(*record);
            tbshPracownik->show(employee, employee);
            break;
        }
        case KIND_PELNOMOCNICTWO_ODP:
            tbshPelnomoc->show(static_cast<const TRecPelnomocnictwo&>(*record));
            break;
        case KIND_POLISA_ODP: tbshPolisa->show(static_cast<const TRecPolisaOC&>(*record)); break;
        default: break;
    }
}

void TfrmOdpowiedz::clearPage(int page) {
    showPage(page);
    switch (page) {
        case PAGE_WNIOSEK: tbshWniosek->clear(); break;
        case PAGE_AGENT: tbshAgent->clear(); break;
        case PAGE_ZARZAD: tabZarzOdp->clear(); break;
        case PAGE_PRACOWNIK: tbshPracownik->clear(); break;
        case PAGE_PELNOMOCNICTWO: tbshPelnomoc->clear(); break;
        case PAGE_POLISA: tbshPolisa->clear(); break;
        default: break;
    }
}

void TfrmOdpowiedz::showPage(int page) {
    switchingPages_ = true;
    tbshMain->setCurrentIndex(page);
    switchingPages_ = false;
}

void TfrmOdpowiedz::closeEvent(QCloseEvent* event) {
    event->accept();
    LibraryState::instance().removeWindow(this);
}

}  // namespace tavik
