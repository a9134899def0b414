#include "tools/Cli.h"
const char kLayoutHelp[] = "";
int RunLayoutCommand(const Args&) { return 0; }
