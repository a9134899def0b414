// The strings document ("strings.xml") is read lazily, by the creation of the first skinned button
// that finds it still empty; each button then takes its caption font from the group GLOBAL. The
// document belongs to the process (skin/SkinDocuments.h); the button owns the font settings it is given.
#pragma once

#include <cstdint>

#include "xml/WideString.h"

// The strings step of a skinned button's creation: reads "strings.xml" from the application directory
// when the strings document has no text yet (a missing or empty file is tried again next time), then
// sets the face from GLOBAL/FONT and the height from GLOBAL/SIZE (decimal) where those are not empty.
void ApplyStringsFontSettings(WString& strFontFace, int32_t& nFontHeight);
