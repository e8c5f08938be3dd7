// The order in which the Flash page shows the storage volumes: first the one
// that holds the personal folder ("Internal"), then the others.
#pragma once

#include "framework/String.h"

#include <vector>

// The name of the root volume, the object store that "\" is on.
inline const wchar_t RootVolume[] = L"";

// `cards` are the storage-card folders in the enumeration's order. When one
// of them holds the personal folder (its path starts with "\name\", in any
// case), that card comes first and the others follow in their cyclic order
// behind it. Otherwise the personal folder lies on the root volume, which
// then comes first, followed by the cards as enumerated.
std::vector<String> OrderVolumes(const std::vector<String>& cards, const wchar_t* personalFolder);

// The folder to measure a volume by: "\name" for a card, "\" for the root.
String VolumeFolder(const String& volume);
