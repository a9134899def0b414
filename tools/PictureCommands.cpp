// dashwellctl picture FILE and region FILE: a picture as the program decodes it, and the window outline
// the program would cut from it as a mask.
#include <cstdio>
#include <string>
#include <vector>

#include "skin/MaskRegion.h"
#include "skin/PictureFile.h"
#include "tools/Cli.h"
#include "ui/Region.h"

const char kPictureHelp[] =
    "usage: dashwellctl picture FILE\n"
    "Decodes FILE as the program does (BMP, GIF, JPEG; icons and metafiles are not pictures) and\n"
    "prints its size:\n"
    "  WIDTH HEIGHT\n"
    "Exit 2 when the file does not load.";

const char kRegionHelp[] =
    "usage: dashwellctl region FILE\n"
    "Builds the window outline the program cuts from FILE as a mask (every pixel that is not pure\n"
    "white is inside) and prints\n"
    "  rects N bounds LEFT TOP RIGHT BOTTOM\n"
    "  LEFT TOP RIGHT BOTTOM            (one line per rectangle of the region)\n"
    "or 'none' when no region results (an all-white mask: the window stays rectangular).\n"
    "Exit 2 when the file does not load.";

namespace {

std::string RectText(const RECT& rect) {
    return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " + std::to_string(rect.right) +
           " " + std::to_string(rect.bottom);
}

// The decoded picture, or an error printed and an empty bitmap.
CBitmap LoadForCommand(const WString& path, SIZE& size) {
    CBitmap picture;
    LoadPictureFile(path, picture, &size);
    if (!picture) {
        std::fprintf(stderr, "dashwellctl: %s does not load as a picture\n", ToUtf8(path).c_str());
    }
    return picture;
}

constexpr int kExitNotLoaded = 2;

}  // namespace

int RunPictureCommand(const Args& args) {
    if (args.size() != 1) {
        return UsageError("picture takes FILE");
    }
    SIZE size{};
    if (!LoadForCommand(args[0], size)) {
        return kExitNotLoaded;
    }
    PrintLine(std::to_string(size.cx) + " " + std::to_string(size.cy));
    return 0;
}

int RunRegionCommand(const Args& args) {
    if (args.size() != 1) {
        return UsageError("region takes FILE");
    }
    SIZE size{};
    const CBitmap mask = LoadForCommand(args[0], size);
    if (!mask) {
        return kExitNotLoaded;
    }
    const CRegion region = CreateRegionFromMask(mask.Handle());
    if (!region) {
        PrintLine(std::string_view("none"));
        return 0;
    }
    RECT bounds{};
    GetRgnBox(region.Handle(), &bounds);
    const std::vector<RECT> rects = GetRegionRects(region.Handle());
    PrintLine("rects " + std::to_string(rects.size()) + " bounds " + RectText(bounds));
    for (const RECT& rect : rects) {
        PrintLine(RectText(rect));
    }
    return 0;
}
