// A hash map keyed by std::string that can be searched with a string_view
// without building a temporary string: the game looks names up constantly.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

struct TransparentStringHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const noexcept { return std::hash<std::string_view>{}(text); }
};

template <typename Value>
using StringMap = std::unordered_map<std::string, Value, TransparentStringHash, std::equal_to<>>;
