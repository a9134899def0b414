// Skin value lookup: group under the root, then item; a missing item sends the search one level down
// into a nested group of the same name, so only the first group of a name under the root counts.
#include "skin/SkinValue.h"

#include "xml/NumberText.h"
#include "xml/XmlDocument.h"

WString GetSkinValue(CXmlDocument& document, const char16_t* group, const char16_t* item) {
    document.ResetPosition();
    for (;;) {
        if (!document.FindChildElement(group)) {
            return WString();
        }
        document.EnterElement();
        if (document.FindChildElement(item)) {
            return document.GetChildText();
        }
    }
}

int32_t ReadSkinInteger(WStringView value) {
    return ParseInt32(value, 10);
}
