// A module to load from a folder deeper than MAX_PATH; it needs no code of its own.
#include <windows.h>

extern "C" __declspec(dllexport) int ModulePathProbe() {
    return 1;
}
