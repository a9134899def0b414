// Fuzz target: ParseControlLayout on arbitrary text. With saturating edges, right - left and
// bottom - top always fit in 32 bits (a wrapped sum would not), and the tooltip is a comma-free piece of
// the layout.
#include <cstdlib>

#include "fuzz/FuzzUnits.h"
#include "skin/ControlLayout.h"

namespace {

bool FitsInt32(int64_t value) {
    return value >= INT32_MIN && value <= INT32_MAX;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const WString layout = UnitsFromBytes(data, size);
    ControlLayout record;
    const bool parsed = ParseControlLayout(layout, record);

    const LayoutRect& rect = record.rcControl;
    const bool widthFits = FitsInt32(int64_t{rect.right} - rect.left);
    const bool heightFits = FitsInt32(int64_t{rect.bottom} - rect.top);
    const bool toolTipSound =
        record.strToolTip.find(u',') == WString::npos && layout.find(record.strToolTip) != WString::npos;
    const bool toggleSound = !record.bToggle || layout.find(u"TRUE") != WString::npos;
    if (!parsed || !widthFits || !heightFits || !toolTipSound || !toggleSound) {
        std::abort();
    }
    return 0;
}
