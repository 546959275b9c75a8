// Width-independent string algorithms behind the narrow and wide helpers.
#pragma once

#include <string>
#include <vector>

namespace MirelCoreUtils::detail {

template <typename Char>
bool isBlank(Char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

template <typename Char>
Char asciiUpper(Char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<Char>(c - 'a' + 'A') : c;
}

template <typename Char>
Char asciiLower(Char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<Char>(c - 'A' + 'a') : c;
}

template <typename Char>
std::basic_string<Char> trimLeft(const std::basic_string<Char>& value) {
    std::size_t first = 0;
    while (first < value.size() && isBlank(value[first])) ++first;
    return value.substr(first);
}

template <typename Char>
std::basic_string<Char> trimBoth(const std::basic_string<Char>& value) {
    std::size_t first = 0;
    std::size_t last = value.size();
    while (first < last && isBlank(value[first])) ++first;
    while (last > first && isBlank(value[last - 1])) --last;
    return value.substr(first, last - first);
}

// An empty separator cannot cut anything: the whole input is the only part.
template <typename Char>
std::vector<std::basic_string<Char>> splitAll(const std::basic_string<Char>& value,
                                              const std::basic_string<Char>& separator) {
    std::vector<std::basic_string<Char>> parts;
    if (value.empty()) return parts;
    if (separator.empty()) {
        parts.push_back(value);
        return parts;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t found = value.find(separator, start);
        if (found == std::basic_string<Char>::npos) {
            parts.push_back(value.substr(start));
            return parts;
        }
        parts.push_back(value.substr(start, found - start));
        start = found + separator.size();
    }
}

template <typename Char>
std::basic_string<Char> upperAscii(std::basic_string<Char> value) {
    for (Char& c : value) c = asciiUpper(c);
    return value;
}

template <typename Char>
bool equalsIgnoringAsciiCase(const std::basic_string<Char>& a, const std::basic_string<Char>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    }
    return true;
}

}  // namespace MirelCoreUtils::detail
