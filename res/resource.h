// Resource ids of the executable, shared by res/Dashwell.rc and the code that loads the resources.
#pragma once

#define IDD_WARNING_DIALOG 134
#define IDD_DASHWELL_DIALOG 102
#define IDR_MAINFRAME 133
