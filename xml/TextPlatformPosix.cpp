// The portable side of the text seam: UTF-8 by a decoder of its own, other Windows code pages through
// iconv with Windows' answers for bytes iconv rejects, files through the C library by their UTF-8
// path. The caller owns and closes the FILE* it gets; each conversion opens and closes its own iconv.
#include <iconv.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "xml/TextPlatform.h"

static_assert(std::endian::native == std::endian::little, "iconv's UTF-16LE is read as char16_t");

namespace {

constexpr uint32_t kCodePageAnsi = 0;
constexpr uint32_t kCodePageWindows1252 = 1252;
constexpr uint32_t kCodePageUsAscii = 20127;
constexpr uint32_t kCodePageUtf8 = 65001;
constexpr char16_t kReplacement = 0xFFFD;
constexpr size_t kMessageRoom = 100;

// ---- UTF-8 ----

// Which second bytes a lead byte allows (Unicode table 3-7): the narrower ranges after E0, ED, F0 and F4
// keep out overlong forms, surrogates and values past U+10FFFF.
struct Utf8Lead {
    uint8_t length = 0;  // 0: the byte never starts a sequence
    uint8_t secondMin = 0x80;
    uint8_t secondMax = 0xBF;
};

constexpr Utf8Lead Utf8LeadOf(unsigned byte) {
    if (byte >= 0xC2 && byte <= 0xDF) {
        return {2};
    }
    if (byte == 0xE0) {
        return {3, 0xA0};
    }
    if (byte == 0xED) {
        return {3, 0x80, 0x9F};
    }
    if (byte >= 0xE1 && byte <= 0xEF) {
        return {3};
    }
    if (byte == 0xF0) {
        return {4, 0x90};
    }
    if (byte >= 0xF1 && byte <= 0xF3) {
        return {4};
    }
    if (byte == 0xF4) {
        return {4, 0x80, 0x8F};
    }
    return {};
}

constexpr auto kUtf8Leads = [] {
    std::array<Utf8Lead, 256> leads{};
    for (unsigned byte = 0; byte < leads.size(); ++byte) {
        leads[byte] = Utf8LeadOf(byte);
    }
    return leads;
}();

struct Utf8Step {
    size_t length;
    char32_t codePoint;
};

// One sequence that starts with a byte of 0x80 or more. An ill-formed one gives U+FFFD for its longest
// well-formed beginning (at least one byte): the "maximal subpart" rule.
Utf8Step DecodeUtf8Sequence(const uint8_t* bytes, size_t available) {
    Utf8Lead lead = kUtf8Leads[bytes[0]];
    if (lead.length == 0 || available < 2 || bytes[1] < lead.secondMin || bytes[1] > lead.secondMax) {
        return {1, kReplacement};
    }
    char32_t codePoint = (bytes[0] & (0x7F >> lead.length)) << 6 | (bytes[1] & 0x3F);
    size_t used = 2;
    for (; used < lead.length; ++used) {
        if (used == available || (bytes[used] & 0xC0) != 0x80) {
            return {used, kReplacement};
        }
        codePoint = codePoint << 6 | (bytes[used] & 0x3F);
    }
    return {used, codePoint};
}

size_t WriteCodePoint(char32_t codePoint, char16_t* output) {
    if (codePoint < 0x10000) {
        output[0] = static_cast<char16_t>(codePoint);
        return 1;
    }
    codePoint -= 0x10000;
    output[0] = static_cast<char16_t>(0xD800 | (codePoint >> 10));
    output[1] = static_cast<char16_t>(0xDC00 | (codePoint & 0x3FF));
    return 2;
}

// The ASCII bytes at the start, taken 16 and then 8 at a time while no high bit shows; copied out
// (widened to units) when writing.
template <bool kWrite>
size_t TakeAsciiRun(const uint8_t* bytes, size_t count, char16_t* output) {
    constexpr uint64_t kHighBits = 0x8080808080808080;
    size_t run = 0;
#if defined(__SSE2__)
    for (; count - run >= 16; run += 16) {
        __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + run));
        if (_mm_movemask_epi8(chunk) != 0) {
            break;
        }
        if constexpr (kWrite) {
            const __m128i zero = _mm_setzero_si128();
            _mm_storeu_si128(reinterpret_cast<__m128i*>(output + run), _mm_unpacklo_epi8(chunk, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(output + run + 8), _mm_unpackhi_epi8(chunk, zero));
        }
    }
#endif
    for (; count - run >= 8; run += 8) {
        uint64_t chunk;
        std::memcpy(&chunk, bytes + run, sizeof chunk);
        if (chunk & kHighBits) {
            break;
        }
        if constexpr (kWrite) {
            for (size_t k = 0; k < 8; ++k) {
                output[run + k] = bytes[run + k];
            }
        }
    }
    for (; run < count && bytes[run] < 0x80; ++run) {
        if constexpr (kWrite) {
            output[run] = bytes[run];
        }
    }
    return run;
}

// The units the bytes give; written to output (which must hold them all) when kWrite.
template <bool kWrite>
size_t DecodeUtf8(const uint8_t* bytes, size_t count, char16_t* output) {
    size_t read = 0;
    size_t units = 0;
    while (read < count) {
        size_t run = TakeAsciiRun<kWrite>(bytes + read, count - read, kWrite ? output + units : nullptr);
        read += run;
        units += run;
        if (read == count) {
            break;
        }
        Utf8Step step = DecodeUtf8Sequence(bytes + read, count - read);
        read += step.length;
        if constexpr (kWrite) {
            units += WriteCodePoint(step.codePoint, output + units);
        } else {
            units += step.codePoint < 0x10000 ? 1 : 2;
        }
    }
    return units;
}

int32_t Utf8ToUtf16(const uint8_t* bytes, int32_t count, char16_t* output, int32_t room) {
    // No byte gives more than one unit, so room for every byte needs no measuring first.
    if (output != nullptr && room >= count) {
        return static_cast<int32_t>(DecodeUtf8<true>(bytes, count, output));
    }
    auto needed = static_cast<int32_t>(DecodeUtf8<false>(bytes, count, nullptr));
    if (output == nullptr) {
        return needed;
    }
    return needed > room ? 0 : static_cast<int32_t>(DecodeUtf8<true>(bytes, count, output));
}

// ---- Other code pages ----

enum class PageKind : uint8_t {
    SingleByte,  // one byte, one unit: read through a 256-entry table
    DoubleByte,  // Windows lead-byte pages: ASCII below 0x80; a lead byte takes the next byte with it
    Stream,      // escape-sequence, EUC and mixed EBCDIC pages: iconv reads them as one stream
};

struct ByteRange {
    uint8_t first;
    uint8_t last;
};

struct CodePageInfo {
    uint32_t codePage;
    const char* iconvName;
    PageKind kind = PageKind::SingleByte;
    std::array<ByteRange, 3> leadBytes{};  // DoubleByte only; unused ranges stay {0, 0}, below any lead
    char16_t defaultChar = u'?';           // what Windows gives for a lead byte that maps to nothing
};

// The Windows code pages of the encodings table that iconv reads the way Windows does. Missing here,
// so unsupported: 708 (iconv's ASMO-708 is another layout), 720, 20105, 20833, 20838, 29001, 52936,
// the Macintosh CJK, Arabic, Hebrew, Greek and Turkish pages, ISCII, and 1200/1201 (not byte pages).
constexpr CodePageInfo kCodePages[] = {
    {37, "IBM037"},
    {420, "IBM420"},
    {437, "IBM437"},
    {737, "CP737"},
    {775, "IBM775"},
    {850, "IBM850"},
    {852, "IBM852"},
    {857, "IBM857"},
    {861, "IBM861"},
    {862, "IBM862"},
    {866, "IBM866"},
    {869, "IBM869"},
    {870, "IBM870"},
    {874, "CP874"},
    {875, "IBM875"},
    {932, "CP932", PageKind::DoubleByte, {{{0x81, 0x9F}, {0xE0, 0xFC}}}, u'\u30FB'},
    {936, "CP936", PageKind::DoubleByte, {{{0x81, 0xFE}}}},
    {949, "CP949", PageKind::DoubleByte, {{{0x81, 0xFE}}}},
    {950, "CP950", PageKind::DoubleByte, {{{0x81, 0xFE}}}},
    {1026, "IBM1026"},
    {1140, "IBM1140"},
    {1142, "IBM1142"},
    {1143, "IBM1143"},
    {1144, "IBM1144"},
    {1145, "IBM1145"},
    {1146, "IBM1146"},
    {1147, "IBM1147"},
    {1148, "IBM1148"},
    {1149, "IBM1149"},
    {1250, "CP1250"},
    {1251, "CP1251"},
    {1252, "CP1252"},
    {1253, "CP1253"},
    {1254, "CP1254"},
    {1255, "CP1255"},
    {1256, "CP1256"},
    {1257, "CP1257"},
    {1258, "CP1258"},
    {1361, "JOHAB", PageKind::DoubleByte, {{{0x84, 0xD3}, {0xD8, 0xDE}, {0xE0, 0xF9}}}},
    {10000, "MACINTOSH"},
    {10007, "CP10007"},
    {10029, "MAC-CENTRALEUROPE"},
    {10079, "MAC-IS"},
    {20106, "DIN_66003"},
    {20107, "SEN_850200_B"},
    {20108, "NS_4551-1"},
    {20127, "ANSI_X3.4-1968"},
    {20273, "IBM273"},
    {20277, "IBM277"},
    {20278, "IBM278"},
    {20280, "IBM280"},
    {20284, "IBM284"},
    {20285, "IBM285"},
    {20290, "IBM290"},
    {20423, "IBM423"},
    {20424, "IBM424"},
    {20866, "KOI8-R"},
    {20873, "IBM871"},
    {20880, "IBM880"},
    {20905, "IBM905"},
    {21025, "IBM1025"},
    {21866, "KOI8-U"},
    {28591, "ISO-8859-1"},
    {28592, "ISO-8859-2"},
    {28593, "ISO-8859-3"},
    {28594, "ISO-8859-4"},
    {28595, "ISO-8859-5"},
    {28596, "ISO-8859-6"},
    {28597, "ISO-8859-7"},
    {28598, "ISO-8859-8"},
    {28599, "ISO-8859-9"},
    {28605, "ISO-8859-15"},
    {38598, "ISO-8859-8"},
    {50220, "ISO-2022-JP", PageKind::Stream},
    {50221, "ISO-2022-JP", PageKind::Stream},
    {50222, "ISO-2022-JP", PageKind::Stream},
    {50225, "ISO-2022-KR", PageKind::Stream},
    {50930, "IBM930", PageKind::Stream},
    {50933, "IBM933", PageKind::Stream},
    {50935, "IBM935", PageKind::Stream},
    {50937, "IBM937", PageKind::Stream},
    {50939, "IBM939", PageKind::Stream},
    {51932, "EUC-JP", PageKind::Stream},
    {51936, "EUC-CN", PageKind::Stream},
    {51949, "EUC-KR", PageKind::Stream},
    {65000, "UTF-7", PageKind::Stream},
};

const CodePageInfo* FindCodePage(uint32_t codePage) {
    auto page = std::find_if(std::begin(kCodePages), std::end(kCodePages),
                             [codePage](const CodePageInfo& info) { return info.codePage == codePage; });
    return page == std::end(kCodePages) ? nullptr : page;
}

bool IsLeadByte(const CodePageInfo& page, uint8_t byte) {
    return std::any_of(page.leadBytes.begin(), page.leadBytes.end(),
                       [byte](ByteRange range) { return byte >= range.first && byte <= range.last; });
}

// What Windows gives for a byte its table leaves undefined: the C1 control of the same value in
// 0x80-0x9F, the low 7 bits in US-ASCII. Elsewhere Windows gives private-use points; U+FFFD here.
char16_t UndefinedByteUnit(uint32_t codePage, uint8_t byte) {
    if (codePage == kCodePageUsAscii) {
        return byte & 0x7F;
    }
    return byte >= 0x80 && byte <= 0x9F ? byte : kReplacement;
}

// Counts the units of a conversion when measuring (no output); otherwise writes them while they fit.
class UnitSink {
public:
    UnitSink(char16_t* output, int32_t room) : m_output(output), m_room(room) {}

    void Put(char16_t unit) {
        if (m_output != nullptr && m_count < m_room) {
            m_output[m_count] = unit;
        }
        ++m_count;
    }
    void Put(const char16_t* units, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            Put(units[i]);
        }
    }
    // Like MultiByteToWideChar: 0 when the units did not fit.
    int32_t Result() const { return m_output != nullptr && m_count > m_room ? 0 : m_count; }

private:
    char16_t* m_output;
    int32_t m_room;
    int32_t m_count = 0;
};

// One iconv conversion from a code page to UTF-16; closed with the object.
class IconvDecoder {
public:
    explicit IconvDecoder(const char* fromName) : m_handle(iconv_open("UTF-16LE", fromName)) {}
    ~IconvDecoder() {
        if (IsOpen()) {
            iconv_close(m_handle);
        }
    }
    IconvDecoder(const IconvDecoder&) = delete;
    IconvDecoder& operator=(const IconvDecoder&) = delete;

    bool IsOpen() const { return m_handle != reinterpret_cast<iconv_t>(-1); }

    // The units of exactly one character (up to 2), or 0 when the bytes are not one whole character.
    size_t DecodeCharacter(const uint8_t* bytes, size_t count, char16_t (&units)[2]) {
        auto* in = reinterpret_cast<char*>(const_cast<uint8_t*>(bytes));
        auto* out = reinterpret_cast<char*>(units);
        size_t inLeft = count;
        size_t outLeft = sizeof units;
        bool whole =
            Convert(&in, &inLeft, &out, &outLeft) && Convert(nullptr, nullptr, &out, &outLeft) && inLeft == 0;
        Convert(nullptr, nullptr, nullptr, nullptr);  // back to the initial state, whatever happened
        return whole ? (sizeof units - outLeft) / sizeof(char16_t) : 0;
    }

    // Converts as much as fits; false with errno set when it stops early.
    bool Convert(char** in, size_t* inLeft, char** out, size_t* outLeft) {
        return iconv(m_handle, in, inLeft, out, outLeft) != static_cast<size_t>(-1);
    }

private:
    iconv_t m_handle;
};

using ByteTable = std::array<char16_t, 256>;

ByteTable BuildByteTable(IconvDecoder& decoder, uint32_t codePage) {
    ByteTable table{};
    for (unsigned value = 0; value < table.size(); ++value) {
        auto byte = static_cast<uint8_t>(value);
        char16_t units[2];
        table[value] =
            decoder.DecodeCharacter(&byte, 1, units) == 1 ? units[0] : UndefinedByteUnit(codePage, byte);
    }
    return table;
}

int32_t DecodeSingleBytes(IconvDecoder& decoder, const CodePageInfo& page, const uint8_t* bytes,
                          int32_t count, char16_t* output, int32_t room) {
    if (output == nullptr) {
        return count;
    }
    if (room < count) {
        return 0;
    }
    ByteTable table = BuildByteTable(decoder, page.codePage);
    std::transform(bytes, bytes + count, output, [&table](uint8_t byte) { return table[byte]; });
    return count;
}

// As Windows reads these pages: a lead byte with any byte but 0 after it is one character (the default
// character when it maps to nothing); a lead byte at the end or before a 0 is the default character
// alone.
void DecodeDoubleBytes(IconvDecoder& decoder, const CodePageInfo& page, const uint8_t* bytes, size_t count,
                       UnitSink& sink) {
    size_t read = 0;
    while (read < count) {
        uint8_t byte = bytes[read];
        if (byte < 0x80) {
            sink.Put(byte);
            ++read;
            continue;
        }
        bool lead = IsLeadByte(page, byte);
        size_t length = lead && count - read >= 2 && bytes[read + 1] != 0 ? 2 : 1;
        char16_t units[2];
        size_t produced = decoder.DecodeCharacter(bytes + read, length, units);
        if (produced == 0) {
            sink.Put(lead ? page.defaultChar : UndefinedByteUnit(page.codePage, byte));
        }
        sink.Put(units, produced);
        read += length;
    }
}

// One iconv call into a chunk that the sink then takes: 0 when it took all the input, else errno.
int ConvertChunk(IconvDecoder& decoder, char** in, size_t* inLeft, UnitSink& sink) {
    char16_t chunk[256];
    auto* out = reinterpret_cast<char*>(chunk);
    size_t outLeft = sizeof chunk;
    int error = decoder.Convert(in, inLeft, &out, &outLeft) ? 0 : errno;
    sink.Put(chunk, (sizeof chunk - outLeft) / sizeof(char16_t));
    return error;
}

// An invalid sequence gives the default character and the reading goes on after its first byte; a
// sequence cut off by the end gives one default character.
void DecodeStream(IconvDecoder& decoder, const CodePageInfo& page, const uint8_t* bytes, size_t count,
                  UnitSink& sink) {
    auto* in = reinterpret_cast<char*>(const_cast<uint8_t*>(bytes));
    size_t inLeft = count;
    while (inLeft > 0) {
        int error = ConvertChunk(decoder, &in, &inLeft, sink);
        if (error == EILSEQ || error == EINVAL) {
            sink.Put(page.defaultChar);
            size_t skipped = error == EINVAL ? inLeft : std::min<size_t>(inLeft, 1);
            in += skipped;
            inLeft -= skipped;
        }
    }
    ConvertChunk(decoder, nullptr, nullptr, sink);  // whatever a shift state still holds
}

int32_t DecodeCodePage(const CodePageInfo& page, const uint8_t* bytes, int32_t count, char16_t* output,
                       int32_t room) {
    IconvDecoder decoder(page.iconvName);
    if (!decoder.IsOpen()) {
        return 0;
    }
    if (page.kind == PageKind::SingleByte) {
        return DecodeSingleBytes(decoder, page, bytes, count, output, room);
    }
    UnitSink sink(output, room);
    if (page.kind == PageKind::DoubleByte) {
        DecodeDoubleBytes(decoder, page, bytes, count, sink);
    } else {
        DecodeStream(decoder, page, bytes, count, sink);
    }
    return sink.Result();
}

bool IsDirectory(std::FILE* file) {
    struct stat status {};
    return fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

int32_t CodePageToUtf16(uint32_t codePage, const char* source, int32_t sourceLength, char16_t* output,
                        int32_t room) {
    if (source == nullptr || sourceLength <= 0 || room < 0) {
        return 0;
    }
    if (room == 0) {
        output = nullptr;
    }
    auto* bytes = reinterpret_cast<const uint8_t*>(source);
    if (codePage == kCodePageUtf8) {
        return Utf8ToUtf16(bytes, sourceLength, output, room);
    }
    const CodePageInfo* page = FindCodePage(codePage == kCodePageAnsi ? kCodePageWindows1252 : codePage);
    return page == nullptr ? 0 : DecodeCodePage(*page, bytes, sourceLength, output, room);
}

bool IsCodePageSupported(uint32_t codePage) {
    if (codePage == kCodePageAnsi || codePage == kCodePageUtf8) {
        return true;
    }
    const CodePageInfo* page = FindCodePage(codePage);
    return page != nullptr && IconvDecoder(page->iconvName).IsOpen();
}

WString SystemErrorText() {
    WString text = FromUtf8(std::strerror(errno));
    if (text.size() >= kMessageRoom) {
        return {};
    }
    return text.substr(0, text.find_first_of(u"\r\n"));
}

std::FILE* OpenFileForReading(const WString& path) {
    // The C library stops at the first 0 byte and would open a different, shorter name.
    if (path.find(u'\0') != WString::npos) {
        errno = EINVAL;
        return nullptr;
    }
    std::FILE* file = std::fopen(ToUtf8(path).c_str(), "rb");
    // Windows refuses to open a folder as a file; so does this build, rather than fail at the first read.
    if (file != nullptr && IsDirectory(file)) {
        std::fclose(file);
        errno = EISDIR;
        return nullptr;
    }
    return file;
}

int64_t FileLength(std::FILE* file) {
    if (file == nullptr || fseeko(file, 0, SEEK_END) != 0) {
        return -1;
    }
    int64_t length = ftello(file);
    if (fseeko(file, 0, SEEK_SET) != 0) {
        return -1;
    }
    return length;
}
