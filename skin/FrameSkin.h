// The main window's skin: loading the two skin documents from the application directory, and the skin
// step that cuts the window's outline from the BASE/BK_MASK picture, sizes the window and reads the
// debug items. The main window owns the results it is given.
#pragma once

#include <windows.h>

#include "xml/WideString.h"

// Fills the frame skin document and the button layout document from "FrameSkins.xml" and
// "FrameButtons.xml" in the application directory; a file that cannot be read leaves its document
// empty.
void LoadFrameSkinDocuments();

// Sets the window's region from the mask (none for a mask that does not load or is all white), moves
// the window to (0, 0) with the mask's size (its current size when the mask does not load), and
// stores DEBUG/DEBUG (non-zero: true) and DEBUG/DEBUG_NAME.
void ApplyFrameSkin(HWND window, bool& bDebug, WString& strDebugName);
