// The scanner shared by the parser, element text, name search and encoding detection: one markup token
// at a time, words, the tag-name matching rule and the attribute scanner. Pure functions over a cursor.
#pragma once

#include <cstdint>

#include "xml/UnitSearch.h"
#include "xml/WideString.h"
#include "xml/XmlDocument.h"

// Scanning state over a 0-terminated text.
struct TextCursor {
    int32_t wordStart = 0;
    int32_t wordEnd = -1;  // wordEnd < wordStart: empty word
    int32_t next = 0;
    const char16_t* text = nullptr;
    uint32_t flags = 0;  // document flags; kQuotedValue set by SeekAttributeValue
    int32_t attributeLead = 0;
    int32_t attributeGap = 0;
};

constexpr uint32_t kQuotedValue = 0x8000;

enum TokenKind : int32_t {
    kTokenEndOfText = -2,
    kTokenError = -1,
    kTokenEndTag = 0,
    kTokenStartTag = 1,
    kTokenText = 2,
    kTokenWhitespace = 4,
    kTokenCData = 8,
    kTokenProcessingInstruction = 16,
    kTokenComment = 32,
    kTokenDeclaration = 64,
};

constexpr uint32_t kTokenEmptyElement = 0x10000;

struct MarkupToken {
    int32_t kind = kTokenEndOfText;
    int32_t start = 0;
    int32_t length = 0;
    uint32_t flags = 0;
    WString text;            // start tag name, processing instruction target, or an error's message
    int32_t nameLength = 0;  // a start tag's name length (the name begins at start + 1)
};

inline bool IsXmlWhitespace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

int32_t ReadNextToken(TextCursor& cursor, MarkupToken& token);
// ReadNextToken for readers that take a start tag's name from the text: it leaves the token's text empty
// for start tags, which saves a copy per element.
int32_t ReadNextMarkup(TextCursor& cursor, MarkupToken& token);
// Offset of the next '<' (or the terminating 0) at or after `from`. Every unit before it belongs to text
// and whitespace tokens, so a reader that ignores those may jump there.
inline int32_t NextMarkupOffset(const char16_t* text, int32_t from) {
    return static_cast<int32_t>(FindUnit(text + from, u'<', u'<') - text);
}
bool ReadNextWord(TextCursor& cursor);
bool WordMatches(const TextCursor& cursor, const char16_t* name);
// WordMatches with the name given as units (a name inside the text rather than 0-terminated).
bool WordMatchesName(const TextCursor& cursor, WStringView name);
WString WordText(const TextCursor& cursor);
bool SeekAttributeValue(TextCursor& cursor, const char16_t* name);
