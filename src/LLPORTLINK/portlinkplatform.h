#pragma once

// Shared-library loading of the host platform.
namespace PortLinkPlatform {

using TLibrary = void *;
using TProc = void (*)();

// Loads a library by file name through the platform's standard search; nullptr on failure.
TLibrary LoadLibraryByName(const char *FileName);
// Address of an exported entry point; nullptr when the library does not export it.
TProc LookUpProc(TLibrary Library, const char *Name);

} // namespace PortLinkPlatform
