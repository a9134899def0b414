// Definitions of the process-wide documents. Static objects are constructed in the order of their
// definitions within one translation unit, which gives the order the program relies on.
#include "skin/SkinDocuments.h"

CXmlDocument g_docStrings;
CXmlDocument g_docFrameSkin;
CXmlDocument g_docButtonLayout;
