// SKIN_SOURCE and CreateSkinControl: a skinned button made from its skin values, namely its layout in
// a layout document, its state pictures cut out of source pictures, and its caption from the strings
// document. The caller owns the sources and the control; the control owns its cut-out pictures.
#pragma once

#include <windows.h>

#include <cstdint>

#include "skin/BitmapBtn.h"
#include "ui/Bitmap.h"

class CXmlDocument;

struct SKIN_SOURCE {
    const CBitmap* pNormal;
    const CBitmap* pOver;
    const CBitmap* pDown;
    const CBitmap* pDisabled;
    // False: the sources are whole-window pictures, cut at the control's rectangle. True: they are
    // pictures of this control alone, cut at (0, 0) with the control's size.
    bool bPerControl;
    CXmlDocument* pLayoutDoc;  // null: the button layout document
    int32_t nOffsetX;          // added to the control's rectangle and to the cut rectangle
    int32_t nOffsetY;
};

// Creates ctrl as a child of pParent (control id 0) at the layout of group/item, with its pictures,
// toggle flag and tooltip; with bWithText its caption is the strings document's value of group/item,
// indented nTextIndent pixels from the left. nAlign is the caption alignment; an nFontHeight of -1
// keeps the height the strings file gave. A layout without all four numbers counts the missing ones
// as 0.
void CreateSkinControl(const SKIN_SOURCE& src, CBitmapBtn& ctrl, const char16_t* group, const char16_t* item,
                       HWND pParent, bool bWithText, int32_t nAlign, int32_t nTextIndent,
                       int32_t nFontHeight);
