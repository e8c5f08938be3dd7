// What the vellumate tool changes on a card besides single entries: its
// figures (capacity and text lengths). Portable, like the card file.
#pragma once

#include "platform/sim/SimCardFile.h"

#include <optional>
#include <string>

namespace vellumate::sim {

struct FigureChange {
    std::optional<std::uint32_t> capacity;  // positions of the general phonebook
    std::optional<std::uint32_t> nameLength;
    std::optional<std::uint32_t> numberLength;
};

// Applies the figures given, all or none. Nothing is dropped silently: when
// entries would fall outside the new capacity or exceed a new length, the
// card is left as it was and the reason names them. Faulty positions past a
// smaller capacity are forgotten (they hold nothing).
std::optional<std::wstring> ChangeFigures(SimCard& card, const FigureChange& change);

}  // namespace vellumate::sim
