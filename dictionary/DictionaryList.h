#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavik {

// A list of code page 1250 texts in file order (the order combo boxes show), that also tells
// at once whether a text is in it: every line of an import is checked against such lists.
class DictionaryList {
public:
    void add(std::string text);
    void clear();

    // The first index of the text (exact comparison), or -1.
    int IndexOf(std::string_view text) const;
    bool contains(std::string_view text) const { return IndexOf(text) >= 0; }

    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    const std::string& operator[](std::size_t i) const { return items_[i]; }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<std::string> items_;
    std::unordered_map<std::string, int> firstIndex_;
};

// One dictionary entry: name, code and division; "<E>" where not given.
struct DictItem {
    std::string Nazwa = "<E>";
    std::string Kod = "<E>";
    std::string Dzial = "<E>";
    virtual ~DictItem() = default;
};

// An undertaking as the configuration dialog reads it, with two further texts.
struct DictItem3 : DictItem {
    std::string Dodatkowe1 = "<E>";
    std::string Dodatkowe2 = "<E>";
};

}  // namespace tavik
