// What Pellory's start-up and keypad search cost: opening and loading a card
// of 250 filled positions (target: under a second), set beside the bare
// platform reads it consists of, and one digit key over 1,000 entries
// (target: within a frame, 16 ms), set beside building the base view.
#include "simmanager/KeyLetters.h"
#include "simmanager/PhonebookStore.h"
#include "simmanager/SimAccess.h"

#include "framework/testsupport/BenchTiming.h"
#include "framework/testsupport/TempDevice.h"

#include "platform/sim/SimCardFile.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

using vellumate::bench::MedianMs;

class QuietMessages : public SimMessages {
public:
    void Error(UINT id) override { std::printf("unexpected message %u\n", id); }
    void ErrorNumber(UINT id, int) override { Error(id); }
    void Information(UINT id) override { Error(id); }
    bool Ask(UINT) override { return true; }
};

std::wstring NameOf(int i)
{
    static const wchar_t* const first[] = {L"Anna", L"Boris", L"Carla", L"Dmitri",
                                           L"Elke", L"Farid", L"Greta", L"Hugo"};
    return std::wstring(first[i % 8]) + L" " + std::to_wstring(i);
}

void StartUp()
{
    vellumate::TempDevice device;
    vellumate::sim::SimCard card;
    card.minIndex = 1;
    card.maxIndex = 250;
    card.maxNameLength = 16;
    card.maxNumberLength = 20;
    for (std::uint32_t position = 1; position <= 250; ++position)
        card.Phonebook(SIM_PBSTORAGE_SIM)->entries[position] = {L"0301234" + std::to_wstring(position), 2,
                                                                NameOf(static_cast<int>(position))};
    device.WriteSim(vellumate::sim::FormatSimCard(card));

    QuietMessages messages;
    ViewOptions options;
    options.rowsPerPage = 8;
    const double open = MedianMs(5, [&] {
        SimAccess sim;
        sim.Open(messages);
        sim.LoadAll(options);
    });

    HSIM handle = nullptr;
    SimInitialize(SIM_INIT_NONE, nullptr, 0, &handle);
    const double reads = MedianMs(5, [&] {
        SIMPHONEBOOKENTRY record{};
        for (DWORD index = 1; index <= 250; ++index) {
            record.cbSize = sizeof record;
            SimReadPhonebookEntry(handle, SIM_PBSTORAGE_SIM, index, &record);
        }
    });
    SimDeinitialize(handle);

    std::printf("start-up, 250 filled positions: open + load %8.1f ms (target < 1000 ms)\n", open);
    std::printf("  bare reads of the 250 positions  %8.1f ms, %.3f ms a position; start-up / reads %.2f\n", reads,
                reads / 250, reads > 0 ? open / reads : 0);
}

void KeypadSearch()
{
    constexpr int Entries = 1000;
    SimFigures figures;
    figures.minIndex = 1;
    figures.maxIndex = Entries;
    figures.nameLength = 16;
    figures.numberLength = 20;
    PhonebookStore store(SIM_PBSTORAGE_SIM, Entries, figures);
    for (int i = 0; i < Entries; ++i)
        store.Slot(i).Set(NameOf(i).c_str(), (L"0301234" + std::to_wstring(i)).c_str());
    KeyLetters letters;
    letters.Load(GetModuleHandleW(nullptr));
    ViewOptions options;
    options.rowsPerPage = 8;

    const int keys[] = {2, 6, 6, 2};  // "anna", and whatever else fits
    const double base = MedianMs(21, [&] { store.RebuildBaseView(options); });
    double perKey[4] = {};
    for (int typed = 1; typed <= 4; ++typed) {
        perKey[typed - 1] = MedianMs(
            21,
            [&] {
                store.ResetViews();
                for (int k = 0; k < typed - 1; ++k)
                    store.TypeKey(keys[k], letters, options);
            },
            [&] { store.TypeKey(keys[typed - 1], letters, options); });
    }
    std::printf("keypad search over %d entries (target < 16 ms a key):\n", Entries);
    for (int typed = 1; typed <= 4; ++typed)
        std::printf("  key %d: %7.3f ms, %5.2f x building the base view (%.3f ms)\n", typed, perKey[typed - 1],
                    base > 0 ? perKey[typed - 1] / base : 0, base);
}

}  // namespace

int wmain()
{
    StartUp();
    KeypadSearch();
    return 0;
}
