#pragma once

#include <cstdint>

// Run-time binding of the card maker's driver library "PORTLINK.dll". The library is not linked:
// LoadPortLinkLibrary looks it up by file name and resolves its 33 entry points by name.

#if defined(_WIN32) && !defined(_WIN64)
#define PORTLINK_CALL __stdcall
#else
#define PORTLINK_CALL
#endif

// Number of installed cards; zero or less means none.
using TGetNumCards = std::int32_t(PORTLINK_CALL *)();
// Entry points that are resolved but never called; their signatures are not fixed here.
using TPortLinkEntry = void (*)();

extern TGetNumCards GetNumCards;
extern TPortLinkEntry QueryCardInfo, QueryBARBase, WaitForIRQ, COSWaitForIRQ, WDGHandleIRQ,
    AbortRequest, CloseCard, WDGInit, WDGSetTimeout, WDGSetResetDuration, WDGPet, WDGReadTemp,
    WDGReadStatus, WDGStart, WDGStop, EmergencyReboot, InPortB, OutPortB, InPort, OutPort,
    InPortL, OutPortL, InPortDWord, OutPortDWord, RelInPortB, RelOutPortB, RelInPort, RelOutPort,
    RelInPortL, RelOutPortL, RelInPortDWord, RelOutPortDWord;

// True once every entry point has been resolved.
extern bool PortLinkAvailable;

// Loads the library and resolves all entry points unless that already succeeded. A missing
// library leaves everything as it was; a missing entry point leaves its pointer empty and the
// flag False, and the next call loads and resolves again. The library is never unloaded.
void LoadPortLinkLibrary();
