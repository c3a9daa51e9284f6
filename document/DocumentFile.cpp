#include "document/DocumentFile.h"

#include "interchange/TextExport.h"
#include "model/ApplicationFile.h"
#include "model/Cp1250.h"
#include "model/Exception.h"
#include "model/FileHeader.h"

namespace tavik {

namespace {

// The fields a record of an older class shares with its version-3 class come first in both, in
// the same order; the version-3 fields start as "<E>".
template <class From, class To>
std::unique_ptr<To> upgraded(const From& record) {
    auto copy = std::make_unique<To>();
    const auto from = record.fields();
    const auto to = copy->fields();
    for (std::size_t i = 0; i < from.size(); ++i)
        *to[i].field = *from[i].field;
    return copy;
}

UserMessage unknownInsurer(const TRecPolisaOC& policy) {
    return {"Nie można zapisać polisy " + cp1250::toUtf8(policy.ID_PolisyOC.view()) +
                " w pliku w wersji 3.0:\nzakład ubezpieczeń „" +
                cp1250::toUtf8(policy.Nazwa_zakladu.view()) + "” nie występuje w słowniku.",
            "Komunikat", MessageIcon::Error};
}

// The version-3 record of a record of the tree, or the failure to make it.
std::unique_ptr<TRecord> version3Copy(const TRecord& record, RecordKind kind,
                                      const InsurerDirectory& insurers,
                                      std::optional<UserMessage>& failure) {
    if (kind == KIND_AGENT) {
        auto agent = upgraded<TRecAgenta, TRecAgenta3>(static_cast<const TRecAgenta&>(record));
        agent->Wniosek = static_cast<const TRecAgenta&>(record).Wniosek;
        return agent;
    }
    const auto& policy = static_cast<const TRecPolisaOC&>(record);
    auto copy = upgraded<TRecPolisaOC, TRecPolisaOC3>(policy);
    copy->Agent = policy.Agent;
    if (auto code = insurers.codeOf(policy.Nazwa_zakladu.view())) {
        copy->Kod_ZU = *code;
    } else if (insurers.nameOf(policy.Nazwa_zakladu.view())) {
        copy->Kod_ZU = policy.Nazwa_zakladu;  // it holds the code already
    } else {
        failure = unknownInsurer(policy);
        return nullptr;
    }
    return copy;
}

DocumentOutcome refused(UserMessage message) {
    DocumentOutcome outcome;
    outcome.messages.push_back(std::move(message));
    return outcome;
}

DocumentOutcome afterVerification(VerificationResult verification, const char* stop) {
    DocumentOutcome outcome;
    outcome.ok = verification.ok;
    if (verification.ok) return outcome;
    if (verification.message) outcome.messages.push_back(*verification.message);
    outcome.messages.push_back({stop, "Komunikat", MessageIcon::Error});
    outcome.select = verification.select;
    outcome.page = verification.page;
    outcome.frameNotice = verification.frameNotice;
    return outcome;
}

}  // namespace

void SaveList::add(DataRecord& document, TRecord* record, RecordKind kind) {
    entries_.push_back({record, kind, 0});
    document.PobierzListe().push_back(&entries_.back());
}

TRecord* SaveList::keep(std::unique_ptr<TRecord> converted) {
    converted_.push_back(std::move(converted));
    return converted_.back().get();
}

std::optional<UserMessage> openDocumentFile(DocumentTree& tree, const std::string& path,
                                            const TRecZU& configured, DocumentTree::SortOrder order,
                                            std::vector<UserMessage>* placing) {
    std::vector<ReadRecord> records;
    int version = 0;
    try {
        std::unique_ptr<InputStream> handle;
        version = CzytajNaglowek(path, handle);
        std::unique_ptr<DataRecord> document = makeDocumentOfVersion(version);
        document->ZakladWzorcowy = std::make_unique<TRecZU>(configured);
        document->CzytajPlik(std::move(handle));
        records = document->TakeRecords();
    } catch (const Exception& e) {
        tree.clear();
        return UserMessage{"Wystąpił błąd przy odczycie pliku\n" + path + "\n" + e.message(),
                           "Komunikat", MessageIcon::Error};
    }
    tree.clear();
    tree.setFileVersion(version);
    std::vector<UserMessage> failures = tree.buildFromFile(std::move(records));
    if (!tree.root()) tree.setRoot(std::make_unique<TRecZU>(configured));
    tree.sortRecords(order);
    if (placing) *placing = std::move(failures);
    return std::nullopt;
}

std::optional<UserMessage> fillDocumentFromTree(const DocumentTree& tree, DataRecord3& document,
                                                SaveList& records,
                                                const InsurerDirectory& insurers) {
    const FileVersion& version3 = fileVersion3();
    static const CRC32 calc;
    std::optional<UserMessage> failure;
    tree.forEach([&](TreeNode& node) {
        if (failure || !node.hasRecord() || node.inStruckBranch()) return;
        const RecordKind kind = node.kind();
        const RecordFormat* format = version3.forKind(kind);
        TRecord* record = node.record();
        if (!format->fits(*record)) {
            record = records.keep(version3Copy(*record, kind, insurers, failure));
            if (failure) return;
        }
        // Checks normalise records and older records carry other checksums: the file gets the
        // checksum of what it stores.
        record->CRC = format->checksum(calc, *record);
        records.add(document, record, kind);
    });
    if (failure) document.PobierzListe().clear();
    return failure;
}

DocumentOutcome prepareSave(DocumentTree& tree,
                            const std::function<void(const std::string&)>& progress) {
    if (tree.fileVersion() == 1)
        return refused(
            {"Aktualny plik zapisany jest w wersji 1.0,\naby plik mógł zostać zapisany "
             "w wersji 3.0\nnależy uzupełnić informacje o członkach zarządu",
             "Komunikat", MessageIcon::Warning});
    return afterVerification(verifyDocument(tree, progress),
                             "Nie można zapisać struktury do pliku!");
}

DocumentOutcome writeDocument(const DocumentTree& tree, const std::string& path,
                              const InsurerDirectory& insurers) {
    DataRecord3 document;
    SaveList records;
    if (auto failure = fillDocumentFromTree(tree, document, records, insurers))
        return refused(*failure);
    if (document.GetRecordCountWn() > 1) {
        document.PobierzListe().clear();
        return refused(
            {"W pliku znajdować się może tylko JEDEN WNIOSEK\naby zapisać zmiany "
             "należy plik wyeksportować\ndo pliku CIA",
             "Informacja", MessageIcon::Information});
    }
    if (!document.ZapiszDoPliku(path)) return refused(document.lastFailure());
    DocumentOutcome outcome;
    outcome.ok = true;
    outcome.files.push_back(path);
    return outcome;
}

DocumentOutcome saveDocument(DocumentTree& tree, const std::string& path,
                             const InsurerDirectory& insurers,
                             const std::function<void(const std::string&)>& progress) {
    DocumentOutcome checked = prepareSave(tree, progress);
    return checked.ok ? writeDocument(tree, path, insurers) : checked;
}

DocumentOutcome prepareSplit(DocumentTree& tree,
                             const std::function<void(const std::string&)>& progress) {
    return afterVerification(verifyDocument(tree, progress), "Nie można Rozdzielic pliku ");
}

DocumentOutcome writeSplit(const DocumentTree& tree, const std::string& folder,
                           const std::string& fileName, const InsurerDirectory& insurers,
                           const std::string& source) {
    DataRecord3 document;
    SaveList records;
    if (auto failure = fillDocumentFromTree(tree, document, records, insurers))
        return refused(*failure);
    const std::string base = folder + "/" + fileName;
    DocumentOutcome outcome;
    outcome.ok = document.ZapiszDoPlikow(base);
    outcome.files = document.writtenFiles();
    if (!outcome.ok) {
        outcome.messages.push_back(document.lastFailure());
        return outcome;
    }
    outcome.messages.push_back({"Plik " + (source.empty() ? base : source) +
                                    "\nzostał rozdzielony\n na pojedyncze wnioski, zapisane w "
                                    "katalogu\n" +
                                    folder,
                                "Informacja", MessageIcon::Information});
    return outcome;
}

DocumentOutcome splitDocument(DocumentTree& tree, const std::string& folder,
                              const std::string& fileName, const InsurerDirectory& insurers,
                              const std::function<void(const std::string&)>& progress,
                              const std::string& source) {
    DocumentOutcome checked = prepareSplit(tree, progress);
    return checked.ok ? writeSplit(tree, folder, fileName, insurers, source) : checked;
}

std::vector<std::string> exportLines(const DocumentTree& tree, const InsurerDirectory& insurers) {
    std::vector<std::string> lines;
    if (tree.nodeCount() <= 1) return lines;
    ExportContext context;
    context.documentVersion = tree.fileVersion();
    context.insurerCodeForName = [&](std::string_view name) { return insurers.codeOf(name); };
    tree.forEach([&](TreeNode& node) {
        if (!node.hasRecord() || node.kind() == KIND_ZAKLAD) return;
        lines.push_back(exportLine(*node.record(), node.kind(), context));
    });
    return lines;
}

std::optional<UserMessage> exportDocument(const DocumentTree& tree, const std::string& path,
                                          const InsurerDirectory& insurers) {
    const std::vector<std::string> lines = exportLines(tree, insurers);
    // Nothing to export is refused as the save refuses it: the file chosen stays as it was.
    if (lines.empty())
        return UserMessage{"Brak danych do odczytu/zapisu w pliku!", "Komunikat",
                           MessageIcon::Error};
    UserMessage failure;
    if (writeExportFile(path, lines, failure)) return std::nullopt;
    return failure;
}

}  // namespace tavik
