#include "tools/Cli.h"
const char kXmlHelp[] = "";
int RunXmlCommand(const Args&) { return 0; }
