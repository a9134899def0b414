// Fuzz target: DecodeReferences with an explicit count on a buffer of exactly that size (so ASan sees any
// read past it) and with -1 on a 0-terminated copy; the result is never longer than the input.
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "fuzz/FuzzUnits.h"
#include "xml/Entities.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const WString units = UnitsFromBytes(data, size);
    const auto exact = std::make_unique<char16_t[]>(units.size());
    units.copy(exact.get(), units.size());

    const WString counted = DecodeReferences(exact.get(), static_cast<int32_t>(units.size()));
    const WString terminated = DecodeReferences(units.c_str(), -1);
    const size_t terminatedLength = std::min(units.find(u'\0'), units.size());
    if (counted.size() > units.size() || terminated.size() > terminatedLength) {
        std::abort();
    }
    // Up to the first 0 both calls see the same units, so a 0-free input decodes the same either way.
    if (terminatedLength == units.size() && counted != terminated) {
        std::abort();
    }
    return 0;
}
