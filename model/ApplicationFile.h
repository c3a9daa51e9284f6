#pragma once

#include <memory>
#include <string>

#include "model/DataRecord3.h"

namespace tavik {

// The document class of a file version (1, 2 or 3); null for any other number.
std::unique_ptr<DataRecord> makeDocumentOfVersion(int version);

// Opens an application file as the document window does: the header gives the version, the
// document of that version reads every record under the configured undertaking. Raises
// tavik::Exception with the refusal's message.
std::unique_ptr<DataRecord> readApplicationFile(const std::string& path, const TRecZU& configured);
std::unique_ptr<DataRecord> readApplicationFile(InputStream& in, const TRecZU& configured);

}  // namespace tavik
