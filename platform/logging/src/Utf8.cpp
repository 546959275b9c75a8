#include "olvar/Utf8.h"

static_assert(sizeof(wchar_t) == 4, "wide strings are expected to hold UTF-32");

namespace olvar::utf8 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isScalarValue(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

void append(std::string& out, char32_t c) {
    if (!isScalarValue(c)) {
        c = kReplacement;
    }
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Length of the sequence announced by a lead byte, 0 when the byte cannot start one.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

constexpr char32_t kSmallestOfLength[] = {0, 0, 0x80, 0x800, 0x10000};

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

std::string fromWide(const std::wstring& value) {
    std::string out;
    out.reserve(value.size());
    for (wchar_t c : value) {
        append(out, static_cast<char32_t>(c));
    }
    return out;
}

std::wstring toWide(const std::string& value) {
    std::wstring out;
    out.reserve(value.size());
    std::size_t i = 0;
    while (i < value.size()) {
        const auto lead = static_cast<unsigned char>(value[i]);
        const std::size_t length = sequenceLength(lead);
        if (length == 0) {
            out += static_cast<wchar_t>(kReplacement);
            ++i;
            continue;
        }
        if (length == 1) {
            out += static_cast<wchar_t>(lead);
            ++i;
            continue;
        }
        char32_t c = lead & (0x7F >> length);
        std::size_t consumed = 1;
        while (consumed < length && i + consumed < value.size() &&
               isContinuation(static_cast<unsigned char>(value[i + consumed]))) {
            c = (c << 6) | (static_cast<unsigned char>(value[i + consumed]) & 0x3F);
            ++consumed;
        }
        // A truncated, overlong or out-of-range sequence is replaced as a whole; the byte
        // that broke it off starts the next attempt.
        if (consumed < length || c < kSmallestOfLength[length] || !isScalarValue(c)) {
            out += static_cast<wchar_t>(kReplacement);
        } else {
            out += static_cast<wchar_t>(c);
        }
        i += consumed;
    }
    return out;
}

}  // namespace olvar::utf8
