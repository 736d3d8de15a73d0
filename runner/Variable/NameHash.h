// Hash maps keyed by variable names that can be searched with a string_view or a C text
// without building a std::string first.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

template <typename Value>
using NameMap = std::unordered_map<std::string, Value, NameHash, std::equal_to<>>;
