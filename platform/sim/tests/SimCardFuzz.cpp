// Any bytes as a SIM card file: reading never fails unsafely, and a card
// that reads is written back to a text that reads as the same card.
#include "platform/sim/SimCardFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vellumate::sim;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (SealCheck seal : {SealCheck::Require, SealCheck::Ignore}) {
        const SimCardReading reading = ParseSimCard(bytes, seal);
        if (!reading.card || CheckSimCard(*reading.card))
            continue;
        const SimCardReading again = ParseSimCard(FormatSimCard(*reading.card));
        if (!again.card || !(*again.card == *reading.card))
            std::abort();
    }
    return 0;
}
