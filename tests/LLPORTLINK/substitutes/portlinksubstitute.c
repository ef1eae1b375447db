/* Stand-in for the card maker's driver library. GetNumCards answers PORTLINK_CARD_COUNT
   (2 when unset); the other entry points do nothing. Built without RelOutPortDWord when
   PORTLINK_WITHOUT_RELOUTPORTDWORD is defined. */
#include <stdint.h>
#include <stdlib.h>

#define EXPORT __attribute__((visibility("default")))

EXPORT int32_t GetNumCards(void)
{
  const char *Count = getenv("PORTLINK_CARD_COUNT");
  return Count ? (int32_t)strtol(Count, NULL, 10) : 2;
}

#define ENTRY(Name) \
  EXPORT void Name(void) {}

ENTRY(QueryCardInfo)
ENTRY(QueryBARBase)
ENTRY(WaitForIRQ)
ENTRY(COSWaitForIRQ)
ENTRY(WDGHandleIRQ)
ENTRY(AbortRequest)
ENTRY(CloseCard)
ENTRY(WDGInit)
ENTRY(WDGSetTimeout)
ENTRY(WDGSetResetDuration)
ENTRY(WDGPet)
ENTRY(WDGReadTemp)
ENTRY(WDGReadStatus)
ENTRY(WDGStart)
ENTRY(WDGStop)
ENTRY(EmergencyReboot)
ENTRY(InPortB)
ENTRY(OutPortB)
ENTRY(InPort)
ENTRY(OutPort)
ENTRY(InPortL)
ENTRY(OutPortL)
ENTRY(InPortDWord)
ENTRY(OutPortDWord)
ENTRY(RelInPortB)
ENTRY(RelOutPortB)
ENTRY(RelInPort)
ENTRY(RelOutPort)
ENTRY(RelInPortL)
ENTRY(RelOutPortL)
ENTRY(RelInPortDWord)
#ifndef PORTLINK_WITHOUT_RELOUTPORTDWORD
ENTRY(RelOutPortDWord)
#endif
