// The one lookup of every skin and strings value: group, then item, inside the root element.
#pragma once

#include <cstdint>

#include "xml/WideString.h"

class CXmlDocument;

// The item's text inside the first group of that name under the root (or a group of the same name
// nested in it); empty when absent. Moves the document's navigation positions.
WString GetSkinValue(CXmlDocument& document, const char16_t* group, const char16_t* item);

// A skin value read as a decimal integer (no digits: 0).
int32_t ReadSkinInteger(WStringView value);
