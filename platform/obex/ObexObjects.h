// The objects of the OBEX server: the service object and the header
// collection that CoCreateInstance makes, and what they hand out (the
// connection point, property bags, devices, put streams). Each counts itself
// in liveObjects for DllCanUnloadNow; the service's state is guarded by a
// lock of its own, since sinks are called on the service's thread.
#pragma once

#include "platform/obex/Obex.h"

#include <atomic>

namespace vellumate::obex {

extern std::atomic<long> liveObjects;
extern std::atomic<long> serverLocks;

// The class factories of CLSID_Obex and CLSID_HeaderCollection.
IClassFactory* ServiceFactory() noexcept;
IClassFactory* HeaderCollectionFactory() noexcept;

// How often the service looks at the device profile while it enumerates.
inline constexpr DWORD WatchIntervalMs = 200;

}  // namespace vellumate::obex
