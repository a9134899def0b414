// Finding a window of another process of the tests: the programs under test are started as processes
// of their own and their windows are found by title.
#pragma once

#include <windows.h>

// The visible top-level window of the process with exactly this title; null when none comes within
// the time.
HWND WaitForProcessWindow(DWORD processId, const wchar_t* title, DWORD milliseconds = 15000);
