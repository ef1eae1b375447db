#include "llportlink.h"

#include "portlinkplatform.h"

#include <type_traits>
#include <variant>

TGetNumCards GetNumCards = nullptr;
TPortLinkEntry QueryCardInfo = nullptr, QueryBARBase = nullptr, WaitForIRQ = nullptr,
               COSWaitForIRQ = nullptr, WDGHandleIRQ = nullptr, AbortRequest = nullptr,
               CloseCard = nullptr, WDGInit = nullptr, WDGSetTimeout = nullptr,
               WDGSetResetDuration = nullptr, WDGPet = nullptr, WDGReadTemp = nullptr,
               WDGReadStatus = nullptr, WDGStart = nullptr, WDGStop = nullptr,
               EmergencyReboot = nullptr, InPortB = nullptr, OutPortB = nullptr, InPort = nullptr,
               OutPort = nullptr, InPortL = nullptr, OutPortL = nullptr, InPortDWord = nullptr,
               OutPortDWord = nullptr, RelInPortB = nullptr, RelOutPortB = nullptr,
               RelInPort = nullptr, RelOutPort = nullptr, RelInPortL = nullptr,
               RelOutPortL = nullptr, RelInPortDWord = nullptr, RelOutPortDWord = nullptr;

bool PortLinkAvailable = false;

namespace {

struct TEntryPoint
{
  const char *Name;
  std::variant<TGetNumCards *, TPortLinkEntry *> Variable;
};

// Resolved in this order.
constexpr TEntryPoint EntryPoints[] = {
    {"GetNumCards", &GetNumCards},
    {"QueryCardInfo", &QueryCardInfo},
    {"QueryBARBase", &QueryBARBase},
    {"WaitForIRQ", &WaitForIRQ},
    {"COSWaitForIRQ", &COSWaitForIRQ},
    {"WDGHandleIRQ", &WDGHandleIRQ},
    {"AbortRequest", &AbortRequest},
    {"CloseCard", &CloseCard},
    {"WDGInit", &WDGInit},
    {"WDGSetTimeout", &WDGSetTimeout},
    {"WDGSetResetDuration", &WDGSetResetDuration},
    {"WDGPet", &WDGPet},
    {"WDGReadTemp", &WDGReadTemp},
    {"WDGReadStatus", &WDGReadStatus},
    {"WDGStart", &WDGStart},
    {"WDGStop", &WDGStop},
    {"EmergencyReboot", &EmergencyReboot},
    {"InPortB", &InPortB},
    {"OutPortB", &OutPortB},
    {"InPort", &InPort},
    {"OutPort", &OutPort},
    {"InPortL", &InPortL},
    {"OutPortL", &OutPortL},
    {"InPortDWord", &InPortDWord},
    {"OutPortDWord", &OutPortDWord},
    {"RelInPortB", &RelInPortB},
    {"RelOutPortB", &RelOutPortB},
    {"RelInPort", &RelInPort},
    {"RelOutPort", &RelOutPort},
    {"RelInPortL", &RelInPortL},
    {"RelOutPortL", &RelOutPortL},
    {"RelInPortDWord", &RelInPortDWord},
    {"RelOutPortDWord", &RelOutPortDWord},
};

} // namespace

void LoadPortLinkLibrary()
{
  if (PortLinkAvailable)
    return;
  // The handle is dropped on purpose: the library stays loaded for the life of the program.
  PortLinkPlatform::TLibrary Library = PortLinkPlatform::LoadLibraryByName("PORTLINK.dll");
  if (!Library)
    return;
  bool AllResolved = true;
  for (const TEntryPoint &Entry : EntryPoints) {
    PortLinkPlatform::TProc Proc = PortLinkPlatform::LookUpProc(Library, Entry.Name);
    AllResolved = AllResolved && Proc;
    std::visit(
        [Proc](auto *Variable) {
          *Variable = reinterpret_cast<std::remove_pointer_t<decltype(Variable)>>(Proc);
        },
        Entry.Variable);
  }
  PortLinkAvailable = AllResolved;
}
