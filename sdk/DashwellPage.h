/* DashwellPage.h: the contract between the host window and a device page module.

   A device page module is a 64-bit DLL named Setting.dll in the device's folder (the "Path" value of
   the device's registry key). The host loads it by its absolute path when the device is shown and
   reaches it only through the exports below, looked up by these exact, undecorated names; export
   them with C linkage (and, with a .def file or __declspec(dllexport), without decoration). Every
   export is optional: the host skips what a module does not export.

   Order of calls, all on the host's one GUI thread:
     load      InitialPageInfo(window), then SetPreAndNextDev(previous, next). Without
               InitialPageInfo the module gets no neighbour names either.
     switch    UnIntialPageInfo() of the old module, the old module released (unless it exports
               ZQ455EXIT), then "load" for the new one.
     refresh   SetPreAndNextDev(previous, next), then ProcessFunction(DASHWELL_WM_DEVICE_REFRESH,
               its wParam, plugged) with plugged 1 or 0. Answer 1 while unplugged: the host closes.
     shutdown  ProcessParentDef(WM_DESTROY, 0, 0), then UnIntialPageInfo(), then release unless
               ZQ455EXIT is exported.
   After UnIntialPageInfo the host calls nothing more in that module.

   Loading: the host loads the module by its absolute path with LoadLibraryExW and
   LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32, so the module's own DLLs are found
   in its folder and the system folders; the current directory is never searched.

   Child windows: give them control ids of 1000 or more. The host window is a dialog, and a command
   with id 1 (IDOK) or 2 (IDCANCEL) that the module does not take would end it.

   Messages: the host window's messages below WM_USER (0x400) reach ProcessParentDef after the host
   has chosen not to handle them itself; those above WM_USER, except the switch message, reach
   ProcessFunction. The host then gives every message to its own default processing. Escape and
   Return key-downs that DllPreTranslateMessage does not take are swallowed by the host.

   Asking the host to show another device: post DASHWELL_WM_DEVICE_SWITCH to the host window with
   lParam -1 for the previous plugged device or 1 for the next one. The host switches once the
   module's code has returned, so a module never runs after its own release. When there is no
   plugged device in that direction the host shows its no-device warning and closes. */
#ifndef DASHWELL_PAGE_H
#define DASHWELL_PAGE_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Received by the host window. lParam, read as a signed 32-bit number: negative means the previous
   plugged device, zero or positive the next one. wParam is not used. */
#define DASHWELL_WM_DEVICE_SWITCH 0x5400
/* Received by the host window: the installed or plugged devices have changed. The host reads the
   catalogue again and passes wParam on to ProcessFunction. */
#define DASHWELL_WM_DEVICE_REFRESH 0x5401

/* The host window; the module draws its pages in it and may create child windows in it. */
typedef void (*DashwellInitialPageInfoFn)(HWND hostWindow);
/* The key names of the nearest plugged devices before and after the current one; empty strings when
   there is none. The strings are valid during the call only. */
typedef void (*DashwellSetPreAndNextDevFn)(const wchar_t* previousKeyName, const wchar_t* nextKeyName);
/* The module is about to be released, or the host window is going: drop every reference to it. */
typedef void (*DashwellUnIntialPageInfoFn)(void);
/* Host window messages above WM_USER. The result counts only for DASHWELL_WM_DEVICE_REFRESH. */
typedef int (*DashwellProcessFunctionFn)(UINT message, WPARAM wParam, LPARAM lParam);
/* Host window messages below WM_USER that the host passes on to its default processing. */
typedef void (*DashwellProcessParentDefFn)(UINT message, WPARAM wParam, LPARAM lParam);
/* Every message the host window and its children are about to dispatch; nonzero: handled, the host
   neither translates nor dispatches it. */
typedef BOOL (*DashwellDllPreTranslateMessageFn)(MSG* message);
/* Never called. Its presence keeps the module loaded until the process ends. */
typedef void (*DashwellZQ455EXITFn)(void);

#ifdef __cplusplus
}
#endif

#endif /* DASHWELL_PAGE_H */
