// ParseControlLayout: "tag,x,y,width,height,tooltip,toggle" into a caller-owned ControlLayout record.
#include "skin/ControlLayout.h"

#include <array>

#include "xml/NumberText.h"

namespace {

// Width and height are turned into edges; a sum beyond the 32-bit range stops at its bound.
int32_t SaturatingAdd(int32_t a, int32_t b) {
    const int64_t sum = int64_t{a} + int64_t{b};
    if (sum > INT32_MAX) {
        return INT32_MAX;
    }
    return sum < INT32_MIN ? INT32_MIN : static_cast<int32_t>(sum);
}

// Reads "%d,%d,%d,%d" from the start of fields into the edges in the order left, top, right, bottom,
// stopping at the first mismatch: a field without digits, or a number not directly followed by a comma.
void ReadEdges(WStringView fields, LayoutRect& rect) {
    const std::array<int32_t*, 4> edges = {&rect.left, &rect.top, &rect.right, &rect.bottom};
    for (size_t k = 0; k < edges.size(); ++k) {
        size_t consumed = 0;
        const int32_t value = ParseInt32(fields, 10, &consumed);
        if (consumed == 0) {
            return;
        }
        *edges[k] = value;
        fields.remove_prefix(consumed);
        if (fields.empty() || fields.front() != u',') {
            return;
        }
        fields.remove_prefix(1);
    }
}

// The text after the last comma of the fields before the last comma: the tooltip is the second field
// from the end, so a layout that lacks the toggle field yields the height instead.
WStringView TooltipField(WStringView fields) {
    const size_t lastComma = fields.rfind(u',');
    const WStringView head = lastComma == WStringView::npos ? WStringView() : fields.substr(0, lastComma);
    const size_t commaInHead = head.rfind(u',');
    return commaInHead == WStringView::npos ? head : head.substr(commaInHead + 1);
}

}  // namespace

bool ParseControlLayout(WStringView layout, ControlLayout& record) {
    const size_t tagEnd = layout.find(u',');
    const WStringView fields = tagEnd == WStringView::npos ? layout : layout.substr(tagEnd + 1);

    LayoutRect& rect = record.rcControl;
    ReadEdges(fields, rect);
    rect.right = SaturatingAdd(rect.right, rect.left);
    rect.bottom = SaturatingAdd(rect.bottom, rect.top);

    record.bToggle = fields.find(u"TRUE") != WStringView::npos;
    record.strToolTip = WString(TooltipField(fields));
    return true;
}
