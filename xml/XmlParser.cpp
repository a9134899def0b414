// ParseDocument: one lenient forward pass that indexes every start tag, closes what was left open, skips
// end tags that match nothing, and keeps the first error as the report text. Hostile nesting stays linear:
// closing an unended element splices its child list in O(1) and parent fields are settled in one pass at
// the end; end tags find their open element through a name index once the innermost one fails to match.
// Open elements keep their names as places in the text, so no name is copied.
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "xml/XmlDocument.h"
#include "xml/XmlTokenizer.h"

namespace {

// Marks an element closed as not ended while the pass runs; cleared before ParseDocument returns.
constexpr uint32_t kClosedNotEnded = 0x1;

WString Decimal(int64_t n) {
    std::string s = std::to_string(n);
    return WString(s.begin(), s.end());
}

bool IsKeyBoundary(char16_t c) {
    return c == u' ' || c == u'=' || c == u'/' || c == u'[' || c == u']';
}

// Hashes of every prefix of a start-tag name that an end tag's word could match (the whole name, and
// each prefix that ends before a key boundary unit).
template <typename Visit>
void ForEachNameKey(WStringView name, Visit visit) {
    uint64_t hash = 1469598103934665603ull;
    for (size_t k = 0; k < name.size(); ++k) {
        if (IsKeyBoundary(name[k])) {
            visit(hash);
        }
        hash = (hash ^ name[k]) * 1099511628211ull;
    }
    visit(hash);
}

uint64_t HashWord(const char16_t* word, int32_t length) {
    uint64_t hash = 1469598103934665603ull;
    for (int32_t k = 0; k < length; ++k) {
        hash = (hash ^ word[k]) * 1099511628211ull;
    }
    return hash;
}

}  // namespace

class ElementIndexer {
public:
    ElementIndexer(CXmlDocument& doc, TextCursor& cursor) : m_doc(doc), m_cursor(cursor) {}
    int32_t Run();

private:
    ElementRecord& Rec(int32_t i) { return m_doc.Record(i); }
    void MarkNotWellFormed() { Rec(0).flags |= kDocNotWellFormed; }
    template <typename MakeMessage>
    void ReportOnce(MakeMessage make);
    // The steps taken once per element are inlined into Run: calls cost more than their bodies here.
    [[gnu::always_inline]] inline void OnStartTag(const MarkupToken& token);
    void OnEndTag(const MarkupToken& token);
    [[gnu::always_inline]] inline bool ReadInnermostEndTag(MarkupToken& token);
    [[gnu::always_inline]] inline void EndElement(int32_t depth, const MarkupToken& token);
    int32_t FindOpenDepth(const TextCursor& word);
    WStringView OpenName(int32_t depth) const;
    void Pop();
    // The name index's share of opening and closing an element, kept out of the common path.
    [[gnu::noinline]] void IndexInnermostName();
    [[gnu::noinline]] void UnindexInnermostName();
    void CloseNotEnded(const MarkupToken* endTag, const WString& endName);
    void SettleParents();
    void BuildNameIndex();

    CXmlDocument& m_doc;
    TextCursor& m_cursor;
    const int32_t m_textLength = static_cast<int32_t>(m_doc.m_strText.size());
    struct OpenElement {
        int32_t element;
        int32_t nameStart;  // offset of the name in the text
        int32_t nameLength;
    };
    MarkupToken m_token;
    std::vector<OpenElement> m_open;  // innermost last
    int32_t m_current = 0;            // innermost open element, 0 = document level
    int32_t m_first = 0;
    bool m_anyClosedNotEnded = false;
    bool m_nameIndexActive = false;
    std::unordered_map<uint64_t, std::vector<int32_t>> m_nameIndex;  // name key -> depths, innermost last
};

// Only the first error is kept, so a message is built only while the report is still empty: hostile
// input holds an error at every tag.
template <typename MakeMessage>
void ElementIndexer::ReportOnce(MakeMessage make) {
    if (m_doc.m_strReport.empty()) {
        m_doc.m_strReport = make();
    }
}

int32_t ElementIndexer::Run() {
    MarkupToken& token = m_token;
    for (;;) {
        m_cursor.next = NextMarkupOffset(m_cursor.text, m_cursor.next);  // text tokens change nothing here
        if (ReadInnermostEndTag(token)) {
            EndElement(static_cast<int32_t>(m_open.size()) - 1, token);
            continue;
        }
        int32_t kind = ReadNextMarkup(m_cursor, token);
        if (kind == kTokenStartTag) {
            OnStartTag(token);
        } else if (kind == kTokenEndTag) {
            OnEndTag(token);
        } else if (kind == kTokenError) {
            MarkNotWellFormed();
            ReportOnce([&] { return token.text; });
        } else if (kind == kTokenEndOfText) {
            if (!m_open.empty()) {
                MarkNotWellFormed();
            }
            while (!m_open.empty()) {
                CloseNotEnded(nullptr, WString());
            }
            break;
        }
    }
    if (m_anyClosedNotEnded) {
        SettleParents();
    }
    return m_first;
}

void ElementIndexer::OnStartTag(const MarkupToken& token) {
    if (m_doc.m_nNextFree == m_doc.m_nCapacity) {
        m_doc.GrowIndex(0);
    }
    int32_t e = m_doc.m_nNextFree++;
    if (m_first == 0) {
        m_first = e;
    }
    ElementRecord& rec = Rec(e);
    rec = ElementRecord{};
    rec.parent = m_current;
    ElementRecord& parent = Rec(m_current);
    if (parent.firstChild == 0) {
        parent.firstChild = e;
        rec.prevSibling = e;
    } else {
        ElementRecord& first = Rec(parent.firstChild);
        Rec(first.prevSibling).nextSibling = e;
        rec.prevSibling = first.prevSibling;
        first.prevSibling = e;
    }
    rec.start = token.start;
    uint32_t startLength = static_cast<uint32_t>(token.length);
    if (startLength >= kStartTagLengthMask) {
        // Too long for its field: saturate, which also marks the element as having no readable text.
        startLength = kStartTagLengthMask;
        MarkNotWellFormed();
        ReportOnce([&] { return WString(u"Element tag at offset " + Decimal(token.start) + u" too long"); });
    }
    rec.tagLengths = startLength;
    if (token.flags & kTokenEmptyElement) {
        rec.length = token.length;
        return;
    }
    rec.length = token.length;  // until an end tag says otherwise
    m_open.push_back({e, token.start + 1, token.nameLength});
    m_current = e;
    if (m_nameIndexActive) {
        IndexInnermostName();
    }
}

WStringView ElementIndexer::OpenName(int32_t depth) const {
    const OpenElement& open = m_open[depth];
    return WStringView(m_cursor.text + open.nameStart, open.nameLength);
}

void ElementIndexer::Pop() {
    if (m_nameIndexActive) {
        UnindexInnermostName();
    }
    m_open.pop_back();
    m_current = m_open.empty() ? 0 : m_open.back().element;
}

void ElementIndexer::IndexInnermostName() {
    int32_t depth = static_cast<int32_t>(m_open.size()) - 1;
    ForEachNameKey(OpenName(depth), [&](uint64_t key) { m_nameIndex[key].push_back(depth); });
}

void ElementIndexer::UnindexInnermostName() {
    int32_t depth = static_cast<int32_t>(m_open.size()) - 1;
    ForEachNameKey(OpenName(depth), [&](uint64_t key) { m_nameIndex[key].pop_back(); });
}

void ElementIndexer::BuildNameIndex() {
    m_nameIndexActive = true;
    for (size_t depth = 0; depth < m_open.size(); ++depth) {
        ForEachNameKey(OpenName(static_cast<int32_t>(depth)),
                       [&](uint64_t key) { m_nameIndex[key].push_back(static_cast<int32_t>(depth)); });
    }
}

// The innermost open element whose name the end tag's word matches, or -1.
int32_t ElementIndexer::FindOpenDepth(const TextCursor& word) {
    int32_t top = static_cast<int32_t>(m_open.size()) - 1;
    if (top < 0) {
        return -1;
    }
    if (WordMatchesName(word, OpenName(top))) {
        return top;
    }
    if (!(word.flags & kTextIgnoreCase)) {
        if (!m_nameIndexActive) {
            BuildNameIndex();
        }
        int32_t length = word.wordEnd - word.wordStart + 1;
        auto it = m_nameIndex.find(HashWord(word.text + word.wordStart, length < 0 ? 0 : length));
        if (it == m_nameIndex.end() || it->second.empty()) {
            return -1;
        }
        int32_t depth = it->second.back();
        if (WordMatchesName(word, OpenName(depth))) {
            return depth;
        }
        // A hash collision: fall through to the plain search.
    }
    for (int32_t depth = top - 1; depth >= 0; --depth) {
        if (WordMatchesName(word, OpenName(depth))) {
            return depth;
        }
    }
    return -1;
}

void ElementIndexer::OnEndTag(const MarkupToken& token) {
    int32_t depth = FindOpenDepth(m_cursor);
    if (depth < 0) {
        MarkNotWellFormed();
        ReportOnce([&] {
            return WString(u"No start tag for end tag '" + WordText(m_cursor) + u"' at offset " +
                           Decimal(token.start));
        });
        return;
    }
    EndElement(depth, token);
}

// "</name>" of the innermost open element, the most frequent token, read without the tokenizer. The
// tokenizer would read the same end tag: an open element's name holds no unit that ends a name.
bool ElementIndexer::ReadInnermostEndTag(MarkupToken& token) {
    const char16_t* t = m_cursor.text;
    int32_t s = m_cursor.next;
    if (m_open.empty() || t[s] != u'<' || t[s + 1] != u'/') {
        return false;
    }
    const OpenElement& open = m_open.back();
    const char16_t* word = t + s + 2;
    if (s + 2 + open.nameLength >= m_textLength || word[open.nameLength] != u'>' ||
        std::memcmp(word, t + open.nameStart, open.nameLength * sizeof(char16_t)) != 0) {
        return false;
    }
    token.kind = kTokenEndTag;
    token.start = s;
    token.length = open.nameLength + 3;
    token.flags = 0;
    token.text.clear();
    m_cursor.wordStart = s + 2;
    m_cursor.wordEnd = s + 1 + open.nameLength;
    m_cursor.next = s + token.length;
    return true;
}

// Ends the open element at `depth` with the end tag; elements still open inside it are closed as not
// ended.
void ElementIndexer::EndElement(int32_t depth, const MarkupToken& token) {
    ElementRecord& match = Rec(m_open[depth].element);
    match.length = token.start + token.length - match.start;
    uint32_t endLength = static_cast<uint32_t>(token.length);
    if (endLength >= kEndTagLengthMax) {
        endLength = kEndTagLengthMax;
        MarkNotWellFormed();
        ReportOnce(
            [&] { return WString(u"Element end tag at offset " + Decimal(token.start) + u" too long"); });
    }
    match.tagLengths = (match.tagLengths & kStartTagLengthMask) | (endLength << 22);
    if (static_cast<int32_t>(m_open.size()) - 1 > depth) {
        MarkNotWellFormed();
        WString name = WordText(m_cursor);
        while (static_cast<int32_t>(m_open.size()) - 1 > depth) {
            CloseNotEnded(&token, name);
        }
    }
    Pop();
}

// Closes the innermost open element as not ended: it keeps no content, and its children follow it as
// siblings. Their parent fields are settled at the end of the pass.
void ElementIndexer::CloseNotEnded(const MarkupToken* endTag, const WString& endName) {
    int32_t u = m_open.back().element;
    ElementRecord& rec = Rec(u);
    uint32_t startLength = rec.tagLengths & kStartTagLengthMask;
    rec.tagLengths = startLength;
    rec.length = static_cast<int32_t>(startLength);
    rec.flags |= kClosedNotEnded;
    m_anyClosedNotEnded = true;
    if (rec.firstChild != 0) {
        int32_t first = rec.firstChild;
        int32_t last = Rec(first).prevSibling;
        rec.nextSibling = first;  // an open element is always its parent's last child
        rec.firstChild = 0;
        Rec(first).prevSibling = u;
        Rec(Rec(rec.parent).firstChild).prevSibling = last;
    }
    WStringView name = OpenName(static_cast<int32_t>(m_open.size()) - 1);
    if (endTag) {
        ReportOnce([&] {
            return WString(u"End tag '" + endName + u"' at offset " + Decimal(endTag->start + 1) +
                           u" does not match start tag '" + WString(name) + u"' at offset " +
                           Decimal(rec.start));
        });
    } else {
        ReportOnce([&] {
            return WString(u"Element '" + WString(name) + u"' at offset " + Decimal(rec.start) +
                           u" not ended");
        });
    }
    Pop();
}

// Children of an element closed as not ended belong to its nearest ancestor that was ended (or the
// document). Parents precede their children in the index, so one forward pass settles every field.
void ElementIndexer::SettleParents() {
    int32_t end = m_doc.m_nNextFree;
    for (int32_t i = 1; i < end; ++i) {
        ElementRecord& rec = Rec(i);
        if (rec.parent != 0 && (Rec(rec.parent).flags & kClosedNotEnded)) {
            rec.parent = Rec(rec.parent).parent;
        }
    }
    for (int32_t i = 1; i < end; ++i) {
        Rec(i).flags &= ~kClosedNotEnded;
    }
}

bool CXmlDocument::ParseDocument() {
    WString loadNotes = m_strReport;
    ResetPosition();
    int32_t n = static_cast<int32_t>(m_strText.size());
    m_nNextFree = 1;
    GrowIndex(n / 64 + 8);
    Record(0) = ElementRecord{};
    m_strReport.clear();
    if (n == 0) {
        m_strReport = u"Empty document";
    } else {
        TextCursor cursor;
        cursor.text = m_strText.c_str();
        cursor.flags = m_nTextFlags;
        int32_t first = ElementIndexer(*this, cursor).Run();
        Record(0).length = n;
        if (first == 0) {
            m_strReport = u"No root element";
        } else if (Record(first).nextSibling != 0) {
            m_strReport = u"Root element has sibling";
        }
    }
    ResetPosition();
    if (!loadNotes.empty()) {
        m_strReport = m_strReport.empty() ? loadNotes : loadNotes + u" " + m_strReport;
    }
    return IsWellFormed();
}
