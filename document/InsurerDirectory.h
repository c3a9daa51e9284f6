#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "dictionary/ReadSlownik.h"

namespace tavik {

// The insurers of the dictionary's undertaking list: the name of a code (the policy page shows
// it) and the code of a name (older policies hold only the name).
class InsurerDirectory {
public:
    InsurerDirectory() = default;
    explicit InsurerDirectory(const ReadSlownik& undertakings);

    std::optional<std::string> nameOf(std::string_view code) const;
    std::optional<std::string> codeOf(std::string_view name) const;
    const std::map<std::string, std::string>& insurerNames() const { return namesByCode_; }

private:
    std::map<std::string, std::string> namesByCode_;  // ordered by code, as the window lists them
    std::unordered_map<std::string, std::string> codesByName_;
};

}  // namespace tavik
