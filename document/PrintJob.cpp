#include "document/PrintJob.h"

#include "document/DocumentTree.h"
#include "model/Cp1250.h"
#include "model/Exception.h"
#include "model/FileStreams.h"

namespace tavik {

TreeNode* applicationNumber(const DocumentTree& tree, int n) {
    const TreeNode* root = tree.root();
    if (!root || n < 1 || static_cast<std::size_t>(n) > root->childCount()) return nullptr;
    return root->child(static_cast<std::size_t>(n) - 1);
}

std::optional<std::string> printRefusal(const TreeNode& node) {
    if (!node.hasRecord() || node.kind() != KIND_WNIOSEK)
        return "Zaznaczony element nie jest wnioskiem.";
    const auto& application = static_cast<const TRecWniosek&>(*node.record());
    const std::string number = cp1250::toUtf8(application.NumerWniosku.view());
    if (templateNameFor(application).empty())
        return "Wniosek nr " + number +
               " ma nieznany rodzaj: " + cp1250::toUtf8(application.TypWniosku.view()) + ".";
    if (!DocumentTree::agentOf(&node)) return "Wniosek nr " + number + " nie ma agenta.";
    return std::nullopt;
}

std::string printedApplication(const std::string& templatesFolder, const TreeNode& application,
                               const PrintSettings& settings) {
    const std::string path =
        templatesFolder + "/" +
        templateNameFor(static_cast<const TRecWniosek&>(*application.record()));
    std::string bytes, reason;
    if (!readWholeFile(path, bytes, &reason))
        throw Exception("Nie można odczytać szablonu " + path + ": " + reason + ".");
    return fillTemplate(bytes, application, settings);
}

}  // namespace tavik
