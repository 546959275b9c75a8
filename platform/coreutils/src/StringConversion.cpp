#include <climits>

#include "MirelCoreUtils/StringUtils.h"
#include "StringAlgorithms.h"
#include "olvar/Utf8.h"

namespace MirelCoreUtils {

std::string toString(const std::wstring& value) {
    return olvar::utf8::fromWide(value);
}

std::wstring toWideString(const std::string& value) {
    return olvar::utf8::toWide(value);
}

std::string toString(const wchar_t* value) {
    return value ? olvar::utf8::fromWide(value) : std::string();
}

std::wstring toWideString(const char* value) {
    return value ? olvar::utf8::toWide(value) : std::wstring();
}

std::string toString(int value) {
    return std::to_string(value);
}

std::string toString(long value) {
    return std::to_string(value);
}

std::string toString(bool value) {
    return value ? "true" : "false";
}

std::wstring toWideString(int value) {
    return std::to_wstring(value);
}

std::wstring toWideString(long value) {
    return std::to_wstring(value);
}

std::wstring toWideString(bool value) {
    return value ? L"true" : L"false";
}

int toInt(const std::wstring& value, int defaultValue) {
    const std::wstring text = detail::trimBoth(value);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    if (i == text.size()) {
        return defaultValue;
    }
    // Accumulated as a negative number so that INT_MIN parses without overflow.
    long long result = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') {
            return defaultValue;
        }
        result = result * 10 - (text[i] - L'0');
        if (result < INT_MIN) {
            return defaultValue;
        }
    }
    if (!negative) {
        result = -result;
        if (result > INT_MAX) {
            return defaultValue;
        }
    }
    return static_cast<int>(result);
}

bool toBool(const std::wstring& value) {
    const std::wstring word = detail::trimBoth(value);
    for (const wchar_t* accepted : {L"true", L"1", L"yes", L"on"}) {
        if (detail::equalsIgnoringAsciiCase(word, std::wstring(accepted))) {
            return true;
        }
    }
    return false;
}

}  // namespace MirelCoreUtils
