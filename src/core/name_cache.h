// Field lookups by name for callers that name fields by the same texts record after record (literals):
// a small table remembers, per address and length of a name, the position it was found at, so each name
// is resolved once per record layout. Every hit compares the text again, so a name whose storage was
// reused for another text never finds the wrong field.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zav {

class NameCache {
  public:
    // The remembered position of `name`, or -1; `nameAt(position)` gives the name at a position.
    template <typename NameAt>
    int Find(std::string_view name, NameAt&& nameAt) const {
        const Entry& e = entries_[Slot(name)];
        if (e.data != name.data() || e.size != name.size() || e.position < 0) return -1;
        return std::string_view(nameAt(e.position)) == name ? e.position : -1;
    }
    void Remember(std::string_view name, int position) { entries_[Slot(name)] = {name.data(), name.size(), position}; }
    void Clear() { entries_.fill(Entry{}); }

  private:
    struct Entry {
        const char* data = nullptr;
        std::size_t size = 0;
        int position = -1;
    };
    static constexpr std::size_t kSlots = 256;
    static std::size_t Slot(std::string_view name) {
        const auto p = reinterpret_cast<std::uintptr_t>(name.data());
        return (p ^ (p >> 8) ^ (name.size() * 31)) & (kSlots - 1);
    }
    std::array<Entry, kSlots> entries_{};
};

}  // namespace zav
