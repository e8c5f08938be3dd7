#include "platform/sim/tool/SimCardReport.h"

#include <cstdio>

namespace vellumate::sim {
namespace {

std::string Utf8(const std::wstring& text)
{
    return Utf8FromUtf16(text).value_or("?");
}

const char* StorageName(std::uint32_t storage)
{
    switch (storage) {
    case 1:
        return "emergency numbers";
    case 2:
        return "fixed dialling";
    case 4:
        return "last dialled";
    case 8:
        return "own numbers";
    default:
        return "general";
    }
}

std::string State(const SimCard& card)
{
    return std::string(card.present ? "inserted" : "removed") + (card.radioOn ? ", radio on" : ", radio off");
}

}  // namespace

std::string DescribeCard(const SimCard& card)
{
    const std::uint32_t general = card.PositionCount(GeneralStorage);
    std::string out = "card:      " + State(card) + "\n";
    out += "figures:   positions " + std::to_string(card.minIndex) + " to " + std::to_string(card.maxIndex) + " (" +
           std::to_string(general) + "), names of " + std::to_string(card.maxNameLength) + ", numbers of " +
           std::to_string(card.maxNumberLength) + " characters\n";
    out += "provider:  " + (card.provider.empty() ? std::string("(none)") : Utf8(card.provider)) +
           " (display byte " + std::to_string(card.providerDisplay) + ")\n";
    // The general phonebook first: it is the one people look at.
    for (std::uint32_t storage : {16u, 1u, 2u, 4u, 8u}) {
        const SimPhonebook& book = *card.Phonebook(storage);
        out += "phonebook " + std::to_string(storage) + " (" + StorageName(storage) + "): " +
               std::to_string(book.entries.size()) + " of " + std::to_string(card.PositionCount(storage)) +
               " positions used\n";
        for (const auto& [position, entry] : book.entries) {
            char number[16];
            std::snprintf(number, sizeof number, "%6u", static_cast<unsigned>(position));
            std::string line = std::string(number) + "  " + Utf8(entry.number);
            if (!entry.name.empty())
                line += std::string(entry.number.size() < 20 ? 20 - entry.number.size() : 0, ' ') + "  " +
                        Utf8(entry.name);
            out += line + "\n";
        }
        if (!book.faulty.empty()) {
            out += "  faulty positions:";
            for (std::uint32_t position : book.faulty)
                out += " " + std::to_string(position);
            out += "\n";
        }
    }
    return out;
}

std::string SummarizeCard(const SimCard& card)
{
    const std::uint32_t general = card.PositionCount(GeneralStorage);
    const std::size_t used = card.Phonebook(GeneralStorage)->entries.size();
    return State(card) + ", " + std::to_string(used) + " of " + std::to_string(general) +
           " positions used, provider " + (card.provider.empty() ? std::string("(none)") : Utf8(card.provider));
}

}  // namespace vellumate::sim
