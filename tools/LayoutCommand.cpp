// dashwellctl layout TEXT: a control layout as the program parses it.
#include <string>

#include "skin/ControlLayout.h"
#include "tools/Cli.h"

const char kLayoutHelp[] =
    "usage: dashwellctl layout TEXT\n"
    "Parses a control layout 'tag,x,y,width,height,tooltip,toggle' and prints\n"
    "  rect LEFT TOP RIGHT BOTTOM   (fields the text does not supply are 0)\n"
    "  tooltip TEXT\n"
    "  toggle 0|1";

int RunLayoutCommand(const Args& args) {
    if (args.size() != 1) {
        return UsageError("layout takes TEXT");
    }
    ControlLayout layout;
    ParseControlLayout(args[0], layout);
    const LayoutRect& r = layout.rcControl;
    PrintLine("rect " + std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
              " " + std::to_string(r.bottom));
    PrintLine(u"tooltip " + layout.strToolTip);
    PrintLine(std::string("toggle ") + (layout.bToggle ? "1" : "0"));
    return 0;
}
