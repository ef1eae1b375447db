// Each suite is one state of the binding and runs in its own process (see CMakeLists.txt):
// NotLoaded without a library on the search path, Available with the full substitute,
// Incomplete with the substitute that lacks RelOutPortDWord.
#include "llportlink.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

struct TVariable
{
  const char *Name;
  TPortLinkEntry (*Read)();
  void (*Clear)();
};

#define VARIABLE(Name)                                                                     \
  {                                                                                        \
    #Name, [] { return reinterpret_cast<TPortLinkEntry>(Name); }, [] { Name = nullptr; } \
  }

// Every variable of the binding, checked against the export of its own name.
const TVariable Variables[] = {
    VARIABLE(GetNumCards), VARIABLE(QueryCardInfo), VARIABLE(QueryBARBase), VARIABLE(WaitForIRQ),
    VARIABLE(COSWaitForIRQ), VARIABLE(WDGHandleIRQ), VARIABLE(AbortRequest), VARIABLE(CloseCard),
    VARIABLE(WDGInit), VARIABLE(WDGSetTimeout), VARIABLE(WDGSetResetDuration), VARIABLE(WDGPet),
    VARIABLE(WDGReadTemp), VARIABLE(WDGReadStatus), VARIABLE(WDGStart), VARIABLE(WDGStop),
    VARIABLE(EmergencyReboot), VARIABLE(InPortB), VARIABLE(OutPortB), VARIABLE(InPort),
    VARIABLE(OutPort), VARIABLE(InPortL), VARIABLE(OutPortL), VARIABLE(InPortDWord),
    VARIABLE(OutPortDWord), VARIABLE(RelInPortB), VARIABLE(RelOutPortB), VARIABLE(RelInPort),
    VARIABLE(RelOutPort), VARIABLE(RelInPortL), VARIABLE(RelOutPortL), VARIABLE(RelInPortDWord),
    VARIABLE(RelOutPortDWord),
};

std::vector<TPortLinkEntry> ReadAll()
{
  std::vector<TPortLinkEntry> Values;
  for (const TVariable &Variable : Variables)
    Values.push_back(Variable.Read());
  return Values;
}

void ClearAll()
{
  for (const TVariable &Variable : Variables)
    Variable.Clear();
}

// The address the loaded library exports under Name, nullptr when it does not.
TPortLinkEntry Exported(const char *Name)
{
  void *Library = dlopen("PORTLINK.dll", RTLD_NOW | RTLD_NOLOAD);
  if (!Library)
    return nullptr;
  const auto Proc = reinterpret_cast<TPortLinkEntry>(dlsym(Library, Name));
  dlclose(Library);
  return Proc;
}

void ExpectResolvedByName(const TVariable &Variable)
{
  EXPECT_NE(Variable.Read(), nullptr) << Variable.Name;
  EXPECT_EQ(Variable.Read(), Exported(Variable.Name)) << Variable.Name;
}

// How many times the library was loaded: its references are dropped one by one until it
// unloads, so it and every pointer into it are gone afterwards.
int DropReferences()
{
  int References = 0;
  while (void *Library = dlopen("PORTLINK.dll", RTLD_NOW | RTLD_NOLOAD)) {
    dlclose(Library);
    dlclose(Library);
    ++References;
  }
  return References;
}

TEST(NotLoaded, MissingLibraryLeavesEverythingEmptyAndIsTriedAgain)
{
  for (int Call = 0; Call < 2; ++Call) {
    LoadPortLinkLibrary();
    EXPECT_FALSE(PortLinkAvailable);
    for (const TVariable &Variable : Variables)
      EXPECT_EQ(Variable.Read(), nullptr) << Variable.Name;
  }

  // Once the library is resident, loading it by file name finds it.
  const char *Path = std::getenv("PORTLINK_SUBSTITUTE");
  ASSERT_NE(Path, nullptr);
  ASSERT_NE(dlopen(Path, RTLD_NOW | RTLD_LOCAL), nullptr) << dlerror();
  LoadPortLinkLibrary();
  EXPECT_TRUE(PortLinkAvailable);
  ExpectResolvedByName(Variables[0]);
}

TEST(Available, ResolvesEveryEntryPointOnceAndThenDoesNothing)
{
  EXPECT_FALSE(PortLinkAvailable);
  LoadPortLinkLibrary();
  ASSERT_TRUE(PortLinkAvailable);
  for (const TVariable &Variable : Variables)
    ExpectResolvedByName(Variable);

  const std::vector<TPortLinkEntry> Resolved = ReadAll();
  RelOutPortDWord = nullptr;
  LoadPortLinkLibrary();
  EXPECT_TRUE(PortLinkAvailable);
  EXPECT_EQ(RelOutPortDWord, nullptr);
  RelOutPortDWord = Resolved.back();
  EXPECT_EQ(ReadAll(), Resolved);

  unsetenv("PORTLINK_CARD_COUNT");
  EXPECT_EQ(GetNumCards(), 2);
  setenv("PORTLINK_CARD_COUNT", "-1", 1);
  EXPECT_EQ(GetNumCards(), -1);

  EXPECT_EQ(DropReferences(), 1);
}

TEST(Incomplete, EachCallLoadsAndResolvesAgain)
{
  LoadPortLinkLibrary();
  EXPECT_FALSE(PortLinkAvailable);
  EXPECT_EQ(RelOutPortDWord, nullptr);
  for (const TVariable &Variable : Variables)
    if (&Variable != &Variables[32])
      ExpectResolvedByName(Variable);

  const std::vector<TPortLinkEntry> Resolved = ReadAll();
  for (int Call = 0; Call < 2; ++Call) {
    ClearAll();
    RelOutPortDWord = Resolved[1]; // a stale value is replaced by the failed lookup
    LoadPortLinkLibrary();
    EXPECT_FALSE(PortLinkAvailable);
    EXPECT_EQ(ReadAll(), Resolved);
  }
  EXPECT_EQ(DropReferences(), 3);
}

} // namespace
