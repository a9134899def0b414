// Tests of the encoding-name table, the loader's UTF-8 test, ConvertText and the platform text seam
// (code pages, files, error text). Where builds differ on invalid bytes, each row says what each gives.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "xml/Encodings.h"
#include "xml/TextPlatform.h"

using namespace std::string_literals;
using namespace std::string_view_literals;

namespace {

#ifdef _WIN32
constexpr bool kWindowsBuild = true;
#else
constexpr bool kWindowsBuild = false;
#endif

// The published encoding names by code page, kept as text apart from the reader's own table.
constexpr std::string_view kPublishedEncodings = R"(
37: ebcdic-cp-us; 420: x-ebcdic-arabic; 437: 437, codepage437, cp437, cspc8, ibm437; 708: asmo-708; 720: dos-720; 737: ibm737; 775: cp500, ibm775; 850: ibm850; 852: cp852, ibm852; 857: ibm857; 861: ibm861; 862: dos-862; 866: cp866, ibm866; 869: ibm869; 870: cp870; 874: dos-874, iso-8859-11, tis-620, windows-874; 875: x-ebcdic-greekmodern
932: csshiftjis, cswindows31j, ms_kanji, shift-jis, shift_jis, x-ms-cp932, x-sjis; 936: chinese, cn-gb, csgb2312, csgb231280, csiso58gb231280, gb2312, gb2312-80, gb231280, gb_2312-80, gbk, iso-ir-58; 949: csksc56011987, euc-kr, iso-ir-149, korean, ks_c_5601, ks_c_5601-1987, ks_c_5601-1989, ks_c_5601_1987, ksc5601, ksc_5601; 950: big5, cn-big5, csbig5, x-x-big5
1026: cp1026; 1140: x-ebcdic-cp-us-euro; 1142: x-ebcdic-denmarknorway-euro; 1143: x-ebcdic-finlandsweden-euro, x-ebcdic-france, x-ebcdic-germany-euro; 1144: x-ebcdic-italy-euro; 1145: x-ebcdic-spain-euro; 1146: x-ebcdic-uk-euro; 1147: x-ebcdic-france-euro; 1148: x-ebcdic-international-euro; 1149: x-ebcdic-icelandic-euro
1200: unicode, utf-16; 1201: unicodefffe; 1250: windows-1250, x-cp1250; 1251: windows-1251, x-cp1251; 1252: iso-ir-6, us, windows-1252, x-ansi; 1253: windows-1253; 1254: windows-1254; 1255: iso_8859-8-i, windows-1255; 1256: cp1256, windows-1256; 1257: windows-1257; 1258: windows-1258; 1361: johab
10000: macintosh; 10001: x-mac-japanese; 10002: x-mac-chinesetrad; 10003: x-mac-korean; 10004: x-mac-arabic; 10005: x-mac-hebrew; 10006: x-mac-greek; 10007: x-mac-cyrillic; 10008: x-mac-chinesesimp; 10029: x-mac-ce; 10079: x-mac-icelandic; 10081: x-mac-turkish
20000: x-chinese-cns; 20002: x-chinese-eten; 20105: x-ia5; 20106: x-ia5-german; 20107: x-ia5-swedish; 20108: x-ia5-norwegian; 20127: ansi_x3.4-1968, ansi_x3.4-1986, ascii, cp367, csascii, ibm367, iso-ir-6us, iso646-us, iso_646.irv:1991, us-ascii; 20273: x-ebcdic-germany; 20277: x-ebcdic-denmarknorway; 20278: x-ebcdic-finlandsweden; 20280: x-ebcdic-italy; 20284: x-ebcdic-spain; 20285: x-ebcdic-uk; 20290: x-ebcdic-japanesekatakana; 20423: x-ebcdic-greek; 20424: x-ebcdic-hebrew; 20833: x-ebcdic-koreanextended; 20838: x-ebcdic-thai; 20866: cskoi8r, koi, koi8, koi8-r, koi8r; 20873: x-ebcdic-icelandic; 20880: x-ebcdic-cyrillicrussian; 20905: x-ebcdic-turkish; 21025: x-ebcdic-cyrillicserbianbulgarian; 21866: koi8-ru, koi8-u
28591: cp819, ibm819, iso-8859-1, iso-ir-100, iso8859-1, iso_8859-1, iso_8859-1:1987, l1, latin1; 28592: csisolatin2, iso-8859-2, iso-ir-101, iso8859-2, iso_8859-2, iso_8859-2:1987, l2, latin2; 28593: csiso, iso-8859-3, iso-ir-109, iso_8859-3, iso_8859-3:1988, l3, latin3; 28594: csisolatin4, iso-8859-4, iso-ir-110, iso_8859-4, iso_8859-4:1988, l4, latin4; 28595: csisolatin5, csisolatincyrillic, cyrillic, iso-8859-5, iso-ir-144, iso_8859-5, iso_8859-5:1988, l5; 28596: arabic, csisolatinarabic, ecma-114, iso-8859-6, iso-ir-127, iso_8859-6, iso_8859-6:1987; 28597: csisolatingreek, ecma-118, elot_928, greek, greek8, iso-8859-7, iso-ir-126, iso_8859-7, iso_8859-7:1987; 28598: csisolatinhebrew, hebrew, iso-8859-8, iso-ir-138, iso_8859-8, iso_8859-8:1988, visual; 28599: iso-8859-9, iso-ir-148, iso_8859-9, iso_8859-9:1989, latin5; 28605: iso-8859-15, iso_8859-15, l9, latin9; 29001: x-europa; 38598: iso-8859-8-i, logical
50220: iso-2022-jp; 50221: _iso-2022-jp, csiso2022jp; 50222: _iso-2022-jp$sio; 50225: csiso2022kr, iso-2022-kr; 50930: x-ebcdic-japaneseandkana; 50933: x-ebcdic-japaneseanduscanada, x-ebcdic-koreanandkoreanextended; 50935: x-ebcdic-simplifiedchinese; 50937: x-ebcdic-traditionalchinese; 50939: x-ebcdic-japaneseandjapaneselatin; 51932: cseucpkdfmtjapanese, euc-jp, extended_unix_code_packed_format_for_japanese, x-euc, x-euc-jp; 51936: euc-cn, x-euc-cn; 51949: cseuckr; 52936: hz-gb-2312
57002: x-iscii-de; 57003: x-iscii-be; 57004: x-iscii-ta; 57005: x-iscii-te; 57006: x-iscii-as; 57007: x-iscii-or; 57008: x-iscii-ka; 57009: x-iscii-ma; 57010: x-iscii-gu; 57011: x-iscii-pa; 65000: csunicode11utf7, unicode-1-1-utf-7, utf-7, x-unicode-2-0-utf-7; 65001: unicode-1-1-utf-8, unicode-2-0-utf-8, utf-8, x-unicode-2-0-utf-8
)";

struct NamedCodePage {
    std::string name;
    int32_t codePage;
};

std::string Trimmed(std::string_view text) {
    size_t begin = text.find_first_not_of(" \n");
    size_t end = text.find_last_not_of(" \n");
    return begin == std::string_view::npos ? std::string() : std::string(text.substr(begin, end - begin + 1));
}

// "cp: name, name; cp: name" groups, separated by ';' or line ends.
std::vector<NamedCodePage> ParsePublishedEncodings() {
    std::vector<NamedCodePage> names;
    std::string_view rest = kPublishedEncodings;
    while (!rest.empty()) {
        size_t end = rest.find_first_of(";\n");
        std::string group = Trimmed(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (group.empty()) {
            continue;
        }
        size_t colon = group.find(':');
        int32_t codePage = std::stoi(group.substr(0, colon));
        std::string_view list = std::string_view(group).substr(colon + 1);
        while (!list.empty()) {
            size_t comma = list.find(',');
            names.push_back({Trimmed(list.substr(0, comma)), codePage});
            list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
        }
    }
    return names;
}

WString UpperAscii(const std::string& name) {
    WString upper = FromUtf8(name);
    for (char16_t& unit : upper) {
        if (unit >= u'a' && unit <= u'z') {
            unit -= u'a' - u'A';
        }
    }
    return upper;
}

int32_t SizeOf(std::string_view bytes) {
    return static_cast<int32_t>(bytes.size());
}

// Measures, then converts into exactly the room measured.
WString ConvertCodePage(uint32_t codePage, std::string_view bytes) {
    int32_t needed = CodePageToUtf16(codePage, bytes.data(), SizeOf(bytes), nullptr, 0);
    WString text(needed, u'\0');
    EXPECT_EQ(CodePageToUtf16(codePage, bytes.data(), SizeOf(bytes), text.data(), needed), needed);
    return text;
}

TextConverter Request(const WString& source, std::string_view bytes) {
    return {u"UTF-16", source, bytes.data(), SizeOf(bytes), 0};
}

WString ConvertRequest(TextConverter request) {
    int32_t needed = ConvertText(request, nullptr);
    EXPECT_EQ(request.outputCount, needed);
    WString text(needed, u'\0');
    request.outputCount = needed;
    EXPECT_EQ(ConvertText(request, text.data()), needed);
    return text;
}

std::string Utf32Bytes(std::initializer_list<uint32_t> values) {
    std::string bytes;
    for (uint32_t value : values) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes += static_cast<char>(value >> shift & 0xFF);
        }
    }
    return bytes;
}

std::string Hex(const WString& text) {
    std::string hex;
    char unit[8];
    for (char16_t u : text) {
        std::snprintf(unit, sizeof unit, " %04X", static_cast<unsigned>(u));
        hex += unit;
    }
    return hex;
}

// ---- EncodingToCodePage ----

TEST(EncodingToCodePage, EveryPublishedNameMapsToItsCodePageInAnyCase) {
    std::vector<NamedCodePage> names = ParsePublishedEncodings();
    ASSERT_EQ(names.size(), 254u);
    for (const NamedCodePage& entry : names) {
        EXPECT_EQ(EncodingToCodePage(FromUtf8(entry.name)), entry.codePage) << entry.name;
        EXPECT_EQ(EncodingToCodePage(UpperAscii(entry.name)), entry.codePage) << entry.name;
    }
}

TEST(EncodingToCodePage, FollowsTheEmptyUtf32AndLengthRules) {
    struct Case {
        WString name;
        int32_t codePage;
    };
    const Case cases[] = {
        {u"", 0},
        {u"UTF-32LE", 65005},
        {u"UTF-32", 65005},
        {u"UTF-32" + WString(200, u'x'), 65005},  // the prefix rule comes before the length rule
        {u"utf-32", -1},
        {u"Utf-32le", -1},
        {u"Latin1", 28591},
        {u"LATIN1", 28591},
        {u"ISO-8859-1", 28591},
        {u"Shift_JIS", 932},
        {u"UTF-8", 65001},
        {u"utf8", -1},
        {u"utf-8 ", -1},
        {u" utf-8", -1},
        {u"windows-125", -1},
        {u"windows-12520", -1},
        {WString(u"utf-8\0", 6), -1},
        {u"\uFF55tf-8", -1},  // only A-Z fold; a fullwidth letter is another name
        {u"latin1" + WString(93, u' '), -1},
        {u"latin1" + WString(94, u' '), -1},
        {WString(5000, u'a'), -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodingToCodePage(c.name), c.codePage)
            << ToUtf8(c.name.substr(0, 20)) << " length " << c.name.size();
    }
}

// ---- IsValidUtf8 ----

TEST(IsValidUtf8, AcceptsWhatTheLenientRuleAccepts) {
    struct Case {
        std::string_view bytes;
        bool valid;
    };
    const Case cases[] = {
        {""sv, true},
        {"plain text"sv, true},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"sv, true},
        {"\xC0\x80"sv, true},          // overlong forms pass
        {"\xED\xA0\x80"sv, true},      // so do surrogates
        {"\x80\x80"sv, true},          // and a continuation byte as a lead
        {"\xF7\xBF\xBF\xBF"sv, true},  // bit 0x08 clear: three following bytes
        {"ok\0\xFF\xFF"sv, true},      // the scan stops at a 0 byte
        {"\xC3"sv, false},             // a following byte is missing
        {"\xE2\x82"sv, false},
        {"\xC3\x41"sv, false},  // a following byte below 0x80
        {"\xC3\0"sv, false},
        {"\xF8\x80\x80\x80\x80"sv, false},  // no lead with bit 0x08 set
        {"\xFF"sv, false},
        {"\xBF"sv, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsValidUtf8(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size()), c.valid)
            << "bytes of length " << c.bytes.size() << ": " << std::string(c.bytes);
    }
}

// ---- ConvertText ----

TEST(ConvertText, MeasuresThenConvertsIntoTheRoomGiven) {
    std::string_view bytes = "h\xE2\x82\xACllo \xF0\x9F\x98\x80"sv;
    TextConverter request = Request(u"utf-8", bytes);
    EXPECT_EQ(ConvertText(request, nullptr), 8);
    EXPECT_EQ(request.outputCount, 8);

    std::vector<char16_t> output(10, u'#');
    request.outputCount = 0;  // room 0 with an output only measures
    EXPECT_EQ(ConvertText(request, output.data()), 8);
    EXPECT_EQ(output[0], u'#');

    request.outputCount = 9;
    EXPECT_EQ(ConvertText(request, output.data()), 8);
    EXPECT_EQ(request.outputCount, 8);
    EXPECT_EQ(WString(output.data(), 8), u"h\u20ACllo \U0001F600");
    EXPECT_EQ(output[8], u'#');
}

TEST(ConvertText, TooLittleRoomGivesNothingAndWritesNoFurther) {
    std::vector<char16_t> output(10, u'#');
    for (WString source : {u"utf-8", u"UTF-32LE", u"windows-1252"}) {
        std::string bytes = source == u"UTF-32LE" ? Utf32Bytes({'a', 'b', 'c', 'd'}) : "abcd";
        TextConverter request = Request(source, bytes);
        request.outputCount = 3;
        EXPECT_EQ(ConvertText(request, output.data()), 0) << ToUtf8(source);
        EXPECT_EQ(request.outputCount, 0);
        EXPECT_EQ(output[3], u'#') << ToUtf8(source);
    }
}

TEST(ConvertText, ResolvesSourceNamesThroughTheTable) {
    struct Case {
        WString source;
        std::string_view bytes;
        WString text;
    };
    const Case cases[] = {
        {u"Windows-1252", "\x80", u"\u20AC"},
        {u"ISO-8859-1", "\x80", u"\u0080"},
        {u"KOI8-R", "\xC1", u"\u0430"},
        {u"UTF-8", "\xE2\x82\xAC", u"\u20AC"},
        {u"no-such-encoding", "\x80", u"\u20AC"},  // unknown names read as the ANSI code page
        {u"", "\x80", u"\u20AC"},
        {u"utf-32", "\x80", u"\u20AC"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConvertRequest(Request(c.source, c.bytes)), c.text) << ToUtf8(c.source);
    }
}

TEST(ConvertText, Utf32BecomesUtf16AndBadValuesBecomeReplacements) {
    std::string bytes = Utf32Bytes({0x41, 0x20AC, 0x1F600, 0x10FFFF, 0x110000, 0xFFFFFFFF}) + "\x41\x00\x00"s;
    EXPECT_EQ(ConvertRequest(Request(u"UTF-32LE", bytes)), u"A\u20AC\U0001F600\U0010FFFF\uFFFD\uFFFD");
    EXPECT_EQ(ConvertRequest(Request(u"UTF-32BE", "\x41\x00\x00"sv)), u"");  // less than one unit
}

TEST(ConvertText, GivesNothingForByteWiseUtf16OtherTargetsAndEmptyInput) {
    std::string_view utf16 = "a\0b\0"sv;
    for (WString source : {u"UTF-16", u"unicode", u"unicodeFFFE"}) {
        TextConverter request = Request(source, utf16);
        EXPECT_EQ(ConvertText(request, nullptr), 0) << ToUtf8(source);
    }
    TextConverter toUtf8{u"UTF-8", u"windows-1252", "abc", 3, 0};
    EXPECT_EQ(ConvertText(toUtf8, nullptr), 0);
    for (int32_t length : {0, -1}) {
        TextConverter request{u"UTF-16", u"UTF-8", "abc", length, 0};
        EXPECT_EQ(ConvertText(request, nullptr), 0) << length;
    }
    TextConverter noData{u"UTF-16", u"UTF-8", nullptr, 3, 0};
    EXPECT_EQ(ConvertText(noData, nullptr), 0);
}

// ---- UTF-8 through the platform seam ----

TEST(Utf8ToUtf16, ConvertsWellFormedInputAsWindowsDoes) {
    struct Case {
        std::string_view bytes;
        WString text;
    };
    const Case cases[] = {
        {"plain"sv, u"plain"},
        {"\xC3\xA9"sv, u"\u00E9"},
        {"\xE2\x82\xAC"sv, u"\u20AC"},
        {"\xF0\x9F\x98\x80"sv, u"\U0001F600"},
        {"\xF4\x8F\xBF\xBF"sv, u"\U0010FFFF"},
        {"\xEF\xBF\xBF"sv, u"\uFFFF"},
        {"\xED\x9F\xBF\xEE\x80\x80"sv, u"\uD7FF\uE000"},
        {"\xEF\xBB\xBF<a/>"sv, u"\uFEFF<a/>"},  // a mark inside the text stays
        {"\0a\0"sv, WString(u"\0a\0", 3)},
        {"abcdefg\xE2\x82\xAChijklmnopqrstuvwxyz"sv, u"abcdefg\u20AChijklmnopqrstuvwxyz"},
        {"abcdefgh\x7F\x01ijklmnop\xC3\xA9"sv, u"abcdefgh\x7F\x01ijklmnop\u00E9"},
        {"abcdefgh\xC3\xA9"
         "abcdefgh\xF0\x9F\x98\x80"sv,
         u"abcdefgh\u00E9abcdefgh\U0001F600"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConvertCodePage(kCodePageUtf8, c.bytes), c.text) << Hex(c.text);
    }
}

TEST(Utf8ToUtf16, LongMixedTextMatchesAnIndependentDecoder) {
    const std::string_view pieces[] = {"some ascii text, ",
                                       "x",
                                       "yz",
                                       "\xC3\xA9",
                                       "\xE6\x97\xA5\xE6\x9C\xAC",
                                       "\xF0\x9F\x98\x80",
                                       "0123456789abcdef",
                                       "<tag attr=\"v\"/>\n"};
    // Pieces in a fixed pseudo-random order, so that every piece follows every other at many offsets.
    std::string text;
    for (uint32_t state = 1; text.size() < 100000;) {
        state = state * 1103515245 + 12345;
        text += pieces[(state >> 16) % std::size(pieces)];
    }
    EXPECT_EQ(ConvertCodePage(kCodePageUtf8, text), FromUtf8(text));
}

TEST(Utf8ToUtf16, ReplacesIllFormedSequences) {
    struct Case {
        std::string_view bytes;
        WString text;
    };
    const Case cases[] = {
        {"\xC3\x28\xE2\x82"sv, u"\uFFFD(\uFFFD"},
        {"\xC0\x80\x41"sv, u"\uFFFD\uFFFDA"},
        {"\x80\xBF\x41"sv, u"\uFFFD\uFFFDA"},
        {"\xFE\xFF\xF5\x80"sv, u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xF0\x9F\x98"sv, u"\uFFFD"},
        {"\xF0\x9F\x98\x41"sv, u"\uFFFDA"},
        {"\xE1\x80\xC0\x80"sv, u"\uFFFD\uFFFD\uFFFD"},
        {"\xF8\x88\x80\x80\x80"sv, u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xF1\x80\x80\xE1\x80\xC2\x41"sv, u"\uFFFD\uFFFD\uFFFDA"},
        {"abcdefgh\xC2"sv, u"abcdefgh\uFFFD"},
        {"abc\xFF"
         "defghijklmnop"sv,
         u"abc\uFFFDdefghijklmnop"},  // stray bytes inside 8-byte blocks
        {"abcdefgh\x80"
         "ijklmnop"sv,
         u"abcdefgh\uFFFDijklmnop"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Hex(ConvertCodePage(kCodePageUtf8, c.bytes)), Hex(c.text));
    }
}

// A lead byte whose second byte is a continuation byte outside the lead's range (overlong, surrogate,
// past U+10FFFF): this build replaces the lead alone, as the Unicode "maximal subpart" rule says; Wine's
// converter takes the two bytes together.
TEST(Utf8ToUtf16, ReplacesOutOfRangeSecondBytesAsEachBuildDoes) {
    struct Case {
        std::string_view bytes;
        WString portable;
        WString windows;
    };
    const Case cases[] = {
        {"\xE0\x80\x80"sv, u"\uFFFD\uFFFD\uFFFD", u"\uFFFD\uFFFD"},
        {"\xED\xA0\x80\x41"sv, u"\uFFFD\uFFFD\uFFFDA", u"\uFFFD\uFFFDA"},
        {"\xF0\x80\x80\x80"sv, u"\uFFFD\uFFFD\uFFFD\uFFFD", u"\uFFFD\uFFFD\uFFFD"},
        {"\xF4\x90\x80\x80\x41"sv, u"\uFFFD\uFFFD\uFFFD\uFFFDA", u"\uFFFD\uFFFD\uFFFDA"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Hex(ConvertCodePage(kCodePageUtf8, c.bytes)), Hex(kWindowsBuild ? c.windows : c.portable));
    }
}

// ---- Other code pages through the platform seam ----

TEST(CodePageToUtf16, BothBuildsSupportTheCommonPagesAndNeitherTheUnconvertible) {
    for (uint32_t codePage :
         {0u,     37u,    437u,   850u,   852u,   866u,   874u,   932u,   936u,   949u,  950u,
          1250u,  1251u,  1252u,  1253u,  1254u,  1255u,  1256u,  1257u,  1258u,  1361u, 10000u,
          20127u, 20866u, 21866u, 28591u, 28592u, 28595u, 28599u, 28605u, 65000u, 65001u}) {
        EXPECT_TRUE(IsCodePageSupported(codePage)) << codePage;
    }
    for (uint32_t codePage : {1200u, 1201u, 29001u, 57002u, 65005u}) {
        EXPECT_FALSE(IsCodePageSupported(codePage)) << codePage;
        EXPECT_EQ(CodePageToUtf16(codePage, "abc", 3, nullptr, 0), 0) << codePage;
    }
}

struct PageSample {
    uint32_t codePage;
    std::string_view bytes;
    WString text;
};

void ExpectSamples(const std::vector<PageSample>& samples) {
    for (const PageSample& s : samples) {
        if (IsCodePageSupported(s.codePage)) {
            EXPECT_EQ(Hex(ConvertCodePage(s.codePage, s.bytes)), Hex(s.text)) << "code page " << s.codePage;
        }
    }
}

TEST(CodePageToUtf16, ReadsCharactersFromTheCodeCharts) {
    ExpectSamples({
        {0, "\x80\x9F", u"\u20AC\u0178"},  // the ANSI page is windows-1252 in both test setups
        {1252, "\x80\x9F\xE9", u"\u20AC\u0178\u00E9"},
        {1250, "\x8A\xB9", u"\u0160\u0105"},
        {1251, "\xC0\xFF", u"\u0410\u044F"},
        {1253, "\xC1", u"\u0391"},
        {1255, "\xE0", u"\u05D0"},
        {1258, "A\xEC", u"A\u0301"},  // combining marks stay apart, as Windows leaves them
        {437, "\x80\xB0", u"\u00C7\u2591"},
        {850, "\x9B", u"\u00F8"},
        {866, "\x80\xEF", u"\u0410\u044F"},
        {874, "\xA1", u"\u0E01"},
        {20866, "\xC1\xE1", u"\u0430\u0410"},
        {21866, "\xA4", u"\u0454"},
        {28591, "\xE9\x80", u"\u00E9\u0080"},
        {28592, "\xB1", u"\u0105"},
        {28595, "\xB0", u"\u0410"},
        {28605, "\xA4", u"\u20AC"},
        {37, "\xC1\x81\xF0\x40", u"Aa0 "},
        {10000, "\x80\xA5", u"\u00C4\u2022"},
        {65000, "Hi+ZeVnLIqe-", u"Hi\u65E5\u672C\u8A9E"},
        {932, "\x93\xFA\x96\x7B\x5C\x7E\xB1", u"\u65E5\u672C\\~\uFF71"},
        {936, "\xD6\xD0\xCE\xC4\x80", u"\u4E2D\u6587\u20AC"},
        {949, "\xC7\xD1\xB1\xDB", u"\uD55C\uAE00"},
        {950, "\xA4\xA4\xA4\xE5", u"\u4E2D\u6587"},
        {1361, "\\", u"\\"},
        {51932, "\xC6\xFC\xCB\xDC", u"\u65E5\u672C"},
        {50220, "\x1B$BF|K\\\x1B(B", u"\u65E5\u672C"},
    });
}

TEST(CodePageToUtf16, GivesWhatWindowsGivesForBytesItsTablesLeaveOpen) {
    ExpectSamples({
        {1252, "\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},
        {1250, "\x81\x83\x88\x90\x98", u"\u0081\u0083\u0088\u0090\u0098"},
        {1251, "\x98", u"\u0098"},
        {874, "\x81", u"\u0081"},
        {20127, "A\xC1\xFF", u"AA\x7F"},  // the high bit is dropped
        // A lead byte takes any next byte but 0 with it; alone it is the page's default character.
        {932,
         "\x81\x20"
         "A",
         u"\u30FB"
         "A"},
        {932, "A\x81", u"A\u30FB"},
        {932, "\x81\0A"sv, WString(u"\u30FB\0A", 3)},
        {936,
         "\x81\x7F"
         "A",
         u"?A"},
        {949,
         "\xA2\xE8"
         "A",
         u"?A"},
        {950,
         "\x81\x20"
         "A",
         u"?A"},
    });
}

// Pages read as one stream (escape-sequence, EUC): a bad byte is the default character and the reading
// goes on after it; a character cut off by the end is one default character.
TEST(CodePageToUtf16, StreamedPagesReplaceBadAndCutSequences) {
    ExpectSamples({
        {51932, "\xC6\xFC\xC6", u"\u65E5?"},
        {51932,
         "a\xFF"
         "b",
         u"a?b"},
        {50220, "\x1B$BF|K", u"\u65E5?"},
    });
}

TEST(CodePageToUtf16, TooLittleRoomGivesNothingAndWritesNoFurther) {
    const PageSample samples[] = {
        {65001, "h\xC3\xA9llo", u"h\u00E9llo"},
        {1252, "caf\xE9", u"caf\u00E9"},
        {932,
         "\x93\xFA\x96\x7B"
         "a",
         u"\u65E5\u672Ca"},
        {51932,
         "\xC6\xFC\xCB\xDC"
         "a",
         u"\u65E5\u672Ca"},
        {65000, "Hi+ZeVnLIqe-", u"Hi\u65E5\u672C\u8A9E"},
    };
    for (const PageSample& s : samples) {
        if (!IsCodePageSupported(s.codePage)) {
            continue;
        }
        auto needed = static_cast<int32_t>(s.text.size());
        std::vector<char16_t> output(needed + 1, u'#');
        EXPECT_EQ(CodePageToUtf16(s.codePage, s.bytes.data(), SizeOf(s.bytes), nullptr, 5), needed);
        EXPECT_EQ(CodePageToUtf16(s.codePage, s.bytes.data(), SizeOf(s.bytes), output.data(), needed - 1), 0)
            << s.codePage;
        EXPECT_EQ(output[needed - 1], u'#') << s.codePage;
        EXPECT_EQ(CodePageToUtf16(s.codePage, s.bytes.data(), SizeOf(s.bytes), output.data(), needed),
                  needed);
        EXPECT_EQ(WString(output.data(), needed), s.text) << s.codePage;
        EXPECT_EQ(output[needed], u'#') << s.codePage;
    }
}

// ---- Files and error texts ----

std::string ReadAll(const WString& path) {
    std::FILE* file = OpenFileForReading(path);
    if (file == nullptr) {
        ADD_FAILURE() << "cannot open " << ToUtf8(path);
        return {};
    }
    std::string bytes(static_cast<size_t>(FileLength(file)), '\0');
    size_t read = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    bytes.resize(read);
    return bytes;
}

// The Python project's CJK samples with their UTF-8 twins. Wine's johab table maps a few Hangul fillers to
// other jamo than the sample does, so that pair is checked in the portable build only.
TEST(CodePageToUtf16, ConvertsTheCjkSamplesLikeTheirUtf8Twins) {
    const std::filesystem::path folder =
        std::filesystem::path(DASHWELL_CORPORA_DIR) / "encodings" / "python311-cjkencodings";
    if (!std::filesystem::exists(folder)) {
        GTEST_SKIP() << "no corpus at " << folder.string();
    }
    struct Sample {
        const char* name;
        uint32_t codePage;
        bool wineAgrees;
    };
    const Sample samples[] = {
        {"shift_jis", 932, true}, {"gb2312", 936, true},       {"gbk", 936, true},
        {"cp949", 949, true},     {"big5", 950, true},         {"johab", 1361, false},
        {"euc_jp", 51932, true},  {"iso2022_jp", 50220, true}, {"iso2022_kr", 50225, true},
        {"gb2312", 51936, true},
    };
    int compared = 0;
    for (const Sample& s : samples) {
        if (!IsCodePageSupported(s.codePage) || (kWindowsBuild && !s.wineAgrees)) {
            continue;
        }
        std::string name = s.name;
        std::string bytes = ReadAll(FromUtf8((folder / (name + ".txt")).string()));
        std::string utf8 = ReadAll(FromUtf8((folder / (name + "-utf8.txt")).string()));
        ASSERT_FALSE(bytes.empty()) << name;
        EXPECT_EQ(ConvertCodePage(s.codePage, bytes), FromUtf8(utf8)) << name << " as " << s.codePage;
        ++compared;
    }
    EXPECT_GE(compared, 5);  // the pages both builds share are always among them
}

// The C++ streams of the Windows build take paths through the ANSI code page, so files are made with
// the C runtime's wide open there.
std::FILE* CreateForWriting(const std::filesystem::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wb");
#else
    return std::fopen(path.c_str(), "wb");
#endif
}

// A file of the test's own in the temporary folder, removed at the end of the scope.
class ScratchFile {
public:
    ScratchFile(std::u16string_view prefix, std::string_view bytes)
        : m_path(std::filesystem::temp_directory_path() /
                 std::filesystem::path(std::u16string(prefix) + UniqueSuffix())) {
        std::FILE* file = CreateForWriting(m_path);
        m_created = file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        if (file != nullptr) {
            std::fclose(file);
        }
    }
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    WString Path() const { return m_path.u16string(); }
    bool Created() const { return m_created; }

private:
    // Builds and test runs may share the temporary folder.
    static WString UniqueSuffix() {
        return FromUtf8(std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    }

    std::filesystem::path m_path;
    bool m_created = false;
};

void ExpectOpensAndTellsLength(const ScratchFile& file) {
    std::FILE* opened = OpenFileForReading(file.Path());
    ASSERT_NE(opened, nullptr) << ToUtf8(file.Path());
    EXPECT_EQ(std::fgetc(opened), '<');
    EXPECT_EQ(FileLength(opened), 10);
    EXPECT_EQ(std::fgetc(opened), '<');  // the length leaves the position at the start
    std::fclose(opened);
}

TEST(OpenFileForReading, OpensAFileAndTellsItsLength) {
    ScratchFile file(u"dashwell-plain-", "<a>\xE2\x82\xAC</a>");
    ASSERT_TRUE(file.Created());
    ExpectOpensAndTellsLength(file);
}

TEST(OpenFileForReading, OpensANonAsciiPath) {
    ScratchFile file(u"dashwell-\u00E9\u65E5\u672C-", "<a>\xE2\x82\xAC</a>");
    if (!file.Created()) {
        GTEST_SKIP() << "this file system cannot hold the name (Wine in the C locale)";
    }
    ExpectOpensAndTellsLength(file);
}

TEST(OpenFileForReading, RefusesMissingFilesFoldersAndNamesWithA0Unit) {
    ScratchFile file(u"dashwell-existing-", "x");
    ASSERT_TRUE(file.Created());
    const WString refused[] = {
        file.Path() + u".missing",
        std::filesystem::temp_directory_path().u16string(),
        file.Path() + WString(1, u'\0') + u"x",
    };
    for (const WString& path : refused) {
        EXPECT_EQ(OpenFileForReading(path), nullptr) << ToUtf8(path);
    }
}

TEST(SystemErrorText, TellsWhyAMissingFileDidNotOpenOnOneLine) {
    ScratchFile file(u"dashwell-gone-", "");
    ASSERT_TRUE(file.Created());
    ASSERT_EQ(OpenFileForReading(file.Path() + u".missing"), nullptr);
    WString text = SystemErrorText();
    EXPECT_FALSE(text.empty());
    EXPECT_LT(text.size(), 100u);
    EXPECT_EQ(text.find_first_of(u"\r\n"), WString::npos) << ToUtf8(text);
}

}  // namespace
