// The three process-wide documents, constructed in this order before the program starts and destroyed
// in reverse order after it ends: the strings document, the frame skin document, the button layout
// document.
#pragma once

#include "xml/XmlDocument.h"

extern CXmlDocument g_docStrings;       // "strings.xml", loaded on first need
extern CXmlDocument g_docFrameSkin;     // "FrameSkins.xml"
extern CXmlDocument g_docButtonLayout;  // "FrameButtons.xml"
