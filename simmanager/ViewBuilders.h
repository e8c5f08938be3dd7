// The views a store stacks: the base view, the keypad search and the two
// duplicate filters. Each returns a new view; the store pushes it.
#pragma once

#include "simmanager/EntryView.h"
#include "simmanager/KeyLetters.h"

#include <memory>
#include <vector>

// Every filled slot in slot order, sorted; row 0 focused when there are rows.
std::unique_ptr<EntryView> BuildBaseView(const std::vector<std::unique_ptr<PhonebookSlot>>& slots, DWORD storageCode,
                                         const ViewOptions& options);

// Rows of `below` whose display field matches the typed keys, in its order,
// each with its match position; row 0 focused.
std::unique_ptr<EntryView> BuildSearchView(const EntryView& below, const int* keys, int keyCount,
                                           const KeyLetters& letters, const ViewOptions& options);

// Kind 3: every filled slot with an equal partner, slot order, then sorted.
std::unique_ptr<EntryView> BuildDuplicatesView(const std::vector<std::unique_ptr<PhonebookSlot>>& slots,
                                               DWORD storageCode, const ViewOptions& options);

// Kind 4: for each group of equal slots, every member but the lowest slot,
// then sorted. Null when its working memory cannot be had.
std::unique_ptr<EntryView> BuildRedundantView(const std::vector<std::unique_ptr<PhonebookSlot>>& slots,
                                              DWORD storageCode, const ViewOptions& options);
