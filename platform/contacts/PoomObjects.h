// The objects of the contacts server: the application object that
// CoCreateInstance makes, and what it hands out. Each keeps a count of live
// objects for DllCanUnloadNow and guards its state with a lock of its own,
// since the class is registered for callers of any apartment.
#pragma once

#include "platform/contacts/PocketOutlook.h"

#include <atomic>

namespace vellumate::contacts {

// Objects alive and server locks held; the DLL may go when both are 0.
extern std::atomic<long> liveObjects;
extern std::atomic<long> serverLocks;

// A new application object (reference count 1), or nullptr when out of memory.
IPOutlookApp* NewApplication() noexcept;

// The class factory of CLSID_Application.
IClassFactory* ApplicationFactory() noexcept;

}  // namespace vellumate::contacts
