#include "portlinkplatform.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace PortLinkPlatform {

#ifdef _WIN32

TLibrary LoadLibraryByName(const char *FileName)
{
  return LoadLibraryA(FileName);
}

TProc LookUpProc(TLibrary Library, const char *Name)
{
  // void (*)() is the generic function type: casting FARPROC to it is warning-free.
  return reinterpret_cast<TProc>(GetProcAddress(static_cast<HMODULE>(Library), Name));
}

#else

TLibrary LoadLibraryByName(const char *FileName)
{
  return dlopen(FileName, RTLD_NOW | RTLD_LOCAL);
}

TProc LookUpProc(TLibrary Library, const char *Name)
{
  // POSIX guarantees that a dlsym result converts to a function pointer.
  return reinterpret_cast<TProc>(dlsym(Library, Name));
}

#endif

} // namespace PortLinkPlatform
