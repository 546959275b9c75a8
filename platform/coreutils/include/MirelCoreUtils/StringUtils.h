// String helpers shared by the client's modules.
#pragma once

#include <string>
#include <vector>

#define OLVAR_API __attribute__((visibility("default")))

namespace MirelCoreUtils {

// UTF-8 <-> wide (UTF-32 on this platform). Invalid UTF-8 bytes become U+FFFD;
// wide values that are not Unicode scalar values are written as U+FFFD.
OLVAR_API std::string toString(const std::wstring& value);
OLVAR_API std::wstring toWideString(const std::string& value);
// Without these, a string literal would pick the bool overloads below; null gives "".
OLVAR_API std::string toString(const wchar_t* value);
OLVAR_API std::wstring toWideString(const char* value);

OLVAR_API std::string toString(int value);
OLVAR_API std::string toString(long value);
OLVAR_API std::string toString(bool value);          // "true" / "false"
OLVAR_API std::wstring toWideString(int value);
OLVAR_API std::wstring toWideString(long value);
OLVAR_API std::wstring toWideString(bool value);     // L"true" / L"false"

// Decimal integer with optional sign and surrounding blanks; anything else
// (empty, trailing garbage, out of int range) gives defaultValue.
OLVAR_API int toInt(const std::wstring& value, int defaultValue);

// True for "true", "1", "yes" and "on" in any letter case, surrounding blanks ignored;
// everything else is false.
OLVAR_API bool toBool(const std::wstring& value);

// Splits at every occurrence of separator. Adjacent separators give empty fields and
// are kept, so joining the parts with the separator restores the input exactly.
// An empty input gives no parts.
OLVAR_API std::vector<std::string> split(const std::string& value, const std::string& separator);
OLVAR_API std::vector<std::wstring> split(const std::wstring& value, const std::wstring& separator);

// Remove spaces, tabs, carriage returns, line feeds, vertical tabs and form feeds:
// trim at both ends, trimleft at the start only. Removing '\r' lets files edited on
// systems with CRLF line ends read like any other.
OLVAR_API std::string trim(const std::string& value);
OLVAR_API std::wstring trim(const std::wstring& value);
OLVAR_API std::string trimleft(const std::string& value);
OLVAR_API std::wstring trimleft(const std::wstring& value);

// ASCII letters only; other bytes and characters are left as they are.
OLVAR_API std::string toUppercase(const std::string& value);
OLVAR_API std::wstring toUppercase(const std::wstring& value);

OLVAR_API bool caseInsensitiveStringEquals(const std::string& a, const std::string& b);
OLVAR_API bool caseInsensitiveStringEquals(const std::wstring& a, const std::wstring& b);

}  // namespace MirelCoreUtils
