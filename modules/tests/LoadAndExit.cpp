// module_load_and_exit PATH: loads the module at PATH the way the host does and ends the process with
// the module still loaded, as the host does with a module that exports "ZQ455EXIT". Exit code 0 when
// the module loaded.
#include <windows.h>

#include <shellapi.h>

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const bool bLoaded =
        count == 2 && LoadLibraryExW(arguments[1], nullptr,
                                     LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    LocalFree(arguments);
    return bLoaded ? 0 : 1;
}
