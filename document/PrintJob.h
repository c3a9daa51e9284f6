#pragma once

#include <optional>
#include <string>

#include "document/PrintPage.h"

// Printing an application of a document: which one, whether it can be, and its filled page.
namespace tavik {

class DocumentTree;

// The n-th application of a document in tree order, counted from 1; null when there is none.
TreeNode* applicationNumber(const DocumentTree& tree, int n);

// Why the application node cannot be printed (Polish), or nothing: it must be an application
// with its agent, of a kind that has a template.
std::optional<std::string> printRefusal(const TreeNode& node);

// The page of an application printRefusal accepts: the template of its kind read from the
// folder and filled. Throws Exception when the template cannot be read.
std::string printedApplication(const std::string& templatesFolder, const TreeNode& application,
                               const PrintSettings& settings);

}  // namespace tavik
