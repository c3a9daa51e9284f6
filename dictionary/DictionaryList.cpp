#include "dictionary/DictionaryList.h"

namespace tavik {

void DictionaryList::add(std::string text) {
    firstIndex_.try_emplace(text, static_cast<int>(items_.size()));
    items_.push_back(std::move(text));
}

void DictionaryList::clear() {
    items_.clear();
    firstIndex_.clear();
}

int DictionaryList::IndexOf(std::string_view text) const {
    const auto found = firstIndex_.find(std::string(text));
    return found == firstIndex_.end() ? -1 : found->second;
}

}  // namespace tavik
