// Structural invariants of a parsed CXmlDocument's element index and element texts, shared by the corpus
// test and the parse fuzz target. Each check returns a description of the first broken invariant, or an
// empty string; the walk is linear and uses no recursion, so hostile nesting cannot exhaust the stack.
#pragma once

#include <cstdint>
#include <string>

#include "xml/XmlDocument.h"

namespace index_invariants {

inline std::string At(int32_t index, const char* what) {
    return "element " + std::to_string(index) + ": " + what;
}

inline bool IsLink(const CXmlDocument& doc, int32_t link) {
    return link >= 0 && link < doc.NextFree();
}

// Offsets and tag lengths of one record against the text. Saturated tag lengths (tags too long for
// their fields) no longer point at the tag's last unit, so those two checks skip them.
inline std::string CheckExtent(const CXmlDocument& doc, int32_t i) {
    const ElementRecord& rec = doc.Record(i);
    const WString& text = doc.Text();
    const int64_t start = rec.start;
    const int64_t length = rec.length;
    const int64_t startTag = rec.StartTagLength();
    const int64_t endTag = rec.EndTagLength();
    if (start < 0 || length < 0 || start + length > static_cast<int64_t>(text.size())) {
        return At(i, "extent outside the text");
    }
    if (text[start] != u'<' || startTag < 3 || startTag > length) {
        return At(i, "start tag does not begin with '<' or does not fit the element");
    }
    if (startTag < kStartTagLengthMask && text[start + startTag - 1] != u'>') {
        return At(i, "start tag does not end with '>'");
    }
    if (endTag == 0) {
        return length == startTag ? std::string() : At(i, "element without end tag has content");
    }
    if (startTag + endTag > length || text[start + length - 1] != u'>') {
        return At(i, "end tag does not fit the element or does not end with '>'");
    }
    if (endTag < kEndTagLengthMax && text.compare(start + length - endTag, 2, u"</") != 0) {
        return At(i, "end tag does not begin with '</'");
    }
    return std::string();
}

// Links of one record: in range, parents before children, later siblings after earlier ones, and the
// element inside its parent's content.
inline std::string CheckLinks(const CXmlDocument& doc, int32_t i) {
    const ElementRecord& rec = doc.Record(i);
    if (!IsLink(doc, rec.parent) || !IsLink(doc, rec.firstChild) || !IsLink(doc, rec.nextSibling) ||
        !IsLink(doc, rec.prevSibling)) {
        return At(i, "link outside 0..NextFree-1");
    }
    if (rec.parent >= i || (rec.firstChild != 0 && rec.firstChild <= i) ||
        (rec.nextSibling != 0 && rec.nextSibling <= i) || rec.prevSibling == 0) {
        return At(i, "link against document order");
    }
    if (rec.parent != 0) {
        const ElementRecord& parent = doc.Record(rec.parent);
        const int64_t contentBegin = int64_t(parent.start) + parent.StartTagLength();
        const int64_t contentEnd = int64_t(parent.start) + parent.length - parent.EndTagLength();
        if (rec.start < contentBegin || int64_t(rec.start) + rec.length > contentEnd) {
            return At(i, "element outside its parent's content");
        }
    }
    return std::string();
}

// The child list of parent p: every member names p as parent, next and previous links agree, and the
// first child's previous link is the last child. Adds the list's length to count.
inline std::string CheckChildList(const CXmlDocument& doc, int32_t p, int64_t& count) {
    const int32_t first = doc.Record(p).firstChild;
    int32_t previous = 0;
    for (int32_t child = first; child != 0; child = doc.Record(child).nextSibling) {
        if (doc.Record(child).parent != p) {
            return At(child, "listed under an element that is not its parent");
        }
        if (previous != 0 && doc.Record(child).prevSibling != previous) {
            return At(child, "previous sibling link disagrees with the next sibling link");
        }
        previous = child;
        ++count;
    }
    if (first != 0 && doc.Record(first).prevSibling != previous) {
        return At(first, "first child's previous link is not the last child");
    }
    return std::string();
}

}  // namespace index_invariants

inline std::string CheckIndexInvariants(const CXmlDocument& doc) {
    using namespace index_invariants;
    if (doc.NextFree() < 1 || doc.NextFree() > doc.Capacity()) {
        return "NextFree outside 1..Capacity";
    }
    const ElementRecord& root = doc.Record(0);
    if (root.start != 0 || root.parent != 0 || root.tagLengths != 0 ||
        root.length != static_cast<int64_t>(doc.Text().size()) || !IsLink(doc, root.firstChild)) {
        return "document record is not start 0, length of the text, no parent";
    }
    for (int32_t i = 1; i < doc.NextFree(); ++i) {
        std::string broken = CheckExtent(doc, i);
        if (broken.empty()) {
            broken = CheckLinks(doc, i);
        }
        if (!broken.empty()) {
            return broken;
        }
    }
    // Every element sits in exactly one child list: its parent's (checked above: links only go forward,
    // so a list cannot loop, and each member names the list's owner as parent).
    int64_t listed = 0;
    for (int32_t p = 0; p < doc.NextFree(); ++p) {
        std::string broken = CheckChildList(doc, p, listed);
        if (!broken.empty()) {
            return broken;
        }
    }
    return listed == doc.NextFree() - 1 ? std::string() : "some elements are in no child list";
}

// Element text is cut from the element's content and decoding never lengthens it.
inline std::string CheckElementTexts(const CXmlDocument& doc) {
    for (int32_t i = 1; i < doc.NextFree(); ++i) {
        const ElementRecord& rec = doc.Record(i);
        const int64_t content = int64_t(rec.length) - rec.StartTagLength() - rec.EndTagLength();
        if (static_cast<int64_t>(doc.GetElementText(i).size()) > (content > 0 ? content : 0)) {
            return index_invariants::At(i, "text longer than the element's content");
        }
    }
    return std::string();
}
