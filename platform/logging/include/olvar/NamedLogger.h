// A logger looked up once per name: `constexpr auto logger = &olvar::namedLogger<"x-Y">;` in a
// source file gives it the `logger()` its log calls use.
#pragma once

#include <algorithm>
#include <cstddef>

#include "olvar/OlvarLog.h"

namespace olvar {

// A string literal usable as a template argument.
template <std::size_t N>
struct LoggerName {
    constexpr LoggerName(const char (&text)[N]) { std::copy_n(text, N, value); }
    char value[N];
};

template <LoggerName Name>
OlvarLoggerHandle namedLogger() {
    static const OlvarLoggerHandle handle = OlvarLogger_getLogger(Name.value);
    return handle;
}

}  // namespace olvar
