// UTF-8 <-> UTF-32 conversion shared by the logging and core-utilities libraries.
#pragma once

#include <string>

#define OLVAR_API __attribute__((visibility("default")))

namespace olvar::utf8 {

// Values that are not Unicode scalar values (surrogates, above U+10FFFF) become U+FFFD.
OLVAR_API std::string fromWide(const std::wstring& value);

// Malformed input (stray continuation bytes, truncated or overlong sequences, encoded
// surrogates, values above U+10FFFF) becomes one U+FFFD per rejected byte run.
OLVAR_API std::wstring toWide(const std::string& value);

}  // namespace olvar::utf8
