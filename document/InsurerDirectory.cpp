#include "document/InsurerDirectory.h"

namespace tavik {

InsurerDirectory::InsurerDirectory(const ReadSlownik& undertakings) {
    for (const auto& entry : undertakings.entries()) {
        namesByCode_.try_emplace(entry->Kod, entry->Nazwa);
        codesByName_.try_emplace(entry->Nazwa, entry->Kod);
    }
}

std::optional<std::string> InsurerDirectory::nameOf(std::string_view code) const {
    const auto found = namesByCode_.find(std::string(code));
    if (found == namesByCode_.end()) return std::nullopt;
    return found->second;
}

std::optional<std::string> InsurerDirectory::codeOf(std::string_view name) const {
    const auto found = codesByName_.find(std::string(name));
    if (found == codesByName_.end()) return std::nullopt;
    return found->second;
}

}  // namespace tavik
