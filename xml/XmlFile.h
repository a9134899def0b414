// Encoding detection of the file loader, exposed for tests and tools.
#pragma once

#include "xml/WideString.h"

// The encoding name declared in the text (xml declaration before any tag, or an HTML meta charset), as
// written; empty when none.
WString DetectDeclaredEncoding(const WString& text);
