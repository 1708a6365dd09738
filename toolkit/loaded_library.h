// A system library loaded for a few of its functions.
#pragma once

#include <windows.h>

#include "handles.h"

// Loaded on construction, released with the object: a function found in it is good only as
// long as the object lives.
class LoadedLibrary {
  public:
    explicit LoadedLibrary(const wchar_t* name) : module_(LoadLibraryW(name)) {}

    // Null when the library or the function is missing.
    template <typename Function> Function Find(const char* name) const {
        if (!module_)
            return nullptr;
        return reinterpret_cast<Function>(
            reinterpret_cast<void*>(GetProcAddress(module_.get(), name)));
    }

  private:
    UniqueModule module_;
};
