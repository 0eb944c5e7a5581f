#pragma once
// DLLs that Tallimo.exe does not import: a disc or a stick is a folder anyone may have written
// to, so a DLL is loaded from the system folder by its full path, never found beside the
// program; and a function that some Windows versions lack is looked up in a DLL that is loaded.
#include <windows.h>

namespace tallimo {

// `name` (such as L"mpr.dll") from the system folder, loaded; nullptr where it cannot be. The
// caller owns the module (FreeLibrary), or keeps it for the rest of the run.
HMODULE LoadSystemLibrary(const wchar_t* name);

// The function `name` of `module` as the type `F`; nullptr when the module or the function is
// missing.
template <typename F>
F SystemFunction(HMODULE module, const char* name) {
  return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

}  // namespace tallimo
