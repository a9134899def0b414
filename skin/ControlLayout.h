// Control layouts of the skin files: "tag,x,y,width,height,tooltip,toggle".
#pragma once

#include <cstdint>

#include "xml/WideString.h"

struct LayoutRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct ControlLayout {
    LayoutRect rcControl;
    WString strToolTip;
    bool bToggle = false;
};

// Fills the record from the layout text; fields the text does not supply keep their values. Always true.
bool ParseControlLayout(WStringView layout, ControlLayout& record);
