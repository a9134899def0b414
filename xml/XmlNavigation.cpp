// Navigation of a parsed CXmlDocument by tag name, and element text. Names are read from the text where
// the element starts and compared with the tag-name matching rule; text is cut from the text on demand.
#include <algorithm>

#include "xml/Entities.h"
#include "xml/XmlDocument.h"
#include "xml/XmlTokenizer.h"

int32_t CXmlDocument::SiblingSearch(int32_t from, int32_t parent, const char16_t* name) const {
    int32_t candidate = from != 0 ? Record(from).nextSibling : Record(parent).firstChild;
    if (name == nullptr || name[0] == 0) {
        return candidate;
    }
    while (candidate != 0) {
        TextCursor cursor;
        cursor.text = m_strText.c_str();
        cursor.flags = m_nTextFlags;
        cursor.next = Record(candidate).start + 1;
        ReadNextWord(cursor);
        if (WordMatches(cursor, name)) {
            return candidate;
        }
        candidate = Record(candidate).nextSibling;
    }
    return 0;
}

bool CXmlDocument::FindElement(const char16_t* name) {
    if (m_nCapacity == 0) {
        return false;
    }
    int32_t found = SiblingSearch(m_nCurrentPos, m_nParentPos, name);
    if (found == 0) {
        return false;
    }
    m_nCurrentPos = found;
    m_nParentPos = Record(found).parent;
    m_nChildPos = 0;
    m_nCurrentKind = 1;
    return true;
}

bool CXmlDocument::FindChildElement(const char16_t* name) {
    if (m_nCurrentPos == 0) {
        FindElement(nullptr);
    }
    int32_t found = SiblingSearch(m_nChildPos, m_nCurrentPos, name);
    if (found == 0) {
        return false;
    }
    m_nChildPos = found;
    m_nCurrentPos = Record(found).parent;
    m_nParentPos = Record(m_nCurrentPos).parent;
    m_nCurrentKind = m_nCurrentPos != 0 ? 1 : 0;
    return true;
}

void CXmlDocument::EnterElement() {
    if (m_nCurrentPos == 0 || m_nCurrentKind != 1) {
        return;
    }
    m_nParentPos = m_nCurrentPos;
    m_nCurrentPos = m_nChildPos;
    m_nChildPos = 0;
    m_nCurrentKind = m_nCurrentPos != 0 ? 1 : 0;
}

WString CXmlDocument::GetChildText() const {
    return GetElementText(m_nChildPos);
}

WString CXmlDocument::GetElementText(int32_t index) const {
    if (index < 0 || index >= m_nNextFree) {
        return WString();
    }
    const ElementRecord& rec = Record(index);
    uint32_t startLength = rec.StartTagLength();
    uint32_t endLength = rec.EndTagLength();
    if (rec.firstChild != 0 || static_cast<int32_t>(startLength) == rec.length) {
        return WString();
    }
    // A saturated tag length no longer tells where the content is: such an element has no text.
    if (startLength == kStartTagLengthMask || endLength == kEndTagLengthMax) {
        return WString();
    }
    int32_t begin = rec.start + static_cast<int32_t>(startLength);
    int32_t end = rec.start + rec.length - static_cast<int32_t>(endLength);
    if (end <= begin) {
        return WString();
    }
    const char16_t* text = m_strText.c_str();
    if (WStringView(text + begin, end - begin).find(u'<') == WStringView::npos) {
        return DecodeReferences(text + begin, end - begin);
    }
    WString result;
    TextCursor cursor;
    cursor.text = text;
    cursor.flags = m_nTextFlags;
    cursor.next = begin;
    MarkupToken token;
    while (cursor.next < end) {
        int32_t kind = ReadNextToken(cursor, token);
        int32_t tokenEnd = std::min(token.start + token.length, end);
        if (kind == kTokenText) {
            result += DecodeReferences(text + token.start, tokenEnd - token.start);
        } else if (kind == kTokenCData) {
            int32_t dataBegin = token.start + 9;
            int32_t dataEnd = std::min(token.start + token.length - 3, end);
            if (dataEnd > dataBegin) {
                result.append(text + dataBegin, text + dataEnd);
            }
        } else if (kind == kTokenEndOfText) {
            break;
        }
    }
    return result;
}
