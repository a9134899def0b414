// Reading a whole text file into a CXmlDocument: byte-order mark, else a declared encoding in the first
// 1,024 bytes, else UTF-8 when the file begins with '<', else a UTF-8 validity test with the ANSI code
// page as fallback. The reader leaves a trail of notes that becomes the start of the report text. The
// file is open only inside LoadTextFromFile and is closed on every path.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "xml/Encodings.h"
#include "xml/TextPlatform.h"
#include "xml/XmlDocument.h"
#include "xml/XmlFile.h"
#include "xml/XmlTokenizer.h"

namespace {

constexpr int64_t kPeekBytes = 1024;

struct TextFileReader {
    std::FILE* file = nullptr;
    uint32_t flags = 0;
    int32_t size = 0;
    int32_t bytesToRead = 0;
    int32_t unitWidth = 1;
    int32_t unitCount = 0;
    WString notes;
    WString encoding;
};

struct ByteOrderMark {
    const char* bytes;
    int32_t length;
    const char16_t* encoding;
    uint32_t flag;
    int32_t unitWidth;
};

const ByteOrderMark kByteOrderMarks[] = {
    {"\xEF\xBB\xBF", 3, u"UTF-8", kTextUtf8Bom, 1},
    {"\xFF\xFE", 2, u"UTF-16LE", kTextUtf16LeBom, 2},
    {"\xFE\xFF", 2, u"UTF-16BE", kTextUtf16BeBom, 2},
};

WString Ascii(const std::string& s) {
    return WString(s.begin(), s.end());
}

WString Note(const char* format, int64_t value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, static_cast<long long>(value));
    return Ascii(buffer);
}

// The system's text for a failed read; a short read sets no system error, so it gets words of its own.
WString ReadFailureText() {
    WString text = SystemErrorText();
    return text.empty() ? WString(u"File could not be read") : text;
}

void CloseFile(TextFileReader& reader) {
    if (reader.file) {
        std::fclose(reader.file);
        reader.file = nullptr;
    }
    reader.flags &= ~kTextReading;
}

bool Fail(TextFileReader& reader, WString notes) {
    reader.notes = std::move(notes);
    CloseFile(reader);
    return false;
}

const ByteOrderMark* MatchByteOrderMark(const unsigned char* bytes, int64_t count) {
    for (const ByteOrderMark& bom : kByteOrderMarks) {
        if (count >= bom.length && std::memcmp(bytes, bom.bytes, bom.length) == 0) {
            return &bom;
        }
    }
    return nullptr;
}

WString Utf8ToUtf16(const unsigned char* bytes, int32_t count) {
    TextConverter request{u"UTF-16", u"UTF-8", bytes, count, 0};
    int32_t needed = ConvertText(request, nullptr);
    WString text(needed > 0 ? needed : 0, u'\0');
    if (needed > 0) {
        request.outputCount = needed;
        text.resize(ConvertText(request, text.data()));
    }
    return text;
}

// The word after "charset" "=" among the words of a meta element's content value.
WString CharsetOfContent(TextCursor& cursor) {
    int32_t valueEnd = cursor.wordEnd;
    cursor.next = cursor.wordStart;
    while (cursor.next <= valueEnd && ReadNextWord(cursor)) {
        if (!WordMatches(cursor, u"charset")) {
            continue;
        }
        if (ReadNextWord(cursor) && WordMatches(cursor, u"=") && ReadNextWord(cursor)) {
            return WordText(cursor);
        }
    }
    return WString();
}

}  // namespace

// The encoding named by an xml declaration before any tag, or by the charset of an HTML meta element
// with http-equiv Content-Type; empty when none. Names compare without regard to ASCII case.
WString DetectDeclaredEncoding(const WString& text) {
    TextCursor cursor;
    cursor.text = text.c_str();
    cursor.flags = kTextIgnoreCase;
    MarkupToken token;
    bool inHtml = false;
    for (;;) {
        int32_t kind = ReadNextToken(cursor, token);
        if (kind == kTokenError || kind == kTokenEndOfText) {
            return WString();
        }
        int32_t after = token.start + token.length;
        if (kind == kTokenProcessingInstruction && cursor.wordStart == 0) {
            cursor.next = token.start + 2;
            ReadNextWord(cursor);
            if (WordMatches(cursor, u"xml") && SeekAttributeValue(cursor, u"encoding")) {
                return WordText(cursor);
            }
            return WString();
        }
        if (kind == kTokenEndTag) {
            if (WordMatches(cursor, u"head")) {
                return WString();
            }
        } else if (kind == kTokenStartTag) {
            cursor.next = token.start + 1;
            ReadNextWord(cursor);
            if (!inHtml) {
                if (!WordMatches(cursor, u"html")) {
                    return WString();
                }
                inHtml = true;
            } else if (WordMatches(cursor, u"meta")) {
                cursor.next = token.start + 1;
                if (SeekAttributeValue(cursor, u"http-equiv") && WordMatches(cursor, u"Content-Type")) {
                    cursor.next = token.start + 1;
                    if (!SeekAttributeValue(cursor, u"content")) {
                        return WString();
                    }
                    return CharsetOfContent(cursor);
                }
            }
        }
        cursor.next = after;
    }
}

namespace {

bool OpenTextFile(TextFileReader& reader, const WString& path) {
    reader.notes.clear();
    reader.file = OpenFileForReading(path);
    if (!reader.file) {
        reader.notes = SystemErrorText();
        return false;
    }
    // The body is read in one piece straight into its own buffer: a stream buffer would only add a copy.
    std::setvbuf(reader.file, nullptr, _IONBF, 0);
    int64_t length = FileLength(reader.file);
    if (length < 0) {
        return Fail(reader, ReadFailureText());
    }
    if (length > std::numeric_limits<int32_t>::max()) {
        return Fail(reader, u"File too large: " + Ascii(std::to_string(length)) + u" bytes");
    }
    reader.size = static_cast<int32_t>(length);
    // A byte-order mark describes only the file it was found in.
    reader.flags &= ~(kTextUtf16LeBom | kTextUtf8Bom | kTextUtf16BeBom);
    reader.unitWidth = 1;
    int64_t peek = std::min<int64_t>(length, kPeekBytes);
    const ByteOrderMark* bom = nullptr;
    if (peek > 0) {
        unsigned char head[kPeekBytes];
        if (std::fread(head, 1, peek, reader.file) != static_cast<size_t>(peek)) {
            return Fail(reader, ReadFailureText());
        }
        bom = MatchByteOrderMark(head, peek);
        if (bom) {
            reader.flags |= bom->flag;
            reader.size -= bom->length;
            reader.unitWidth = bom->unitWidth;
            reader.encoding = bom->encoding;
        } else {
            reader.encoding = DetectDeclaredEncoding(Utf8ToUtf16(head, static_cast<int32_t>(peek)));
            if (reader.encoding.empty() && head[0] == '<') {
                reader.encoding = u"UTF-8";
            }
        }
        if (std::fseek(reader.file, bom ? bom->length : 0, SEEK_SET) != 0) {
            return Fail(reader, ReadFailureText());
        }
    }
    if (!reader.encoding.empty()) {
        reader.notes = reader.encoding + (bom ? u" BOM +" : u"") + u" ";
    }
    return true;
}

// Reads the body in one piece into dest (room for bytesToRead bytes), drops 0 units and swaps
// big-endian units.
bool ReadFileUnits(void* dest, TextFileReader& reader) {
    size_t want = static_cast<size_t>(reader.bytesToRead);
    if (std::fread(dest, 1, want, reader.file) != want) {
        reader.notes = ReadFailureText();
        return false;
    }
    reader.unitCount = reader.bytesToRead / reader.unitWidth;
    reader.notes = Note("length %lld ", reader.unitCount);
    int32_t kept = 0;
    if (reader.unitWidth == 1) {
        auto* units = static_cast<char*>(dest);
        const char* zero = static_cast<const char*>(std::memchr(units, 0, reader.unitCount));
        kept = zero ? static_cast<int32_t>(zero - units) : reader.unitCount;
        for (int32_t i = kept; i < reader.unitCount; ++i) {
            if (units[i] != 0) {
                units[kept++] = units[i];
            }
        }
    } else {
        auto* units = static_cast<char16_t*>(dest);
        kept = static_cast<int32_t>(std::find(units, units + reader.unitCount, u'\0') - units);
        for (int32_t i = kept; i < reader.unitCount; ++i) {
            if (units[i] != 0) {
                units[kept++] = units[i];
            }
        }
    }
    if (kept != reader.unitCount) {
        reader.notes += Note("(%lld nulls removed) ", reader.unitCount - kept);
        reader.unitCount = kept;
    }
    if (reader.unitWidth == 2 && (reader.flags & kTextUtf16BeBom)) {
        auto* units = static_cast<char16_t*>(dest);
        for (int32_t i = 0; i < reader.unitCount; ++i) {
            units[i] = static_cast<char16_t>((units[i] >> 8) | (units[i] << 8));
        }
        reader.notes += u"endian swap ";
    }
    return true;
}

// UTF-16 and UTF-32 declared in a file without a UTF-16 byte-order mark were read byte by byte and lost
// their 0 bytes: no conversion can restore them, so the text stays empty.
bool IsWideEncodingWithoutMark(const WString& encoding) {
    int32_t codePage = EncodingToCodePage(encoding);
    return codePage == kCodePageUtf16 || codePage == kCodePageUtf16 + 1 || codePage == kCodePageUtf32;
}

// The code pages give at most one unit per byte, so room for one unit per byte lets a single call
// convert without measuring first; a conversion that ever needed more would be measured and repeated.
int32_t ConvertBody(WString& text, const WString& encoding, const unsigned char* bytes, int32_t count) {
    TextConverter request{u"UTF-16", encoding, bytes, count, count};
    text.resize(static_cast<size_t>(count));
    int32_t produced = ConvertText(request, text.data());
    if (produced == 0) {
        request.outputCount = 0;
        int32_t needed = ConvertText(request, nullptr);
        if (needed > count) {
            text.resize(static_cast<size_t>(needed));
            request.outputCount = needed;
            produced = ConvertText(request, text.data());
        }
    }
    text.resize(produced > 0 ? static_cast<size_t>(produced) : 0);
    return produced;
}

int32_t ConvertPiece(const unsigned char* bytes, int32_t count, char16_t* output) {
    return CodePageToUtf16(kCodePageUtf8, reinterpret_cast<const char*>(bytes), count, output, count);
}

// Converts UTF-8 bytes that lie behind `output` in the same buffer, piece by piece. No piece's units
// reach its own bytes: UTF-8 gives at most one unit per byte, and a piece is at most half the room
// between the units written and the bytes still unread. Pieces end after an ASCII byte, where every
// decoder has finished the sequence before it, so the text is what one conversion of the whole body
// gives. A small rest, or one with no such end in reach, is copied out first.
int32_t ConvertForwards(char16_t* output, const unsigned char* bytes, int32_t count) {
    constexpr int64_t kSmallRest = 64;
    const auto* outputBytes = reinterpret_cast<const unsigned char*>(output);
    int32_t done = 0;
    int32_t produced = 0;
    while (done < count) {
        int64_t room = (bytes + done) - (outputBytes + 2 * int64_t(produced));
        int32_t end = static_cast<int32_t>(std::min<int64_t>(done + room / 2, count));
        if (end < count && end - done >= kSmallRest) {
            while (end > done && bytes[end - 1] >= 0x80) {
                --end;
            }
        }
        if (end < count && end - done < kSmallRest) {
            std::unique_ptr<unsigned char[]> rest(new unsigned char[static_cast<size_t>(count - done)]);
            std::memcpy(rest.get(), bytes + done, static_cast<size_t>(count - done));
            return produced + ConvertPiece(rest.get(), count - done, output + produced);
        }
        produced += ConvertPiece(bytes + done, end - done, output + produced);
        done = end;
    }
    return produced;
}

// A UTF-8 body needs no buffer of its own: it is read into the back half of the text's buffer and
// converted forwards into the front, so a load holds 2 bytes per input byte rather than 3.
bool ReadUtf8BodyInPlace(WString& text, TextFileReader& reader) {
    text.resize(static_cast<size_t>(reader.bytesToRead));
    auto* bytes = reinterpret_cast<unsigned char*>(text.data()) + reader.bytesToRead;
    if (!ReadFileUnits(bytes, reader)) {
        text.clear();
        return false;
    }
    CloseFile(reader);
    int32_t produced = ConvertForwards(text.data(), bytes, reader.unitCount);
    text.resize(static_cast<size_t>(produced));
    reader.notes += Note("to %lld wide chars ", produced);
    return true;
}

bool ReadTextBody(WString& text, TextFileReader& reader) {
    reader.notes.clear();
    if (reader.bytesToRead == 0) {
        reader.notes = u"0 length ";
        return true;
    }
    if (reader.flags & (kTextUtf16LeBom | kTextUtf16BeBom)) {
        // Room for an odd trailing byte too; it is read and then ignored.
        text.resize((static_cast<size_t>(reader.bytesToRead) + 1) / 2);
        if (!ReadFileUnits(text.data(), reader)) {
            text.clear();
            return false;
        }
        text.resize(reader.unitCount);
        return true;
    }
    if (EncodingToCodePage(reader.encoding) == kCodePageUtf8) {
        return ReadUtf8BodyInPlace(text, reader);
    }
    // Not zero-filled: the read overwrites every byte or the load fails.
    std::unique_ptr<unsigned char[]> bytes(new unsigned char[static_cast<size_t>(reader.bytesToRead)]);
    if (!ReadFileUnits(bytes.get(), reader)) {
        return false;
    }
    CloseFile(reader);  // all read: the stream's memory is not held through the conversion
    if (reader.encoding.empty()) {
        if (IsValidUtf8(bytes.get(), reader.unitCount)) {
            reader.encoding = u"UTF-8";
        }
        reader.notes += u"(used UTF-8 detection) ";
    }
    int32_t produced = 0;
    if (!IsWideEncodingWithoutMark(reader.encoding)) {
        produced = ConvertBody(text, reader.encoding, bytes.get(), reader.unitCount);
    }
    reader.notes += Note("to %lld wide chars ", produced);
    return true;
}

}  // namespace

bool CXmlDocument::LoadTextFromFile(const WString& path, WString& text, WString* report, uint32_t* flags) {
    TextFileReader reader;
    reader.flags = (flags ? *flags : 0) | kTextReading;
    bool opened = OpenTextFile(reader, path);
    WString openNotes = reader.notes;
    text.clear();
    bool result = false;
    if (opened) {
        reader.bytesToRead = reader.size;
        result = ReadTextBody(text, reader);
        CloseFile(reader);
        if (openNotes.empty()) {
            openNotes = reader.encoding.empty() ? WString(u"ANSI ") : reader.encoding + u" ";
        }
        openNotes += reader.notes;
        if (flags) {
            *flags = reader.flags;
        }
    }
    if (report) {
        *report = openNotes;
    }
    return result;
}

bool CXmlDocument::LoadFromFile(const WString& path) {
    if (!LoadTextFromFile(path, m_strText, &m_strReport, &m_nTextFlags)) {
        // The text is gone: the index of an earlier text must not outlive it.
        WString report = std::move(m_strReport);
        ParseDocument();
        m_strReport = std::move(report);
        return false;
    }
    ParseDocument();
    return true;
}
