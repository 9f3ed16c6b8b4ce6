#include "advanced/advanced_list.h"

#include "core/errors.h"
#include "core/text.h"

namespace zav {

std::int16_t AdvList::FindKey(std::string_view key) const {
    const auto it = byKey_.find(UCase(key));
    if (it == byKey_.end()) return -1;
    for (const std::int16_t position : it->second)
        if (!entries_[position - 1].deleted) return position;
    return -1;
}

std::int16_t AdvList::Resolve(const AdvIndex& index) const {
    if (const auto* key = std::get_if<std::string>(&index)) return FindKey(*key);
    const std::int16_t position = std::get<std::int16_t>(index);
    const std::int16_t lowest = entries_.empty() ? 0 : 1;
    return position >= lowest && position <= Count() ? position : -1;
}

void AdvList::Append(AdvEntry entry) {
    if (entries_.size() >= 32767) throw RuntimeError(kErrOverflow);
    const auto position = static_cast<std::int16_t>(entries_.size() + 1);
    byKey_[UCase(entry.key)].push_back(position);
    entries_.push_back(std::move(entry));
}

const AdvEntry& AdvList::At(std::int16_t position) const {
    return position == 0 ? placeholder_ : entries_.at(static_cast<std::size_t>(position - 1));
}

AdvEntry& AdvList::At(std::int16_t position) {
    return position == 0 ? placeholder_ : entries_.at(static_cast<std::size_t>(position - 1));
}

}  // namespace zav
