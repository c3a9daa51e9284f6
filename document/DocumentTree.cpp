#include "document/DocumentTree.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <unordered_map>

#include "document/ResponseView.h"
#include "model/Cp1250.h"
#include "model/Cp1250Literal.h"

namespace tavik {

namespace {

constexpr Cp1250Literal kZarzad{"Zarząd"};
constexpr Cp1250Literal kPracownicy{"Pracownicy"};
constexpr Cp1250Literal kPelnomocnictwa{"Pełnomocnictwa"};
constexpr Cp1250Literal kPolisy{"Polisy"};
constexpr Cp1250Literal kOdpowiedz{"Odpowiedź-"};
constexpr std::string_view kCategoryTexts[] = {kZarzad.view(), kPracownicy.view(),
                                               kPelnomocnictwa.view(), kPolisy.view()};
constexpr int kCategoryIcons[] = {DocumentTree::kIconBoardMember, DocumentTree::kIconEmployee,
                                  DocumentTree::kIconPowerOfAttorney, DocumentTree::kIconPolicy};

// A response record stands where the record it answers stands.
RecordKind answeredKind(RecordKind kind) {
    switch (kind) {
        case KIND_ODPOWIEDZ: return KIND_WNIOSEK;
        case KIND_AGENT_ODP: return KIND_AGENT;
        case KIND_PRACOWNIK_ODP: return KIND_PRACOWNIK;
        case KIND_PELNOMOCNICTWO_ODP: return KIND_PELNOMOCNICTWO;
        case KIND_POLISA_ODP: return KIND_POLISA;
        case KIND_ZARZAD_ODP: return KIND_ZARZAD;
        default: return kind;
    }
}

int categoryOfKind(RecordKind kind) {
    switch (answeredKind(kind)) {
        case KIND_ZARZAD: return DocumentTree::ZARZAD;
        case KIND_PRACOWNIK: return DocumentTree::PRACOWNICY;
        case KIND_PELNOMOCNICTWO: return DocumentTree::PELNOMOCNICTWA;
        case KIND_POLISA: return DocumentTree::POLISY;
        default: return -1;
    }
}

int iconOfKind(RecordKind kind) {
    switch (answeredKind(kind)) {
        case KIND_WNIOSEK: return DocumentTree::kIconApplication;
        case KIND_AGENT: return DocumentTree::kIconAgent;
        case KIND_PRACOWNIK: return DocumentTree::kIconEmployee;
        case KIND_POLISA: return DocumentTree::kIconPolicy;
        case KIND_PELNOMOCNICTWO: return DocumentTree::kIconPowerOfAttorney;
        case KIND_ZARZAD: return DocumentTree::kIconBoardMember;
        default: return TreeNode::kNoIcon;
    }
}

const char* failureToAdd(RecordKind kind) {
    switch (kind) {
        case KIND_WNIOSEK: return "Wystąpił wyjątek przy dodawaniu wniosku!";
        case KIND_AGENT: return "Wystąpił wyjątek przy dodawaniu agenta!";
        case KIND_ZARZAD: return "Wystąpił wyjątek przy dodawaniu członka zarządu!";
        case KIND_PRACOWNIK: return "Wystąpił wyjątek przy dodawaniu pracownika!";
        case KIND_PELNOMOCNICTWO: return "Wystąpił wyjątek przy dodawaniu pelnomocnictwa!";
        case KIND_ODPOWIEDZ: return "Wystąpił wyjątek przy dodawaniu wniosku!";
        case KIND_AGENT_ODP: return "Wystąpił wyjątek przy dodawaniu agenta!";
        case KIND_ZARZAD_ODP: return "Wystąpił wyjątek przy dodawaniu czł. zarządu!";
        case KIND_PRACOWNIK_ODP: return "Wystąpił wyjątek przy dodawaniu pracownika!";
        default: return "Wystąpił wyjątek przy dodawaniu polisy!";
    }
}

bool isDeletion(const TRecWniosek& application) {
    return application.RodzajWniosku == 2;
}

// The record order of the settings: applications by their agents; agents by their
// application's kind, name and NIP; employees by their names; everything else alike. The key is
// taken from the records once per node, not once per comparison.
struct RecordSortKey {
    RecordKind kind = KIND_ZAKLAD;  // of the compared record; the undertaking: no order at all
    int applicationKind = -1;
    bool bytewise = false;  // the register's answers compare their texts byte by byte
    std::array<std::string_view, 4> texts;  // in the records, which outlive the sort
};

RecordSortKey recordSortKey(const TreeNode& node) {
    const TreeNode* compared = &node;
    if (node.hasRecord() && node.kind() == KIND_WNIOSEK) {
        if (node.childCount() == 0) return {};
        compared = node.child(0);
    }
    RecordSortKey key;
    if (!compared->hasRecord()) return key;
    if (compared->kind() == KIND_AGENT) {
        const auto& agent = static_cast<const TRecAgenta&>(*compared->record());
        key.kind = KIND_AGENT;
        key.applicationKind = agent.Wniosek ? agent.Wniosek->RodzajWniosku : -1;
        key.texts = {agent.NazwaAgenta.view(), agent.NIP_AGENTA.view()};
    } else if (compared->kind() == KIND_AGENT_ODP) {
        const auto& agent = static_cast<const TRecAgenta&>(*compared->record());
        key.kind = KIND_AGENT_ODP;
        key.bytewise = true;
        key.texts = {agent.NazwaAgenta.view(), agent.Nazwisko.view(), agent.Imie.view(),
                     agent.PESEL.view()};
    } else if (compared->kind() == KIND_PRACOWNIK || compared->kind() == KIND_PRACOWNIK_ODP) {
        const auto& person = static_cast<const TRecOsoba&>(*compared->record());
        key.kind = compared->kind();
        key.bytewise = compared->kind() == KIND_PRACOWNIK_ODP;
        key.texts = {person.Nazwisko.view(), person.Nazwisko_drugi_czlon.view(), person.Imie.view(),
                     person.Imie2.view()};
    }
    return key;
}

int compareRecordKeys(const RecordSortKey& a, const RecordSortKey& b) {
    if (a.kind == KIND_ZAKLAD || a.kind != b.kind) return 0;
    if (a.applicationKind != b.applicationKind)
        return a.applicationKind < b.applicationKind ? -1 : 1;
    for (std::size_t i = 0; i < a.texts.size(); ++i) {
        const int c = a.bytewise ? a.texts[i].compare(b.texts[i])
                                 : cp1250::compareText(a.texts[i], b.texts[i]);
        if (c != 0) return c < 0 ? -1 : 1;
    }
    return 0;
}

// The children of an agent are its four categories: found by position, never reordered.
bool keepsItsOrder(const TreeNode& parent) {
    return parent.hasRecord() && (parent.kind() == KIND_AGENT || parent.kind() == KIND_AGENT_ODP);
}

}  // namespace

// Tells the observer of one reset or reorder, and keeps the steps inside it quiet.
class DocumentTree::Notice {
public:
    enum Kind { Reset, Reorder };
    Notice(DocumentTree& tree, Kind kind) : tree_(tree), kind_(kind) {
        told_ = tree_.observer_ && tree_.quiet_ == 0;
        if (told_)
            kind_ == Reset ? tree_.observer_->beforeReset() : tree_.observer_->beforeReorder();
        ++tree_.quiet_;
    }
    ~Notice() {
        --tree_.quiet_;
        if (told_) kind_ == Reset ? tree_.observer_->afterReset() : tree_.observer_->afterReorder();
    }
    Notice(const Notice&) = delete;
    Notice& operator=(const Notice&) = delete;

private:
    DocumentTree& tree_;
    Kind kind_;
    bool told_;
};

const DeletionExtras& TreeNode::pendingDeletion() const {
    static const DeletionExtras kNone;
    return pendingDeletion_ ? *pendingDeletion_ : kNone;
}

void TreeNode::setPendingDeletion(const DeletionExtras& extras) {
    if (extras == DeletionExtras{})
        pendingDeletion_.reset();
    else
        pendingDeletion_ = std::make_unique<DeletionExtras>(extras);
}

bool TreeNode::inStruckBranch() const {
    for (const TreeNode* n = this; n; n = n->parent_)
        if (n->hasRecord() && n->struck()) return true;
    return false;
}

int TreeNode::level() const {
    int depth = 0;
    for (const TreeNode* n = parent_; n; n = n->parent_)
        ++depth;
    return depth;
}

DocumentTree::DocumentTree(int fileVersion) : fileVersion_(fileVersion) {}

DocumentTree::~DocumentTree() = default;

void DocumentTree::clear() {
    Notice notice(*this, Notice::Reset);
    root_.reset();
    nodeCount_ = 0;
    changed_ = false;
}

TreeNode* DocumentTree::setRoot(std::unique_ptr<TRecZU> undertaking) {
    Notice notice(*this, Notice::Reset);
    clear();
    root_ = std::make_unique<TreeNode>();
    root_->text_ = undertaking->NazwaZU.str();
    root_->entry_ = {undertaking.get(), KIND_ZAKLAD, 0};
    root_->record_ = std::move(undertaking);
    nodeCount_ = 1;
    return root_.get();
}

const TRecZU* DocumentTree::undertaking() const {
    return root_ ? static_cast<const TRecZU*>(root_->record()) : nullptr;
}

std::string DocumentTree::nodeText(const TRecord& record, RecordKind kind, int positionInCategory) {
    switch (kind) {
        case KIND_ZAKLAD: return static_cast<const TRecZU&>(record).NazwaZU.str();
        case KIND_WNIOSEK: return static_cast<const TRecWniosek&>(record).NumerWniosku.str();
        case KIND_AGENT: return static_cast<const TRecAgenta&>(record).NazwaAgenta.str();
        case KIND_PRACOWNIK: {
            const auto& p = static_cast<const TRecOsoba&>(record);
            return (p.Nazwisko.isEmpty() ? p.Numer_w_RA : p.Nazwisko).str();
        }
        case KIND_ZARZAD: return static_cast<const TRecOsoba&>(record).Nazwisko.str();
        case KIND_POLISA:
            return "Polisa - " + static_cast<const TRecPolisaOC&>(record).ID_PolisyOC.str();
        case KIND_ODPOWIEDZ:
            return std::string(kOdpowiedz.view()) +
                   static_cast<const TRecOdpowiedz&>(record).NrOdpowiedzi.str();
        case KIND_AGENT_ODP:
        case KIND_ZARZAD_ODP:
        case KIND_PRACOWNIK_ODP:
        case KIND_POLISA_ODP: return nodeText(record, answeredKind(kind), positionInCategory);
        case KIND_PELNOMOCNICTWO_ODP:
        case KIND_PELNOMOCNICTWO: {
            char number[16];
            std::snprintf(number, sizeof number, "%06d", positionInCategory);
            return std::string("Pelnomocnictwo LP - ") + number;
        }
        default: return {};
    }
}

void DocumentTree::renumber(TreeNode* parent, std::size_t from) {
    for (std::size_t i = from; i < parent->children_.size(); ++i)
        parent->children_[i]->row_ = static_cast<int>(i);
}

TreeNode* DocumentTree::insertAt(TreeNode* parent, std::unique_ptr<TreeNode> node,
                                 std::size_t row) {
    const bool tell = observer_ && quiet_ == 0;
    if (tell) observer_->beforeInsert(parent, static_cast<int>(row));
    node->parent_ = parent;
    std::size_t added = 1;
    for (const auto& c : node->children_)
        added += 1 + c->children_.size();
    nodeCount_ += added;
    auto& siblings = parent->children_;
    TreeNode* inserted =
        siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(row), std::move(node))
            ->get();
    renumber(parent, row);
    if (tell) observer_->afterInsert();
    return inserted;
}

TreeNode* DocumentTree::insertSorted(TreeNode* parent, std::unique_ptr<TreeNode> node) {
    auto& siblings = parent->children_;
    if (!sortOnInsert_ || keepsItsOrder(*parent))
        return insertAt(parent, std::move(node), siblings.size());
    const auto at = std::upper_bound(siblings.begin(), siblings.end(), node->text_,
                                     [](const std::string& text, const auto& sibling) {
                                         return cp1250::compareText(text, sibling->text_) < 0;
                                     });
    return insertAt(parent, std::move(node), static_cast<std::size_t>(at - siblings.begin()));
}

TreeNode* DocumentTree::addApplication(std::unique_ptr<TRecWniosek> application) {
    if (!root_ || !application) return nullptr;
    application->Zaklad = static_cast<TRecZU*>(root_->record());
    auto node = std::make_unique<TreeNode>();
    node->text_ = nodeText(*application, KIND_WNIOSEK, 0);
    node->icon_ = kIconApplication;
    node->entry_ = {application.get(), KIND_WNIOSEK, 0};
    node->record_ = std::move(application);
    changed_ = true;
    return insertSorted(root_.get(), std::move(node));
}

TreeNode* DocumentTree::addAgent(TreeNode* application, std::unique_ptr<TRecAgenta> agent,
                                 int icon) {
    if (!application || !agent || !application->hasRecord() ||
        application->kind() != KIND_WNIOSEK || application->childCount() > 0)
        return nullptr;
    auto* app = static_cast<TRecWniosek*>(application->record());
    agent->Wniosek = app;
    app->Agent = agent.get();
    auto node = std::make_unique<TreeNode>();
    node->text_ = nodeText(*agent, KIND_AGENT, 0);
    node->icon_ = icon;
    node->entry_ = {agent.get(), KIND_AGENT, 0};
    node->record_ = std::move(agent);
    if (!isDeletion(*app))
        for (int c = ZARZAD; c <= POLISY; ++c)
            node->children_.push_back(categoryNode(node.get(), c));
    changed_ = true;
    return insertSorted(application, std::move(node));
}

std::unique_ptr<TreeNode> DocumentTree::categoryNode(TreeNode* agent, int category) {
    auto node = std::make_unique<TreeNode>();
    node->text_ = std::string(kCategoryTexts[category]);
    node->icon_ = kCategoryIcons[category];
    node->category_ = category;
    node->parent_ = agent;
    node->row_ = category;
    return node;
}

void DocumentTree::removeBelow(TreeNode* agent) {
    if (!agent) return;
    while (!agent->children_.empty()) {
        const std::size_t row = agent->children_.size() - 1;
        const bool tell = observer_ && quiet_ == 0;
        if (tell) observer_->beforeRemove(agent, static_cast<int>(row));
        std::unique_ptr<TreeNode> removed = std::move(agent->children_.back());
        agent->children_.pop_back();
        nodeCount_ -= 1 + removed->childCount();
        removed.reset();
        changed_ = true;
        if (tell) observer_->afterRemove();
    }
}

void DocumentTree::addCategories(TreeNode* agent) {
    if (!agent || !agent->hasRecord() || agent->kind() != KIND_AGENT || agent->childCount() > 0)
        return;
    for (int c = ZARZAD; c <= POLISY; ++c)
        insertAt(agent, categoryNode(agent, c), static_cast<std::size_t>(c));
    changed_ = true;
}

TreeNode* DocumentTree::addRecord(TreeNode* agent, std::unique_ptr<TRecord> record,
                                  RecordKind kind) {
    const int categoryIndex = categoryOfKind(kind);
    if (!agent || !record || categoryIndex < 0 || !agent->hasRecord() ||
        agent->kind() != KIND_AGENT || agent->childCount() != 4)
        return nullptr;
    auto* owner = static_cast<TRecAgenta*>(agent->record());
    switch (kind) {
        case KIND_PRACOWNIK:
        case KIND_ZARZAD: static_cast<TRecOsoba&>(*record).Agent = owner; break;
        case KIND_POLISA: static_cast<TRecPolisaOC&>(*record).Agent = owner; break;
        default: static_cast<TRecPelnomocnictwo&>(*record).Agent = owner; break;
    }
    TreeNode* category = agent->child(static_cast<std::size_t>(categoryIndex));
    auto node = std::make_unique<TreeNode>();
    node->text_ = nodeText(*record, kind, static_cast<int>(category->childCount()) + 1);
    node->icon_ = iconOfKind(kind);
    node->entry_ = {record.get(), kind, 0};
    node->record_ = std::move(record);
    changed_ = true;
    return insertSorted(category, std::move(node));
}

void DocumentTree::renewText(TreeNode* node) {
    if (!node || !node->hasRecord() || node->kind() == KIND_PELNOMOCNICTWO) return;
    Notice notice(*this, Notice::Reorder);
    changed_ = true;
    node->text_ = nodeText(*node->record(), node->kind(), 0);
    TreeNode* parent = node->parent_;
    if (!parent || keepsItsOrder(*parent)) return;
    // Take it out and put it back in its place.
    auto& siblings = parent->children_;
    std::unique_ptr<TreeNode> taken = std::move(siblings[static_cast<std::size_t>(node->row_)]);
    siblings.erase(siblings.begin() + node->row_);
    renumber(parent, static_cast<std::size_t>(node->row_));
    nodeCount_ -= 1;
    for (const auto& c : taken->children_)
        nodeCount_ -= 1 + c->children_.size();
    insertSorted(parent, std::move(taken));
}

namespace {

// Sorts a sibling list stably by keys taken from its nodes once; a list already in order is
// left alone.
template <class KeyOf, class Compare>
void sortSiblings(std::vector<std::unique_ptr<TreeNode>>& children, const KeyOf& keyOf,
                  const Compare& compare) {
    using Key = decltype(keyOf(*children.front()));
    if (children.size() < 2) return;
    std::vector<std::pair<Key, std::unique_ptr<TreeNode>>> keyed;
    keyed.reserve(children.size());
    for (auto& child : children)
        keyed.emplace_back(keyOf(*child), std::move(child));
    const auto less = [&](const auto& a, const auto& b) { return compare(a.first, b.first) < 0; };
    if (!std::is_sorted(keyed.begin(), keyed.end(), less))
        std::stable_sort(keyed.begin(), keyed.end(), less);
    for (std::size_t i = 0; i < keyed.size(); ++i)
        children[i] = std::move(keyed[i].second);
}

}  // namespace

template <class KeyOf, class Compare>
void DocumentTree::sortChildren(TreeNode* parent, const KeyOf& keyOf, const Compare& compare) {
    if (parent->children_.size() > 1 && !keepsItsOrder(*parent)) {
        sortSiblings(parent->children_, keyOf, compare);
        renumber(parent);
    }
    for (const auto& child : parent->children_)
        if (!child->children_.empty()) sortChildren(child.get(), keyOf, compare);
}

void DocumentTree::sortRecords(SortOrder order) {
    if (!root_ || order == SortOrder::Insertion) return;
    Notice notice(*this, Notice::Reorder);
    const int sign = order == SortOrder::Ascending ? 1 : -1;
    const auto compare = [sign](const RecordSortKey& a, const RecordSortKey& b) {
        return sign * compareRecordKeys(a, b);
    };
    // Only applications (by their agents) and employees have an order of their own; all else
    // compares equal and keeps its place, so nothing else is visited.
    sortSiblings(root_->children_, recordSortKey, compare);
    renumber(root_.get());
    for (const auto& application : root_->children_) {
        TreeNode* employees = categoryOf(agentOf(application.get()), PRACOWNICY);
        if (employees && employees->childCount() > 1) {
            sortSiblings(employees->children_, recordSortKey, compare);
            renumber(employees);
        }
    }
}

void DocumentTree::sortByText() {
    if (!root_) return;
    Notice notice(*this, Notice::Reorder);
    sortChildren(
        root_.get(), [](const TreeNode& node) { return std::string_view(node.text()); },
        [](std::string_view a, std::string_view b) { return cp1250::compareText(a, b); });
}

TreeNode* DocumentTree::place(ReadRecord& entry, TreeNode*& lastApplication, TreeNode*& lastAgent,
                              bool linkToLastAgent) {
    switch (entry.kind) {
        case KIND_WNIOSEK: {
            std::unique_ptr<TRecWniosek> app(static_cast<TRecWniosek*>(entry.record.release()));
            return lastApplication = addApplication(std::move(app));
        }
        case KIND_AGENT: {
            std::unique_ptr<TRecAgenta> agent(static_cast<TRecAgenta*>(entry.record.release()));
            // A file links its agent to the application before it; so does an import.
            TreeNode* application = lastApplication;
            if (agent->Wniosek && lastApplication && lastApplication->record() != agent->Wniosek)
                application = nullptr;
            TreeNode* node = addAgent(application, std::move(agent));
            lastAgent = node;
            return node;
        }
        default: {
            TreeNode* agent = lastAgent;
            if (!linkToLastAgent) {
                // Records of a file carry the link to their agent.
                const TRecAgenta* owner = nullptr;
                if (entry.kind == KIND_POLISA)
                    owner = static_cast<TRecPolisaOC&>(*entry.record).Agent;
                else if (entry.kind == KIND_PELNOMOCNICTWO)
                    owner = static_cast<TRecPelnomocnictwo&>(*entry.record).Agent;
                else
                    owner = static_cast<TRecOsoba&>(*entry.record).Agent;
                if (!lastAgent || lastAgent->record() != owner) agent = nullptr;
            }
            return addRecord(agent, std::move(entry.record), entry.kind);
        }
    }
}

std::vector<UserMessage> DocumentTree::buildFromFile(std::vector<ReadRecord> records) {
    Notice notice(*this, Notice::Reset);
    std::vector<UserMessage> failures;
    sortOnInsert_ = false;
    TreeNode* lastApplication = nullptr;
    TreeNode* lastAgent = nullptr;
    for (ReadRecord& entry : records) {
        if (entry.kind == KIND_ZAKLAD) {
            // The file's undertaking is the root; a file holds one.
            if (!root_)
                setRoot(std::unique_ptr<TRecZU>(static_cast<TRecZU*>(entry.record.release())));
            continue;
        }
        const RecordKind kind = entry.kind;
        if (!place(entry, lastApplication, lastAgent, false))
            failures.push_back({failureToAdd(kind), "Błąd", MessageIcon::Error});
    }
    sortOnInsert_ = true;
    sortByText();
    changed_ = false;  // as the file holds it
    return failures;
}

std::vector<UserMessage> DocumentTree::buildFromResponse(const std::string& fileName,
                                                         std::vector<ReadRecord> records) {
    Notice notice(*this, Notice::Reset);
    clear();
    root_ = std::make_unique<TreeNode>();
    root_->text_ = fileName;
    nodeCount_ = 1;
    std::vector<UserMessage> failures;
    TreeNode* header = nullptr;
    TreeNode* agent = nullptr;
    for (ReadRecord& entry : records) {
        const RecordKind kind = entry.kind;
        const int category = categoryOfKind(kind);
        TreeNode* parent = kind == KIND_ODPOWIEDZ   ? root_.get()
                           : kind == KIND_AGENT_ODP ? header
                           : category >= 0 && kind >= KIND_ODPOWIEDZ && agent
                               ? agent->child(static_cast<std::size_t>(category))
                               : nullptr;
        // Records of the application kinds, and records before their header or agent, have
        // no place in an answer.
        if (!parent) {
            if (kind == KIND_AGENT_ODP)
                failures.push_back({failureToAdd(kind), "Błąd", MessageIcon::Error});
            continue;
        }
        if (kind == KIND_ODPOWIEDZ) {  // the reader leaves the kind to its text; drawn by it
            auto& response = static_cast<TRecOdpowiedz&>(*entry.record);
            response.RodzajWniosku = answeredApplicationKind(response.TypWniosku);
        }
        auto node = std::make_unique<TreeNode>();
        node->text_ = nodeText(*entry.record, kind, static_cast<int>(parent->childCount()) + 1);
        node->icon_ = iconOfKind(kind);
        node->entry_ = {entry.record.get(), kind, 0};
        node->record_ = std::move(entry.record);
        if (kind == KIND_AGENT_ODP)
            for (int c = ZARZAD; c <= POLISY; ++c)
                node->children_.push_back(categoryNode(node.get(), c));
        TreeNode* added = insertAt(parent, std::move(node), parent->childCount());
        if (kind == KIND_ODPOWIEDZ) header = added, agent = nullptr;
        if (kind == KIND_AGENT_ODP) agent = added;
    }
    // The window's tree keeps its nodes in the order of their texts, then of their records.
    sortByText();
    sortRecords(SortOrder::Ascending);
    changed_ = false;
    return failures;
}

std::vector<UserMessage> DocumentTree::importRecords(std::vector<ReadRecord> records) {
    Notice notice(*this, Notice::Reset);
    std::vector<UserMessage> failures;
    sortOnInsert_ = false;
    TreeNode* lastApplication = nullptr;
    TreeNode* lastAgent = nullptr;
    for (ReadRecord& entry : records) {
        const RecordKind kind = entry.kind;
        if (kind == KIND_ZAKLAD) continue;
        if (!place(entry, lastApplication, lastAgent, true))
            failures.push_back({failureToAdd(kind), "Błąd", MessageIcon::Error});
    }
    sortOnInsert_ = true;
    sortByText();
    sortRecords(SortOrder::Ascending);
    changed_ = true;  // imported records are lost unless saved
    return failures;
}

TreeNode* DocumentTree::next(const TreeNode* node) const {
    if (!node) return nullptr;
    if (node->childCount() > 0) return node->child(0);
    for (const TreeNode* n = node; n->parent_; n = n->parent_)
        if (static_cast<std::size_t>(n->row_) + 1 < n->parent_->childCount())
            return n->parent_->child(static_cast<std::size_t>(n->row_) + 1);
    return nullptr;
}

TreeNode* DocumentTree::previous(const TreeNode* node) const {
    if (!node || !node->parent_) return nullptr;
    if (node->row_ == 0) return node->parent_;
    TreeNode* n = node->parent_->child(static_cast<std::size_t>(node->row_) - 1);
    while (n->childCount() > 0)
        n = n->child(n->childCount() - 1);
    return n;
}

TreeNode* DocumentTree::last() const {
    TreeNode* n = root_.get();
    while (n && n->childCount() > 0)
        n = n->child(n->childCount() - 1);
    return n;
}

void DocumentTree::forEach(const std::function<void(TreeNode&)>& visit) const {
    for (TreeNode* n = root_.get(); n; n = next(n))
        visit(*n);
}

TreeNode* DocumentTree::agentOf(const TreeNode* application) {
    return application && application->childCount() > 0 ? application->child(0) : nullptr;
}

TreeNode* DocumentTree::applicationOf(const TreeNode* node) {
    while (node && node->level() > 1)
        node = node->parent_;
    return node && node->level() == 1 ? const_cast<TreeNode*>(node) : nullptr;
}

TreeNode* DocumentTree::categoryOf(const TreeNode* agent, Category category) {
    return agent && agent->childCount() == 4 ? agent->child(category) : nullptr;
}

std::optional<UserMessage> DocumentTree::strikeQuestion(const TreeNode* node) const {
    if (!node || node == root_.get() || !node->hasRecord()) return std::nullopt;
    if (node->struck())
        return UserMessage{"Czy przywrócić usunięty element?", "Informacja", MessageIcon::Warning};
    return UserMessage{
        "Czy zaznaczyć wybrany element do usunięcia?\nSkreślone elementy nie zostaną zapisane do "
        "pliku",
        "Ostrzeżenie", MessageIcon::Warning};
}

void DocumentTree::markSubtree(TreeNode* node, std::uint8_t mark) {
    if (node->hasRecord()) node->entry_.struck = mark;
    for (const auto& child : node->children_)
        markSubtree(child.get(), mark);
}

std::optional<UserMessage> DocumentTree::toggleStrike(TreeNode* node) {
    if (!node || node == root_.get() || !node->hasRecord()) return std::nullopt;
    const std::uint8_t mark = node->struck() ? 0 : 1;
    switch (node->kind()) {
        case KIND_WNIOSEK: markSubtree(node, mark); break;
        case KIND_AGENT:
            markSubtree(node, mark);
            node->parent_->entry_.struck = mark;
            break;
        default: {
            const TreeNode* agent = node->parent_ ? node->parent_->parent_ : nullptr;
            if (agent && agent->struck())
                return UserMessage{"Nie można przywrócić usuniętego elementu!", "Komunikat",
                                   MessageIcon::Error};
            node->entry_.struck = mark;
        }
    }
    changed_ = true;
    if (observer_ && quiet_ == 0) observer_->marksChanged();
    return std::nullopt;
}

}  // namespace tavik
