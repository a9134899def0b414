// Small helpers shared by the XML reader's tests.
#pragma once

#include <string>

#include "xml/XmlDocument.h"

inline WString W(const char* utf8) {
    return FromUtf8(utf8);
}
inline std::string U8(const WString& text) {
    return ToUtf8(text);
}

// A document parsed from text, as the reader builds it after a load.
inline bool Parse(CXmlDocument& doc, const char* utf8) {
    doc.SetText(W(utf8));
    return doc.ParseDocument();
}

// The tag name of element i, read from the text.
inline std::string NameOf(const CXmlDocument& doc, int32_t i) {
    const WString& text = doc.Text();
    size_t begin = doc.Record(i).start + 1;
    size_t end = text.find_first_of(u" \t\r\n/>", begin);
    return U8(text.substr(begin, end - begin));
}
