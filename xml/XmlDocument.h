// CXmlDocument: the system's own lenient XML reader. It holds a whole document as one UTF-16 text and
// a flat index of its elements (fixed-size records in blocks of 65,536), and walks that index by tag
// name with three positions (parent, current, child). It never writes XML. The document owns its text,
// its report text and every index block.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "xml/WideString.h"

// Document flags (CXmlDocument::TextFlags), set by the file loader and read by the tokenizer.
enum : uint32_t {
    kTextUtf16LeBom = 0x1,
    kTextUtf8Bom = 0x4,
    kTextIgnoreCase = 0x8,  // compare tag names without regard to ASCII case (never set by the program)
    kTextReading = 0x10,
    kTextUtf16BeBom = 0x80,
};

// Bit of record 0's flags: the document is not well-formed.
constexpr uint32_t kDocNotWellFormed = 0x800000;

// Widths of the two tag-length fields of an ElementRecord.
constexpr uint32_t kStartTagLengthMask = 0x3FFFFF;  // low 22 bits
constexpr uint32_t kEndTagLengthMax = 0x3FF;        // high 10 bits

struct ElementRecord {
    int32_t start;        // offset of the '<' of the start tag
    int32_t length;       // through the end tag's '>', or the start tag's length when there is no end tag
    uint32_t tagLengths;  // low 22 bits: start-tag length; high 10 bits: end-tag length
    uint32_t flags;       // record 0 only: kDocNotWellFormed
    int32_t parent;
    int32_t firstChild;
    int32_t nextSibling;
    int32_t prevSibling;  // for a first child: the parent's last child

    uint32_t StartTagLength() const { return tagLengths & kStartTagLengthMask; }
    uint32_t EndTagLength() const { return tagLengths >> 22; }
};
static_assert(sizeof(ElementRecord) == 32);

class CXmlDocument {
public:
    CXmlDocument();
    ~CXmlDocument();
    CXmlDocument(const CXmlDocument&) = delete;
    CXmlDocument& operator=(const CXmlDocument&) = delete;

    // Filling the document.
    bool LoadFromFile(const WString& path);
    static bool LoadTextFromFile(const WString& path, WString& text, WString* report, uint32_t* flags);
    bool ParseDocument();
    // Replaces the text and flags without parsing (tests, tools and the benchmark parse it after).
    void SetText(WString text, uint32_t flags = 0);

    // Navigation and element text.
    void ResetPosition();
    bool FindElement(const char16_t* name);
    bool FindChildElement(const char16_t* name);
    void EnterElement();
    WString GetChildText() const;
    WString GetElementText(int32_t index) const;

    // Index storage.
    void GrowIndex(int32_t wanted);
    ElementRecord& Record(int32_t index) { return m_ppBlocks[index >> 16][index & 0xFFFF]; }
    const ElementRecord& Record(int32_t index) const { return m_ppBlocks[index >> 16][index & 0xFFFF]; }

    const WString& Text() const { return m_strText; }
    const WString& Report() const { return m_strReport; }
    int32_t ParentPos() const { return m_nParentPos; }
    int32_t CurrentPos() const { return m_nCurrentPos; }
    int32_t ChildPos() const { return m_nChildPos; }
    int32_t NextFree() const { return m_nNextFree; }
    int32_t CurrentKind() const { return m_nCurrentKind; }
    uint32_t TextFlags() const { return m_nTextFlags; }
    int32_t Capacity() const { return m_nCapacity; }
    int32_t BlockSlots() const { return m_nBlockSlots; }
    bool IsWellFormed() const;

private:
    friend class ElementIndexer;
    int32_t SiblingSearch(int32_t from, int32_t parent, const char16_t* name) const;

    WString m_strText;
    WString m_strReport;
    int32_t m_nParentPos = 0;
    int32_t m_nCurrentPos = 0;
    int32_t m_nChildPos = 0;
    int32_t m_nNextFree = 1;
    int32_t m_nCurrentKind = 0;
    uint32_t m_nTextFlags = 0;
    // Blocks come from malloc so that growing the last one can be a realloc (records are trivially copyable).
    struct FreeBlock {
        void operator()(ElementRecord* block) const { std::free(block); }
    };
    using Block = std::unique_ptr<ElementRecord[], FreeBlock>;
    void ResizeBlock(int64_t block, int64_t records);

    std::unique_ptr<Block[]> m_ppBlocks;
    int32_t m_nCapacity = 0;
    int32_t m_nBlockSlots = 0;
};
