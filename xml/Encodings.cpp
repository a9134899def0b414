// Encoding names and their code pages, the loader's lenient UTF-8 test, and the conversion front end.
// The name table is fixed at compile time; every conversion but UTF-32 is the platform seam's
// (xml/TextPlatform.h). Callers own the buffers they pass.
#include "xml/Encodings.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>

#include "xml/TextPlatform.h"

namespace {

constexpr int32_t kCodePageUtf16BigEndian = 1201;
constexpr int32_t kCodePageUnknown = -1;
constexpr size_t kLongestLookedUpName = 99;

struct EncodingName {
    std::string_view name;  // lower-case ASCII
    int32_t codePage;
};

// Listed by code page, as people read it; the lookup uses the copy sorted by name below.
// clang-format off
constexpr EncodingName kEncodingsByCodePage[] = {
    {"ebcdic-cp-us", 37},
    {"x-ebcdic-arabic", 420},
    {"437", 437}, {"codepage437", 437}, {"cp437", 437}, {"cspc8", 437}, {"ibm437", 437},
    {"asmo-708", 708},
    {"dos-720", 720},
    {"ibm737", 737},
    {"cp500", 775}, {"ibm775", 775},
    {"ibm850", 850},
    {"cp852", 852}, {"ibm852", 852},
    {"ibm857", 857},
    {"ibm861", 861},
    {"dos-862", 862},
    {"cp866", 866}, {"ibm866", 866},
    {"ibm869", 869},
    {"cp870", 870},
    {"dos-874", 874}, {"iso-8859-11", 874}, {"tis-620", 874}, {"windows-874", 874},
    {"x-ebcdic-greekmodern", 875},
    {"csshiftjis", 932}, {"cswindows31j", 932}, {"ms_kanji", 932}, {"shift-jis", 932}, {"shift_jis", 932},
        {"x-ms-cp932", 932}, {"x-sjis", 932},
    {"chinese", 936}, {"cn-gb", 936}, {"csgb2312", 936}, {"csgb231280", 936}, {"csiso58gb231280", 936},
        {"gb2312", 936}, {"gb2312-80", 936}, {"gb231280", 936}, {"gb_2312-80", 936}, {"gbk", 936},
        {"iso-ir-58", 936},
    {"csksc56011987", 949}, {"euc-kr", 949}, {"iso-ir-149", 949}, {"korean", 949}, {"ks_c_5601", 949},
        {"ks_c_5601-1987", 949}, {"ks_c_5601-1989", 949}, {"ks_c_5601_1987", 949}, {"ksc5601", 949},
        {"ksc_5601", 949},
    {"big5", 950}, {"cn-big5", 950}, {"csbig5", 950}, {"x-x-big5", 950},
    {"cp1026", 1026},
    {"x-ebcdic-cp-us-euro", 1140},
    {"x-ebcdic-denmarknorway-euro", 1142},
    {"x-ebcdic-finlandsweden-euro", 1143}, {"x-ebcdic-france", 1143}, {"x-ebcdic-germany-euro", 1143},
    {"x-ebcdic-italy-euro", 1144},
    {"x-ebcdic-spain-euro", 1145},
    {"x-ebcdic-uk-euro", 1146},
    {"x-ebcdic-france-euro", 1147},
    {"x-ebcdic-international-euro", 1148},
    {"x-ebcdic-icelandic-euro", 1149},
    {"unicode", 1200}, {"utf-16", 1200},
    {"unicodefffe", 1201},
    {"windows-1250", 1250}, {"x-cp1250", 1250},
    {"windows-1251", 1251}, {"x-cp1251", 1251},
    {"iso-ir-6", 1252}, {"us", 1252}, {"windows-1252", 1252}, {"x-ansi", 1252},
    {"windows-1253", 1253},
    {"windows-1254", 1254},
    {"iso_8859-8-i", 1255}, {"windows-1255", 1255},
    {"cp1256", 1256}, {"windows-1256", 1256},
    {"windows-1257", 1257},
    {"windows-1258", 1258},
    {"johab", 1361},
    {"macintosh", 10000},
    {"x-mac-japanese", 10001},
    {"x-mac-chinesetrad", 10002},
    {"x-mac-korean", 10003},
    {"x-mac-arabic", 10004},
    {"x-mac-hebrew", 10005},
    {"x-mac-greek", 10006},
    {"x-mac-cyrillic", 10007},
    {"x-mac-chinesesimp", 10008},
    {"x-mac-ce", 10029},
    {"x-mac-icelandic", 10079},
    {"x-mac-turkish", 10081},
    {"x-chinese-cns", 20000},
    {"x-chinese-eten", 20002},
    {"x-ia5", 20105},
    {"x-ia5-german", 20106},
    {"x-ia5-swedish", 20107},
    {"x-ia5-norwegian", 20108},
    {"ansi_x3.4-1968", 20127}, {"ansi_x3.4-1986", 20127}, {"ascii", 20127}, {"cp367", 20127},
        {"csascii", 20127}, {"ibm367", 20127}, {"iso-ir-6us", 20127}, {"iso646-us", 20127},
        {"iso_646.irv:1991", 20127}, {"us-ascii", 20127},
    {"x-ebcdic-germany", 20273},
    {"x-ebcdic-denmarknorway", 20277},
    {"x-ebcdic-finlandsweden", 20278},
    {"x-ebcdic-italy", 20280},
    {"x-ebcdic-spain", 20284},
    {"x-ebcdic-uk", 20285},
    {"x-ebcdic-japanesekatakana", 20290},
    {"x-ebcdic-greek", 20423},
    {"x-ebcdic-hebrew", 20424},
    {"x-ebcdic-koreanextended", 20833},
    {"x-ebcdic-thai", 20838},
    {"cskoi8r", 20866}, {"koi", 20866}, {"koi8", 20866}, {"koi8-r", 20866}, {"koi8r", 20866},
    {"x-ebcdic-icelandic", 20873},
    {"x-ebcdic-cyrillicrussian", 20880},
    {"x-ebcdic-turkish", 20905},
    {"x-ebcdic-cyrillicserbianbulgarian", 21025},
    {"koi8-ru", 21866}, {"koi8-u", 21866},
    {"cp819", 28591}, {"ibm819", 28591}, {"iso-8859-1", 28591}, {"iso-ir-100", 28591}, {"iso8859-1", 28591},
        {"iso_8859-1", 28591}, {"iso_8859-1:1987", 28591}, {"l1", 28591}, {"latin1", 28591},
    {"csisolatin2", 28592}, {"iso-8859-2", 28592}, {"iso-ir-101", 28592}, {"iso8859-2", 28592},
        {"iso_8859-2", 28592}, {"iso_8859-2:1987", 28592}, {"l2", 28592}, {"latin2", 28592},
    {"csiso", 28593}, {"iso-8859-3", 28593}, {"iso-ir-109", 28593}, {"iso_8859-3", 28593},
        {"iso_8859-3:1988", 28593}, {"l3", 28593}, {"latin3", 28593},
    {"csisolatin4", 28594}, {"iso-8859-4", 28594}, {"iso-ir-110", 28594}, {"iso_8859-4", 28594},
        {"iso_8859-4:1988", 28594}, {"l4", 28594}, {"latin4", 28594},
    {"csisolatin5", 28595}, {"csisolatincyrillic", 28595}, {"cyrillic", 28595}, {"iso-8859-5", 28595},
        {"iso-ir-144", 28595}, {"iso_8859-5", 28595}, {"iso_8859-5:1988", 28595}, {"l5", 28595},
    {"arabic", 28596}, {"csisolatinarabic", 28596}, {"ecma-114", 28596}, {"iso-8859-6", 28596},
        {"iso-ir-127", 28596}, {"iso_8859-6", 28596}, {"iso_8859-6:1987", 28596},
    {"csisolatingreek", 28597}, {"ecma-118", 28597}, {"elot_928", 28597}, {"greek", 28597}, {"greek8", 28597},
        {"iso-8859-7", 28597}, {"iso-ir-126", 28597}, {"iso_8859-7", 28597}, {"iso_8859-7:1987", 28597},
    {"csisolatinhebrew", 28598}, {"hebrew", 28598}, {"iso-8859-8", 28598}, {"iso-ir-138", 28598},
        {"iso_8859-8", 28598}, {"iso_8859-8:1988", 28598}, {"visual", 28598},
    {"iso-8859-9", 28599}, {"iso-ir-148", 28599}, {"iso_8859-9", 28599}, {"iso_8859-9:1989", 28599},
        {"latin5", 28599},
    {"iso-8859-15", 28605}, {"iso_8859-15", 28605}, {"l9", 28605}, {"latin9", 28605},
    {"x-europa", 29001},
    {"iso-8859-8-i", 38598}, {"logical", 38598},
    {"iso-2022-jp", 50220},
    {"_iso-2022-jp", 50221}, {"csiso2022jp", 50221},
    {"_iso-2022-jp$sio", 50222},
    {"csiso2022kr", 50225}, {"iso-2022-kr", 50225},
    {"x-ebcdic-japaneseandkana", 50930},
    {"x-ebcdic-japaneseanduscanada", 50933}, {"x-ebcdic-koreanandkoreanextended", 50933},
    {"x-ebcdic-simplifiedchinese", 50935},
    {"x-ebcdic-traditionalchinese", 50937},
    {"x-ebcdic-japaneseandjapaneselatin", 50939},
    {"cseucpkdfmtjapanese", 51932}, {"euc-jp", 51932},
        {"extended_unix_code_packed_format_for_japanese", 51932}, {"x-euc", 51932}, {"x-euc-jp", 51932},
    {"euc-cn", 51936}, {"x-euc-cn", 51936},
    {"cseuckr", 51949},
    {"hz-gb-2312", 52936},
    {"x-iscii-de", 57002},
    {"x-iscii-be", 57003},
    {"x-iscii-ta", 57004},
    {"x-iscii-te", 57005},
    {"x-iscii-as", 57006},
    {"x-iscii-or", 57007},
    {"x-iscii-ka", 57008},
    {"x-iscii-ma", 57009},
    {"x-iscii-gu", 57010},
    {"x-iscii-pa", 57011},
    {"csunicode11utf7", 65000}, {"unicode-1-1-utf-7", 65000}, {"utf-7", 65000},
        {"x-unicode-2-0-utf-7", 65000},
    {"unicode-1-1-utf-8", 65001}, {"unicode-2-0-utf-8", 65001}, {"utf-8", 65001},
        {"x-unicode-2-0-utf-8", 65001},
};
// clang-format on

constexpr auto kEncodingsByName = [] {
    std::array<EncodingName, std::size(kEncodingsByCodePage)> table{};
    std::copy(std::begin(kEncodingsByCodePage), std::end(kEncodingsByCodePage), table.begin());
    std::sort(table.begin(), table.end(),
              [](const EncodingName& a, const EncodingName& b) { return a.name < b.name; });
    return table;
}();

static_assert(kEncodingsByName.size() == 254);
static_assert(std::adjacent_find(kEncodingsByName.begin(), kEncodingsByName.end(),
                                 [](const EncodingName& a, const EncodingName& b) {
                                     return a.name == b.name;
                                 }) == kEncodingsByName.end(),
              "every name has one code page");

char16_t FoldAsciiCase(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? unit + (u'a' - u'A') : unit;
}

// Three-way comparison of a name, folded unit by unit, with a table name; builds no string.
int CompareFolded(WStringView name, std::string_view tableName) {
    size_t common = std::min(name.size(), tableName.size());
    for (size_t i = 0; i < common; ++i) {
        char16_t folded = FoldAsciiCase(name[i]);
        auto table = static_cast<char16_t>(static_cast<unsigned char>(tableName[i]));
        if (folded != table) {
            return folded < table ? -1 : 1;
        }
    }
    return name.size() < tableName.size() ? -1 : name.size() > tableName.size() ? 1 : 0;
}

int32_t LookUpFolded(WStringView name) {
    auto entry = std::lower_bound(
        kEncodingsByName.begin(), kEncodingsByName.end(), name,
        [](const EncodingName& item, WStringView key) { return CompareFolded(key, item.name) > 0; });
    if (entry == kEncodingsByName.end() || CompareFolded(name, entry->name) != 0) {
        return kCodePageUnknown;
    }
    return entry->codePage;
}

// The number of bytes a lead byte needs after it, or -1 when it cannot lead.
int FollowingByteCount(uint8_t lead) {
    if ((lead & 0x20) == 0) {
        return 1;
    }
    if ((lead & 0x10) == 0) {
        return 2;
    }
    if ((lead & 0x08) == 0) {
        return 3;
    }
    return -1;
}

int32_t CodePageOrAnsi(WStringView name) {
    int32_t codePage = EncodingToCodePage(name);
    return codePage == kCodePageUnknown ? kCodePageAnsi : codePage;
}

char32_t ReadLittleEndian32(const uint8_t* bytes) {
    return char32_t(bytes[0]) | char32_t(bytes[1]) << 8 | char32_t(bytes[2]) << 16 | char32_t(bytes[3]) << 24;
}

// Values past the last code point cannot be written as UTF-16 and become U+FFFD.
char32_t ValidCodePointOrReplacement(char32_t value) {
    return value > 0x10FFFF ? 0xFFFD : value;
}

int32_t Utf16LengthOfUtf32(const uint8_t* bytes, int32_t unitCount) {
    int32_t length = 0;
    for (int32_t i = 0; i < unitCount; ++i) {
        length += ValidCodePointOrReplacement(ReadLittleEndian32(bytes + 4 * i)) < 0x10000 ? 1 : 2;
    }
    return length;
}

void WriteUtf32AsUtf16(const uint8_t* bytes, int32_t unitCount, char16_t* output) {
    for (int32_t i = 0; i < unitCount; ++i) {
        char32_t value = ValidCodePointOrReplacement(ReadLittleEndian32(bytes + 4 * i));
        if (value < 0x10000) {
            *output++ = static_cast<char16_t>(value);
        } else {
            *output++ = static_cast<char16_t>(0xD800 | ((value - 0x10000) >> 10 & 0x3FF));
            *output++ = static_cast<char16_t>(0xDC00 | (value & 0x3FF));
        }
    }
}

// The loader hands over bytes whatever the encoding, so the length counts bytes here too; a last,
// incomplete 32-bit unit is left out.
int32_t ConvertUtf32(const uint8_t* bytes, int32_t byteCount, char16_t* output, int32_t room) {
    int32_t unitCount = byteCount / 4;
    int32_t needed = Utf16LengthOfUtf32(bytes, unitCount);
    if (room == 0) {
        return needed;
    }
    if (needed > room) {
        return 0;
    }
    WriteUtf32AsUtf16(bytes, unitCount, output);
    return needed;
}

int32_t ConvertToUtf16(const TextConverter& request, char16_t* output, int32_t room) {
    if (CodePageOrAnsi(request.target) != kCodePageUtf16 || request.data == nullptr ||
        request.sourceLength <= 0) {
        return 0;
    }
    int32_t source = CodePageOrAnsi(request.source);
    switch (source) {
        case kCodePageUtf32:
            return ConvertUtf32(static_cast<const uint8_t*>(request.data), request.sourceLength, output,
                                room);
        case kCodePageUtf16:
        case kCodePageUtf16BigEndian:
            // Such a body was read byte-wise with its 0 bytes removed: nothing sound is left to convert.
            return 0;
        default:
            return CodePageToUtf16(static_cast<uint32_t>(source), static_cast<const char*>(request.data),
                                   request.sourceLength, output, room);
    }
}

}  // namespace

int32_t EncodingToCodePage(WStringView name) {
    if (name.empty()) {
        return kCodePageAnsi;
    }
    if (name.starts_with(u"UTF-32")) {
        return kCodePageUtf32;
    }
    if (name.size() > kLongestLookedUpName) {
        return kCodePageUnknown;
    }
    return LookUpFolded(name);
}

bool IsValidUtf8(const uint8_t* bytes, size_t count) {
    size_t i = 0;
    while (i < count) {
        uint8_t lead = bytes[i++];
        if (lead == 0) {
            return true;
        }
        if (lead < 0x80) {
            continue;
        }
        int following = FollowingByteCount(lead);
        if (following < 0 || count - i < static_cast<size_t>(following)) {
            return false;
        }
        for (int k = 0; k < following; ++k) {
            if (bytes[i++] < 0x80) {
                return false;
            }
        }
    }
    return true;
}

int32_t ConvertText(TextConverter& request, char16_t* output) {
    int32_t room = output == nullptr ? 0 : std::max(request.outputCount, 0);
    request.outputCount = ConvertToUtf16(request, room == 0 ? nullptr : output, room);
    return request.outputCount;
}
