// The frame skin step of the main window.
#include "skin/FrameSkin.h"

#include "skin/AppDirectory.h"
#include "skin/MaskRegion.h"
#include "skin/PictureFile.h"
#include "skin/SkinDocuments.h"
#include "skin/SkinValue.h"
#include "ui/Bitmap.h"
#include "ui/Region.h"

void LoadFrameSkinDocuments() {
    const WString folder = GetAppDirectory();
    g_docFrameSkin.LoadFromFile(folder + u"FrameSkins.xml");
    g_docButtonLayout.LoadFromFile(folder + u"FrameButtons.xml");
}

namespace {

SIZE WindowSize(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

void SetOutline(HWND window, const CBitmap& mask) {
    CRegion region = CreateRegionFromMask(mask.Handle());
    if (region && SetWindowRgn(window, region.Handle(), TRUE)) {
        // The window owns the region from now on.
        static_cast<void>(region.Detach());
    }
}

}  // namespace

void ApplyFrameSkin(HWND window, bool& bDebug, WString& strDebugName) {
    const WString path = GetAppDirectory() + u"skins\\" + GetSkinValue(g_docFrameSkin, u"BASE", u"BK_MASK");
    CBitmap mask;
    SIZE size = WindowSize(window);
    LoadPictureFile(path, mask, &size);
    SetOutline(window, mask);
    MoveWindow(window, 0, 0, size.cx, size.cy, TRUE);
    bDebug = ReadSkinInteger(GetSkinValue(g_docFrameSkin, u"DEBUG", u"DEBUG")) != 0;
    strDebugName = GetSkinValue(g_docFrameSkin, u"DEBUG", u"DEBUG_NAME");
}
