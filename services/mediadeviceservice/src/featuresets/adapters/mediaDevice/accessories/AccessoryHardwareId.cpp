#include "featuresets/adapters/mediaDevice/accessories/AccessoryHardwareId.h"
#include "featuresets/adapters/mediaDevice/accessories/AccessoryHardwareIdTables.h"

#include <locale>
#include <optional>
#include <string_view>
#include <utility>

namespace OlvarUnified::AccessoryHardwareId {

namespace {

using AccessoryDeviceTypeEnum::AccessoryDeviceType;
using TypeById = std::map<std::wstring, AccessoryDeviceType>;
using IdsByType = std::map<AccessoryDeviceType, std::vector<std::wstring>>;

// Which of the two tables a run of product ids goes into. The classification table and the
// per-class listing disagree on a few ids; those runs name the one table they belong to.
enum class Listing { BothTables, TypeByIdOnly, IdsByTypeOnly };

// Product ids of one vendor within one accessory class, separated by blanks, in the order
// of the per-class listing.
struct ProductRun {
    AccessoryDeviceType type;
    std::wstring_view vendorId;
    std::wstring_view productIds;
    Listing listing = Listing::BothTables;
};

constexpr auto CLASS_1 = AccessoryDeviceTypeEnum::ACCESSORY_CLASS_1;
constexpr auto CLASS_2 = AccessoryDeviceTypeEnum::ACCESSORY_CLASS_2;
constexpr auto CLASS_3 = AccessoryDeviceTypeEnum::ACCESSORY_CLASS_3;

const ProductRun PRODUCT_RUNS[] = {
    {CLASS_3, L"VID_1395", L"0042 003F"},
    {CLASS_3, L"VID_046D", L"0846 0838 0A4E 084C 0857"},
    {CLASS_3, L"VID_0B0E", L"0949 A346 0412 0420 0410 0422"},
    // Classified as class 3, yet listed among the class-1 devices (see below).
    {CLASS_3, L"VID_0B0E", L"1061", Listing::TypeByIdOnly},
    {CLASS_3, L"VID_047F", L"CA03 0418 0417 CA00 CA01 C02F"},

    {CLASS_2, L"VID_0B0E", L"101B 0520 1051 1052"},
    {CLASS_2, L"VID_047F", L"AE11 AE01 AE04 AE02"},

    // 740a is the one key written in lower case; matching upper-cases it.
    {CLASS_1, L"VID_1395", L"002D 740a 0040 002E 0034 0035 005B 005C 0028 0029 004D 004E 0038 0039 0051"},
    {CLASS_1, L"VID_046D", L"0A4A 0A49 0A46 0A47 0A26 0A55 0A56"},
    {CLASS_1, L"VID_0B0E",
     L"0300 0301 0302 0303 0305 0306 0307 0308 030B 030C 030D 030E 2301 2302 091C 1022 1021 1042 "
     L"1041 2400 2003 1003 090E 0050 0910 1016 0041 0043 0320 A342 0343 0345 0341 0030 0031 0349 "
     L"034B 0750 0751 034D 034F 1037"},
    {CLASS_1, L"VID_0B0E", L"1061", Listing::IdsByTypeOnly},
    {CLASS_1, L"VID_0B0E",
     L"0347 0032 0033 0040 0042 0340 0342 0344 0346 0348 034A 034C 034E 0752 0753 0850 090A 094B "
     L"1004 1017 1038 1062 2000 2001 2002 2004 2007 2100 2303 2304 2401 9330 9350 A340 A345 2311 "
     L"2315 2319 231A"},
    // Products given a second time: the listing keeps the repeats, the classification one key.
    {CLASS_1, L"VID_0B0E", L"1003 1022 1042 0300 0301 0302 0305 0306 0307 0308 030B 030C"},
    {CLASS_1, L"VID_0B0E", L"0320", Listing::TypeByIdOnly},
    {CLASS_1, L"VID_047F",
     L"AC01 AC11 0415 0416 AB01 AB11 AB02 AB12 0411 0412 C00E C00F C01E C01F C022 C024 C023 C025 "
     L"C026 C027 C028 C029 AA14 AA15 AA10 AA11 0715 0716 AA12 AA13 C015 C017 C016 C018 C019 C01B "
     L"C01A C01C 010A 010B 0124 0125 010C 010D AA00 AA01 AA02 AA03 0410 C003 C005 0106 AA05 AA06 "
     L"AA07 AA08 AA09 AD03 02FB 011A C03E C033 C032 AA17 AA16 012A 0129 02FF"},
};

// "VID_0B0E" and "0410" -> "VID_0B0E&PID_0410"
std::wstring keyOf(std::wstring_view vendorId, std::wstring_view productId) {
    std::wstring key(vendorId);
    key += L"&PID_";
    key += productId;
    return key;
}

template <class Visit>
void forEachProductId(std::wstring_view productIds, Visit visit) {
    std::size_t start = productIds.find_first_not_of(L' ');
    while (start != std::wstring_view::npos) {
        const std::size_t end = productIds.find(L' ', start);
        visit(productIds.substr(start, end == std::wstring_view::npos ? end : end - start));
        start = productIds.find_first_not_of(L' ', end);
    }
}

std::wstring toUpper(std::wstring text) {
    const auto& facet = std::use_facet<std::ctype<wchar_t>>(std::locale());
    facet.toupper(text.data(), text.data() + text.size());
    return text;
}

struct Tables {
    TypeById typeById;
    std::size_t typeByIdSourceEntries = 0;
    // typeById in key order, keys upper-cased once so that classification compares in upper case.
    std::vector<std::pair<std::wstring, AccessoryDeviceType>> upperCaseKeys;
    IdsByType idsByType;
};

Tables buildTables() {
    Tables tables;
    for (const ProductRun& run : PRODUCT_RUNS) {
        forEachProductId(run.productIds, [&](std::wstring_view productId) {
            std::wstring key = keyOf(run.vendorId, productId);
            if (run.listing != Listing::IdsByTypeOnly) {
                tables.typeById.emplace(key, run.type);  // a repeated key keeps its first entry
                ++tables.typeByIdSourceEntries;
            }
            if (run.listing != Listing::TypeByIdOnly) tables.idsByType[run.type].push_back(std::move(key));
        });
    }
    for (const auto& [key, type] : tables.typeById) tables.upperCaseKeys.emplace_back(toUpper(key), type);
    return tables;
}

const Tables& tables() {
    static const Tables built = buildTables();
    return built;
}

// Built while the module loads rather than on first use.
[[maybe_unused]] const Tables& g_tablesAtLoad = tables();

// The text from the first "VID" to eight characters past the first "PID", e.g.
// "VID_0B0E&PID_0410". When "PID" comes first the unsigned length wraps and the key runs to
// the end of the id.
std::optional<std::wstring> deviceKeyOf(const std::wstring& hardwareId) {
    const std::wstring upper = toUpper(hardwareId);
    const std::size_t vendorAt = upper.find(L"VID");
    const std::size_t productAt = upper.find(L"PID");
    if (vendorAt == std::wstring::npos || productAt == std::wstring::npos) return std::nullopt;
    return upper.substr(vendorAt, productAt + 8 - vendorAt);
}

}  // namespace

AccessoryDeviceType getAccessoryByHardwareId(const std::wstring& hardwareId) {
    const std::wstring upper = toUpper(hardwareId);
    for (const auto& [key, type] : tables().upperCaseKeys) {
        if (upper.find(key) != std::wstring::npos) return type;
    }
    return AccessoryDeviceTypeEnum::NOT_AN_ACCESSORY;
}

std::vector<std::wstring> getHardwareIdByAccessory(AccessoryDeviceType type) {
    const IdsByType& idsByType = tables().idsByType;
    const auto found = idsByType.find(type);
    return found == idsByType.end() ? std::vector<std::wstring>{} : found->second;
}

bool compareHardwareId(const std::wstring& a, const std::wstring& b) {
    if (a.find(b) != std::wstring::npos || b.find(a) != std::wstring::npos) return true;
    const auto keyOfA = deviceKeyOf(a);
    const auto keyOfB = deviceKeyOf(b);
    return keyOfA && keyOfB && *keyOfA == *keyOfB;
}

const TypeById& typeByIdTable() { return tables().typeById; }
std::size_t typeByIdSourceEntryCount() { return tables().typeByIdSourceEntries; }

}  // namespace OlvarUnified::AccessoryHardwareId
