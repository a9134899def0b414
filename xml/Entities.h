// Entity and character references: the full HTML 4.01 entity set plus apos, and numeric references.
#pragma once

#include <cstdint>

#include "xml/WideString.h"

// Replaces every complete, known reference in count units (-1: up to the terminating 0) and copies
// everything else unchanged. The result is never longer than the input.
WString DecodeReferences(const char16_t* units, int32_t count);
