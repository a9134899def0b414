// Tests of ParseControlLayout: the rectangle, tooltip and toggle fields, partial layouts, and saturation of
// right = x + width and bottom = y + height.
#include "skin/ControlLayout.h"

#include <gtest/gtest.h>

#include "xml/WideString.h"

namespace {

struct LayoutCase {
    WStringView layout;
    LayoutRect rect;
    WStringView toolTip;
    bool toggle;
};

const LayoutCase kLayoutCases[] = {
    {u"0,20,180,75,23,Close,FALSE", {20, 180, 95, 203}, u"Close", false},
    {u"0,20,180,75,23,Close,TRUE", {20, 180, 95, 203}, u"Close", true},
    {u"0,20,180,75,23,TRUE RED,FALSE", {20, 180, 95, 203}, u"TRUE RED", true},
    {u"0,20,180,75,23,,true", {20, 180, 95, 203}, u"", false},
    {u"0,20,180,75,23,Close", {20, 180, 95, 203}, u"23", false},
    {u"anything,1,2,3,4,tip,xTRUEx", {1, 2, 4, 6}, u"tip", true},
    {u"20", {20, 0, 20, 0}, u"", false},
    {u"", {0, 0, 0, 0}, u"", false},
    {u",", {0, 0, 0, 0}, u"", false},
    {u"0, 10,\t-20,+30,  40,tip,TRUE", {10, -20, 40, 20}, u"tip", true},
    {u"0,10,20", {10, 20, 10, 20}, u"10", false},
    {u"0,10 ,20,30,40,a,b", {10, 0, 10, 0}, u"a", false},  // the comma must follow directly
    {u"0,10,,30,40,a,b", {10, 0, 10, 0}, u"a", false},     // an empty field stops the reading
    {u"0,10,20,x,40,a,b", {10, 20, 10, 20}, u"a", false},
    {u"0,10,20,30,40x,a,b", {10, 20, 40, 60}, u"a", false},  // the fourth number needs no comma after it
    {u"0,1.5,2,3,4,a,b", {1, 0, 1, 0}, u"a", false},
    {u"0,x,1,2,3,tip,FALSE", {0, 0, 0, 0}, u"tip", false},
    {u"0,2147483647,0,1,0,a,b", {INT32_MAX, 0, INT32_MAX, 0}, u"a", false},
    {u"0,0,-2147483648,0,-1,a,b", {0, INT32_MIN, 0, INT32_MIN}, u"a", false},
    {u"0,2000000000,-2000000000,2000000000,-2000000000,a,b",
     {2000000000, -2000000000, INT32_MAX, INT32_MIN},
     u"a",
     false},
    {u"0,99999999999,1,5,1,a,b", {INT32_MAX, 1, INT32_MAX, 2}, u"a", false},
    {u"0,-5,-5,10,10,\u00DCber,TRUE", {-5, -5, 5, 5}, u"\u00DCber", true},
};

TEST(ControlLayout, ParsesFieldsFromAZeroedRecord) {
    for (const LayoutCase& c : kLayoutCases) {
        SCOPED_TRACE(ToUtf8(c.layout));
        ControlLayout record;
        EXPECT_TRUE(ParseControlLayout(c.layout, record));
        EXPECT_EQ(record.rcControl.left, c.rect.left);
        EXPECT_EQ(record.rcControl.top, c.rect.top);
        EXPECT_EQ(record.rcControl.right, c.rect.right);
        EXPECT_EQ(record.rcControl.bottom, c.rect.bottom);
        EXPECT_EQ(record.strToolTip, c.toolTip);
        EXPECT_EQ(record.bToggle, c.toggle);
    }
}

TEST(ControlLayout, FieldsNotReadKeepTheRecordsValues) {
    ControlLayout record;
    record.rcControl = {1, 2, 3, 4};
    record.strToolTip = u"old";
    record.bToggle = true;
    EXPECT_TRUE(ParseControlLayout(u"0,10", record));
    // The edges not read still have x and y added, as the text holds width and height.
    EXPECT_EQ(record.rcControl.left, 10);
    EXPECT_EQ(record.rcControl.top, 2);
    EXPECT_EQ(record.rcControl.right, 13);
    EXPECT_EQ(record.rcControl.bottom, 6);
    EXPECT_EQ(record.strToolTip, u"");
    EXPECT_FALSE(record.bToggle);
}

TEST(ControlLayout, UnreadEdgesSaturateToo) {
    ControlLayout record;
    record.rcControl = {0, 0, INT32_MAX, INT32_MIN};
    EXPECT_TRUE(ParseControlLayout(u"0,5,-5", record));
    EXPECT_EQ(record.rcControl.right, INT32_MAX);
    EXPECT_EQ(record.rcControl.bottom, INT32_MIN);
}

}  // namespace
