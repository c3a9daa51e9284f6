#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/DocumentTree.h"
#include "document/DocumentVerification.h"
#include "document/InsurerDirectory.h"
#include "model/DataRecord3.h"

// A document tree and its files: opening an application file into the tree, saving and
// splitting through the version-3 document, and the text export. Dialogs stay with the window:
// these operations take the chosen names and say what the window must show.
namespace tavik {

// What happened, for the window to show in order and act on.
struct DocumentOutcome {
    bool ok = false;
    std::vector<UserMessage> messages;
    TreeNode* select = nullptr;
    int page = -1;
    int frameNotice = -1;
    std::vector<std::string> files;  // written
};

// The records a save hands to the document: the tree's own, or version-3 copies of the records
// of an older file, with their version-3 checksums.
class SaveList {
public:
    void add(DataRecord& document, TRecord* record, RecordKind kind);
    TRecord* keep(std::unique_ptr<TRecord> converted);

private:
    std::vector<std::unique_ptr<TRecord>> converted_;
    std::deque<_RecData> entries_;
};

// Reads the file into the tree (cleared first) under the configured undertaking; a file of no
// undertaking record gets the configured one as its root. Records that cannot be placed are
// reported in `placing`. The failure to read, as the window shows it, or nothing.
std::optional<UserMessage> openDocumentFile(DocumentTree& tree, const std::string& path,
                                            const TRecZU& configured, DocumentTree::SortOrder order,
                                            std::vector<UserMessage>* placing = nullptr);

// Lists the undertaking and every record not struck out in tree order, as version-3 records
// with their version-3 checksums. Fails when an older policy's insurer is not in the list.
std::optional<UserMessage> fillDocumentFromTree(const DocumentTree& tree, DataRecord3& document,
                                                SaveList& records,
                                                const InsurerDirectory& insurers);

// Saving: the version-1 refusal and the verification come before the window asks for a name;
// the writing after it.
DocumentOutcome prepareSave(DocumentTree& tree,
                            const std::function<void(const std::string&)>& progress = {});
DocumentOutcome writeDocument(const DocumentTree& tree, const std::string& path,
                              const InsurerDirectory& insurers);
DocumentOutcome saveDocument(DocumentTree& tree, const std::string& path,
                             const InsurerDirectory& insurers,
                             const std::function<void(const std::string&)>& progress = {});

// Splitting into one file per application: base is the folder followed by the file's name.
// All or nothing: a failure leaves every file of the folder as it was. The report names the
// source document (`source`: its path, or what an unnamed window is known by), not the base
// name, which is no file; an empty source names the base.
DocumentOutcome prepareSplit(DocumentTree& tree,
                             const std::function<void(const std::string&)>& progress = {});
DocumentOutcome writeSplit(const DocumentTree& tree, const std::string& folder,
                           const std::string& fileName, const InsurerDirectory& insurers,
                           const std::string& source = {});
DocumentOutcome splitDocument(DocumentTree& tree, const std::string& folder,
                              const std::string& fileName, const InsurerDirectory& insurers,
                              const std::function<void(const std::string&)>& progress = {},
                              const std::string& source = {});

// The text export: one line per record in tree order, struck-out records included.
std::vector<std::string> exportLines(const DocumentTree& tree, const InsurerDirectory& insurers);
// Writes the export; a document without applications is refused with "Brak danych do
// odczytu/zapisu w pliku!" (caption "Komunikat", error icon) and the file is not touched.
std::optional<UserMessage> exportDocument(const DocumentTree& tree, const std::string& path,
                                          const InsurerDirectory& insurers);

}  // namespace tavik
