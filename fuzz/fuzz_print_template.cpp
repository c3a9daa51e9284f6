// The page filler on any template bytes, over a sample document with every kind of record: it
// must never crash, leak or hang, copy a template without tags byte for byte, and fill the
// same template the same way twice.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/DocumentFile.h"
#include "document/DocumentTree.h"
#include "document/PrintPage.h"
#include "model/FileStreams.h"
#include "tools/samples/SampleDocuments.h"

namespace {

using namespace tavik;

void require(bool condition) {
    if (!condition) std::abort();
}

// An entry, an update and a deletion, each with its agent and (but the deletion) every
// category filled.
const DocumentTree& sampleTree() {
    static const std::unique_ptr<DocumentTree> tree = [] {
        samples::SampleShape shape;
        shape.applications = 3;
        char folder[] = "/tmp/fuzz-print-XXXXXX";
        require(::mkdtemp(folder) != nullptr);
        const std::string path = std::string(folder) + "/wnioski.rpa";
        require(writeWholeFile(path, samples::sampleFileBytes(3, shape, 11)));
        auto built = std::make_unique<DocumentTree>(3);
        require(!openDocumentFile(*built, path, samples::sampleUndertaking(),
                                  DocumentTree::SortOrder::Insertion));
        std::remove(path.c_str());
        ::rmdir(folder);
        return built;
    }();
    return *tree;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const PrintSettings settings{"Kraków", "ANNA ŻÓŁĆ", "DZIAŁ", "2026-12-07"};
    const TreeNode& root = *sampleTree().root();
    for (const auto& application : root.children()) {
        const std::string page = fillTemplate(bytes, *application, settings);
        if (bytes.find("<#") == std::string_view::npos) require(page == bytes);
        require(fillTemplate(bytes, *application, settings) == page);
    }
    return 0;
}
