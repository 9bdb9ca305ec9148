// Names given to some of a fixed range of numbers (tiles, sounds): only the named numbers take
// memory, so a table that no file fills costs nothing, however many numbers it spans.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace korvel {

class NameTable {
public:
    explicit NameTable(size_t count) : count_(count) {}

    // How many numbers the table spans (0..size()-1), named or not.
    size_t size() const { return count_; }
    // The name of number i; empty when it has none or lies outside the table. The reference
    // stays valid until that number is named again or the table is cleared.
    const std::string& operator[](size_t i) const {
        static const std::string kNone;
        const auto it = names_.find(i);
        return it == names_.end() ? kNone : it->second;
    }
    // Names number i; an empty name takes the name away. Numbers outside the table are ignored.
    void set(size_t i, std::string_view name) {
        if (i >= count_) return;
        if (name.empty())
            names_.erase(i);
        else
            names_[i] = std::string(name);
    }
    void clear() { names_.clear(); }
    // How many numbers have a name.
    size_t namedCount() const { return names_.size(); }

private:
    size_t count_;
    std::map<size_t, std::string> names_;
};

}  // namespace korvel
