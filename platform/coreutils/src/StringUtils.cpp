#include "MirelCoreUtils/StringUtils.h"

#include "StringAlgorithms.h"

namespace MirelCoreUtils {

std::vector<std::string> split(const std::string& value, const std::string& separator) {
    return detail::splitAll(value, separator);
}

std::vector<std::wstring> split(const std::wstring& value, const std::wstring& separator) {
    return detail::splitAll(value, separator);
}

std::string trim(const std::string& value) {
    return detail::trimBoth(value);
}

std::wstring trim(const std::wstring& value) {
    return detail::trimBoth(value);
}

std::string trimleft(const std::string& value) {
    return detail::trimLeft(value);
}

std::wstring trimleft(const std::wstring& value) {
    return detail::trimLeft(value);
}

std::string toUppercase(const std::string& value) {
    return detail::upperAscii(value);
}

std::wstring toUppercase(const std::wstring& value) {
    return detail::upperAscii(value);
}

bool caseInsensitiveStringEquals(const std::string& a, const std::string& b) {
    return detail::equalsIgnoringAsciiCase(a, b);
}

bool caseInsensitiveStringEquals(const std::wstring& a, const std::wstring& b) {
    return detail::equalsIgnoringAsciiCase(a, b);
}

}  // namespace MirelCoreUtils
