#pragma once
// TRecList: an ordered list of byte blocks, each entry holding its own copy of the bytes.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

class TRecList {
public:
    void Add(const void* data, std::size_t size) {
        const auto* p = static_cast<const char*>(data);
        entries_.emplace_back(p, p + size);
    }
    void Add(std::string_view bytes) { entries_.emplace_back(bytes.begin(), bytes.end()); }
    std::size_t Count() const { return entries_.size(); }
    // Copies min(entry size, capacity) bytes of entry `index` (0-based) into destination and
    // returns how many were copied; an index out of range copies nothing.
    std::size_t Get(std::size_t index, void* destination, std::size_t capacity) const {
        if (index >= entries_.size()) return 0;
        const auto& e = entries_[index];
        const std::size_t n = std::min(e.size(), capacity);
        if (n) std::memcpy(destination, e.data(), n);
        return n;
    }
    std::string_view operator[](std::size_t index) const {
        const auto& e = entries_.at(index);
        return {e.data(), e.size()};
    }
    void Clear() { entries_.clear(); }

private:
    std::vector<std::vector<char>> entries_;
};

}  // namespace quill
