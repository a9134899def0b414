// The markup tokenizer and word scanners. ReadNextToken is a lenient state machine over UTF-16 units:
// it never fails, it classifies. Runs that cannot change the state (text, comment bodies, quoted
// values, names) are skipped with tight loops.
#include "xml/XmlTokenizer.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

enum StateBit : uint32_t {
    kOpen = 0x1,     // just read '<'
    kBang = 0x2,     // just read "<!"
    kDash = 0x4,     // just read "<!-"
    kBracket = 0x8,  // just read "<!["
    kWhitespaceRun = 0x10,
    kDoctype = 0x20,  // inside "<!D..."
    kSingleQuoted = 0x40,
    kDoubleQuoted = 0x80,
    kExpectValue = 0x100,  // after '=' inside a start tag
};

// The terminator a token waits for; the long ones are matched backwards from their '>'.
enum class Terminator { kNone, kLessThan, kGreaterThan, kPi, kComment, kCData };

const char16_t* TerminatorTail(Terminator t) {
    switch (t) {
        case Terminator::kPi:
            return u"?";
        case Terminator::kComment:
            return u"--";
        case Terminator::kCData:
            return u"]]";
        default:
            return u"";
    }
}

bool IsNameStart(char16_t c) {
    return (c >= u'A' && c <= u'Z') || c == u'_' || c == u':' || c >= 0x61;
}

bool EndsName(char16_t c) {
    return IsXmlWhitespace(c) || c == u'/' || c == u'>';
}

// Units that end a name or the text: space, tab, LF, CR, '/', '>' and the terminating 0, all below 64.
constexpr uint64_t kNameStops = (1ull << 0) | (1ull << ' ') | (1ull << '\t') | (1ull << '\n') |
                                (1ull << '\r') | (1ull << '/') | (1ull << '>');

bool EndsNameOrText(char16_t c) {
    return c < 64 && ((kNameStops >> c) & 1);
}

// Units from `from` up to the end of a text token: before '<' or the text's end, or through '>'.
int32_t ScanTextEnd(const char16_t* t, int32_t from) {
    int32_t stop = static_cast<int32_t>(FindUnit(t + from, u'<', u'>') - t);
    return t[stop] == u'>' ? stop + 1 : stop;
}

bool IsWordDelimiter(char16_t c) {
    switch (c) {
        case 0:
        case u' ':
        case u'\t':
        case u'\n':
        case u'\r':
        case u'<':
        case u'>':
        case u'=':
        case u'\\':
        case u'/':
        case u'?':
        case u'!':
        case u'"':
        case u'\'':
        case u';':
            return true;
        default:
            return false;
    }
}

const char* UnterminatedLabel(int32_t kind, uint32_t bits) {
    if ((bits & kDoctype) || kind == kTokenDeclaration) {
        return "Doctype";
    }
    switch (kind) {
        case kTokenStartTag:
            return "Element tag";
        case kTokenEndTag:
            return "Element end tag";
        case kTokenCData:
            return "CDATA Section";
        case kTokenProcessingInstruction:
            return "Processing instruction";
        case kTokenComment:
            return "Comment";
        default:
            return "tag";
    }
}

WString Ascii(const char* text) {
    return WString(text, text + std::char_traits<char>::length(text));
}

WString OffsetMessage(const char* what, int32_t offset, const char* tail = "") {
    return Ascii(what) + u" at offset " + Ascii(std::to_string(offset).c_str()) + Ascii(tail);
}

// One token's scan; the fields mirror the state the tokenizer keeps between units.
class TokenScanner {
public:
    TokenScanner(TextCursor& cursor, MarkupToken& token, bool copyName)
        : m_cursor(cursor), m_token(token), m_text(cursor.text), m_copyName(copyName) {}

    int32_t Run();

private:
    bool HandleUnit(int32_t i);  // true when the token is complete
    bool AwaitTerminator(int32_t i, char16_t c);
    bool NoTerminator(int32_t i, char16_t c);
    void TrackQuotes(char16_t c);
    void FinishName(int32_t i);
    void BecomeError(const char* what);
    bool Complete(int32_t lastOffset);
    int32_t SkipPlainRun(int32_t i) const;

    TextCursor& m_cursor;
    MarkupToken& m_token;
    const char16_t* m_text;
    bool m_copyName;
    int32_t m_kind = kTokenError;  // -1 doubles as "not known yet"
    uint32_t m_bits = 0;
    Terminator m_terminator = Terminator::kNone;
    int32_t m_nameStart = 0;  // 0 = no name being read (a name never starts at offset 0)
    char16_t m_last = 0;
    char16_t m_beforeLast = 0;
    int32_t m_errorOffset = 0;
};

int32_t TokenScanner::Run() {
    int32_t i = m_cursor.next;
    m_token.start = i;
    m_token.flags = 0;
    m_token.text.clear();
    m_errorOffset = i;
    if (m_text[i] == 0) {
        m_token.kind = kTokenEndOfText;
        m_token.length = 0;
        return kTokenEndOfText;
    }
    for (;; ++i) {
        i = SkipPlainRun(i);
        if (HandleUnit(i)) {
            return m_token.kind;
        }
    }
}

// Skips units that cannot change the state: the body of a text token, of a comment, CDATA section or
// processing instruction, the inside of a quoted value, and the rest of a name.
int32_t TokenScanner::SkipPlainRun(int32_t i) const {
    const char16_t* t = m_text;
    if (m_nameStart != 0) {
        while (t[i] != 0 && !EndsName(t[i])) {
            ++i;
        }
        return i;
    }
    switch (m_terminator) {
        case Terminator::kLessThan:
            return static_cast<int32_t>(FindUnit(t + i, u'<', u'>') - t);
        case Terminator::kPi:
        case Terminator::kComment:
        case Terminator::kCData:
            return static_cast<int32_t>(FindUnit(t + i, u'>', u'>') - t);
        case Terminator::kGreaterThan:
            if (m_bits & (kDoubleQuoted | kSingleQuoted)) {
                // An error token still ends before a '<', quoted or not.
                char16_t quote = (m_bits & kDoubleQuoted) ? u'"' : u'\'';
                bool stopAtLess = m_kind == kTokenError;
                while (t[i] != 0 && t[i] != quote && !(stopAtLess && t[i] == u'<')) {
                    ++i;
                }
            }
            return i;
        case Terminator::kNone:
            if (m_bits == kWhitespaceRun) {
                while (IsXmlWhitespace(t[i])) {
                    ++i;
                }
            }
            return i;
    }
    return i;
}

bool TokenScanner::HandleUnit(int32_t i) {
    char16_t c = m_text[i];
    if (c == 0) {
        if (m_kind != kTokenText && m_kind != kTokenWhitespace) {
            m_token.text = OffsetMessage(UnterminatedLabel(m_kind, m_bits), m_token.start, " unterminated");
            m_kind = kTokenError;
        }
        return Complete(i - 1);
    }
    if (m_nameStart != 0) {
        if (!EndsName(c)) {
            return false;
        }
        FinishName(i);
    }
    if (m_terminator != Terminator::kNone) {
        return AwaitTerminator(i, c);
    }
    return NoTerminator(i, c);
}

void TokenScanner::FinishName(int32_t i) {
    if (m_kind == kTokenEndTag) {
        m_cursor.wordStart = m_nameStart;
        m_cursor.wordEnd = i - 1;
    } else {
        if (m_kind == kTokenStartTag) {
            m_token.nameLength = i - m_nameStart;
        }
        if (m_kind != kTokenStartTag || m_copyName) {
            m_token.text.assign(m_text + m_nameStart, m_text + i);
        }
    }
    m_nameStart = 0;
    m_last = 0;
    m_beforeLast = 0;
}

bool TokenScanner::AwaitTerminator(int32_t i, char16_t c) {
    if (c == u'>' && !(m_bits & (kSingleQuoted | kDoubleQuoted))) {
        m_errorOffset = i;
        if (m_terminator == Terminator::kGreaterThan) {
            m_terminator = Terminator::kNone;
            bool slashLast = m_last == u'/';
            bool cleanBefore = m_beforeLast == 0 || IsXmlWhitespace(m_beforeLast) || m_beforeLast == u'\'' ||
                               m_beforeLast == u'"';
            if (m_kind == kTokenStartTag && slashLast && cleanBefore) {
                m_token.flags |= kTokenEmptyElement;
            }
        } else if (m_terminator != Terminator::kLessThan) {
            const char16_t* tail = TerminatorTail(m_terminator);
            int32_t tailLength = static_cast<int32_t>(std::char_traits<char16_t>::length(tail));
            if (i <= tailLength + 1 || WStringView(m_text + i - tailLength, tailLength) != tail) {
                return false;
            }
            m_terminator = Terminator::kNone;
        }
        if (m_bits & kDoctype) {
            return false;  // markup nested in a DOCTYPE does not end it
        }
        return Complete(i);
    }
    if (c == u'<' && (m_kind == kTokenText || m_kind == kTokenError)) {
        return Complete(i - 1);
    }
    if (m_kind == kTokenStartTag || m_kind == kTokenError) {
        TrackQuotes(c);
    } else if (m_kind == kTokenDeclaration) {
        if (c == u'"' && !(m_bits & kSingleQuoted)) {
            m_bits ^= kDoubleQuoted;
        } else if (c == u'\'' && !(m_bits & kDoubleQuoted)) {
            m_bits ^= kSingleQuoted;
        }
    }
    return false;
}

void TokenScanner::TrackQuotes(char16_t c) {
    if (m_bits & kDoubleQuoted) {
        if (c == u'"') {
            m_bits &= ~kDoubleQuoted;
        }
    } else if (m_bits & kSingleQuoted) {
        if (c == u'\'') {
            m_bits &= ~kSingleQuoted;
        }
    } else if ((c == u'"' || c == u'\'') && (m_bits & kExpectValue)) {
        m_bits |= c == u'"' ? kDoubleQuoted : kSingleQuoted;
        m_bits &= ~kExpectValue;
    } else if (c == u'=' && !(m_bits & kExpectValue) && m_last != u'=') {
        m_bits |= kExpectValue;
    } else if (!IsXmlWhitespace(c)) {
        m_bits &= ~kExpectValue;
    }
    m_beforeLast = m_last;
    m_last = c;
}

void TokenScanner::BecomeError(const char* what) {
    m_terminator = Terminator::kGreaterThan;
    m_kind = kTokenError;
    m_token.text = OffsetMessage((std::string("Incorrect ") + what).c_str(), m_errorOffset);
}

bool TokenScanner::NoTerminator(int32_t i, char16_t c) {
    if (m_bits & kOpen) {
        m_bits &= ~kOpen;
        if (IsNameStart(c)) {
            m_kind = kTokenStartTag;
            m_terminator = Terminator::kGreaterThan;
            m_nameStart = i;
        } else if (c == u'/') {
            m_kind = kTokenEndTag;
            m_terminator = Terminator::kGreaterThan;
            m_nameStart = i + 1;
        } else if (c == u'!') {
            m_bits |= kBang;
        } else if (c == u'?') {
            m_kind = kTokenProcessingInstruction;
            m_terminator = Terminator::kPi;
            m_nameStart = i + 1;
        } else {
            BecomeError("tag name character");
        }
        return false;
    }
    if (m_bits & kBang) {
        m_bits &= ~kBang;
        bool inDoctype = m_bits & kDoctype;
        if (c == u'-') {
            m_bits |= kDash;
        } else if (c == u'[' && !inDoctype) {
            m_bits |= kBracket;
        } else if (c == u'D' && !inDoctype) {
            m_bits |= kDoctype;
        } else if (c == u'E' || c == u'A' || c == u'N') {
            m_terminator = Terminator::kGreaterThan;
            m_kind = kTokenDeclaration;
        } else {
            BecomeError("! tag");
        }
        return false;
    }
    if (m_bits & kDash) {
        m_bits &= ~kDash;
        if (c == u'-') {
            m_kind = kTokenComment;
            m_terminator = Terminator::kComment;
        } else {
            BecomeError("comment tag");
        }
        return false;
    }
    if (m_bits & kBracket) {
        m_bits &= ~kBracket;
        if (c == u'C') {
            m_kind = kTokenCData;
            m_terminator = Terminator::kCData;
        } else {
            BecomeError("tag");
        }
        return false;
    }
    if (m_bits & kWhitespaceRun) {
        if (c == u'<') {
            return Complete(i - 1);
        }
        if (!IsXmlWhitespace(c)) {
            m_bits &= ~kWhitespaceRun;
            m_kind = kTokenText;
            m_terminator = Terminator::kLessThan;
        }
        return false;
    }
    if (m_bits & kDoctype) {
        if (c == u'<') {
            m_bits |= kOpen;
        } else if (c == u'>') {
            m_kind = kTokenDeclaration;
            return Complete(i);
        }
        return false;
    }
    if (c == u'<') {
        m_bits |= kOpen;
    } else if (IsXmlWhitespace(c)) {
        m_bits |= kWhitespaceRun;
        m_kind = kTokenWhitespace;
    } else {
        m_kind = kTokenText;
        m_terminator = Terminator::kLessThan;
    }
    return false;
}

bool TokenScanner::Complete(int32_t lastOffset) {
    m_cursor.next = lastOffset + 1;
    m_token.kind = m_kind;
    m_token.length = lastOffset + 1 - m_token.start;
    return true;
}

bool IsSeekDelimiter(char16_t c, bool valueExpected) {
    if (c == 0 || IsXmlWhitespace(c) || c == u'>') {
        return true;
    }
    return !valueExpected && (c == u'=' || c == u'/' || c == u'?');
}

// Reads one word the way the attribute scanner sees words; returns false at the end of the text.
bool ReadAttributeWord(TextCursor& cursor, bool valueExpected, int32_t& scanBegin) {
    const char16_t* t = cursor.text;
    scanBegin = cursor.next;
    int32_t i = cursor.next;
    while (IsXmlWhitespace(t[i])) {
        ++i;
    }
    cursor.attributeGap = i - scanBegin;
    if (t[i] == 0) {
        cursor.next = i;
        return false;
    }
    if (t[i] == u'"' || t[i] == u'\'') {
        char16_t quote = t[i];
        int32_t j = i + 1;
        while (t[j] != 0 && t[j] != quote) {
            ++j;
        }
        cursor.wordStart = i + 1;
        cursor.wordEnd = j - 1;
        cursor.next = t[j] == quote ? j + 1 : j;
        cursor.flags |= kQuotedValue;
        return true;
    }
    // A delimiter in first place is a word of its own, as "=" is.
    int32_t j = i + 1;
    if (!IsSeekDelimiter(t[i], valueExpected)) {
        while (!IsSeekDelimiter(t[j], valueExpected)) {
            ++j;
        }
    }
    cursor.wordStart = i;
    cursor.wordEnd = j - 1;
    cursor.next = j;
    cursor.flags &= ~kQuotedValue;
    return true;
}

// Units that matter inside a start tag: the terminating 0, whitespace, quotes, '=' and '>', all below 64.
constexpr uint64_t kTagStops = (1ull << 0) | (1ull << ' ') | (1ull << '\t') | (1ull << '\n') |
                               (1ull << '\r') | (1ull << '"') | (1ull << '\'') | (1ull << '=') |
                               (1ull << '>');

bool IsTagStop(char16_t c) {
    return c < 64 && ((kTagStops >> c) & 1);
}

// The rest of a start tag from the unit that ended its name, as the state machine reads it: quotes open
// only where a value is expected, and "/>" makes an empty-element tag when the unit before the '/' is
// whitespace, a quote or the name's end. One past the closing '>', or 0 at the end of the text.
int32_t ScanStartTagRest(const char16_t* t, int32_t i, uint32_t& flags) {
    bool expectValue = false;
    char16_t last = 0;
    char16_t beforeLast = 0;
    for (;; ++i) {
        char16_t c = t[i];
        if (!IsTagStop(c)) {
            // A run of other units: each one ends any expected value; only the last two are remembered.
            int32_t end = i + 1;
            while (!IsTagStop(t[end])) {
                ++end;
            }
            expectValue = false;
            beforeLast = end - i >= 2 ? t[end - 2] : last;
            last = t[end - 1];
            i = end - 1;
            continue;
        }
        if (c == u'>') {
            bool cleanBefore =
                beforeLast == 0 || IsXmlWhitespace(beforeLast) || beforeLast == u'\'' || beforeLast == u'"';
            if (last == u'/' && cleanBefore) {
                flags = kTokenEmptyElement;
            }
            return i + 1;
        }
        if (c == 0) {
            return 0;
        }
        if ((c == u'"' || c == u'\'') && expectValue) {
            const char16_t* close = t + i + 1;
            while (*close != c && *close != 0) {  // values are short: no vector search
                ++close;
            }
            if (*close == 0) {
                return 0;
            }
            // Opening and closing quote are the two units last seen; the value between them is skipped.
            i = static_cast<int32_t>(close - t);
            expectValue = false;
            beforeLast = c;
            last = c;
            continue;
        }
        if (c == u'=' && !expectValue && last != u'=') {
            expectValue = true;
        } else if (!IsXmlWhitespace(c)) {
            expectValue = false;
        }
        beforeLast = last;
        last = c;
    }
}

// One past the '>' that ends a comment or CDATA section whose body starts at i, the '>' preceded by two
// units `tail`; 0 at the end of the text.
int32_t ScanToDoubledTail(const char16_t* t, int32_t i, char16_t tail) {
    for (;;) {
        const char16_t* close = FindUnit(t + i, u'>', u'>');
        if (*close == 0) {
            return 0;
        }
        if (close[-1] == tail && close[-2] == tail) {
            return static_cast<int32_t>(close - t) + 1;
        }
        i = static_cast<int32_t>(close - t) + 1;
    }
}

// Comments and CDATA sections, read as the state machine reads them; false for anything else.
bool TrySection(const char16_t* t, int32_t s, int32_t& end, int32_t& kind) {
    if (t[s + 1] != u'!') {
        return false;
    }
    if (t[s + 2] == u'-' && t[s + 3] == u'-') {
        kind = kTokenComment;
        end = ScanToDoubledTail(t, s + 4, u'-');
    } else if (t[s + 2] == u'[' && t[s + 3] == u'C') {
        kind = kTokenCData;
        end = ScanToDoubledTail(t, s + 4, u']');
    } else {
        return false;
    }
    return end != 0;
}

// The common tokens (start tags, plain end tags, comments, CDATA sections, text, whitespace) read in
// tight scans with the same result the state machine gives; anything else is left to it.
[[gnu::always_inline]] inline bool TryCommonToken(TextCursor& cursor, MarkupToken& token, bool copyName) {
    const char16_t* t = cursor.text;
    int32_t s = cursor.next;
    int32_t end;  // one past the token's last unit
    int32_t kind;
    uint32_t flags = 0;
    char16_t c = t[s];
    if (c == u'<') {
        char16_t d = t[s + 1];
        if (IsNameStart(d)) {
            int32_t e = s + 2;
            while (!EndsNameOrText(t[e])) {
                ++e;
            }
            if (t[e] == u'>') {
                end = e + 1;
            } else {
                end = ScanStartTagRest(t, e, flags);
                if (end == 0) {
                    return false;
                }
            }
            token.nameLength = e - s - 1;
            if (copyName) {
                token.text.assign(t + s + 1, t + e);
            } else {
                token.text.clear();
            }
            kind = kTokenStartTag;
        } else if (d == u'/') {
            int32_t e = s + 2;
            while (!EndsNameOrText(t[e])) {
                ++e;
            }
            if (t[e] != u'>') {
                return false;
            }
            cursor.wordStart = s + 2;
            cursor.wordEnd = e - 1;
            token.text.clear();
            end = e + 1;
            kind = kTokenEndTag;
        } else if (TrySection(t, s, end, kind)) {
            token.text.clear();
        } else {
            return false;
        }
    } else if (c == 0) {
        return false;
    } else if (IsXmlWhitespace(c)) {
        int32_t e = s + 1;
        while (IsXmlWhitespace(t[e])) {
            ++e;
        }
        if (t[e] == u'<' || t[e] == 0) {
            end = e;
            kind = kTokenWhitespace;
        } else {
            end = ScanTextEnd(t, e + 1);  // the unit that ends the run starts the text, even a '>'
            kind = kTokenText;
        }
        token.text.clear();
    } else {
        end = ScanTextEnd(t, s + 1);  // likewise the first unit of a text
        kind = kTokenText;
        token.text.clear();
    }
    token.kind = kind;
    token.start = s;
    token.length = end - s;
    token.flags = flags;
    cursor.next = end;
    return true;
}

bool IsNameBoundary(char16_t c) {
    return c == 0 || c == u' ' || c == u'=' || c == u'/' || c == u'[' || c == u']';
}

// The rule without regard to ASCII case: letters fold until a unit of 0x80 or above has matched. The
// name holds at least `length` units; the boundary after them is the caller's to check.
bool WordMatchesFolded(const char16_t* word, int32_t length, const char16_t* name) {
    bool pastWide = false;
    for (int32_t k = 0; k < length; ++k) {
        char16_t a = word[k];
        char16_t b = name[k];
        if (a == b) {
            pastWide = pastWide || a >= 0x80;
            continue;
        }
        char16_t folded = a | 0x20;
        bool sameLetter = folded >= u'a' && folded <= u'z' && folded == (b | 0x20);
        if (pastWide || !sameLetter) {
            return false;
        }
    }
    return true;
}

// The state machine, out of line so that the common tokens' scan stays light.
[[gnu::noinline]] int32_t ReadByStateMachine(TextCursor& cursor, MarkupToken& token, bool copyName) {
    return TokenScanner(cursor, token, copyName).Run();
}

}  // namespace

int32_t ReadNextToken(TextCursor& cursor, MarkupToken& token) {
    if (TryCommonToken(cursor, token, true)) {
        return token.kind;
    }
    return ReadByStateMachine(cursor, token, true);
}

int32_t ReadNextMarkup(TextCursor& cursor, MarkupToken& token) {
    if (TryCommonToken(cursor, token, false)) {
        return token.kind;
    }
    return ReadByStateMachine(cursor, token, false);
}

bool ReadNextWord(TextCursor& cursor) {
    const char16_t* t = cursor.text;
    int32_t i = cursor.next;
    while (IsXmlWhitespace(t[i])) {
        ++i;
    }
    cursor.wordStart = i;
    if (t[i] == 0) {
        cursor.next = i;
        cursor.wordEnd = i - 1;
        return false;
    }
    int32_t j = i + 1;
    if (!IsWordDelimiter(t[i])) {
        while (!IsWordDelimiter(t[j])) {
            ++j;
        }
    }
    cursor.wordEnd = j - 1;
    cursor.next = j;
    return true;
}

bool WordMatches(const TextCursor& cursor, const char16_t* name) {
    return WordMatchesName(cursor, name == nullptr ? WStringView() : WStringView(name));
}

bool WordMatchesName(const TextCursor& cursor, WStringView name) {
    int32_t length = std::max(cursor.wordEnd - cursor.wordStart + 1, 0);
    if (static_cast<size_t>(length) > name.size()) {
        return false;
    }
    char16_t after = static_cast<size_t>(length) < name.size() ? name[length] : u'\0';
    if (!IsNameBoundary(after)) {
        return false;
    }
    const char16_t* word = cursor.text + cursor.wordStart;
    if (cursor.flags & kTextIgnoreCase) {
        return WordMatchesFolded(word, length, name.data());
    }
    return std::equal(word, word + length, name.data());
}

WString WordText(const TextCursor& cursor) {
    if (cursor.wordEnd < cursor.wordStart) {
        return WString();
    }
    return WString(cursor.text + cursor.wordStart, cursor.text + cursor.wordEnd + 1);
}

bool SeekAttributeValue(TextCursor& cursor, const char16_t* name) {
    bool valueExpected = false;
    bool tagNameSkipped = false;
    bool found = false;
    int32_t foundStart = 0;
    int32_t foundEnd = -1;
    auto answerWithName = [&] {
        cursor.wordStart = foundStart;
        cursor.wordEnd = foundEnd;
        return true;
    };
    int32_t scanBegin = 0;
    while (ReadAttributeWord(cursor, valueExpected, scanBegin)) {
        bool quoted = cursor.flags & kQuotedValue;
        if (valueExpected) {
            valueExpected = false;
            if (found) {
                return true;  // the cursor's word is the value
            }
            continue;
        }
        if (quoted) {
            if (found) {
                return answerWithName();
            }
            continue;
        }
        char16_t first = cursor.text[cursor.wordStart];
        if (first == u'>' || first == u'/' || first == u'?') {
            cursor.next = scanBegin;
            return found ? answerWithName() : false;
        }
        if (first == u'=') {
            valueExpected = true;
            continue;
        }
        if (!tagNameSkipped) {
            tagNameSkipped = true;
            continue;
        }
        if (found) {
            return answerWithName();
        }
        if (name == nullptr) {
            return true;
        }
        if (WordMatches(cursor, name)) {
            found = true;
            foundStart = cursor.wordStart;
            foundEnd = cursor.wordEnd;
            cursor.attributeLead = scanBegin;
        }
    }
    return found ? answerWithName() : false;
}
