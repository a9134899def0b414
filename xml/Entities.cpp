// DecodeReferences: named entity and numeric character references in element text. The entity table
// is constant data owned by this file; the caller owns the input, and the result is a new string.
#include "xml/Entities.h"

#include <cstddef>
#include <string>

#include "xml/NumberText.h"

namespace {

constexpr size_t kBucketCount = 130;
constexpr size_t kMaxNameLength = 9;
constexpr size_t kEntryHeaderLength = 5;  // one-digit name length, four-digit decimal code point

// The HTML 4.01 character entities plus apos, in buckets keyed by the sum of the lower-case name's units
// modulo kBucketCount. Each entry is its name length, its code point and its name in lower case. Where
// HTML defines a name in two cases, the capital form comes first and so wins the lookup; the lower-case
// twin after it is never reached.
// clang-format off
constexpr const char* kEntityBuckets[kBucketCount] = {
    /*   0 */ "60216oslash" "60248oslash" "60217ugrave" "60249ugrave",
    /*   1 */ "58968lceil" "50937omega" "50969omega" "60221yacute" "60253yacute",
    /*   2 */ "50916delta" "50948delta" "50206icirc" "50238icirc" "68472weierp",
    /*   3 */ "40185sup1",
    /*   4 */ "68970lfloor" "40178sup2",
    /*   5 */ "60164curren" "50922kappa" "50954kappa" "58212mdash" "40179sup3",
    /*   6 */ "59830diams" "58211ndash",
    /*   7 */ "68855otimes" "58969rceil",
    /*   8 */ "50212ocirc" "50244ocirc" "50338oelig" "50339oelig" "58482trade",
    /*   9 */ "50197aring" "50229aring" "50931sigma" "50963sigma",
    /*  10 */ "50180acute" "68971rfloor" "50732tilde",
    /*  11 */ "68249lsaquo",
    /*  12 */ "58734infin" "68201thinsp",
    /*  13 */ "50161iexcl",
    /*  14 */ "50920theta" "50952theta" "50219ucirc" "50251ucirc",
    /*  15 */ "58254oline",
    /*  16 */ "58260frasl" "68727lowast",
    /*  17 */ "59827clubs" "60191iquest" "68250rsaquo",
    /*  18 */ "58629crarr" "50181micro",
    /*  19 */ "58222bdquo",
    /*  20 */ "",
    /*  21 */ "60177plusmn" "58243prime" "58242prime",
    /*  22 */ "40914beta" "40946beta",
    /*  23 */ "",
    /*  24 */ "",
    /*  25 */ "",
    /*  26 */ "50171laquo" "50215times",
    /*  27 */ "40710circ",
    /*  28 */ "49001lang",
    /*  29 */ "58220ldquo" "40175macr",
    /*  30 */ "40182para" "50163pound" "48476real",
    /*  31 */ "",
    /*  32 */ "58713notin" "50187raquo",
    /*  33 */ "48773cong" "50223szlig" "50978upsih",
    /*  34 */ "58776asymp" "58801equiv" "49002rang" "58218sbquo",
    /*  35 */ "48659darr" "48595darr" "40402fnof" "58221rdquo" "50222thorn" "50254thorn",
    /*  36 */ "40162cent" "58722minus",
    /*  37 */ "58707exist" "40170ordf",
    /*  38 */ "",
    /*  39 */ "58709empty" "48660harr" "48596harr" "40921iota" "40953iota",
    /*  40 */ "",
    /*  41 */ "40196auml" "40228auml" "48226bull" "40167sect" "48838sube",
    /*  42 */ "",
    /*  43 */ "48656larr" "48592larr" "58853oplus",
    /*  44 */ "30176deg" "58216lsquo" "40186ordm",
    /*  45 */ "40039apos" "40203euml" "40235euml" "48712isin" "40160nbsp",
    /*  46 */ "40918zeta" "40950zeta",
    /*  47 */ "38743and" "48195emsp" "48719prod",
    /*  48 */ "38745cap" "30935chi" "30967chi" "48194ensp",
    /*  49 */ "40207iuml" "40239iuml" "48706part" "48869perp" "48658rarr" "48594rarr",
    /*  50 */ "38736ang" "48836nsub" "58217rsquo",
    /*  51 */ "",
    /*  52 */ "48901sdot" "48657uarr" "48593uarr",
    /*  53 */ "40169copy" "48364euro",
    /*  54 */ "30919eta" "30951eta",
    /*  55 */ "40214ouml" "40246ouml" "48839supe",
    /*  56 */ "",
    /*  57 */ "",
    /*  58 */ "30038amp" "30174reg",
    /*  59 */ "48733prop",
    /*  60 */ "",
    /*  61 */ "30208eth" "30240eth" "30934phi" "30966phi" "40220uuml" "40252uuml",
    /*  62 */ "",
    /*  63 */ "",
    /*  64 */ "",
    /*  65 */ "40376yuml" "40255yuml",
    /*  66 */ "",
    /*  67 */ "40034quot" "48204zwnj",
    /*  68 */ "38746cup" "68756there4",
    /*  69 */ "30929rho" "30961rho" "38764sim",
    /*  70 */ "38834sub" "30932tau" "30964tau",
    /*  71 */ "38747int" "38206lrm" "38207rlm",
    /*  72 */ "30936psi" "30968psi" "30165yen",
    /*  73 */ "",
    /*  74 */ "28805ge" "30168uml",
    /*  75 */ "30982piv",
    /*  76 */ "",
    /*  77 */ "30172not",
    /*  78 */ "",
    /*  79 */ "28804le",
    /*  80 */ "30173shy",
    /*  81 */ "39674loz" "28800ne" "38721sum",
    /*  82 */ "",
    /*  83 */ "",
    /*  84 */ "38835sup",
    /*  85 */ "28715ni",
    /*  86 */ "",
    /*  87 */ "20928pi" "20960pi" "38205zwj",
    /*  88 */ "",
    /*  89 */ "20062gt" "60923lambda" "60955lambda",
    /*  90 */ "",
    /*  91 */ "",
    /*  92 */ "60199ccedil" "60231ccedil",
    /*  93 */ "",
    /*  94 */ "20060lt",
    /*  95 */ "28744or" "20926xi" "20958xi",
    /*  96 */ "20924mu" "20956mu",
    /*  97 */ "20925nu" "20957nu",
    /*  98 */ "68225dagger" "68224dagger",
    /*  99 */ "80977thetasym",
    /* 100 */ "",
    /* 101 */ "",
    /* 102 */ "",
    /* 103 */ "78501alefsym",
    /* 104 */ "",
    /* 105 */ "",
    /* 106 */ "",
    /* 107 */ "60193aacute" "60225aacute" "60195atilde" "60227atilde",
    /* 108 */ "",
    /* 109 */ "60247divide" "70927omicron" "70959omicron",
    /* 110 */ "60192agrave" "60224agrave",
    /* 111 */ "60201eacute" "60233eacute" "60962sigmaf",
    /* 112 */ "70917epsilon" "70949epsilon",
    /* 113 */ "",
    /* 114 */ "60200egrave" "60232egrave",
    /* 115 */ "60205iacute" "60237iacute",
    /* 116 */ "",
    /* 117 */ "",
    /* 118 */ "68230hellip" "60204igrave" "60236igrave",
    /* 119 */ "60166brvbar",
    /* 120 */ "68704forall" "58711nabla" "60209ntilde" "60241ntilde" "69824spades",
    /* 121 */ "60189frac12" "60183middot" "60211oacute" "60243oacute" "60213otilde" "60245otilde",
    /* 122 */ "",
    /* 123 */ "50184cedil" "60188frac14",
    /* 124 */ "50194acirc" "50226acirc" "50198aelig" "50230aelig" "60210ograve" "60242ograve",
    /* 125 */ "60190frac34" "50915gamma" "50947gamma" "58465image" "58730radic",
    /* 126 */ "60352scaron" "60353scaron",
    /* 127 */ "69829hearts" "60218uacute" "60250uacute",
    /* 128 */ "50913alpha" "50945alpha" "50202ecirc" "50234ecirc" "70933upsilon" "70965upsilon",
    /* 129 */ "68240permil",
};
// clang-format on

char16_t FoldToLower(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

bool NameMatches(const char* entryName, const char16_t* name, size_t length) {
    for (size_t k = 0; k < length; ++k) {
        if (static_cast<char16_t>(entryName[k]) != FoldToLower(name[k])) {
            return false;
        }
    }
    return true;
}

int32_t LookupEntity(const char16_t* name, size_t length, unsigned sum) {
    const char* entry = kEntityBuckets[sum % kBucketCount];
    while (*entry != '\0') {
        const size_t entryLength = static_cast<size_t>(entry[0] - '0');
        if (entryLength == length && NameMatches(entry + kEntryHeaderLength, name, length)) {
            return (entry[1] - '0') * 1000 + (entry[2] - '0') * 100 + (entry[3] - '0') * 10 +
                   (entry[4] - '0');
        }
        entry += kEntryHeaderLength + entryLength;
    }
    return 0;
}

// The value of the character reference whose name (after the ampersand) starts with '#'.
int32_t CharacterReferenceValue(const char16_t* name, size_t length) {
    const WStringView text(name, length);
    if (length >= 2 && FoldToLower(name[1]) == u'x') {
        return ParseInt32(text.substr(2), 16);
    }
    return ParseInt32(text.substr(1), 10);
}

// The length of the reference name that starts at units[begin] and ends with a ';' inside the input,
// or npos when there is none: a unit of 0x80 or above, or more than kMaxNameLength units, ends the search.
size_t ReferenceNameLength(const char16_t* units, size_t begin, size_t end) {
    for (size_t pos = begin; pos < end && pos - begin <= kMaxNameLength; ++pos) {
        if (units[pos] == u';') {
            return pos - begin;
        }
        if (units[pos] >= 0x80) {
            break;
        }
    }
    return WString::npos;
}

// The code point the reference name stands for, or 0 when it is no reference.
int32_t ReferenceValue(const char16_t* name, size_t length) {
    if (length > 0 && name[0] == u'#') {
        return CharacterReferenceValue(name, length);
    }
    unsigned sum = 0;
    for (size_t k = 0; k < length; ++k) {
        sum += FoldToLower(name[k]);
    }
    return LookupEntity(name, length, sum);
}

// Values beyond the basic plane, including those that no code point has, become a surrogate pair.
void AppendCodePoint(WString& out, int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    if (v < 0x10000) {
        out.push_back(static_cast<char16_t>(v));
        return;
    }
    out.push_back(static_cast<char16_t>(0xD800 | (((v - 0x10000) >> 10) & 0x3FF)));
    out.push_back(static_cast<char16_t>(0xDC00 | (v & 0x3FF)));
}

size_t InputLength(const char16_t* units, int32_t count) {
    if (units == nullptr || count < -1) {
        return 0;
    }
    return count == -1 ? std::char_traits<char16_t>::length(units) : static_cast<size_t>(count);
}

}  // namespace

WString DecodeReferences(const char16_t* units, int32_t count) {
    const size_t end = InputLength(units, count);
    WString out;
    out.reserve(end);
    size_t pos = 0;
    while (pos < end) {
        const size_t length = units[pos] == u'&' ? ReferenceNameLength(units, pos + 1, end) : WString::npos;
        const int32_t value = length == WString::npos ? 0 : ReferenceValue(units + pos + 1, length);
        if (value == 0) {
            out.push_back(units[pos]);
            ++pos;
        } else {
            AppendCodePoint(out, value);
            pos += length + 2;
        }
    }
    return out;
}
