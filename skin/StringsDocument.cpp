// Lazy loading of the strings document and the caption font settings of GLOBAL.
#include "skin/StringsDocument.h"

#include "skin/AppDirectory.h"
#include "skin/SkinDocuments.h"
#include "skin/SkinValue.h"

namespace {

void LoadStringsWhenEmpty() {
    if (g_docStrings.Text().empty()) {
        g_docStrings.LoadFromFile(GetAppDirectory() + u"strings.xml");
    }
}

}  // namespace

void ApplyStringsFontSettings(WString& strFontFace, int32_t& nFontHeight) {
    LoadStringsWhenEmpty();
    WString face = GetSkinValue(g_docStrings, u"GLOBAL", u"FONT");
    if (!face.empty()) {
        strFontFace = std::move(face);
    }
    const WString size = GetSkinValue(g_docStrings, u"GLOBAL", u"SIZE");
    if (!size.empty()) {
        nFontHeight = ReadSkinInteger(size);
    }
}
