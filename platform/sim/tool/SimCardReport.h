// What the vellumate tool prints about a card, in UTF-8.
#pragma once

#include "platform/sim/SimCardFile.h"

#include <string>

namespace vellumate::sim {

// The state, the figures, the provider name, then each phonebook with every
// entry on a line of its own: position, number and name separated by two
// blanks at least ("    12  +441632960012  Anna /m").
std::string DescribeCard(const SimCard& card);

// One line for `device show`: "inserted, radio on, 41 of 250 positions used,
// provider Vellum Mobile".
std::string SummarizeCard(const SimCard& card);

}  // namespace vellumate::sim
