#include <gtest/gtest.h>

#include <climits>

#include "MirelCoreUtils/StringUtils.h"

using namespace MirelCoreUtils;

namespace olvar::test {
namespace {

std::string join(const std::vector<std::string>& parts, const std::string& separator) {
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) joined += separator;
        joined += parts[i];
    }
    return joined;
}

const wchar_t kReplacement = static_cast<wchar_t>(0xFFFD);

TEST(Utf8Conversion, RoundTripsEveryEncodedLength) {
    const std::wstring wide = L"A\u00e9\u20ac\U0001F3A7\U0010FFFF";
    const std::string narrow = toString(wide);
    EXPECT_EQ(narrow, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xA7\xF4\x8F\xBF\xBF");
    EXPECT_EQ(toWideString(narrow), wide);
    EXPECT_EQ(toWideString(std::string()), L"");
    EXPECT_EQ(toString(std::wstring(L"a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(toWideString("literal"), L"literal");  // not the bool overload
    EXPECT_EQ(toString(L"literal"), "literal");
    EXPECT_EQ(toWideString(static_cast<const char*>(nullptr)), L"");
}

TEST(Utf8Conversion, MalformedBytesBecomeReplacementCharacters) {
    struct Case {
        const char* bytes;
        std::wstring expected;
    };
    const std::vector<Case> cases = {
        {"\x80", {kReplacement}},                               // stray continuation
        {"\xC3", {kReplacement}},                               // truncated at the end
        {"\xC3(", {kReplacement, L'('}},                        // truncated before ASCII
        {"\xC0\xAF", {kReplacement, kReplacement}},             // overlong '/', invalid lead
        {"\xE0\x80\xAF", {kReplacement}},                       // overlong 3-byte form
        {"\xF0\x82\x82\xAC", {kReplacement}},                   // overlong 4-byte form
        {"\xED\xA0\x80", {kReplacement}},                       // encoded surrogate
        {"\xF4\x90\x80\x80", {kReplacement}},                   // above U+10FFFF
        {"\xF8\x88\x80\x80\x80", std::wstring(5, kReplacement)},  // 5-byte form
        {"ok\xFFok", {L'o', L'k', kReplacement, L'o', L'k'}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toWideString(c.bytes), c.expected) << c.bytes;
    }
}

TEST(Utf8Conversion, NonScalarWideValuesAreWrittenAsReplacement) {
    const std::wstring wide = {L'x', static_cast<wchar_t>(0xDC00), static_cast<wchar_t>(0x110000), L'y'};
    EXPECT_EQ(toString(wide), "x\xEF\xBF\xBD\xEF\xBF\xBDy");
}

TEST(NumberText, FormatsIntegersAndBooleans) {
    EXPECT_EQ(toString(-1), "-1");
    EXPECT_EQ(toString(INT_MIN), "-2147483648");
    EXPECT_EQ(toString(LONG_MAX), "9223372036854775807");
    EXPECT_EQ(toString(true), "true");
    EXPECT_EQ(toString(false), "false");
    EXPECT_EQ(toWideString(80), L"80");
    EXPECT_EQ(toWideString(-5L), L"-5");
    EXPECT_EQ(toWideString(true), L"true");
}

TEST(NumberText, ToIntAcceptsOnlyAWholeDecimalInRange) {
    EXPECT_EQ(toInt(L"42", -1), 42);
    EXPECT_EQ(toInt(L"+5", -1), 5);
    EXPECT_EQ(toInt(L"-17", 0), -17);
    EXPECT_EQ(toInt(L" 7 ", -1), 7);
    EXPECT_EQ(toInt(L"\t8\r\n", -1), 8);
    EXPECT_EQ(toInt(L"2147483647", -1), INT_MAX);
    EXPECT_EQ(toInt(L"-2147483648", -1), INT_MIN);
    for (const wchar_t* invalid : {L"", L"  ", L"+", L"-", L"12abc", L"abc", L"1 2", L"--1", L"2147483648",
                                   L"-2147483649", L"99999999999999999999999", L"0x10", L"1.5"}) {
        EXPECT_EQ(toInt(invalid, -99), -99) << toString(std::wstring(invalid));
    }
}

TEST(BooleanText, AcceptsTheFourTrueWordsInAnyCase) {
    for (const wchar_t* yes : {L"true", L"TRUE", L"True", L"1", L"yes", L"YeS", L"on", L"ON", L" true\r\n"}) {
        EXPECT_TRUE(toBool(yes)) << toString(std::wstring(yes));
    }
    for (const wchar_t* no : {L"", L"false", L"0", L"no", L"off", L"2", L"truee", L"t", L"yes please"}) {
        EXPECT_FALSE(toBool(no)) << toString(std::wstring(no));
    }
}

TEST(Split, KeepsEmptyFieldsSoJoiningRestoresTheInput) {
    EXPECT_EQ(split("a:b:c", ":"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(split("::a::", ":"), (std::vector<std::string>{"", "", "a", "", ""}));
    EXPECT_EQ(split("no-separator", ":"), (std::vector<std::string>{"no-separator"}));
    EXPECT_EQ(split(":", ":"), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(split("a<>b<><>c", "<>"), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_TRUE(split("", ":").empty());
    EXPECT_EQ(split("abc", ""), (std::vector<std::string>{"abc"}));
    for (const std::string input : {"Speaker-Name-0: A:B", "::", "x::y", ":lead", "trail:", "a"}) {
        EXPECT_EQ(join(split(input, ":"), ":"), input) << input;
    }
    EXPECT_EQ(split(std::wstring(L"x,,y"), std::wstring(L",")), (std::vector<std::wstring>{L"x", L"", L"y"}));
}

TEST(Trim, RemovesAllBlankKindsIncludingCarriageReturn) {
    EXPECT_EQ(trim(" \t\r\n\v\fvalue \r"), "value");
    EXPECT_EQ(trim("in side"), "in side");
    EXPECT_EQ(trim(" \r\n"), "");
    EXPECT_EQ(trim(""), "");
    EXPECT_EQ(trimleft("  left \r"), "left \r");
    EXPECT_EQ(trim(std::wstring(L"\t wide\r")), L"wide");
    EXPECT_EQ(trimleft(std::wstring(L"\n x ")), L"x ");
}

TEST(LetterCase, TouchesOnlyAsciiLetters) {
    EXPECT_EQ(toUppercase("abc-xyz_09 \xC3\xA9"), "ABC-XYZ_09 \xC3\xA9");
    EXPECT_EQ(toUppercase(std::wstring(L"usb\\vid_0a1b\u00e9")), L"USB\\VID_0A1B\u00e9");
    EXPECT_TRUE(caseInsensitiveStringEquals("USB\\VID_0A1B", "usb\\vid_0a1b"));
    EXPECT_FALSE(caseInsensitiveStringEquals("abc", "abcd"));
    EXPECT_FALSE(caseInsensitiveStringEquals("a[", "A{"));  // not folded outside the letters
    EXPECT_TRUE(caseInsensitiveStringEquals(std::wstring(L"Head\u00e9"), std::wstring(L"HEAD\u00e9")));
    EXPECT_FALSE(caseInsensitiveStringEquals(std::wstring(L"\u00e9"), std::wstring(L"\u00c9")));
    EXPECT_TRUE(caseInsensitiveStringEquals("", ""));
}

}  // namespace
}  // namespace olvar::test
